#ifndef TOLKMAPS_TESTS_MAPSERVICEFIXTURE_H
#define TOLKMAPS_TESTS_MAPSERVICEFIXTURE_H

#include "Account.h"

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

// Runs the real tolkmaps-server for a test: a fresh state folder (so a fresh
// certificate authority), a small tile store of generated tiles made with the
// record library, one account, a free loopback port. The constructor returns
// once the server answers over verified HTTPS; the destructor stops it with
// SIGTERM and removes the folder. Throws std::runtime_error, with the server's
// output, when it does not come up.
class MapServiceFixture {
public:
    struct Options {
        int quadNum = 4;
        long nonceWindowSeconds = 300;
        double authCycleHours = 24;
        int threads = 4;
        // State folder of the server; empty: a fresh one, removed afterwards.
        std::string stateDir;
        // A tile store to serve as it is, with an account of its service id;
        // empty: a fresh store of sample tiles.
        std::string storeFile;
    };

    // An answer as received: status 0 when the transfer itself failed.
    struct Response {
        long status = 0;
        std::map<std::string, std::string> headers;  // names in lower case
        std::string body;
        std::string header(const std::string& lowerName) const;
    };
    // How a request asks for compression: not at all, announcing gzip and
    // taking the bytes as sent, or as the kit does (libcurl decodes).
    enum class Encoding { Identity, GzipRaw, GzipDecoded };

    static constexpr const char* kServiceId = "svc-test";
    static constexpr const char* kGlobalVersion = "20260101";
    static constexpr const char* kLocalVersion = "20260102";

    MapServiceFixture();
    explicit MapServiceFixture(const Options& options);
    ~MapServiceFixture();
    MapServiceFixture(const MapServiceFixture&) = delete;
    MapServiceFixture& operator=(const MapServiceFixture&) = delete;

    // "127.0.0.1:port" and "https://127.0.0.1:port".
    std::string host() const;
    std::string baseUrl() const;
    int port() const { return m_port; }
    const std::string& caFile() const { return m_caFile; }
    const std::string& stateDir() const { return m_stateDir; }
    const std::string& accountsFile() const { return m_accountsFile; }
    const std::string& storeFile() const { return m_storeFile; }
    const Account& account() const { return m_account; }
    const Options& options() const { return m_options; }

    // The quad keys in the store and the exact bytes stored for one.
    const std::vector<std::string>& storedQuadKeys() const { return m_quadKeys; }
    std::string storedTile(const std::string& quadKey) const;

    // GET of a path with query on the server, certificate verified against
    // its authority; extra header lines as "Name: value".
    Response get(const std::string& pathAndQuery, Encoding encoding = Encoding::Identity,
                 const std::vector<std::string>& headers = {}) const;
    // GET of a full URL, as above.
    Response getUrl(const std::string& url, Encoding encoding = Encoding::Identity,
                    const std::vector<std::string>& headers = {}) const;

    // Everything the server wrote to its standard output and error so far.
    std::string serverOutput() const;
    // Whether the server process is still running.
    bool serverRunning();
    // Stops the server with SIGTERM (SIGKILL after 10 s); answers its exit
    // status, -1 when it did not exit by itself or was not running.
    int stop();

    // Runs the server binary with the given arguments to completion and
    // answers its exit status; its output goes to `output`.
    static int runServerCommand(const std::vector<std::string>& arguments, std::string& output);

    // A loopback TCP port that was free a moment ago.
    static int freeLoopbackPort();

private:
    void start();
    void waitUntilServing();

    Options m_options;
    std::string m_folder;
    std::string m_stateDir;
    std::string m_storeFile;
    std::string m_accountsFile;
    std::string m_logFile;
    std::string m_caFile;
    Account m_account;
    std::vector<std::string> m_quadKeys;
    int m_port = 0;
    pid_t m_pid = -1;
    int m_exitStatus = -1;
};

#endif

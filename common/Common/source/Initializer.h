#ifndef TOLKMAPS_COMMON_INITIALIZER_H
#define TOLKMAPS_COMMON_INITIALIZER_H

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "Settings.h"

class K7DataCtg;

namespace qiv {

class DataSourceManager;
class HttpRequest;
class ThreadPool;

// The start-up sequence, run once before any map is shown: configuration,
// login, data host of the division, data versions against the disk cache,
// cache sizing, global data and designs, then the background map on a
// one-thread pool. Results stay in static members that the engine copies when
// a map is initialised.
//
// `initialize` runs on the caller's thread and never twice at once; the
// status may be read from any thread.
class Initializer {
public:
    static constexpr int kReady = 0;
    static constexpr int kConfigurationFailed = 1;
    static constexpr int kGlobalDataFailed = 2;
    static constexpr int kAuthenticationFailed = 3;

    // `certDomain` is the login host; the keys are the service credentials.
    // Answers the status (also left in m_status): 0 ready; 1 configuration,
    // division or version failure; 2 no global data; 3 login refused.
    static int initialize(const std::string& certDomain, const std::string& consumerKey,
                          const std::string& secretKey, const std::string& dataPath,
                          const std::string& cacheDir, const std::string& userDesignPath,
                          const std::string& caPath, int dpi, int mode, const std::string& proxy);
    // Reads a configuration document into m_setting, the data hosts and the
    // login hosts. False on a syntax error, a missing key or a value of the
    // wrong type.
    static bool parse(const std::vector<char>& body);
    // Stops the background task: drops a queued download and waits for a
    // running one. Runs by itself at process exit, before the TLS libraries'
    // own exit handlers, so no download is left inside them.
    static void stopBackground();
    // The background task: fetches the background map into m_bg, up to 4 attempts.
    static void _getBGData(const std::string& url, const std::string& caPath,
                           const std::string& proxy);

    static bool m_curlInit;
    static Settings m_setting;
    static std::map<int, std::string> m_serverList;
    static std::string m_auth;
    static std::string m_auth_v;
    static std::string m_cid;
    static int m_div;
    static std::string m_gVersion;
    static std::string m_lVersion;
    static K7DataCtg* m_global;
    // Written once by the background task, read by the drawing thread.
    static std::atomic<K7DataCtg*> m_bg;
    static ThreadPool* m_thPool;
    static std::atomic<int> m_status;

private:
    static int run(const std::string& certDomain, const std::string& consumerKey,
                   const std::string& secretKey);
    static bool loadConfiguration();
    static int authenticate(const std::string& certDomain, const std::string& consumerKey,
                            const std::string& secretKey, int* cacheMiB);
    // Turns a division of 1000 or more into the one of the login host; false
    // when the host is neither login host.
    static bool decodeDivision(const std::string& certDomain);
    static int checkVersions(DataSourceManager* manager);
    static void sizeCache(int cacheMiB);
    static int loadGlobal(DataSourceManager* manager);
    static void startBackground();
};

} // namespace qiv

#endif

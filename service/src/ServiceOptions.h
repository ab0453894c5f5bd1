#ifndef TOLKMAPS_SERVICE_SERVICEOPTIONS_H
#define TOLKMAPS_SERVICE_SERVICEOPTIONS_H

#include <stdexcept>
#include <string>
#include <vector>

// Raised for a command line that cannot be used; the message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line of tolkmaps-server: serving (the default) or adding an
// account ("add-account").
struct ServiceOptions {
    enum class Command { Serve, AddAccount, Help };

    Command command = Command::Serve;
    std::string listenHost = "127.0.0.1";
    int port = 8443;
    std::string storePath;
    std::string accountsPath;
    std::string stateDir = "tolkmaps-state";
    int threads = 16;
    std::string publicHost;  // empty: made from the listen address and port
    int quadNum = 8;
    double authCycleHours = 24;
    long nonceWindowSeconds = 300;
    int gzipLevel = 6;
    int tileCacheMiB = 256;
    // add-account
    std::string serviceId;
    int division = 0;
    int cacheMiB = 100;

    // Throws UsageError.
    static ServiceOptions parse(const std::vector<std::string>& arguments);
    static std::string usage();

    // The host (and port) that clients are told to use.
    std::string effectivePublicHost() const;
};

#endif

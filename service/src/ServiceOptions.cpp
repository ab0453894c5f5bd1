#include "ServiceOptions.h"

#include <functional>
#include <map>

namespace {

int toInt(const std::string& flag, const std::string& value, int lowest, int highest) {
    size_t used = 0;
    long number = 0;
    try {
        number = std::stol(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != value.size() || value.empty() || number < lowest || number > highest)
        throw UsageError(flag + " needs a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ", not '" + value + "'");
    return static_cast<int>(number);
}

double toHours(const std::string& flag, const std::string& value) {
    size_t used = 0;
    double number = -1;
    try {
        number = std::stod(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != value.size() || !(number >= 0))
        throw UsageError(flag + " needs a number of hours, not '" + value + "'");
    return number;
}

}  // namespace

ServiceOptions ServiceOptions::parse(const std::vector<std::string>& arguments) {
    ServiceOptions options;
    size_t first = 0;
    if (!arguments.empty() && arguments[0] == "add-account") {
        options.command = Command::AddAccount;
        first = 1;
    }
    using Setter = std::function<void(const std::string&, const std::string&)>;
    const std::map<std::string, Setter> setters{
        {"--listen", [&](const std::string&, const std::string& v) { options.listenHost = v; }},
        {"--port", [&](const std::string& f, const std::string& v) { options.port = toInt(f, v, 1, 65535); }},
        {"--store", [&](const std::string&, const std::string& v) { options.storePath = v; }},
        {"--accounts", [&](const std::string&, const std::string& v) { options.accountsPath = v; }},
        {"--state", [&](const std::string&, const std::string& v) { options.stateDir = v; }},
        {"--threads", [&](const std::string& f, const std::string& v) { options.threads = toInt(f, v, 1, 1024); }},
        {"--public-host", [&](const std::string&, const std::string& v) { options.publicHost = v; }},
        {"--quad-num", [&](const std::string& f, const std::string& v) { options.quadNum = toInt(f, v, 1, 256); }},
        {"--auth-cycle", [&](const std::string& f, const std::string& v) { options.authCycleHours = toHours(f, v); }},
        {"--nonce-window", [&](const std::string& f, const std::string& v) { options.nonceWindowSeconds = toInt(f, v, 1, 86400); }},
        {"--gzip-level", [&](const std::string& f, const std::string& v) { options.gzipLevel = toInt(f, v, 1, 9); }},
        {"--tile-cache", [&](const std::string& f, const std::string& v) { options.tileCacheMiB = toInt(f, v, 0, 1 << 20); }},
        {"--service-id", [&](const std::string&, const std::string& v) { options.serviceId = v; }},
        {"--division", [&](const std::string& f, const std::string& v) { options.division = toInt(f, v, 0, 999999); }},
        {"--cache", [&](const std::string& f, const std::string& v) { options.cacheMiB = toInt(f, v, 0, 1 << 20); }},
    };
    for (size_t i = first; i < arguments.size(); ++i) {
        const std::string& flag = arguments[i];
        if (flag == "--help" || flag == "-h") {
            options.command = Command::Help;
            return options;
        }
        auto setter = setters.find(flag);
        if (setter == setters.end()) throw UsageError("unknown argument '" + flag + "'");
        if (i + 1 >= arguments.size()) throw UsageError(flag + " needs a value");
        setter->second(flag, arguments[++i]);
    }
    if (options.accountsPath.empty()) throw UsageError("--accounts is required");
    if (options.command == Command::Serve && options.storePath.empty())
        throw UsageError("--store is required");
    if (options.command == Command::AddAccount && options.serviceId.empty())
        throw UsageError("--service-id is required");
    return options;
}

std::string ServiceOptions::effectivePublicHost() const {
    if (!publicHost.empty()) return publicHost;
    bool anyAddress = listenHost == "0.0.0.0" || listenHost == "::" || listenHost.empty();
    std::string host = anyAddress ? "localhost" : listenHost;
    if (host.find(':') != std::string::npos) host = "[" + host + "]";
    return host + ":" + std::to_string(port);
}

std::string ServiceOptions::usage() {
    return "usage: tolkmaps-server --store FILE --accounts FILE [options]\n"
           "       tolkmaps-server add-account --accounts FILE --service-id ID [--division N] [--cache MIB]\n"
           "\n"
           "Serves the map kit over HTTPS from a tile store.\n"
           "\n"
           "  --listen ADDRESS      address to listen on (default 127.0.0.1)\n"
           "  --port N              port to listen on (default 8443)\n"
           "  --store FILE          tile store to serve, opened read-only\n"
           "  --accounts FILE       accounts file (consumer keys and secrets)\n"
           "  --state DIR           folder of the certificate authority and server certificate,\n"
           "                        made on first start (default ./tolkmaps-state)\n"
           "  --threads N           worker threads, one per open connection (default 16)\n"
           "  --public-host HOST    host[:port] clients use, put into the configuration\n"
           "                        (default: the listen address and port)\n"
           "  --quad-num N          most quad keys per tile request (default 8)\n"
           "  --auth-cycle HOURS    login cycle told to clients (default 24)\n"
           "  --nonce-window SECS   accepted login timestamp skew and nonce memory (default 300)\n"
           "  --gzip-level N        compression level of gzip answers, 1 to 9 (default 6)\n"
           "  --tile-cache MIB      memory for recently served tiles and their gzip form\n"
           "                        (default 256)\n"
           "  --help                this text\n"
           "\n"
           "add-account appends an account with a fresh consumer key and secret to the\n"
           "accounts file and prints them: --division (default 0), --cache in MiB (default 100).\n";
}

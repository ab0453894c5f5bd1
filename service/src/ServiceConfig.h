#ifndef TOLKMAPS_SERVICE_SERVICECONFIG_H
#define TOLKMAPS_SERVICE_SERVICECONFIG_H

#include <map>
#include <string>

// What the service tells the kit in its configuration document: where the
// login, the data and the files are, and how their paths are made.
struct ServiceConfig {
    // Host (with port) of the production and the verification login.
    std::string authHost;
    std::string verificationAuthHost;
    // Data host per division.
    std::map<int, std::string> dataHosts;
    std::string tilePath = "/Veltar/tiles";
    std::string filePath = "/Veltar/file";
    int quadNum = 8;
    std::string globalPath = "/global/";
    std::string localPath = "/local/";
    std::string globalExt = ".gvs";
    std::string localExt = ".lvs";
    std::string globalVersionExt = ".gver";
    std::string localVersionExt = ".lver";
    std::string globalDataExt = ".gdat.gz";
    std::string authPath = "/Veltar/auth";
    double authCycleHours = 24;

    // A configuration whose every host is `publicHost`, with a data host for
    // each division that has version files (0 and 10 to 39).
    static ServiceConfig forHost(const std::string& publicHost);

    // The configuration document as JSON text.
    std::string toJson() const;
};

#endif

#ifndef TOLKMAPS_COMMON_SETTINGS_H
#define TOLKMAPS_COMMON_SETTINGS_H

#include <string>

namespace qiv {

// Service endpoints and start-up parameters. Start-up fills one and hands
// copies to the data sources, the caches and the engine.
class Settings {
public:
    // The configuration host is "localhost:8443" unless the environment
    // variable TOLKMAPS_CONFIG_HOST names another; the configuration path is
    // "/Veltar/config.json"; everything else is empty or 0.
    Settings();

    std::string configHost;
    std::string configPath;
    std::string dataHost;
    std::string tileCgi;
    std::string fileCgi;
    int quadNum;
    std::string globalPath;
    std::string localPath;
    std::string globalExt;
    std::string localExt;
    std::string globalVersionExt;
    std::string localVersionExt;
    std::string globalDataExt;
    std::string authDir;
    double authCycle;
    std::string dataPath;
    std::string cacheDir;
    std::string userDesignPath;
    std::string caPath;
    int dpi;
    int mode;
    std::string proxy;
};

} // namespace qiv

#endif

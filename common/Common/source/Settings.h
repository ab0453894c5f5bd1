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

    // Data kinds of the version files.
    static constexpr int kGlobalKind = 0;
    static constexpr int kLocalKind = 1;

    // Extension of the version file of `kind` for `division`: the "-v"
    // extensions for division 0 and 10 to 19, the plain ones for 20 to 39.
    // Empty for any other division or kind: there is no version file then.
    std::string versionExtension(int division, int kind) const;
    // Whether version files exist for `division` (0, 10 to 39).
    static bool hasVersionFiles(int division);
    // Path piece of `kind`: globalPath or localPath.
    const std::string& kindPath(int kind) const;

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

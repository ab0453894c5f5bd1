#include "ServiceConfig.h"

#include <picojson.h>

ServiceConfig ServiceConfig::forHost(const std::string& publicHost) {
    ServiceConfig config;
    config.authHost = publicHost;
    config.verificationAuthHost = publicHost;
    config.dataHosts[0] = publicHost;
    for (int division = 10; division <= 39; ++division) config.dataHosts[division] = publicHost;
    return config;
}

std::string ServiceConfig::toJson() const {
    using picojson::object;
    using picojson::value;
    object auth{{"veri", value(verificationAuthHost)}, {"prod", value(authHost)}};
    object data;
    for (const auto& entry : dataHosts) data[std::to_string(entry.first)] = value(entry.second);
    object root{
        {"domain", value(object{{"auth", value(auth)}, {"data", value(data)}})},
        {"cgi", value(object{{"local", value(tilePath)},
                             {"file", value(filePath)},
                             {"quad_num", value(static_cast<double>(quadNum))}})},
        {"path", value(object{{"global", value(globalPath)}, {"local", value(localPath)}})},
        {"ext", value(object{{"global", value(globalExt)},
                             {"local", value(localExt)},
                             {"global-v", value(globalVersionExt)},
                             {"local-v", value(localVersionExt)},
                             {"g_data", value(globalDataExt)}})},
        {"auth", value(object{{"dir", value(authPath)}, {"cycle", value(authCycleHours)}})},
    };
    return value(root).serialize();
}

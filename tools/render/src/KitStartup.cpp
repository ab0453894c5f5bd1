#include "KitStartup.h"

#include "Initializer.h"

int KitStartup::start(const RenderOptions& options, const std::string& cacheDir) {
    if (!options.configHost.empty()) qiv::Initializer::m_setting.configHost = options.configHost;
    const std::string domain =
        options.authDomain.empty() ? qiv::Initializer::m_setting.configHost : options.authDomain;
    return qiv::Initializer::initialize(domain, options.consumerKey, options.consumerSecret,
                                        options.dataPath, cacheDir, options.userDesignPath,
                                        options.caFile, options.dpi, options.mode, options.proxy);
}

std::string KitStartup::serviceId() { return qiv::Initializer::m_cid; }

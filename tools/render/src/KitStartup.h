#ifndef TOLKMAPS_RENDER_KITSTARTUP_H
#define TOLKMAPS_RENDER_KITSTARTUP_H

#include <string>

#include "RenderOptions.h"

// Starts the kit the way a map application does before it shows a map:
// configuration, login, data versions, caches, global data and designs, and
// the background map download. The start-up state is process-wide.
class KitStartup {
public:
    // 0 when the kit is ready; else the start-up status (1 configuration,
    // division or version; 2 global data; 3 login). `cacheDir` is the disk
    // cache folder to use.
    static int start(const RenderOptions& options, const std::string& cacheDir);
    // The service id the login gave: the first half of every tile cache key.
    static std::string serviceId();
};

#endif

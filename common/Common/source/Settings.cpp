#include "Settings.h"

#include <cstdlib>

namespace qiv {

namespace {

std::string builtInConfigHost() {
    const char* host = std::getenv("TOLKMAPS_CONFIG_HOST");
    return host != nullptr && host[0] != '\0' ? host : "localhost:8443";
}

} // namespace

Settings::Settings()
    : configHost(builtInConfigHost()),
      configPath("/Veltar/config.json"),
      quadNum(0),
      authCycle(0.0),
      dpi(0),
      mode(0) {}

} // namespace qiv

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

bool Settings::hasVersionFiles(int division) {
    return division == 0 || (division >= 10 && division <= 39);
}

std::string Settings::versionExtension(int division, int kind) const {
    if ((kind != kGlobalKind && kind != kLocalKind) || !hasVersionFiles(division))
        return std::string();
    const bool global = kind == kGlobalKind;
    if (division < 20) return global ? globalVersionExt : localVersionExt;
    return global ? globalExt : localExt;
}

const std::string& Settings::kindPath(int kind) const {
    return kind == kGlobalKind ? globalPath : localPath;
}

} // namespace qiv

#include "CoordTypes.h"

#include <cstdio>

namespace qiv {

std::string Point::toString() const {
    char text[64];
    std::snprintf(text, sizeof(text), "xy(%d,%d)", x, y);
    return text;
}

std::string PointLF::toString() const {
    char text[700];
    std::snprintf(text, sizeof(text), "xy(%lf,%lf)", x, y);
    return text;
}

}  // namespace qiv

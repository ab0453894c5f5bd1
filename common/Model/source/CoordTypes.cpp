#include "CoordTypes.h"

#include <algorithm>
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

void cornerBounds(const GLCoord* corners, int count, GLCoord& minimum, GLCoord& maximum) {
    minimum = GLCoord(corners[0].x, corners[0].y, 0.0, true);
    maximum = minimum;
    for (int i = 1; i < count; ++i) {
        minimum.x = std::min(minimum.x, corners[i].x);
        minimum.y = std::min(minimum.y, corners[i].y);
        maximum.x = std::max(maximum.x, corners[i].x);
        maximum.y = std::max(maximum.y, corners[i].y);
    }
}

}  // namespace qiv

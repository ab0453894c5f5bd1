#include "TileGrid.h"

#include <algorithm>
#include <cmath>

#include "WorldProjection.h"

double TileGrid::side(int level) { return std::ldexp(WorldProjection::WORLD_UNITS, -level); }

WorldBox TileGrid::box(const std::string& quadKey) {
    double tileX = 0;
    double tileY = 0;
    for (char digit : quadKey) {
        const int value = digit - '0';
        tileX = tileX * 2 + (value & 1);
        tileY = tileY * 2 + ((value >> 1) & 1);
    }
    const double size = side(static_cast<int>(quadKey.size()));
    return {tileX * size, tileY * size, (tileX + 1) * size, (tileY + 1) * size};
}

std::string TileGrid::keyAt(int level, double x, double y) {
    const double size = side(level);
    const double last = std::ldexp(1.0, level) - 1;
    const auto tileX = static_cast<unsigned>(std::clamp(std::floor(x / size), 0.0, last));
    const auto tileY = static_cast<unsigned>(std::clamp(std::floor(y / size), 0.0, last));
    return key(level, tileX, tileY);
}

std::string TileGrid::key(int level, unsigned tileX, unsigned tileY) {
    std::string quadKey(static_cast<size_t>(level), '0');
    for (int i = 0; i < level; ++i) {
        const unsigned bit = 1u << (level - 1 - i);
        quadKey[static_cast<size_t>(i)] = static_cast<char>('0' + ((tileX & bit) ? 1 : 0) + ((tileY & bit) ? 2 : 0));
    }
    return quadKey;
}

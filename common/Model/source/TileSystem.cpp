#include "TileSystem.h"

#include <algorithm>
#include <cmath>

namespace qiv {

namespace {
const double kEarthRadius = 6378137.0;
const double kMinLatitude = -85.05112878;
const double kMaxLatitude = 85.05112878;
const double kMinLongitude = -180.0;
const double kMaxLongitude = 180.0;
const double kPi = 3.141592653589793;

// Bit `index` of a tile coordinate; coordinates are ints, so higher bits are 0.
int tileBit(int index) {
    return index < 31 ? 1 << index : 0;
}
}  // namespace

double TileSystem::Clip(double n, double minValue, double maxValue) {
    return std::min(std::max(n, minValue), maxValue);
}

unsigned TileSystem::MapSize(int level) {
    return 256u << level;
}

double TileSystem::GroundResolution(double latitude, int level) {
    latitude = Clip(latitude, kMinLatitude, kMaxLatitude);
    return std::cos(latitude * kPi / 180.0) * 2.0 * kPi * kEarthRadius / MapSize(level);
}

double TileSystem::MapScale(double latitude, int level, int screenDpi) {
    return GroundResolution(latitude, level) * screenDpi / 0.0254;
}

void TileSystem::LatLongToPixelXY(double latitude, double longitude, int level, int& pixelX,
                                  int& pixelY) {
    latitude = Clip(latitude, kMinLatitude, kMaxLatitude);
    longitude = Clip(longitude, kMinLongitude, kMaxLongitude);
    const double x = (longitude + 180.0) / 360.0;
    const double sinLatitude = std::sin(latitude * kPi / 180.0);
    // Northwards: 0.5 + ln((1 + s) / (1 - s)) / (4 pi).
    const double y =
        std::log((1.0 - sinLatitude) / (1.0 + sinLatitude)) / -12.566370614359172 + 0.5;
    const double mapSize = MapSize(level);
    pixelX = static_cast<int>(Clip(x * mapSize, 0.0, mapSize - 1.0));
    pixelY = static_cast<int>(Clip(y * mapSize, 0.0, mapSize - 1.0));
}

void TileSystem::PixelXYToLatLong(int pixelX, int pixelY, int level, double& latitude,
                                  double& longitude) {
    const double mapSize = MapSize(level);
    const double x = Clip(pixelX, 0.0, mapSize - 1.0) / mapSize - 0.5;
    const double y = 0.5 - Clip(pixelY, 0.0, mapSize - 1.0) / mapSize;
    latitude = 90.0 - 360.0 * std::atan(std::exp(y * 2.0 * kPi)) / kPi;
    longitude = 360.0 * x;
}

void TileSystem::PixelXYToTileXY(int pixelX, int pixelY, int& tileX, int& tileY) {
    tileX = pixelX / 256;
    tileY = pixelY / 256;
}

void TileSystem::TileXYToPixelXY(int tileX, int tileY, int& pixelX, int& pixelY) {
    pixelX = tileX << 8;
    pixelY = tileY << 8;
}

std::string TileSystem::TileXYToQuadKey(int tileX, int tileY, int level) {
    std::string quadKey;
    quadKey.reserve(level > 0 ? level : 0);
    for (int i = level; i > 0; --i) {
        const int mask = tileBit(i - 1);
        char digit = '0';
        if ((tileX & mask) != 0) digit += 1;
        if ((tileY & mask) != 0) digit += 2;
        quadKey.push_back(digit);
    }
    return quadKey;
}

void TileSystem::QuadKeyToTileXY(const std::string& quadKey, int& tileX, int& tileY, int& level) {
    tileX = 0;
    tileY = 0;
    level = static_cast<int>(quadKey.size());
    for (int i = level; i > 0; --i) {
        const int mask = tileBit(i - 1);
        switch (quadKey[level - i]) {
            case '1':
                tileX |= mask;
                break;
            case '2':
                tileY |= mask;
                break;
            case '3':
                tileX |= mask;
                tileY |= mask;
                break;
            default:
                break;
        }
    }
}

}  // namespace qiv

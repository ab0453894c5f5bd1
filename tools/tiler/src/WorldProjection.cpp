#include "WorldProjection.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHalfWorldMetres = 20037508.34;
constexpr double kWorldMetres = 40075016.68;
constexpr double kPi = 3.141592653589793;
constexpr double kDegree = 0.017453292519943295;

double metresToWorld(double metres) {
    const double units = std::round((metres + kHalfWorldMetres) / kWorldMetres * WorldProjection::WORLD_UNITS);
    return std::clamp(units, 0.0, WorldProjection::WORLD_UNITS - 1);
}

}  // namespace

double WorldProjection::x(double longitude) {
    return metresToWorld(std::clamp(longitude, -180.0, 180.0) * kHalfWorldMetres / 180);
}

double WorldProjection::y(double latitude) {
    const double clipped = std::clamp(latitude, -MAX_LATITUDE, MAX_LATITUDE);
    const double mercatorDegrees = std::log(std::tan((clipped + 90) * kPi / 360)) / kDegree;
    return metresToWorld(mercatorDegrees * kHalfWorldMetres / 180);
}

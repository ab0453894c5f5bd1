#ifndef TOLKMAPS_MODEL_WORLDPLANE_H
#define TOLKMAPS_MODEL_WORLDPLANE_H

#include "TileSystem.h"

namespace qiv {

// The world plane: x east and y north, 0 to 2^32 over the Mercator square.
constexpr double kWorldUnits = 4294967296.0;
constexpr double kMaxWorldCoord = 4294967295.0;
constexpr double kDegree = 0.017453292519943295;
// Screen density at which one pixel factor is 1.
constexpr double kReferenceDpi = 326.0;

// A world coordinate held inside the plane.
inline double limitToWorld(double value) {
    return TileSystem::Clip(value, 0.0, kMaxWorldCoord);
}

}  // namespace qiv

#endif

#ifndef TOLKMAPS_K7D_GEODATAPOINT_H
#define TOLKMAPS_K7D_GEODATAPOINT_H

#include "GeoBasePoint.h"

// The point type that records and geometry operations pass around.
class GeoDataPoint : public GeoBasePoint {
public:
    using GeoBasePoint::GeoBasePoint;
    GeoDataPoint(const GeoBasePoint& point) : GeoBasePoint(point) {}
    ~GeoDataPoint() override;
};

#endif

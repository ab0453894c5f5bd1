#ifndef TOLKMAPS_K7D_GEODATAPOLY_H
#define TOLKMAPS_K7D_GEODATAPOLY_H

#include "GeoBasePoly.h"

// The polygon type that records and geometry operations pass around.
class GeoDataPoly : public GeoBasePoly {
public:
    GeoDataPoly() = default;
    GeoDataPoly(const GeoBasePoly& poly) : GeoBasePoly(poly) {}
    ~GeoDataPoly() override;
};

#endif

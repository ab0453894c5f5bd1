#ifndef TOLKMAPS_K7D_GEODATALINE_H
#define TOLKMAPS_K7D_GEODATALINE_H

#include "GeoBaseLine.h"
#include "GeoDataPoint.h"

// The polyline type that records and geometry operations pass around.
class GeoDataLine : public GeoBaseLine {
public:
    using GeoBaseLine::GeoBaseLine;
    GeoDataLine() = default;
    GeoDataLine(const GeoBaseLine& line) : GeoBaseLine(line) {}
    ~GeoDataLine() override;

    // Point i (a valid index) as a value.
    GeoDataPoint at(size_t i) const { return GeoDataPoint(x(i), y(i)); }
};

#endif

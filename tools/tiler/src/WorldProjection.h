#ifndef TOLKMAPS_TILER_WORLDPROJECTION_H
#define TOLKMAPS_TILER_WORLDPROJECTION_H

// Longitude and latitude (WGS84 degrees) to the kit's world plane: spherical
// Mercator over 0 to 2^32 in x (east) and y (north), rounded to whole units
// as the kit rounds them. Latitudes beyond the Mercator square are clipped
// to its edge, so polar data lands on the border instead of at infinity.
class WorldProjection {
public:
    static constexpr double MAX_LATITUDE = 85.05112878;
    static constexpr double WORLD_UNITS = 4294967296.0;

    static double x(double longitude);
    static double y(double latitude);
};

#endif

#ifndef TOLKMAPS_TILER_WORLDBOX_H
#define TOLKMAPS_TILER_WORLDBOX_H

// A rectangle of the world plane (world units, x east, y north).
struct WorldBox {
    double west = 0;
    double south = 0;
    double east = 0;
    double north = 0;

    bool intersects(const WorldBox& other) const {
        return west <= other.east && other.west <= east && south <= other.north && other.south <= north;
    }
    bool contains(const WorldBox& other) const {
        return west <= other.west && other.east <= east && south <= other.south && other.north <= north;
    }
    WorldBox grown(double margin) const { return {west - margin, south - margin, east + margin, north + margin}; }
    bool operator==(const WorldBox& other) const {
        return west == other.west && south == other.south && east == other.east && north == other.north;
    }
};

#endif

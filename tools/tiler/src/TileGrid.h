#ifndef TOLKMAPS_TILER_TILEGRID_H
#define TOLKMAPS_TILER_TILEGRID_H

#include <string>

#include "WorldBox.h"

// Quad keys and their squares on the world plane. Tile y grows northwards:
// a key digit adds 1 for the eastern half and 2 for the northern half.
class TileGrid {
public:
    // Side of a tile of `level` in world units.
    static double side(int level);
    // The square of a quad key (the empty key is the whole world).
    static WorldBox box(const std::string& quadKey);
    // The key of the tile of `level` that holds the world point; points on
    // the world's east or north edge belong to the last tile.
    static std::string keyAt(int level, double x, double y);
    static std::string key(int level, unsigned tileX, unsigned tileY);
};

#endif

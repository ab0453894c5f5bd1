#ifndef TOLKMAPS_MODEL_TILESYSTEM_H
#define TOLKMAPS_MODEL_TILESYSTEM_H

#include <string>

namespace qiv {

// Spherical-Mercator tile arithmetic at 256 pixels per tile. Pixel and tile
// y grow northwards from the south edge of the projected world, so a quad-key
// digit is '0' south-west, '1' south-east, '2' north-west, '3' north-east.
// Stateless; any thread.
class TileSystem {
public:
    static double Clip(double n, double minValue, double maxValue);
    // Side of the pixel square at `level`: 256 << level.
    static unsigned MapSize(int level);
    // Metres per pixel at `latitude` (degrees) and `level`.
    static double GroundResolution(double latitude, int level);
    // Map scale denominator at `latitude` for a screen of `screenDpi`.
    static double MapScale(double latitude, int level, int screenDpi);
    // Degrees to pixel (y north); out-of-range input is clipped.
    static void LatLongToPixelXY(double latitude, double longitude, int level, int& pixelX,
                                 int& pixelY);
    // Pixel (clipped to the map) to degrees.
    static void PixelXYToLatLong(int pixelX, int pixelY, int level, double& latitude,
                                 double& longitude);
    static void PixelXYToTileXY(int pixelX, int pixelY, int& tileX, int& tileY);
    static void TileXYToPixelXY(int tileX, int tileY, int& pixelX, int& pixelY);
    static std::string TileXYToQuadKey(int tileX, int tileY, int level);
    // The key's length is its level; characters other than '1'..'3' set no bit.
    static void QuadKeyToTileXY(const std::string& quadKey, int& tileX, int& tileY, int& level);
};

}  // namespace qiv

#endif

#ifndef TOLKMAPS_MODEL_UNITCONVERTOR_H
#define TOLKMAPS_MODEL_UNITCONVERTOR_H

#include <set>
#include <string>
#include <vector>

#include "CoordTypes.h"

namespace qiv {

// Conversions between degrees, the four-byte world plane (x east, y north,
// 0 .. 2^32 over the Mercator square), quad keys, metres and screen pixels
// (origin top-left, y down) under a tilted and rotated camera. Angles are in
// degrees. Stateless; any thread.
class UnitConvertor {
public:
    // Degrees to world units, each rounded half away from zero. The latitude
    // is not clipped.
    static void Latlng2FourByte(const LatLng& latLng, double* x, double* y);
    // In place: called with (longitude, latitude), leaves (x, y) in world units.
    static void Latlng2FoutByte(double& x, double& y);
    // World units to degrees, unrounded.
    static LatLng FourByte2LatLng(double x, double y);

    static std::string LatLng2QuadKey(int level, const LatLng& latLng);
    // South-west corner of the key's tile; the key's level goes to `level`.
    static LatLng QuadKey2LatLng(const std::string& quadKey, int* level);
    // South-west corner of the key's tile in world units (rounded).
    static void QuadKey2FourByte(const std::string& quadKey, double* x, double* y);
    static std::string FourByte2QuadKey(int level, double x, double y);
    static std::string getQuadKey(int level, unsigned x, unsigned y);
    // Side of a tile of `level` in world units: 2^32 / 2^level.
    static double getQuadSize(int level);

    // World units to metres and back, at `latitude` degrees.
    static double FourByte2Meter(double latitude, double distance);
    static double Meter2FourByte(double latitude, double metres);

    // Keys from `from` to `to` inclusive, one tile at a time, east when
    // `vertical` is 0, else north. Empty for keys of different lengths or
    // when `to` cannot be reached without leaving the world.
    static std::vector<std::string> getQuadLine(const std::string& from, const std::string& to,
                                                int vertical);

    // Sorted, unique keys at `level` of the tiles that the quadrilateral of
    // the four world-space `corners` touches. Replaces the contents of `out`.
    static void getQuadKeyList(int level, const GLCoord* corners, std::vector<std::string>* out);
    // Keys on both sides of every grid line that the edge a-b crosses.
    static void calcCrossPoint(int level, const GLCoord& a, const GLCoord& b,
                               std::set<std::string>* keys);
    // Fills each row of the corners' bounding table between its first and
    // last key already present.
    static void complQuadKeyList(int level, const GLCoord* corners, std::set<std::string>* keys);
    // Rows of keys (south to north, each west to east) covering the bounding
    // box of the corners; empty when the columns cannot be formed.
    static std::vector<std::vector<std::string>> getBoundsQuadKeyTable(int level,
                                                                       const GLCoord* corners);

    // Offset in world units, relative to `centre`, of the ground point hit by
    // a ray from `eye` through a point `a` units right and `b` down on the
    // plane half the eye height along the view direction. The field of view
    // is not used. Zero when eye and centre coincide or the ray misses.
    static Vector3d Screen2World(double a, double b, double angle, double groundZ,
                                 const GLCoord& eye, const GLCoord& centre, int width, int height,
                                 float fieldOfView, double dpi);

    // Screen point to world with bearing and tilt ignored, limited to the world.
    static GLCoord screen2FourByte(const GLCoord& camera, const Point& point, int width, int height,
                                   double pixelX, double pixelY);
    // Screen point to the ground point under it for a tilted, rotated camera.
    static GLCoord screen2FourByte(const Point& point, const GLCoord& camera, double bearing,
                                   double tilt, double pixelX, double pixelY, int width,
                                   int height);
    static LatLng screen2LatLng(const Point& point, const GLCoord& camera, double bearing,
                                double tilt, double pixelX, double pixelY, int width, int height);
    // World point to the screen pixel showing it; offsets are quantized to
    // whole pixels before the tilt is undone.
    static Point FourByte2Screen(double x, double y, const GLCoord& camera, double bearing,
                                 double tilt, double pixelX, double pixelY, int width, int height);

    // Untilted ground offset (dx, dy) from the camera's foot point, seen from
    // `height` above it, to the offset under a camera tilted by `tilt`. Rays
    // steeper than 85 degrees from the vertical (the horizon and the sky
    // beyond it) are taken at 85 degrees, so far offsets stay in front.
    static void calcTilt(double tilt, double height, double dx, double dy, double* x, double* y);
    // The inverse of calcTilt for rays below the 85-degree limit.
    static void calcTiltReverse(double tilt, double height, double dx, double dy, double* x,
                                double* y);
};

}  // namespace qiv

#endif

#ifndef TOLKMAPS_MODEL_COORDTYPES_H
#define TOLKMAPS_MODEL_COORDTYPES_H

#include <string>

// Small value types shared by the whole engine. World coordinates are the
// four-byte plane: x grows east, y grows north, both 0 .. 2^32 over the
// projected world. Screen coordinates are pixels, origin top-left, y down.
namespace qiv {

// A geographic position in degrees.
class LatLng {
public:
    LatLng() = default;
    LatLng(double lat, double lng) : latitude(lat), longitude(lng) {}
    virtual ~LatLng() = default;
    bool operator==(const LatLng& other) const {
        return latitude == other.latitude && longitude == other.longitude;
    }
    bool operator!=(const LatLng& other) const { return !(*this == other); }

    double latitude = 0.0;
    double longitude = 0.0;
};

template <typename T>
class PointBase {
public:
    PointBase() = default;
    PointBase(T px, T py) : x(px), y(py) {}
    virtual ~PointBase() = default;
    bool operator==(const PointBase& other) const { return x == other.x && y == other.y; }
    bool operator!=(const PointBase& other) const { return !(*this == other); }

    T x = 0;
    T y = 0;
};

// A screen pixel (y down).
class Point : public PointBase<int> {
public:
    using PointBase<int>::PointBase;
    // "xy(%d,%d)"
    virtual std::string toString() const;
};

// A world point or world offset in four-byte units (y north).
class PointLF : public PointBase<double> {
public:
    using PointBase<double>::PointBase;
    // "xy(%lf,%lf)"
    virtual std::string toString() const;
    PointLF operator-(const PointLF& other) const { return PointLF(x - other.x, y - other.y); }
};

struct Vector3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool operator==(const Vector3d& other) const {
        return x == other.x && y == other.y && z == other.z;
    }
};

// A point in world space. For the camera, z is its height in world units;
// on the ground z is 0. A default coordinate is all zero and not valid.
class GLCoord {
public:
    GLCoord() = default;
    GLCoord(double px, double py, double pz, bool isValid) : x(px), y(py), z(pz), valid(isValid) {}
    virtual ~GLCoord() = default;
    bool operator==(const GLCoord& other) const {
        return x == other.x && y == other.y && z == other.z && valid == other.valid;
    }

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool valid = false;
};

// The smallest and largest x and y of `count` (at least 1) points, as valid
// coordinates with z 0: the box around a view's corners.
void cornerBounds(const GLCoord* corners, int count, GLCoord& minimum, GLCoord& maximum);

// Camera target, fractional zoom level, tilt from vertical and bearing, in degrees.
class CameraPosition {
public:
    CameraPosition() = default;
    CameraPosition(const LatLng& at, double zoomLevel, double tiltDeg, double bearingDeg)
        : target(at), zoom(zoomLevel), tilt(tiltDeg), bearing(bearingDeg) {}
    virtual ~CameraPosition() = default;
    bool operator==(const CameraPosition& other) const {
        return target == other.target && zoom == other.zoom && tilt == other.tilt &&
               bearing == other.bearing;
    }

    LatLng target;
    double zoom = 0.0;
    double tilt = 0.0;
    double bearing = 0.0;
};

// A geographic box given by its south-west and north-east corners.
class BoundingBox {
public:
    BoundingBox() = default;
    BoundingBox(const LatLng& sw, const LatLng& ne) : southWest(sw), northEast(ne) {}
    virtual ~BoundingBox() = default;
    bool operator==(const BoundingBox& other) const {
        return southWest == other.southWest && northEast == other.northEast;
    }

    LatLng southWest;
    LatLng northEast;
};

// A box in world units: west and east x, south and north y.
struct BoundingBox4 {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
    bool operator==(const BoundingBox4& other) const {
        return west == other.west && south == other.south && east == other.east &&
               north == other.north;
    }
};

}  // namespace qiv

#endif

#include "UnitConvertor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "GLUtility.h"
#include "TileSystem.h"
#include "WorldPlane.h"

namespace qiv {

namespace {
const double kHalfWorldMetres = 20037508.34;
const double kWorldMetres = 40075016.68;
const double kInverseWorldUnits = 1.0 / 4294967296.0;
const double kEarthRadius = 6378137.0;
const double kPi = 3.141592653589793;
const double kDegreesPerRadian = 57.29577951308232;
const double kReferenceDistance = 1500.0;
// Steepest ray from the vertical that still meets the ground in front of a
// tilted camera; screen rows above it (at or beyond the horizon) are taken
// along it, so the far edge of the view stays finite and in front.
const double kMaxRayAngle = 85.0;

uint32_t toUnsigned(double value) {
    return static_cast<uint32_t>(limitToWorld(value));
}

double metresPerWorldUnit(double latitude) {
    return std::cos(latitude * kDegree) * kEarthRadius * 2.0 * kPi * kInverseWorldUnits;
}

// Grid line indices 1 .. 2^level - 1 whose line lies in [low, high].
void gridLineRange(double low, double high, double size, int level, double* first, double* last) {
    *first = std::max(1.0, std::floor(low / size));
    *last = std::min(std::ldexp(1.0, level) - 1.0, std::floor(high / size));
}

// The bit of a quad-key digit that moves along the walk, and the one that
// must stay fixed for the target to lie on it.
int movingBit(int vertical) {
    return vertical != 0 ? 2 : 1;
}
int fixedBit(int vertical) {
    return vertical != 0 ? 1 : 2;
}

bool isQuadDigit(char c) {
    return c >= '0' && c <= '3';
}

// Whether `to` lies on the row (or column) of `from`, not west (south) of it.
bool isReachable(const std::string& from, const std::string& to, int vertical) {
    if (from.size() != to.size()) return false;
    for (size_t i = 0; i < from.size(); ++i) {
        if (!isQuadDigit(from[i]) || !isQuadDigit(to[i])) return false;
        if (((from[i] - '0') & fixedBit(vertical)) != ((to[i] - '0') & fixedBit(vertical))) {
            return false;
        }
    }
    for (size_t i = 0; i < from.size(); ++i) {
        const int fromBit = (from[i] - '0') & movingBit(vertical);
        const int toBit = (to[i] - '0') & movingBit(vertical);
        if (fromBit != toBit) return toBit > fromBit;
    }
    return true;
}

// One tile east (or north), carrying towards the first digit. False when the
// step leaves the world.
bool stepQuadKey(std::string* key, int vertical) {
    const int bit = movingBit(vertical);
    for (size_t i = key->size(); i > 0; --i) {
        char& digit = (*key)[i - 1];
        const int value = digit - '0';
        digit = static_cast<char>('0' + (value ^ bit));
        if ((value & bit) == 0) return true;
    }
    return false;
}

void insertKey(int level, double x, double y, std::set<std::string>* keys) {
    keys->insert(UnitConvertor::getQuadKey(level, toUnsigned(x), toUnsigned(y)));
}
}  // namespace

void UnitConvertor::Latlng2FourByte(const LatLng& latLng, double* x, double* y) {
    double fx = latLng.longitude;
    double fy = latLng.latitude;
    Latlng2FoutByte(fx, fy);
    *x = fx;
    *y = fy;
}

void UnitConvertor::Latlng2FoutByte(double& x, double& y) {
    const double longitude = x;
    const double latitude = y;
    x = (longitude * kHalfWorldMetres / 180.0 + kHalfWorldMetres) / kWorldMetres * kWorldUnits;
    const double mercator = std::log(std::tan((latitude + 90.0) * kPi / 360.0)) / kDegree;
    y = (mercator * kHalfWorldMetres / 180.0 + kHalfWorldMetres) / kWorldMetres * kWorldUnits;
    x = std::round(x);
    y = std::round(y);
}

LatLng UnitConvertor::FourByte2LatLng(double x, double y) {
    const double longitude =
        (x * kInverseWorldUnits * kWorldMetres - kHalfWorldMetres) / kHalfWorldMetres * 180.0;
    const double mercator =
        (y * kInverseWorldUnits * kWorldMetres - kHalfWorldMetres) / kHalfWorldMetres * 180.0;
    const double latitude =
        (2.0 * std::atan(std::exp(mercator * kDegree)) - kPi / 2.0) * kDegreesPerRadian;
    return LatLng(latitude, longitude);
}

std::string UnitConvertor::LatLng2QuadKey(int level, const LatLng& latLng) {
    int pixelX = 0;
    int pixelY = 0;
    int tileX = 0;
    int tileY = 0;
    TileSystem::LatLongToPixelXY(latLng.latitude, latLng.longitude, level, pixelX, pixelY);
    TileSystem::PixelXYToTileXY(pixelX, pixelY, tileX, tileY);
    return TileSystem::TileXYToQuadKey(tileX, tileY, level);
}

LatLng UnitConvertor::QuadKey2LatLng(const std::string& quadKey, int* level) {
    int tileX = 0;
    int tileY = 0;
    int pixelX = 0;
    int pixelY = 0;
    TileSystem::QuadKeyToTileXY(quadKey, tileX, tileY, *level);
    TileSystem::TileXYToPixelXY(tileX, tileY, pixelX, pixelY);
    LatLng corner;
    TileSystem::PixelXYToLatLong(pixelX, pixelY, *level, corner.latitude, corner.longitude);
    return corner;
}

void UnitConvertor::QuadKey2FourByte(const std::string& quadKey, double* x, double* y) {
    int level = 0;
    Latlng2FourByte(QuadKey2LatLng(quadKey, &level), x, y);
}

std::string UnitConvertor::FourByte2QuadKey(int level, double x, double y) {
    return LatLng2QuadKey(level, FourByte2LatLng(x, y));
}

std::string UnitConvertor::getQuadKey(int level, unsigned x, unsigned y) {
    return FourByte2QuadKey(level, x, y);
}

double UnitConvertor::getQuadSize(int level) {
    return kWorldUnits / std::ldexp(1.0, level);
}

double UnitConvertor::FourByte2Meter(double latitude, double distance) {
    return metresPerWorldUnit(latitude) * distance;
}

double UnitConvertor::Meter2FourByte(double latitude, double metres) {
    return std::round(metres / metresPerWorldUnit(latitude));
}

std::vector<std::string> UnitConvertor::getQuadLine(const std::string& from, const std::string& to,
                                                    int vertical) {
    if (!isReachable(from, to, vertical)) return {};
    std::vector<std::string> line{from};
    std::string key = from;
    while (key != to) {
        stepQuadKey(&key, vertical);
        line.push_back(key);
    }
    return line;
}

void UnitConvertor::getQuadKeyList(int level, const GLCoord* corners,
                                   std::vector<std::string>* out) {
    std::set<std::string> keys;
    for (int edge = 0; edge < 4; ++edge) {
        calcCrossPoint(level, corners[edge], corners[(edge + 1) % 4], &keys);
    }
    complQuadKeyList(level, corners, &keys);
    keys.insert(FourByte2QuadKey(level, corners[0].x, corners[0].y));
    out->assign(keys.begin(), keys.end());
}

void UnitConvertor::calcCrossPoint(int level, const GLCoord& a, const GLCoord& b,
                                   std::set<std::string>* keys) {
    const double size = getQuadSize(level);
    const double half = static_cast<uint32_t>(size * 0.5);
    const PointLF start(a.x, a.y);
    const PointLF end(b.x, b.y);
    // Grid lines span the world and, where the edge reaches past it, the
    // edge too: a crossing outside the world then still marks the edge tile
    // of its row or column.
    const double lowX = std::min({0.0, a.x, b.x});
    const double highX = std::max({kMaxWorldCoord, a.x, b.x});
    const double lowY = std::min({0.0, a.y, b.y});
    const double highY = std::max({kMaxWorldCoord, a.y, b.y});
    double first = 0.0;
    double last = 0.0;
    double x = 0.0;
    double y = 0.0;
    gridLineRange(std::min(a.x, b.x), std::max(a.x, b.x), size, level, &first, &last);
    for (double i = first; i <= last; ++i) {
        const double lineX = static_cast<uint32_t>(i * size);
        if (GLUtility::CrossLine(start, end, PointLF(lineX, lowY), PointLF(lineX, highY), &x, &y)) {
            insertKey(level, toUnsigned(x) - half, toUnsigned(y), keys);
            insertKey(level, toUnsigned(x) + half, toUnsigned(y), keys);
        }
    }
    gridLineRange(std::min(a.y, b.y), std::max(a.y, b.y), size, level, &first, &last);
    for (double i = first; i <= last; ++i) {
        const double lineY = static_cast<uint32_t>(i * size);
        if (GLUtility::CrossLine(start, end, PointLF(lowX, lineY), PointLF(highX, lineY), &x, &y)) {
            insertKey(level, toUnsigned(x), toUnsigned(y) - half, keys);
            insertKey(level, toUnsigned(x), toUnsigned(y) + half, keys);
        }
    }
}

void UnitConvertor::complQuadKeyList(int level, const GLCoord* corners,
                                     std::set<std::string>* keys) {
    for (const std::vector<std::string>& row : getBoundsQuadKeyTable(level, corners)) {
        auto isPresent = [keys](const std::string& key) { return keys->count(key) != 0; };
        const auto firstPresent = std::find_if(row.begin(), row.end(), isPresent);
        if (firstPresent == row.end()) continue;
        const auto lastPresent = std::find_if(row.rbegin(), row.rend(), isPresent).base() - 1;
        if (lastPresent > firstPresent) keys->insert(firstPresent + 1, lastPresent);
    }
}

std::vector<std::vector<std::string>> UnitConvertor::getBoundsQuadKeyTable(int level,
                                                                           const GLCoord* corners) {
    double minX = corners[0].x;
    double maxX = corners[0].x;
    double minY = corners[0].y;
    double maxY = corners[0].y;
    for (int i = 1; i < 4; ++i) {
        minX = std::min(minX, corners[i].x);
        maxX = std::max(maxX, corners[i].x);
        minY = std::min(minY, corners[i].y);
        maxY = std::max(maxY, corners[i].y);
    }
    const std::vector<std::string> left =
        getQuadLine(FourByte2QuadKey(level, minX, minY), FourByte2QuadKey(level, minX, maxY), 1);
    const std::vector<std::string> right =
        getQuadLine(FourByte2QuadKey(level, maxX, minY), FourByte2QuadKey(level, maxX, maxY), 1);
    std::vector<std::vector<std::string>> rows;
    if (left.empty() || left.size() != right.size()) return rows;
    rows.reserve(left.size());
    for (size_t i = 0; i < left.size(); ++i) rows.push_back(getQuadLine(left[i], right[i], 0));
    return rows;
}

Vector3d UnitConvertor::Screen2World(double a, double b, double angle, double groundZ,
                                     const GLCoord& eye, const GLCoord& centre, int /*width*/,
                                     int /*height*/, float /*fieldOfView*/, double dpi) {
    const double viewX = centre.x - eye.x;
    const double viewY = centre.y - eye.y;
    const double viewZ = centre.z - eye.z;
    const double distance = std::sqrt(viewX * viewX + viewY * viewY + viewZ * viewZ);
    const double pixelFactorDistance = dpi / kReferenceDpi * kReferenceDistance;
    if (distance == 0.0 || pixelFactorDistance <= 0.0) return {};
    // Unit view direction, a right vector turned by `angle` in the ground
    // plane, and the down vector right x view.
    const double vx = viewX / distance;
    const double vy = viewY / distance;
    const double vz = viewZ / distance;
    const double rx = std::cos(angle * kDegree);
    const double ry = std::sin(angle * kDegree);
    const double dx = ry * vz;
    const double dy = -rx * vz;
    const double dz = rx * vy - ry * vx;
    const double scale = distance / pixelFactorDistance;
    const double rayX = vx * eye.z * 0.5 + (rx * a + dx * b) * scale;
    const double rayY = vy * eye.z * 0.5 + (ry * a + dy * b) * scale;
    const double rayZ = vz * eye.z * 0.5 + dz * b * scale;
    if (rayZ == 0.0) return {};
    const double s = (groundZ - eye.z) / rayZ;
    if (s <= 0.0) return {};
    // Relative to the centre first, so that large world coordinates cancel exactly.
    return Vector3d{(eye.x - centre.x) + rayX * s, (eye.y - centre.y) + rayY * s,
                    (eye.z - centre.z) + rayZ * s};
}

GLCoord UnitConvertor::screen2FourByte(const GLCoord& camera, const Point& point, int width,
                                       int height, double pixelX, double pixelY) {
    const double x = camera.x + (point.x - width * 0.5) * pixelX;
    const double y = camera.y - (point.y - height * 0.5) * pixelY;
    return GLCoord(limitToWorld(x), limitToWorld(y), camera.z, true);
}

GLCoord UnitConvertor::screen2FourByte(const Point& point, const GLCoord& camera, double bearing,
                                       double tilt, double pixelX, double pixelY, int width,
                                       int height) {
    const GLCoord flat = screen2FourByte(camera, point, width, height, pixelX, pixelY);
    double tiltedX = 0.0;
    double tiltedY = 0.0;
    calcTilt(tilt, camera.z, flat.x - camera.x, flat.y - camera.y, &tiltedX, &tiltedY);
    const double c = std::cos(bearing * kDegree);
    const double s = std::sin(bearing * kDegree);
    return GLCoord(camera.x + c * tiltedX - s * tiltedY, camera.y + s * tiltedX + c * tiltedY,
                   flat.z, true);
}

LatLng UnitConvertor::screen2LatLng(const Point& point, const GLCoord& camera, double bearing,
                                    double tilt, double pixelX, double pixelY, int width,
                                    int height) {
    const GLCoord ground =
        screen2FourByte(point, camera, bearing, tilt, pixelX, pixelY, width, height);
    return FourByte2LatLng(ground.x, ground.y);
}

Point UnitConvertor::FourByte2Screen(double x, double y, const GLCoord& camera, double bearing,
                                     double tilt, double pixelX, double pixelY, int width,
                                     int height) {
    const double c = std::cos(-bearing * kDegree);
    const double s = std::sin(-bearing * kDegree);
    const double dx = std::floor((std::floor((c * x - s * y) / pixelX) -
                                  std::floor((c * camera.x - s * camera.y) / pixelX)) *
                                 pixelX);
    const double dy = std::floor((std::floor((s * x + c * y) / pixelY) -
                                  std::floor((s * camera.x + c * camera.y) / pixelY)) *
                                 pixelY);
    double screenX = 0.0;
    double screenY = 0.0;
    calcTiltReverse(tilt, camera.z, dx, dy, &screenX, &screenY);
    return Point(static_cast<int>(std::round(width * 0.5 + screenX / pixelX)),
                 static_cast<int>(std::round(height * 0.5 - screenY / pixelY)));
}

void UnitConvertor::calcTilt(double tilt, double height, double dx, double dy, double* x,
                             double* y) {
    const double t = tilt * kDegree;
    const double rayAngle = std::atan(std::fabs(dy) / height) * kDegreesPerRadian;
    const double farOrNear = dy > 0.0 ? std::min(tilt + rayAngle, kMaxRayAngle) : tilt - rayAngle;
    *y = dy * (std::cos(t) + std::sin(t) * std::tan(farOrNear * kDegree));
    *x = dx * (height + std::sin(t) * *y) / height;
}

void UnitConvertor::calcTiltReverse(double tilt, double height, double dx, double dy, double* x,
                                    double* y) {
    const double t = tilt * kDegree;
    const double k = height / (height + std::sin(t) * dy);
    *x = dx * k;
    *y = std::cos(t) * dy * k;
}

}  // namespace qiv

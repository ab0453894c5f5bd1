#include "CoordsManager.h"

#include <algorithm>
#include <cmath>

#include "TileSystem.h"
#include "WorldPlane.h"
#include "UnitConvertor.h"

namespace qiv {

namespace {
const uint32_t kMaxLevel = 21;
const uint32_t kMinLevel = 2;
// Box fitting refines the level until its step would drop to this.
const double kFinestFitStep = 0.00001;

// Rotates (dx, dy) by `bearing` degrees about (originX, originY).
GLCoord rotatedCorner(double originX, double originY, double dx, double dy, double bearing) {
    const double c = std::cos(bearing * kDegree);
    const double s = std::sin(bearing * kDegree);
    return GLCoord(originX + dx * c - dy * s, originY + dx * s + dy * c, 0.0, true);
}
}  // namespace

CoordsManager::CoordsManager() : m_zController(kMaxLevel, kMinLevel, kWorldUnits) {}

void CoordsManager::setWindowSize(int width, int height, float fieldOfView, double dpi) {
    m_coords.width = width;
    m_coords.height = height;
    m_coords.fieldOfView = fieldOfView;
    m_coords.dpi = dpi > 0.0 ? dpi : kReferenceDpi;
}

void CoordsManager::setPosition(const CameraPosition& position, Point anchor, float dx, float dy) {
    const bool placedBefore = m_coords.pixelSize.x != 0.0;
    const PointLF before = placedBefore ? calcPointDist(anchor) : PointLF();

    double x = 0.0;
    double y = 0.0;
    UnitConvertor::Latlng2FourByte(position.target, &x, &y);
    double level = position.zoom;
    const double height = m_zController.level2Zoom(level);
    m_coords.camera = GLCoord(x, y, height, true);
    m_coords.position =
        CameraPosition(position.target, static_cast<float>(level), position.tilt, position.bearing);
    m_coords.pixelSize = calcScreen2World(1.0, 1.0);

    const PointLF offset = placedBefore ? before - calcPointDist(anchor) : PointLF();
    move(offset, dx, dy);
    keepInsideWorld();
    updateVisibleRegion();
    updateQuadKeys();
}

void CoordsManager::setPosition(const BoundingBox& box, int padding) {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
    UnitConvertor::Latlng2FourByte(box.southWest, &west, &south);
    UnitConvertor::Latlng2FourByte(box.northEast, &east, &north);
    fitToBox(box, [&]() {
        const double margin = m_coords.pixelSize.x * padding;
        const GLCoord& nearLeft = m_coords.visibleRegion[1];
        const GLCoord& farRight = m_coords.visibleRegion[3];
        return nearLeft.x <= west - margin && nearLeft.y <= south - margin &&
               farRight.x >= east + margin && farRight.y >= north + margin;
    });
}

void CoordsManager::setPosition(const BoundingBox& box, int width, int height) {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
    UnitConvertor::Latlng2FourByte(box.southWest, &west, &south);
    UnitConvertor::Latlng2FourByte(box.northEast, &east, &north);
    fitToBox(box, [&]() {
        const GLCoord& nearLeft = m_coords.visibleRegion[1];
        const GLCoord& farRight = m_coords.visibleRegion[3];
        const double pixel = m_coords.pixelSize.x;
        return west >= nearLeft.x && south >= nearLeft.y && east <= farRight.x &&
               north <= farRight.y && north - south <= pixel * height &&
               east - west <= pixel * width;
    });
}

float CoordsManager::calcZoomLevel(double level, float scale) const {
    const double height = m_zController.level2Zoom(level);
    if (scale > 0.0f) return static_cast<float>(zoom2Level(height / scale));
    return static_cast<float>(level);
}

double CoordsManager::zoom2Level(double height) const {
    return m_zController.zoom2Level(height);
}

double CoordsManager::level2Zoom(double level) const {
    return m_zController.level2Zoom(level);
}

int CoordsManager::setZoomLevelBeginValue(int level, int height) {
    return m_zController.setZoomLevelBeginValue(level, height);
}

int CoordsManager::getZoomLevelBeginValue(int level) const {
    return m_zController.getZoomLevelBeginValue(level);
}

void CoordsManager::setMovableArea(const LatLng& southWest, const LatLng& northEast) {
    m_coords.movableSouthWest = southWest;
    m_coords.movableNorthEast = northEast;
}

LatLng CoordsManager::screen2LatLng(const Point& point) const {
    return UnitConvertor::screen2LatLng(point, m_coords.camera, m_coords.position.bearing,
                                        m_coords.position.tilt, m_coords.pixelSize.x,
                                        m_coords.pixelSize.y, m_coords.width, m_coords.height);
}

Point CoordsManager::LatLng2Screen(const LatLng& latLng) const {
    double x = 0.0;
    double y = 0.0;
    UnitConvertor::Latlng2FourByte(latLng, &x, &y);
    return UnitConvertor::FourByte2Screen(x, y, m_coords.camera, m_coords.position.bearing,
                                          m_coords.position.tilt, m_coords.pixelSize.x,
                                          m_coords.pixelSize.y, m_coords.width, m_coords.height);
}

void CoordsManager::getCameraCoord(GLCoord* camera) const {
    *camera = m_coords.camera;
}

CameraPosition CoordsManager::getCameraPosition() const {
    return m_coords.position;
}

void CoordsManager::getQuadList(std::vector<std::string>* quadKeys) const {
    *quadKeys = m_coords.quadKeys;
}

void CoordsManager::getVisibleRegion(std::array<GLCoord, 4>* region) const {
    *region = m_coords.visibleRegion;
}

void CoordsManager::getPixel2FourByteDist(Vector3d* pixelSize) const {
    *pixelSize = m_coords.pixelSize;
}

bool CoordsManager::isOutOfArea() const {
    return m_coords.outOfArea;
}

PointLF CoordsManager::calcPointDist(const Point& point) const {
    const GLCoord ground = UnitConvertor::screen2FourByte(
        point, m_coords.camera, m_coords.position.bearing, m_coords.position.tilt,
        m_coords.pixelSize.x, m_coords.pixelSize.y, m_coords.width, m_coords.height);
    return PointLF(ground.x - m_coords.camera.x, ground.y - m_coords.camera.y);
}

Vector3d CoordsManager::calcScreen2World(double a, double b) const {
    const GLCoord& camera = m_coords.camera;
    const GLCoord eye(camera.x, camera.y, camera.z, true);
    const GLCoord centre(camera.x, camera.y, 0.0, true);
    return UnitConvertor::Screen2World(a, b, 0.0, 0.0, eye, centre, m_coords.width, m_coords.height,
                                       m_coords.fieldOfView, m_coords.dpi);
}

void CoordsManager::move(const PointLF& offset, float dx, float dy) {
    const double s = std::sin(-m_coords.position.bearing * kDegree);
    const double c = std::cos(-m_coords.position.bearing * kDegree);
    const double px = m_coords.pixelSize.x;
    const double py = m_coords.pixelSize.y;
    m_coords.camera.x += offset.x + (px * dx * c - py * dy * s);
    m_coords.camera.y += offset.y - (px * dx * s + py * dy * c);
    setTargetFromCamera();
    m_coords.outOfArea = keepInMovableArea();
}

bool CoordsManager::keepInMovableArea() {
    const LatLng& southWest = m_coords.movableSouthWest;
    const LatLng& northEast = m_coords.movableNorthEast;
    if (southWest == northEast) return false;
    LatLng& target = m_coords.position.target;
    const LatLng limited(
        TileSystem::Clip(target.latitude, southWest.latitude, northEast.latitude),
        TileSystem::Clip(target.longitude, southWest.longitude, northEast.longitude));
    if (limited == target) return false;
    target = limited;
    UnitConvertor::Latlng2FourByte(target, &m_coords.camera.x, &m_coords.camera.y);
    return true;
}

void CoordsManager::keepInsideWorld() {
    const double halfWidth = m_coords.pixelSize.x * m_coords.width / 2.0;
    const double halfHeight = m_coords.pixelSize.y * m_coords.height / 2.0;
    GLCoord& camera = m_coords.camera;
    camera.x = std::max(std::min(camera.x, kMaxWorldCoord - halfWidth), halfWidth);
    camera.y = std::max(std::min(camera.y, kMaxWorldCoord - halfHeight), halfHeight);
    setTargetFromCamera();
}

void CoordsManager::updateVisibleRegion() {
    const GLCoord& camera = m_coords.camera;
    const int width = m_coords.width;
    const int height = m_coords.height;
    const double px = m_coords.pixelSize.x;
    const double py = m_coords.pixelSize.y;
    const double tilt = m_coords.position.tilt;
    const GLCoord bottomLeft =
        UnitConvertor::screen2FourByte(camera, Point(0, height), width, height, px, py);
    const GLCoord topRight =
        UnitConvertor::screen2FourByte(camera, Point(width, 0), width, height, px, py);
    const double ox = (bottomLeft.x + topRight.x) / 2.0;
    const double oy = (bottomLeft.y + topRight.y) / 2.0;

    // Far half-width and far distance, near half-width (negative) and near distance.
    double farX = 0.0;
    double farY = 0.0;
    double nearX = 0.0;
    double nearY = 0.0;
    UnitConvertor::calcTilt(tilt, camera.z, topRight.x - ox, topRight.y - oy, &farX, &farY);
    UnitConvertor::calcTilt(tilt, camera.z, bottomLeft.x - ox, bottomLeft.y - oy, &nearX, &nearY);
    const double farRight = limitToWorld(ox + farX);
    const double farLeft = limitToWorld(ox - farX);
    const double nearRight = limitToWorld(ox - nearX);
    const double nearLeft = limitToWorld(ox + nearX);
    const double farLine = TileSystem::Clip(oy + farY, 0.0, kWorldUnits);
    const double nearLine = TileSystem::Clip(oy + nearY, 0.0, kWorldUnits);

    const double bearing = m_coords.position.bearing;
    std::array<GLCoord, 4>& region = m_coords.visibleRegion;
    region[0] = rotatedCorner(ox, oy, farLeft - ox, farLine - oy, bearing);
    region[1] = rotatedCorner(ox, oy, nearLeft - ox, nearLine - oy, bearing);
    region[2] = rotatedCorner(ox, oy, nearRight - ox, nearLine - oy, bearing);
    region[3] = rotatedCorner(ox, oy, farRight - ox, farLine - oy, bearing);
}

void CoordsManager::updateQuadKeys() {
    UnitConvertor::getQuadKeyList(static_cast<int>(m_coords.position.zoom),
                                  m_coords.visibleRegion.data(), &m_coords.quadKeys);
}

void CoordsManager::setTargetFromCamera() {
    m_coords.position.target = UnitConvertor::FourByte2LatLng(m_coords.camera.x, m_coords.camera.y);
}

double CoordsManager::searchFittingLevel(const LatLng& target, double level, double step,
                                         const std::function<bool()>& fits) {
    const Point anchor(m_coords.width / 2, m_coords.height / 2);
    double tried = level;
    for (int k = 0; level - k * step >= kMinLevel; ++k) {
        tried = level - k * step;
        setPosition(CameraPosition(target, tried, 0.0, 0.0), anchor, 0.0f, 0.0f);
        if (fits()) break;
    }
    return tried;
}

void CoordsManager::fitToBox(const BoundingBox& box, const std::function<bool()>& fits) {
    const LatLng target((box.southWest.latitude + box.northEast.latitude) / 2.0,
                        (box.southWest.longitude + box.northEast.longitude) / 2.0);
    double step = 1.0;
    double level = searchFittingLevel(target, kMaxLevel, step, fits);
    while (level > kMinLevel && level < kMaxLevel && step / 10.0 > kFinestFitStep) {
        level = searchFittingLevel(target, level + step, step / 10.0, fits);
        step /= 10.0;
    }
}

}  // namespace qiv

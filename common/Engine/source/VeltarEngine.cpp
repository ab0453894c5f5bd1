#include "VeltarEngine.h"

#include <algorithm>
#include <cmath>

#include "UnitConvertor.h"

namespace qiv {

namespace {
// Field of view stored with the window size for landscape and portrait surfaces.
const float kLandscapeFieldOfView = 63.74237060546875f;
const float kPortraitFieldOfView = 90.0f;
}  // namespace

VeltarEngine::VeltarEngine(const std::string& engineId) : m_engineId(engineId) {}

void VeltarEngine::setWindowSize(int width, int height) {
    const float fieldOfView = height < width ? kLandscapeFieldOfView : kPortraitFieldOfView;
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.setWindowSize(width, height, fieldOfView, m_dpi);
}

float VeltarEngine::calcZoomLevel(double level, double scale) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.calcZoomLevel(level, static_cast<float>(scale));
}

CameraPosition VeltarEngine::setPosition(const CameraPosition& position, float dx, float dy,
                                         Point anchor) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.setPosition(position, anchor, dx, dy);
    return m_coordsManager.getCameraPosition();
}

CameraPosition VeltarEngine::setPositionWithPadding(const CameraPosition& position, float dx,
                                                    float dy, Point anchor, float padX,
                                                    float padY) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.setPosition(position, anchor, dx, dy);
    const CameraPosition placed = m_coordsManager.getCameraPosition();
    const Point shifted(anchor.x + static_cast<int>(padX), anchor.y + static_cast<int>(padY));
    m_coordsManager.setPosition(placed, shifted, -padX, -padY);
    return placed;
}

CameraPosition VeltarEngine::setPosition(const BoundingBox& box, int padding) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.setPosition(box, padding);
    return m_coordsManager.getCameraPosition();
}

CameraPosition VeltarEngine::setPosition(const BoundingBox& box, int width, int height) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.setPosition(box, width, height);
    return m_coordsManager.getCameraPosition();
}

LatLng VeltarEngine::screen2LatLng(const Point& point) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.screen2LatLng(point);
}

Point VeltarEngine::LatLng2Screen(const LatLng& latLng) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.LatLng2Screen(latLng);
}

void VeltarEngine::setMovableArea(const LatLng& southWest, const LatLng& northEast) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.setMovableArea(southWest, northEast);
}

int VeltarEngine::setZoomLevelBeginValue(int level, int value) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.setZoomLevelBeginValue(level, value);
}

int VeltarEngine::getZoomLevelBeginValue(int level) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.getZoomLevelBeginValue(level);
}

double VeltarEngine::zoom2Level(double height) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.zoom2Level(height);
}

double VeltarEngine::level2Zoom(double level) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    return m_coordsManager.level2Zoom(level);
}

double VeltarEngine::getPixelDistance() {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    Vector3d pixelSize;
    m_coordsManager.getPixel2FourByteDist(&pixelSize);
    const double latitude = m_coordsManager.getCameraPosition().target.latitude;
    return UnitConvertor::FourByte2Meter(latitude, pixelSize.x);
}

std::array<LatLng, 4> VeltarEngine::getVisibleRegion() {
    std::array<GLCoord, 4> region;
    {
        std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
        m_coordsManager.getVisibleRegion(&region);
    }
    std::array<LatLng, 4> corners;
    std::transform(region.begin(), region.end(), corners.begin(), [](const GLCoord& corner) {
        return UnitConvertor::FourByte2LatLng(corner.x, corner.y);
    });
    return corners;
}

std::vector<std::string> VeltarEngine::getVisibleQuadKeys() {
    return takeCameraSnapshot().quadKeys;
}

double VeltarEngine::calcDistance(const LatLng& a, const LatLng& b, double levelA,
                                  double levelB) const {
    double ax = 0.0;
    double ay = 0.0;
    double bx = 0.0;
    double by = 0.0;
    UnitConvertor::Latlng2FourByte(a, &ax, &ay);
    UnitConvertor::Latlng2FourByte(b, &bx, &by);
    const double tileSide = UnitConvertor::getQuadSize(static_cast<int>(std::max(levelA, levelB)));
    const double distance = std::hypot(bx - ax, by - ay) / tileSide;
    const double levelChange = std::fabs(levelA - levelB);
    return levelChange > 0.0 ? std::sqrt(levelChange * levelChange + distance * distance)
                             : distance;
}

int VeltarEngine::drawMap() {
    const CameraSnapshot snapshot = takeCameraSnapshot();
    std::lock_guard<std::mutex> frameLock(m_frameMutex);
    m_drawController.clearBuffer();
    // No tile source is attached yet, so every visible tile is missing.
    const bool tilesComplete = snapshot.quadKeys.empty();
    return tilesComplete ? kFrameComplete : kFrameIncomplete;
}

VeltarEngine::CameraSnapshot VeltarEngine::takeCameraSnapshot() {
    CameraSnapshot snapshot;
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.getQuadList(&snapshot.quadKeys);
    return snapshot;
}

}  // namespace qiv

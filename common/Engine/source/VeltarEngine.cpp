#include "VeltarEngine.h"

#include <algorithm>
#include <cmath>

#include "AuthManager.h"
#include "CacheController.h"
#include "Initializer.h"
#include "UnitConvertor.h"

namespace qiv {

namespace {
// Field of view stored with the window size for landscape and portrait surfaces.
const float kLandscapeFieldOfView = 63.74237060546875f;
const float kPortraitFieldOfView = 90.0f;
// Ancestors prefetched for zooming out: two steps of two levels each.
const size_t kPrefetchStep = 2;
const int kPrefetchSteps = 2;
// Ancestors are shortened from keys of at least this length.
const size_t kShortestPrefetchedFrom = 3;
}  // namespace

VeltarEngine::VeltarEngine(const std::string& engineId) : m_engineId(engineId) {}

int VeltarEngine::CheckStatus() {
    const int startup = Initializer::m_status;
    return startup != 0 ? startup : AuthManager::getStatus();
}

VeltarEngine::~VeltarEngine() { CacheController::eraseMemoryAtlas(m_engineId); }

int VeltarEngine::initializeMap(const std::string& designName) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    const int status = CheckStatus();
    if (status != 0) return status;
    m_globalData = Initializer::m_global;
    m_setting = Initializer::m_setting;
    m_dataSourceManager.setInitParams(m_setting.mode, m_setting, Initializer::m_cid,
                                      Initializer::m_div, Initializer::m_lVersion,
                                      Initializer::m_gVersion);
    if (!designName.empty()) CacheController::createMemoryAtlas(m_engineId, designName);
    return 0;
}

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
    const int status = CheckStatus();
    if (status != 0) {
        m_drawController.clearBuffer();
        return status;
    }
    const CameraSnapshot snapshot = takeCameraSnapshot();
    std::lock_guard<std::mutex> frameLock(m_frameMutex);
    m_drawController.clearBuffer();
    const TileLookup lookup = lookUpTiles(snapshot.quadKeys);
    const bool tilesComplete = requestTiles(snapshot.quadKeys, lookup);
    return tilesComplete ? kFrameComplete : kFrameIncomplete;
}

VeltarEngine::TileLookup VeltarEngine::lookUpTiles(const std::vector<std::string>& keys) {
    TileLookup lookup;
    for (const std::string& key : keys) {
        K7DataCtg* tile = m_dataSourceManager.getData(key);
        if (tile == nullptr) {
            lookup.missing.push_back(key);
            continue;
        }
        lookup.tiles[key] = tile;
        lookup.found.push_back(key);
    }
    return lookup;
}

bool VeltarEngine::requestTiles(const std::vector<std::string>& visible, const TileLookup& lookup) {
    if (!lookup.missing.empty()) {
        m_dataSourceManager.getDataRequest(lookup.missing);
        return false;
    }
    const std::vector<std::string> ancestors = ancestorsToPrefetch(visible);
    if (!ancestors.empty()) m_dataSourceManager.getDataRequest(ancestors);
    return true;
}

std::vector<std::string> VeltarEngine::ancestorsToPrefetch(const std::vector<std::string>& keys) {
    std::vector<std::string> ancestors;
    for (const std::string& key : keys) {
        std::string ancestor = key;
        for (int step = 0; step < kPrefetchSteps && ancestor.size() >= kShortestPrefetchedFrom; ++step) {
            ancestor.resize(ancestor.size() - kPrefetchStep);
            if (std::find(ancestors.begin(), ancestors.end(), ancestor) == ancestors.end() &&
                !m_dataSourceManager.inMemory(ancestor)) {
                ancestors.push_back(ancestor);
            }
        }
    }
    return ancestors;
}

VeltarEngine::CameraSnapshot VeltarEngine::takeCameraSnapshot() {
    CameraSnapshot snapshot;
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.getQuadList(&snapshot.quadKeys);
    return snapshot;
}

}  // namespace qiv

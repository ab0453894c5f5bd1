#include "VeltarEngine.h"

#include <algorithm>
#include <cmath>

#include "AuthManager.h"
#include "CacheController.h"
#include "DesignController.h"
#include "GLMapObjectOrganizer.h"
#include "Initializer.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataQak.h"
#include "NativeBridge.h"
#include "TileRecords.h"
#include "UnitConvertor.h"
#include "UserDataController.h"

namespace qiv {

namespace {
// Field of view stored with the window size for landscape and portrait surfaces.
const float kLandscapeFieldOfView = 63.74237060546875f;
const float kPortraitFieldOfView = 90.0f;

float fieldOfView(int width, int height) {
    return height < width ? kLandscapeFieldOfView : kPortraitFieldOfView;
}
// Ancestors prefetched for zooming out: two steps of two levels each.
const size_t kPrefetchStep = 2;
const int kPrefetchSteps = 2;
// Ancestors are shortened from keys of at least this length.
const size_t kShortestPrefetchedFrom = 3;
// The shortest key an ancestor search tries.
const size_t kShortestAncestor = 2;
// Sections of a tile's body: indoor, background, ground, points.
const int kTileSections = 4;
const size_t kBackgroundSection = 1;
}  // namespace

VeltarEngine::VeltarEngine(const std::string& engineId)
    : m_engineId(engineId), m_textAtlasManager(engineId) {
    buildPlaceholderTile();
}

VeltarEngine::~VeltarEngine() { CacheController::eraseMemoryAtlas(m_engineId); }

void VeltarEngine::buildPlaceholderTile() {
    m_placeholderTile = std::make_unique<K7DataCtg>();
    auto* header = new K7DataCtg();
    m_placeholderKey = new K7DataQak();
    header->addContents(m_placeholderKey);
    m_placeholderTile->addContents(header);
    auto* body = new K7DataCtg();
    for (int section = 0; section < kTileSections; ++section) body->addContents(new K7DataCtg());
    m_placeholderTile->addContents(body);
    auto* outline = new K7DataLng();
    auto* lines = new K7DataCtg();
    m_placeholderOutline = new K7DataLn4();
    lines->addContents(m_placeholderOutline);
    outline->addContents(lines);
    auto* name = new K7DataDcn();
    name->editContents() = GLMapObjectOrganizer::QUAD_LINE;
    outline->addContents(name);
    TileRecords::section(m_placeholderTile.get(), kBackgroundSection)->addContents(outline);
}

int VeltarEngine::CheckStatus() {
    const int startup = Initializer::m_status;
    return startup != 0 ? startup : AuthManager::getStatus();
}

int VeltarEngine::initializeMap(const std::string& designName) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    const int status = CheckStatus();
    if (status != 0) return status;
    m_globalData = Initializer::m_global;
    m_setting = Initializer::m_setting;
    m_dataSourceManager.setInitParams(m_setting.mode, m_setting, Initializer::m_cid,
                                      Initializer::m_div, Initializer::m_lVersion,
                                      Initializer::m_gVersion);
    m_dpi = static_cast<double>(m_setting.dpi);
    m_drawController.initialize(m_setting.dpi);
    // A surface sized before the density was known: the camera takes the
    // density at its next move, as the drawers have now.
    const int width = m_drawController.getWindowWidth();
    const int height = m_drawController.getWindowHeight();
    if (width > 0 && height > 0) {
        m_coordsManager.setWindowSize(width, height, fieldOfView(width, height), m_dpi);
    }
    applyDesign(designName);
    m_designName = designName;
    m_designChanged = false;
    if (!designName.empty()) CacheController::createMemoryAtlas(m_engineId, designName);
    return 0;
}

void VeltarEngine::applyDesign(const std::string& designName) {
    m_drawController.clearTextTextures();
    m_drawController.registrateIconTexture(m_globalData, designName);
    m_drawController.getOrganizer().setDesignName(designName);
}

void VeltarEngine::setDesignFileName(const std::string& name) {
    {
        std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
        if (name == m_designName) return;
        m_designName = name;
        m_designChanged = true;
    }
    CacheController::createMemoryAtlas(m_engineId, name);
}

void VeltarEngine::setFontPath(const std::map<std::string, std::string>& fonts) {
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_textAtlasManager.setFontPath(fonts);
}

void VeltarEngine::clearMemoryCache() {
    std::string designName;
    {
        std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
        designName = m_designName;
    }
    std::lock_guard<std::mutex> frameLock(m_frameMutex);
    CacheController::eraseMemoryAtlas(m_engineId, designName);
    m_drawController.clearMemoryCache();
}

bool VeltarEngine::checkMapArea(const LatLng& point, double level) {
    return m_dataSourceManager.checkMapArea(point, level) == 1;
}

std::vector<std::pair<std::string, bool>> VeltarEngine::designCheck(const LatLng& point,
                                                                    double tolerancePixels) {
    int level = 0;
    Vector3d pixelSize;
    std::string designName;
    {
        std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
        level = static_cast<int>(m_coordsManager.getCameraPosition().zoom);
        m_coordsManager.getPixel2FourByteDist(&pixelSize);
        designName = m_designName;
    }
    std::vector<std::pair<std::string, bool>> found;
    std::lock_guard<std::mutex> frameLock(m_frameMutex);
    K7DataCtg* tile = m_dataSourceManager.getData(UnitConvertor::LatLng2QuadKey(level, point));
    if (!tile) return found;
    double x = 0.0, y = 0.0;
    UnitConvertor::Latlng2FourByte(point, &x, &y);
    for (const std::string& name : UserDataController::designCheck(x, y, tolerancePixels * pixelSize.x, *tile)) {
        const bool styled = !DesignController::getDesign(designName, static_cast<uint8_t>(level), name).empty();
        found.emplace_back(name, styled);
    }
    return found;
}

void VeltarEngine::setWindowSize(int width, int height) {
    {
        std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
        m_coordsManager.setWindowSize(width, height, fieldOfView(width, height), m_dpi);
    }
    // The drawers take the GL lock, which is never held with the camera lock.
    m_drawController.setWindowSize(width, height);
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
    std::vector<std::string> keys;
    std::lock_guard<std::mutex> cameraLock(m_cameraMutex);
    m_coordsManager.getQuadList(&keys);
    return keys;
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
        clearFrame();
        return status;
    }
    const CameraSnapshot snapshot = takeCameraSnapshot();
    std::lock_guard<std::mutex> frameLock(m_frameMutex);
    if (snapshot.designChanged) applyDesign(snapshot.designName);
    setFrameCamera(snapshot);
    clearFrame();

    const TileLookup lookup = lookUpTiles(snapshot.quadKeys);
    bool tilesComplete = requestTiles(snapshot.quadKeys, lookup);
    if (!lookup.missing.empty()) drawQuadLine(lookup.missing);
    for (const auto& [key, tile] : lookup.tiles) {
        tilesComplete = m_drawController.draw(tile, key, false) && tilesComplete;
    }
    // Without a design set there are no labels to wait for.
    const bool textComplete = snapshot.designName.empty() ||
                              drawText(snapshot.designName, lookup.found, lookup.tiles);
    reportOutOfArea(snapshot.outOfArea);
    return tilesComplete && textComplete ? kFrameComplete : kFrameIncomplete;
}

void VeltarEngine::clearFrame() {
    m_drawController.clearBuffer();
    MapObjectOrganizer& organizer = m_drawController.getOrganizer();
    organizer.setOverlapArea(m_drawController.getWindowWidth(), m_drawController.getWindowHeight());
    organizer.clearMapPoint();
}

void VeltarEngine::setFrameCamera(const CameraSnapshot& snapshot) {
    m_drawController.setPixelDistance(snapshot.pixelSize.x, snapshot.pixelSize.y);
    m_drawController.getOrganizer().setFragmentDistance(snapshot.pixelSize.x, snapshot.pixelSize.y);
    // The near-left corner of the view is the origin of the frame's floats.
    const GLCoord& origin = snapshot.region[1];
    m_drawController.setCamera(snapshot.camera, origin.x, origin.y, snapshot.position.bearing,
                               snapshot.position.tilt, snapshot.position.zoom);
    m_drawController.setVisibleRegion(snapshot.region.data());
}

void VeltarEngine::drawQuadLine(const std::vector<std::string>& missing) {
    for (const std::string& key : missing) {
        m_placeholderKey->editContents() = key;
        double x = 0.0;
        double y = 0.0;
        UnitConvertor::QuadKey2FourByte(key, &x, &y);
        const double side = UnitConvertor::getQuadSize(static_cast<int>(key.size()));
        GeoDataLine& outline = m_placeholderOutline->editContents();
        outline.clear();
        outline.addCoord(x, y);
        outline.addCoord(x, y + side);
        outline.addCoord(x + side, y + side);
        outline.addCoord(x + side, y);
        outline.addCoord(x, y);
        entryAncestor(key);
        m_drawController.draw(m_placeholderTile.get(), key, false);
    }
}

void VeltarEngine::entryAncestor(const std::string& key) {
    for (std::string ancestor = key; ancestor.size() >= kShortestAncestor; ancestor.pop_back()) {
        if (K7DataGroup* tile = backgroundTile(ancestor)) {
            m_drawController.entry(tile, ancestor);
            return;
        }
        // The frame's look-up has just missed the key itself; asking again
        // would let a tile that arrives meanwhile into a frame that reports
        // it missing.
        if (ancestor == key) continue;
        if (K7DataCtg* tile = m_dataSourceManager.getData(ancestor)) {
            m_drawController.entry(tile, ancestor);
            return;
        }
    }
}

K7DataGroup* VeltarEngine::backgroundTile(const std::string& key) {
    K7DataCtg* background = Initializer::m_bg.load();
    if (background == nullptr) return nullptr;
    if (background != m_indexedBackground) {
        // The background map arrives once; index its tiles the first time.
        m_backgroundTiles.clear();
        for (K7DataBase* child : background->getContents()) {
            auto* tile = dynamic_cast<K7DataGroup*>(child);
            if (tile) m_backgroundTiles.emplace(TileRecords::quadKey(tile), tile);
        }
        m_indexedBackground = background;
    }
    const auto found = m_backgroundTiles.find(key);
    return found == m_backgroundTiles.end() ? nullptr : found->second;
}

bool VeltarEngine::drawText(const std::string& designName, const std::vector<std::string>& keys,
                            const std::map<std::string, K7DataCtg*>& tiles) {
    std::vector<std::string> withPixels;
    for (const std::string& key : keys) {
        if (!m_drawController.hasTextTextures(key)) withPixels.push_back(key);
    }
    AtlasPlacementMap placements;
    AtlasImageMap images;
    m_textAtlasManager.getAtlas(designName, keys, placements, images, withPixels);
    std::vector<std::string> remaining;
    for (const std::string& key : keys) {
        if (placements.count(key) == 0) remaining.push_back(key);
    }
    const std::map<std::string, K7DataGroup*> groups(tiles.begin(), tiles.end());
    if (!remaining.empty()) m_textAtlasManager.getAtlasRequest(designName, remaining, groups);
    m_drawController.drawPoint(groups, placements, images, withPixels);
    return remaining.empty();
}

void VeltarEngine::reportOutOfArea(bool outOfArea) {
    if (!outOfArea) {
        m_outOfAreaReported = false;
        return;
    }
    if (m_outOfAreaReported) return;
    m_outOfAreaReported = true;
    NativeBridge::onOutOfArea(m_engineId);
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
    m_coordsManager.getCameraCoord(&snapshot.camera);
    m_coordsManager.getVisibleRegion(&snapshot.region);
    m_coordsManager.getPixel2FourByteDist(&snapshot.pixelSize);
    snapshot.position = m_coordsManager.getCameraPosition();
    snapshot.outOfArea = m_coordsManager.isOutOfArea();
    snapshot.designName = m_designName;
    snapshot.designChanged = m_designChanged;
    m_designChanged = false;
    return snapshot;
}

}  // namespace qiv

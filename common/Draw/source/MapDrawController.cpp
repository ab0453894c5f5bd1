#include "MapDrawController.h"

#include <algorithm>
#include <mutex>

#include "GLAtlasPointSpriteDrawer.h"
#include "GLCircleDrawer.h"
#include "GLCircleObject.h"
#include "GLGroundOverlayObject.h"
#include "GLLineJoinDrawer.h"
#include "GLLinePolygonObject.h"
#include "GLMapObjectOrganizer.h"
#include "GLPointSpriteDrawer.h"
#include "GLPolygonDrawer.h"
#include "GLPolygonLineDrawer.h"
#include "GLPolygonObject.h"
#include "GLPolylineDrawer.h"
#include "GLTexturedPatternPolygonDrawer.h"
#include "GLTexturedPolygonDrawer.h"
#include "K7DataCtg.h"
#include "K7DataPyc.h"
#include "Log.h"
#include "ShaderController.h"
#include "TexturedPolygonBuffer.h"
#include "TileRecords.h"

namespace qiv {

namespace {

constexpr GLbitfield kClearAll = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT;
constexpr GLuint kAllStencilBits = 0xFF;
constexpr GLuint kNoTexture = 0xFFFFFFFF;

// Drawers in the order they are made; the order of `update` differs.
constexpr MapObjectType kDrawerKinds[] = {
    POLYGON_OBJECT,           POLYLINE_OBJECT,      TEXTURED_POLYGON_OBJECT,
    TEXTURED_PATTERN_POLYGON_OBJECT, POINT_SPRITE_OBJECT, ATLAS_POINT_SPRITE_OBJECT,
    POLYGON_LINE_OBJECT,      LINE_JOIN_OBJECT,     CIRCLE_OBJECT};
constexpr MapObjectType kUpdatedKinds[] = {
    POLYGON_OBJECT,      TEXTURED_POLYGON_OBJECT,   POLYLINE_OBJECT,
    POINT_SPRITE_OBJECT, ATLAS_POINT_SPRITE_OBJECT, POLYGON_LINE_OBJECT,
    LINE_JOIN_OBJECT,    CIRCLE_OBJECT};

std::shared_ptr<GLObjectDrawer> makeDrawer(MapObjectType kind) {
    switch (kind) {
        case POLYGON_OBJECT: return std::make_shared<GLPolygonDrawer>();
        case POLYLINE_OBJECT: return std::make_shared<GLPolylineDrawer>();
        case TEXTURED_POLYGON_OBJECT: return std::make_shared<GLTexturedPolygonDrawer>();
        case TEXTURED_PATTERN_POLYGON_OBJECT:
            return std::make_shared<GLTexturedPatternPolygonDrawer>();
        case POINT_SPRITE_OBJECT: return std::make_shared<GLPointSpriteDrawer>();
        case ATLAS_POINT_SPRITE_OBJECT: return std::make_shared<GLAtlasPointSpriteDrawer>();
        case POLYGON_LINE_OBJECT: return std::make_shared<GLPolygonLineDrawer>();
        case LINE_JOIN_OBJECT: return std::make_shared<GLLineJoinDrawer>();
        default: return std::make_shared<GLCircleDrawer>();
    }
}

}  // namespace

MapDrawController::MapDrawController()
    : m_shaderController(std::make_shared<ShaderController>()),
      m_organizer(std::make_shared<GLMapObjectOrganizer>()) {
    for (MapObjectType kind : kDrawerKinds) m_drawers[kind] = makeDrawer(kind);
    adoptPrograms();
}

MapDrawController::~MapDrawController() = default;

void MapDrawController::adoptPrograms() {
    for (MapObjectType kind : kDrawerKinds) {
        m_drawers.at(kind)->setShaderProgram(m_shaderController->getShaderProgram(kind));
        m_drawers.at(kind)->initialize();
    }
}

template <class Drawer>
Drawer& MapDrawController::drawer(MapObjectType kind) const {
    return static_cast<Drawer&>(*m_drawers.at(kind));
}

void MapDrawController::initialize(int dpi) {
    {
        std::lock_guard<std::mutex> lock(GLObjectDrawer::mtx);
        if (m_shaderController->getShaderProgram(POLYGON_OBJECT)) {
            m_shaderController->reCreateProgram();
        } else {
            // deleteProgram dropped the programs along with the old context.
            m_shaderController = std::make_shared<ShaderController>();
            adoptPrograms();
        }
        m_dpi = dpi;
        // A density not known yet counts as the reference, as for the camera.
        m_pixelFactor = dpi > 0 ? dpi / kReferenceDpi : 1.0;
        m_organizer->setResolutionFactor(m_pixelFactor);
        m_organizer->willDrawFrame();
        glClear(kClearAll);
    }
    // A surface sized before the density was known gets the new pixel
    // factor (the drawers take the GL lock themselves).
    if (m_windowWidth > 0 && m_windowHeight > 0) setWindowSize(m_windowWidth, m_windowHeight);
}

void MapDrawController::deleteProgram() { m_shaderController->deleteProgram(); }

void MapDrawController::setWindowSize(int width, int height) {
    m_windowWidth = width;
    m_windowHeight = height;
    m_organizer->setWindowSize(width, height);
    for (MapObjectType kind : kUpdatedKinds) {
        m_drawers.at(kind)->update(width, height, m_pixelFactor);
    }
}

void MapDrawController::registrateIconTexture(K7DataCtg* designs, const std::string& designName) {
    if (!designs) return;
    for (K7DataBase* child : designs->getContents()) {
        auto* set = dynamic_cast<K7DataGroup*>(child);
        K7DataGroup* header = set ? TileRecords::category(*set, 0) : nullptr;
        const std::string* name = header ? TileRecords::text(*header, "dfn") : nullptr;
        if (!name || *name != designName) continue;
        if (auto* color = dynamic_cast<K7DataColor*>(TileRecords::firstTagged(*header, "pyc"))) {
            const _K7D_STR_COLOR& rgba = color->getContents();
            m_backgroundColor = {rgba.r / 255.0f, rgba.g / 255.0f, rgba.b / 255.0f,
                                 rgba.a / 255.0f};
        }
        if (K7DataGroup* icons = TileRecords::category(*set, 1)) {
            m_textureManager.createIconAtlasTexture(icons);
        }
        std::map<unsigned, textureInfo> information = m_textureManager.getTextureInformationMap();
        m_organizer->setTextureInformation(information);
    }
}

void MapDrawController::setCamera(const GLCoord& camera, double originX, double originY,
                                  double bearing, double tilt, double zoom) {
    m_tilt = tilt;
    m_bearing = bearing;
    m_camera = camera;
    m_zoom = zoom;
    m_organizer->setNormalizePoint(originX, originY);
    m_organizer->setCamera(camera, bearing, tilt);
    const GLCoord relative(camera.x - originX, camera.y - originY, camera.z, true);
    for (auto& entry : m_drawers) entry.second->setCameraPosition(relative, -bearing, -tilt);
    m_frameOrigin = {originX, originY};
}

void MapDrawController::setPixelDistance(double x, double y) { m_pixelDistance = {x, y}; }

void MapDrawController::setVisibleRegion(const GLCoord* corners) {
    m_organizer->setVisibleRegion(corners);
}

void MapDrawController::clearBuffer() {
    std::lock_guard<std::mutex> lock(GLObjectDrawer::mtx);
    glClearColor(m_backgroundColor[0], m_backgroundColor[1], m_backgroundColor[2],
                 m_backgroundColor[3]);
    glClear(kClearAll);
    m_organizer->clearMapObject();
    m_organizer->willDrawFrame();
}

void MapDrawController::clearMemoryCache() {
    clearTextTextures();
    m_organizer->clearMapCache();
}

void MapDrawController::clearTextTextures() {
    m_textureManager.clearTextTextureCache();
    m_textTextureKeys.clear();
    m_textImageCount.clear();
}

void MapDrawController::drawPoint(const std::map<std::string, K7DataGroup*>& tiles,
                                  const AtlasPlacementMap& placements,
                                  const AtlasImageMap& images,
                                  const std::vector<std::string>& withPixels) {
    m_organizer->setTextAtlasInformation(&placements);
    m_organizer->setWindowSize(m_windowWidth, m_windowHeight);
    m_organizer->setTextureAtlasImage(images);
    for (const auto& [key, tile] : tiles) {
        if (images.count(key) != 0) m_organizer->setPointData(tile);
    }
    m_organizer->registratePointData();
    drawIcon();
    drawText(images, withPixels);
}

void MapDrawController::drawIcon() {
    const int sprites = m_organizer->getIconBufferSize();
    const textureInfo icons = m_textureManager.getTextureInformation(kMapIconProbe);
    // Every map icon is drawn from the atlas that holds the probe icon.
    if (sprites <= 0 || icons.texture == -1) return;
    auto& atlas = drawer<GLAtlasPointSpriteDrawer>(ATLAS_POINT_SPRITE_OBJECT);
    atlas.setPointSize(static_cast<float>(sprites));
    atlas.setVertexBuffer(m_organizer->getIconBufferID());
    atlas.setModelRotationZAngle(0.0f);
    atlas.setTextureInfo(icons);
    atlas.setTextureUnitNo(0);
    atlas.setTextureID(static_cast<unsigned>(icons.texture));
    atlas.setDrawMode(GL_POINTS);
    atlas.draw();
}

void MapDrawController::drawText(const AtlasImageMap& images,
                                 const std::vector<std::string>& withPixels) {
    auto& atlas = drawer<GLAtlasPointSpriteDrawer>(ATLAS_POINT_SPRITE_OBJECT);
    for (const auto& [key, tileImages] : images) {
        const bool hasPixels =
            std::find(withPixels.begin(), withPixels.end(), key) != withPixels.end();
        // Without pixels an image whose texture left the cache cannot be
        // drawn; the next frame asks for its pixels.
        if (!hasPixels && !hasTextTextures(key)) continue;
        m_textImageCount[key] = tileImages.size();
        for (size_t index = 0; index < tileImages.size(); ++index) {
            const auto image = static_cast<uint16_t>(index);
            const int sprites = m_organizer->getTextBufferSize(key, image);
            atlas.setPointSize(static_cast<float>(sprites));
            if (sprites <= 0) continue;
            atlas.setVertexBuffer(m_organizer->getTextBufferID(key, image));
            atlas.setModelRotationZAngle(0.0f);
            atlas.setTextureUnitNo(3);
            atlas.setTextureID(cacheTextTexture(key, tileImages[index], index));
            atlas.setDrawMode(GL_POINTS);
            atlas.draw();
        }
    }
}

bool MapDrawController::hasTextTextures(const std::string& tileKey) const {
    const auto count = m_textImageCount.find(tileKey);
    if (count == m_textImageCount.end()) return false;
    for (size_t index = 0; index < count->second; ++index) {
        if (!m_textTextureKeys.exist(TextureManager::textTextureKey(tileKey, index))) return false;
    }
    return true;
}

GLuint MapDrawController::cacheTextTexture(const std::string& tileKey, const AtlasImage& image,
                                           size_t index) {
    const std::string key = TextureManager::textTextureKey(tileKey, index);
    bool cached = false;
    if (m_textTextureKeys.get(key, cached) != 0) m_textTextureKeys.put(key, true);
    const GLenum format = TextureManager::convertColorChannel(image.samplesPerPixel);
    // Bytes GL reads per texel for that format.
    const size_t texel =
        image.samplesPerPixel >= 1 && image.samplesPerPixel <= 4 ? image.samplesPerPixel : 4;
    const size_t side = std::max(image.width, image.height);
    if (image.width == image.height && texel == image.samplesPerPixel &&
        image.samples.size() >= side * side * texel) {
        return m_textureManager.cacheTextTexture(key, image.samples.data(), static_cast<int>(side),
                                                 static_cast<int>(side), format);
    }
    // Sprites address the atlas as a square of its larger side: pad the
    // image into one instead of reading past its pixels.
    std::vector<uint8_t> square(side * side * texel, 0);
    const size_t row = static_cast<size_t>(image.width) * image.samplesPerPixel;
    for (size_t y = 0; y < image.height && row > 0 && (y + 1) * row <= image.samples.size(); ++y) {
        std::copy_n(image.samples.begin() + y * row, std::min(row, side * texel),
                    square.begin() + y * side * texel);
    }
    return m_textureManager.cacheTextTexture(key, square.data(), static_cast<int>(side),
                                             static_cast<int>(side), format);
}

bool MapDrawController::draw(K7DataGroup* tile, const std::string& key, bool force) {
    bool needMask = false;
    const bool complete = m_organizer->setK7DataGround(tile, key, needMask);
    const bool masked = needMask || force;
    if (masked) {
        glEnable(GL_STENCIL_TEST);
        setQuadMask(tile, key);
    }
    drawBackground();
    drawTransparentBackground();
    if (masked) glDisable(GL_STENCIL_TEST);
    m_organizer->clearMapObject();
    return complete;
}

void MapDrawController::entry(K7DataGroup* tile, const std::string& key) {
    if (m_organizer->existCache(key)) return;
    bool ignored = false;
    m_organizer->setK7DataGround(tile, key, ignored);
    m_organizer->clearMapObject();
}

void MapDrawController::setQuadMask(K7DataGroup* tile, const std::string& key) {
    std::string tileKey = TileRecords::quadKey(tile);
    if (tileKey.empty()) tileKey = key;
    GLCoord southWest, northWest, southEast, northEast;
    m_organizer->createQuadPolygonFromQuadKey(tileKey, southWest, northWest, southEast,
                                              northEast);
    std::vector<float> vertices;
    for (const GLCoord* corner :
         {&southWest, &northWest, &northEast, &northEast, &southWest, &southEast}) {
        vertices.push_back(static_cast<float>(corner->x - m_frameOrigin[0]));
        vertices.push_back(static_cast<float>(corner->y - m_frameOrigin[1]));
        vertices.push_back(static_cast<float>(corner->z));
    }
    // Only the tile's square keeps 1: drawing is limited to it.
    drawStencilTriangles(vertices, 0, 1);
}

void MapDrawController::drawStencilTriangles(const std::vector<float>& vertices, int clearValue,
                                             int triangleValue) {
    glClearStencil(clearValue);
    glClear(GL_STENCIL_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glStencilFunc(GL_ALWAYS, triangleValue, kAllStencilBits);
    glStencilOp(GL_KEEP, GL_REPLACE, GL_REPLACE);
    auto& polygons = drawer<GLPolygonDrawer>(POLYGON_OBJECT);
    polygons.setVertexArray(vertices);
    polygons.setVertexCount(static_cast<int>(vertices.size() / 3));
    polygons.setColor(GLObject::makeColor(1.0f, 1.0f, 1.0f, 1.0f));
    polygons.setDrawMode(GL_TRIANGLES);
    polygons.draw();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilFunc(GL_EQUAL, 1, kAllStencilBits);
}

// Drawing does not change the organizer's lists, so they are read in place.
void MapDrawController::drawBackground() { drawObjects(m_organizer->getMapData()); }

void MapDrawController::drawTransparentBackground() {
    drawObjects(m_organizer->getTransparentMapData());
}

void MapDrawController::drawObjects(const MapObjectOrganizer::ObjectMap& objects) {
    for (const auto& entry : objects) {
        const std::shared_ptr<GLObject>& object = entry.second;
        switch (object->getObjectType()) {
            case POLYGON_OBJECT: drawPolygon(object, GL_TRIANGLES); break;
            case POLYGON_LINE_OBJECT: drawPolygonLine(object); break;
            default: break;
        }
    }
}

void MapDrawController::drawPolygon(const std::shared_ptr<GLObject>& object, GLenum mode) {
    auto* polygon = dynamic_cast<GLPolygonBaseObject*>(object.get());
    if (!polygon) {
        K7D_LOG_WARNING("polygon null");
        return;
    }
    if (!polygon->isColor()) return;
    auto& polygons = drawer<GLPolygonDrawer>(POLYGON_OBJECT);
    polygons.setVertexArray(polygon->getPoints());
    polygons.setVertexCount(polygon->getVerticesNum());
    polygons.setDrawMode(mode);
    polygons.setZIndex(scaledZIndex(polygon->getZindex()));
    polygons.setColor(polygon->getColor());
    polygons.draw();
}

void MapDrawController::drawPolygonLine(const std::shared_ptr<GLObject>& object) {
    auto* line = dynamic_cast<GLLinePolygonObject*>(object.get());
    if (!line) return;
    auto& lines = drawer<GLPolygonLineDrawer>(POLYGON_LINE_OBJECT);
    lines.setVertexArray(line->getPoints());
    lines.setIndexArray(line->getIndex());
    lines.setExtrude(line->getExtrude());
    lines.setLineSofar(line->getLineSofar());
    lines.setNormal(line->getSide());
    lines.setZIndex(scaledZIndex(line->getZindex()));
    lines.setScale(1.0f);
    lines.setDrawMode(GL_TRIANGLES);
    lines.setColor(line->getColor());
    // Half width in world units: 0.4 px per design pixel and side at the
    // reference density, plus a hairline of at least 2 units per side,
    // capped at 80 pixels per side.
    const float factor = static_cast<float>(m_pixelFactor);
    const float width = line->getLineWidth();
    const float unit = static_cast<float>(m_pixelDistance[1] / 5.0);
    const float half = std::min(factor * width * unit * 0.5f + std::max(unit, 1.0f) * 0.5f,
                                unit * (factor * 100.0f));
    lines.setLineWidth(std::array<float, 2>{half, half * 0.005f});
    lines.setBlur(unit);
    lines.draw();
}

bool MapDrawController::registerUserObject(GLObject& object) const {
    GLCoord minimum, maximum;
    m_organizer->getVisibleBoundingBox(minimum, maximum);
    minimum.valid = true;
    maximum.valid = true;
    object.setVisibleRegion(minimum, maximum);
    return object.registrateUserData();
}

bool MapDrawController::drawUserPolygonLine(const std::shared_ptr<GLLinePolygonObject>& line) {
    if (!line->getVisibleFlag() || line->getLineWidth() == 0.0f) return false;
    if (!registerUserObject(*line)) return false;
    line->offsetPoint(m_frameOrigin[0], m_frameOrigin[1]);
    m_organizer->calculateLineJointPointFactor(line);
    drawPolygonLine(line);
    return true;
}

bool MapDrawController::drawUserPolygon(const std::shared_ptr<GLPolygonObject>& polygon) {
    if (!polygon->getVisibleFlag()) return false;
    polygon->setOffset(static_cast<unsigned>(m_frameOrigin[0]),
                       static_cast<unsigned>(m_frameOrigin[1]));
    if (!registerUserObject(*polygon)) return false;
    polygon->offsetPoint(m_frameOrigin[0], m_frameOrigin[1]);
    const bool holes = !polygon->getInnerPolygonPoints().empty();
    if (holes) {
        glEnable(GL_STENCIL_TEST);
        drawInnerPolygon(*polygon);
    }
    drawPolygon(polygon, GL_TRIANGLES);
    if (holes) glDisable(GL_STENCIL_TEST);
    drawStrokeLine(polygon);
    return true;
}

void MapDrawController::drawInnerPolygon(const GLPolygonObject& polygon) {
    // Everything but the holes keeps 1: the polygon is drawn around them.
    drawStencilTriangles(polygon.getInnerPolygonPoints(), 1, 0);
}

bool MapDrawController::drawStrokeLine(const std::shared_ptr<GLObject>& object) {
    auto* polygon = dynamic_cast<GLPolygonBaseObject*>(object.get());
    if (!polygon || !polygon->isStrokeEnabled()) return false;
    for (const auto& stroke : polygon->getStrokeObjects()) drawUserPolygonLine(stroke);
    return true;
}

bool MapDrawController::drawUserCircle(const std::shared_ptr<GLCircleObject>& circle) {
    if (!circle->getVisibleFlag()) return false;
    if (!registerUserObject(*circle)) return false;
    if (!circle->isColor()) return false;
    circle->offsetPoint(m_frameOrigin[0], m_frameOrigin[1]);
    drawPolygon(circle, GL_TRIANGLE_FAN);
    drawStrokeLine(circle);
    return true;
}

bool MapDrawController::drawUserGroundOverlay(
    const std::shared_ptr<GLGroundOverlayObject>& overlay) {
    if (!overlay->getVisibleFlag()) return false;
    overlay->setOffset(static_cast<unsigned>(m_frameOrigin[0]),
                       static_cast<unsigned>(m_frameOrigin[1]));
    if (!registerUserObject(*overlay)) return false;
    const std::vector<unsigned char>* pixels = overlay->getPixels();
    const GLuint texture =
        pixels && !pixels->empty() && overlay->getTextureWidth() != 0
            ? m_textureManager.createTextTexture(pixels->data(), overlay->getTextureWidth(),
                                                 overlay->getTextureHeight(), GL_RGBA)
            : kNoTexture;
    auto& textured = drawer<GLTexturedPolygonDrawer>(TEXTURED_POLYGON_OBJECT);
    textured.setVertexBuffer(overlay->getBuffer() ? overlay->getBuffer()->getBufferID() : 0);
    textured.setZIndex(scaledZIndex(overlay->getZindex()));
    textured.setAlpha(overlay->getOpacity());
    textured.setVertexCount(static_cast<int>(overlay->getPoints().size() / 3));
    textured.setDrawMode(GL_TRIANGLES);
    textured.setTextureID(texture);
    textured.draw();
    if (texture != kNoTexture) m_textureManager.deleteTexture(texture);
    return true;
}

}  // namespace qiv

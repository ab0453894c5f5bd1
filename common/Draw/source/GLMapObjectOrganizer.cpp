#include "GLMapObjectOrganizer.h"

#include <algorithm>
#include <cmath>

#include "BaseDesign.h"
#include "DesignController.h"
#include "GLLinePolygonObject.h"
#include "GLPointOrganizer.h"
#include "GLPolygonObject.h"
#include "K7DataGroup.h"
#include "K7DataLn4.h"
#include "LineDesign.h"
#include "Log.h"
#include "MapObjectType.h"
#include "PolygonDesign.h"
#include "TileRecords.h"
#include "UnitConvertor.h"

namespace qiv {

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295;
// Scale levels beyond the deepest design level find no design.
constexpr size_t kDeepestLevel = 255;

bool isEmpty(K7DataGroup* section) { return !section || section->getContents().empty(); }

std::shared_ptr<float> colorArray(const _K7D_STR_COLOR& color) {
    std::shared_ptr<float> rgba(new float[4], std::default_delete<float[]>());
    rgba.get()[0] = color.r / 255.0f;
    rgba.get()[1] = color.g / 255.0f;
    rgba.get()[2] = color.b / 255.0f;
    rgba.get()[3] = color.a / 255.0f;
    return rgba;
}

}  // namespace

const char* const GLMapObjectOrganizer::QUAD_LINE = "QuadLine";

GLMapObjectOrganizer::GLMapObjectOrganizer()
    : m_pointOrganizer(std::make_shared<GLPointOrganizer>()) {}

void GLMapObjectOrganizer::setDesignName(const std::string& name) {
    m_designName = name;
    m_pointOrganizer->setDesignName(name);
    clearMapCache();
}

void GLMapObjectOrganizer::willDrawFrame() { m_builtThisFrame = false; }

void GLMapObjectOrganizer::setNormalizePoint(double x, double y) {
    m_normalizePoint = {x, y};
    m_pointOrganizer->setNormalizePoint(x, y);
}

void GLMapObjectOrganizer::setResolutionFactor(const double& factor) {
    m_resolutionFactor = factor;
    m_pointOrganizer->setResolutionFactor(factor);
}

void GLMapObjectOrganizer::setFragmentDistance(double x, double y) {
    m_fragmentDistance = {x, y};
    m_pointOrganizer->setFragmentDistance(x, y);
}

void GLMapObjectOrganizer::setWindowSize(int width, int height) {
    m_windowWidth = width;
    m_windowHeight = height;
    m_pointOrganizer->setWindowSize(width, height);
}

void GLMapObjectOrganizer::setCamera(const GLCoord& camera, double bearing, double tilt) {
    m_camera = camera;
    m_bearing = bearing;
    m_tilt = tilt;
    m_pointOrganizer->setCamera(camera, bearing, tilt);
}

void GLMapObjectOrganizer::setTextureInformation(std::map<unsigned, textureInfo>& information) {
    m_pointOrganizer->setTextureInformation(information);
}

void GLMapObjectOrganizer::setVisibleRegion(const GLCoord* corners) {
    cornerBounds(corners, 4, m_visibleMin, m_visibleMax);
    m_pointOrganizer->setVisibleRegion(corners);
}

void GLMapObjectOrganizer::getVisibleBoundingBox(GLCoord& minimum, GLCoord& maximum) const {
    minimum = m_visibleMin;
    maximum = m_visibleMax;
}

bool GLMapObjectOrganizer::setK7DataGround(K7DataGroup* tile, const std::string& key,
                                           bool& needMask) {
    // A header without a key would make the tile the whole world; the key
    // the tile was looked up by stands in for it.
    m_currentKey = TileRecords::quadKey(tile);
    if (m_currentKey.empty()) m_currentKey = key;
    m_quadLevel = static_cast<double>(m_currentKey.size());
    GLCoord northWest, southEast;
    createQuadPolygonFromQuadKey(m_currentKey, m_tileSouthWest, northWest, southEast,
                                 m_tileNorthEast);

    K7DataGroup* background = TileRecords::section(tile, 1);
    K7DataGroup* ground = TileRecords::section(tile, 2);
    if (isEmpty(background) && isEmpty(ground) && isEmpty(TileRecords::section(tile, 3))) {
        return true;
    }
    const bool groundComplete = extract(ground, true, false, false, needMask);
    extract(background, false, true, isQuadLine(background), needMask);
    return groundComplete;
}

bool GLMapObjectOrganizer::isQuadLine(K7DataGroup* background) {
    if (isEmpty(background)) return false;
    auto* firstGroup = dynamic_cast<K7DataGroup*>(background->getContents().front());
    const std::string* name = firstGroup ? TileRecords::text(*firstGroup, "dcn") : nullptr;
    return name && *name == QUAD_LINE;
}

bool GLMapObjectOrganizer::extract(K7DataGroup* section, bool ground, bool backmost,
                                   bool quadLine, bool& needMask) {
    if (isEmpty(section)) return true;
    DrawableList cached;
    bool ancestor = false;
    const bool hit = findCached(quadLine || (ground && m_builtThisFrame), cached, ancestor);
    if (ancestor) needMask = true;
    if ((ground || quadLine) && hit) {
        addCachedDrawables(cached);
        return !ancestor;
    }
    const bool mayBuild = !hit && (!m_builtThisFrame || quadLine);
    if (!mayBuild && !(backmost && !quadLine)) return false;
    const bool drewAny = buildSection(section, backmost, quadLine);
    if (!hit && !backmost && !quadLine && drewAny) m_builtThisFrame = true;
    return true;
}

bool GLMapObjectOrganizer::findCached(bool searchAncestors, DrawableList& drawables,
                                      bool& ancestor) {
    if (m_tileCache.get(m_currentKey, drawables) == 0) return true;
    if (!searchAncestors) return false;
    for (std::string key = m_currentKey; !key.empty();) {
        key.pop_back();
        if (!key.empty() && m_tileCache.get(key, drawables) == 0) {
            ancestor = true;
            return true;
        }
    }
    return false;
}

void GLMapObjectOrganizer::addCachedDrawables(DrawableList& drawables) {
    for (const auto& object : drawables) {
        const int kind = object->getObjectType();
        if (kind != POLYGON_OBJECT && kind != POLYGON_LINE_OBJECT) continue;
        (kind == POLYGON_OBJECT ? m_polygonCount : m_lineCount)++;
        object->offsetPoint(m_normalizePoint[0], m_normalizePoint[1]);
        addMapData(object);
    }
}

bool GLMapObjectOrganizer::buildSection(K7DataGroup* section, bool backmost, bool quadLine) {
    m_built.clear();
    bool drewAny = false;
    for (K7DataBase* child : section->getContents()) {
        drewAny = setK7DataBackGround(child, backmost, quadLine) || drewAny;
    }
    if (!m_built.empty()) {
        DrawableList cached;
        m_tileCache.get(m_currentKey, cached);
        cached.insert(cached.end(), m_built.begin(), m_built.end());
        m_tileCache.put(m_currentKey, cached);
        m_built.clear();
    }
    return drewAny;
}

bool GLMapObjectOrganizer::setK7DataBackGround(K7DataBase* child, bool backmost, bool quadLine) {
    const std::string tag = child->getType();
    auto* group = dynamic_cast<K7DataGroup*>(child);
    if (group && tag == "pgg") return setPolygonData(group, backmost, quadLine);
    if (group && tag == "lng") return setPolylineData(group, backmost, quadLine);
    K7D_LOG_WARNING("Unknown K7D data type : ", tag);
    return true;
}

std::vector<BaseDesign*> GLMapObjectOrganizer::getMultiDesign(K7DataGroup* group) const {
    const std::string* name = TileRecords::text(*group, "dcn");
    if (!name) {
        K7D_LOG_WARNING("not found design category name ", m_currentKey);
        return {};
    }
    if (m_currentKey.size() > kDeepestLevel) return {};
    return DesignController::getDesign(m_designName, static_cast<uint8_t>(m_currentKey.size()),
                                       *name);
}

bool GLMapObjectOrganizer::setPolygonData(K7DataGroup* group, bool backmost, bool quadLine) {
    const std::vector<BaseDesign*> designs = getMultiDesign(group);
    if (designs.empty()) return false;
    K7DataGroup* geometry = TileRecords::category(*group, 0);
    for (BaseDesign* design : designs) {
        if (design->getType() != BaseDesign::POLYGON) continue;
        const auto* areaDesign = static_cast<const PolygonDesign*>(design);
        if (!areaDesign->getColor()) {
            if (!areaDesign->getIconNumber()) {
                K7D_LOG_WARNING(" polygon design error  not be included color or icon");
            }
            return false;
        }
        // One drawable per design holds every triangle list of the group, so
        // that each area is drawn (and blended) exactly once.
        auto polygon = std::make_shared<GLPolygonObject>(POLYGON_OBJECT);
        polygon->setVisibleRegion(m_visibleMin, m_visibleMax);
        polygon->setColor(colorArray(*areaDesign->getColor()));
        polygon->setZindex(design->getDepth());
        polygon->setOffset(static_cast<unsigned>(m_normalizePoint[0]),
                           static_cast<unsigned>(m_normalizePoint[1]));
        if (geometry) {
            for (K7DataBase* record : geometry->getContents()) {
                polygon->setVertices(dynamic_cast<K7DataLn4*>(record));
            }
        }
        if (polygon->getVerticesNum() == 0) {
            K7D_LOG_WARNING("vtxerror");
            return false;
        }
        ++m_polygonCount;
        polygon->offsetPoint(m_normalizePoint[0], m_normalizePoint[1]);
        addMapData(polygon);
        if (!backmost && !quadLine) m_built.push_back(polygon);
    }
    return true;
}

bool GLMapObjectOrganizer::setPolylineData(K7DataGroup* group, bool backmost, bool quadLine) {
    K7DataGroup* lines = TileRecords::category(*group, 0);
    if (!lines) return true;
    for (BaseDesign* design : getMultiDesign(group)) {
        if (design->getType() != BaseDesign::POLYLINE) continue;
        const auto* lineDesign = static_cast<const LineDesign*>(design);
        if (lineDesign->getWidth() == 0) continue;
        setLinePolygonData(lines, lineDesign->getColor(), lineDesign->getWidth(),
                           design->getDepth(), backmost, quadLine);
    }
    return true;
}

bool GLMapObjectOrganizer::setLinePolygonData(K7DataGroup* lines, const _K7D_STR_COLOR& color,
                                              float width, float zIndex, bool backmost,
                                              bool quadLine) {
    const bool cache = !backmost && !quadLine;
    auto line = newLineObject();
    for (K7DataBase* record : lines->getContents()) {
        auto* coordinates = dynamic_cast<K7DataLn4*>(record);
        styleLine(*line, color, width, zIndex);
        if (line->setVertices(coordinates) || line->getVerticesNum() == 0) continue;
        // The object's 16-bit indices are full: the line goes into a new one.
        addLineObject(line, cache);
        line = newLineObject();
        styleLine(*line, color, width, zIndex);
        line->setVertices(coordinates);
    }
    addLineObject(line, cache);
    return cache;
}

std::shared_ptr<GLLinePolygonObject> GLMapObjectOrganizer::newLineObject() const {
    auto line = std::make_shared<GLLinePolygonObject>(POLYGON_LINE_OBJECT);
    line->setVisibleRegion(m_visibleMin, m_visibleMax);
    line->setTileRegion(m_tileSouthWest, m_tileNorthEast);
    return line;
}

void GLMapObjectOrganizer::styleLine(GLLinePolygonObject& line, const _K7D_STR_COLOR& color,
                                     float width, float zIndex) const {
    line.setColor(colorArray(color));
    line.setLineWidth(width);
    line.setPixelFactor(m_fragmentDistance[1] / 5.0);
    line.setZindex(zIndex);
    line.setOffset(static_cast<unsigned>(m_normalizePoint[0]),
                   static_cast<unsigned>(m_normalizePoint[1]));
}

void GLMapObjectOrganizer::addLineObject(const std::shared_ptr<GLLinePolygonObject>& line,
                                         bool cache) {
    line->offsetPoint(m_normalizePoint[0], m_normalizePoint[1]);
    calculateLineJointPointFactor(line);
    ++m_lineCount;
    addMapData(line);
    if (cache) m_built.push_back(line);
}

void GLMapObjectOrganizer::addMapData(const std::shared_ptr<GLObject>& object) {
    ObjectMap& target = object->isTransparent() ? m_transparentMapData : m_mapData;
    target.emplace(object->getZindex(), object);
}

void GLMapObjectOrganizer::createQuadPolygonFromQuadKey(const std::string& key,
                                                        GLCoord& southWest, GLCoord& northWest,
                                                        GLCoord& southEast,
                                                        GLCoord& northEast) const {
    double x = 0.0;
    double y = 0.0;
    UnitConvertor::QuadKey2FourByte(key, &x, &y);
    const double side = UnitConvertor::getQuadSize(static_cast<int>(key.size()));
    southWest = GLCoord(x, y, 0.0, true);
    northWest = GLCoord(x, y + side, 0.0, true);
    southEast = GLCoord(x + side, y, 0.0, true);
    northEast = GLCoord(x + side, y + side, 0.0, true);
}

void GLMapObjectOrganizer::calculateLineJointPointFactor(
    const std::shared_ptr<GLLinePolygonObject>& line) const {
    const GLCoord camera(m_camera.x - m_normalizePoint[0], m_camera.y - m_normalizePoint[1],
                         m_camera.z, true);
    // A vertex is named by several indices: project each vertex once.
    const std::vector<float>& vertices = line->getPoints();
    std::vector<float> vertexFactors(vertices.size() / 3);
    for (size_t vertex = 0; vertex < vertexFactors.size(); ++vertex) {
        const Point screen = UnitConvertor::FourByte2Screen(
            vertices[vertex * 3], vertices[vertex * 3 + 1], camera, m_bearing, m_tilt,
            m_fragmentDistance[0], m_fragmentDistance[1], m_windowWidth, m_windowHeight);
        vertexFactors[vertex] = static_cast<float>(calculateZfactor(screen));
    }
    std::vector<float> factors;
    factors.reserve(line->getIndex().size());
    for (uint16_t index : line->getIndex()) {
        if (index >= vertexFactors.size()) break;
        factors.push_back(vertexFactors[index]);
    }
    line->setJoinFactor(factors);
}

double GLMapObjectOrganizer::calculateZfactor(const Point& point) const {
    if (m_tilt == 0.0 || m_windowHeight <= 0) return 1.0;
    const double halfHeight = m_windowHeight / 2.0;
    double factor = std::sin(m_tilt * kDegreesToRadians) * (point.y - halfHeight) / halfHeight + 1.0;
    factor = std::min(factor, 1.0);
    if (factor < 0.5) factor *= 0.3;
    if (factor < 0.0) factor = 0.0001;
    return factor;
}

bool GLMapObjectOrganizer::existCache(const std::string& key) const {
    return m_tileCache.exist(key);
}

void GLMapObjectOrganizer::clearMapObject() {
    m_mapData.clear();
    m_transparentMapData.clear();
    m_polygonCount = 0;
    m_lineCount = 0;
}

void GLMapObjectOrganizer::setOverlapArea(int width, int height) {
    m_pointOrganizer->setOverlapArea(width, height);
}

void GLMapObjectOrganizer::setTextAtlasInformation(const AtlasPlacementMap* placements) {
    m_pointOrganizer->setTextAtlasInformation(placements);
}

void GLMapObjectOrganizer::setTextureAtlasImage(const AtlasImageMap& images) {
    m_pointOrganizer->setTextureAtlasImage(images);
}

void GLMapObjectOrganizer::setPointData(K7DataGroup* tile) {
    K7DataGroup* points = TileRecords::section(tile, 3);
    if (!points) return;
    m_pointOrganizer->setKey(TileRecords::quadKey(tile));
    for (K7DataBase* record : points->getContents()) m_pointOrganizer->parsePointData(record);
}

void GLMapObjectOrganizer::registratePointData() { m_pointOrganizer->registratePointData(); }

int GLMapObjectOrganizer::getIconBufferSize() const { return m_pointOrganizer->getIconBufferSize(); }

unsigned GLMapObjectOrganizer::getIconBufferID() { return m_pointOrganizer->getIconBufferID(); }

int GLMapObjectOrganizer::getTextBufferSize(const std::string& key, uint16_t image) const {
    return m_pointOrganizer->getTextBufferSize(key, image);
}

unsigned GLMapObjectOrganizer::getTextBufferID(const std::string& key, uint16_t image) {
    return m_pointOrganizer->getTextBufferID(key, image);
}

void GLMapObjectOrganizer::clearMapPoint() { m_pointOrganizer->clearBuffer(); }

void GLMapObjectOrganizer::clearMapCache() { m_tileCache.clear(); }

}  // namespace qiv

#include "GLLinePolygonObject.h"

#include <algorithm>
#include <cmath>

#include "Log.h"

namespace qiv {

namespace {

constexpr double PI = 3.14159265358979323846;
// Vertices addressable by 16-bit indices.
constexpr size_t MAX_VERTICES = 65536;
constexpr float SIDE_LEFT = 0.0f;
constexpr float SIDE_RIGHT = 1.0f;
constexpr float SIDE_CENTRE = 0.5f;

GLCoord leftOf(const GLCoord& d) {
    return GLCoord(-d.y, d.x, 0.0, true);
}

GLCoord rightOf(const GLCoord& d) {
    return GLCoord(d.y, -d.x, 0.0, true);
}

GLCoord reversed(const GLCoord& d) {
    return GLCoord(-d.x, -d.y, 0.0, true);
}

// The first `limit` points of the line without consecutive repeats.
std::vector<GLCoord> distinctPoints(const GeoDataLine& line, size_t limit) {
    std::vector<GLCoord> points;
    points.reserve(limit);
    for (size_t i = 0; i < limit; ++i) {
        const GLCoord point(line.x(i), line.y(i), 0.0, true);
        if (points.empty() || points.back().x != point.x || points.back().y != point.y) {
            points.push_back(point);
        }
    }
    return points;
}

// Room for `extra` more elements, growing at least twofold so that many
// small lines appended to one object do not reallocate each time.
template <typename T>
void reserveMore(std::vector<T>& values, size_t extra) {
    const size_t needed = values.size() + extra;
    if (needed > values.capacity()) values.reserve(std::max(needed, 2 * values.capacity()));
}

}  // namespace

GLLinePolygonObject::GLLinePolygonObject(int type) : GLPolylineObject(type) {}

bool GLLinePolygonObject::initialize(const std::string& id, float zIndex,
                                     const std::vector<double>& vertices, const float color[4],
                                     int cap, int join, bool visible, float width) {
    GLObject::initialize(id, zIndex, vertices);
    m_visible = visible;
    setLineWidth(width);
    setUserColor(color);
    m_capType = cap;
    m_joinType = join;
    return true;
}

void GLLinePolygonObject::clear() {
    clearVertices();
    m_extrude.clear();
    m_side.clear();
    m_lineSofar.clear();
    m_joinFactor.clear();
    m_index.clear();
}

bool GLLinePolygonObject::registrateUserData() {
    clear();
    return isVisibleRegion(m_userVertices);
}

bool GLLinePolygonObject::isVisibleRegion(const std::vector<double>& flatXY) {
    return isVisibleRegion(toLine(flatXY));
}

GLLinePolygonObject::Outline GLLinePolygonObject::readLine(const GeoDataLine& line) {
    Outline outline;
    const size_t limit = std::min(line.getPtNum(), static_cast<size_t>(MAX_POINTS));
    if (limit < 2) return outline;
    outline.closed = line.x(0) == line.x(limit - 1) && line.y(0) == line.y(limit - 1);
    outline.points = distinctPoints(line, limit);
    return outline;
}

size_t GLLinePolygonObject::vertexCount(const Outline& outline) {
    const size_t m = outline.points.size();
    if (m < 2 || (outline.closed && m < 3)) return 0;
    return m * 4 + (outline.closed ? 0 : 2 * (CAP_SEGMENTS + 1));
}

bool GLLinePolygonObject::canAppend(const GeoDataLine& line) const {
    return hasRoomFor(vertexCount(readLine(line)));
}

bool GLLinePolygonObject::isVisibleRegion(const GeoDataLine& line) {
    const Outline outline = readLine(line);
    const size_t needed = vertexCount(outline);
    if (needed == 0) return false;
    if (!hasRoomFor(needed)) {
        K7D_LOG_WARNING("line left out: its vertices would overflow 16-bit indices", needed,
                        m_vertexCount);
        return false;
    }
    reserveVertices(needed);
    addExtrusion(outline);
    return true;
}

void GLLinePolygonObject::addExtrusion(const Outline& outline) {
    const std::vector<GLCoord>& points = outline.points;
    const bool closed = outline.closed;
    const size_t m = points.size();
    std::vector<GLCoord> directions;
    directions.reserve(m);
    for (size_t j = 0; j + 1 < m; ++j) directions.push_back(normal(points[j], points[j + 1]));
    Walk walk;
    float distanceSoFar = 0.0f;
    for (size_t i = 0; i < m; ++i) {
        GLCoord point = points[i];
        if (i > 0) distanceSoFar += static_cast<float>(distance(points[i - 1], point));
        GLCoord previous = i > 0 ? directions[i - 1] : (closed ? directions.back() : directions[0]);
        GLCoord next = i + 1 < m ? directions[i] : (closed ? directions[0] : directions.back());
        if (i == 0 && !closed) {
            GLCoord backwards = reversed(next);
            addRoundCap(point, backwards, distanceSoFar, CAP_SEGMENTS);
        }
        addJoinVertices(walk, point, previous, next, distanceSoFar);
        if (i + 1 == m && !closed) addRoundCap(point, previous, distanceSoFar, CAP_SEGMENTS);
    }
}

void GLLinePolygonObject::addJoinVertices(Walk& walk, const GLCoord& point,
                                          const GLCoord& previousDirection,
                                          const GLCoord& nextDirection, float distanceSoFar) {
    const GLCoord extrudes[4] = {leftOf(previousDirection), rightOf(previousDirection),
                                 leftOf(nextDirection), rightOf(nextDirection)};
    for (int k = 0; k < 4; ++k) {
        const float side = k % 2 == 0 ? SIDE_LEFT : SIDE_RIGHT;
        addStripVertex(walk, addVertex(point, extrudes[k].x, extrudes[k].y, side, distanceSoFar));
    }
}

void GLLinePolygonObject::addStripVertex(Walk& walk, uint16_t vertex) {
    if (walk.count >= 2) {
        m_index.push_back(walk.strip[0]);
        m_index.push_back(walk.strip[1]);
        m_index.push_back(vertex);
    }
    walk.strip[0] = walk.strip[1];
    walk.strip[1] = vertex;
    ++walk.count;
}

void GLLinePolygonObject::addRoundCap(GLCoord& point, GLCoord& direction, float distanceSoFar,
                                      int segments) {
    if (segments <= 2 || !hasRoomFor(static_cast<size_t>(segments) + 1)) return;
    const uint16_t centre = addVertex(point, 0.0, 0.0, SIDE_CENTRE, distanceSoFar);
    const double start = std::atan2(-direction.x, direction.y);
    uint16_t previousRim = 0;
    for (int k = 0; k < segments; ++k) {
        const double angle = start + k * PI / (segments - 1);
        const uint16_t rim =
            addVertex(point, std::cos(angle), std::sin(angle), SIDE_RIGHT, distanceSoFar);
        if (k > 0) {
            m_index.push_back(centre);
            m_index.push_back(previousRim);
            m_index.push_back(rim);
        }
        previousRim = rim;
    }
}

uint16_t GLLinePolygonObject::addVertex(const GLCoord& point, double extrudeX, double extrudeY,
                                        float sideY, float distanceSoFar) {
    addPoint(toUnsigned(point.x), toUnsigned(point.y));
    m_extrude.push_back(static_cast<float>(extrudeX));
    m_extrude.push_back(static_cast<float>(extrudeY));
    m_side.push_back(0.0f);
    m_side.push_back(sideY);
    m_lineSofar.push_back(distanceSoFar);
    return static_cast<uint16_t>(m_vertexCount++);
}

void GLLinePolygonObject::reserveVertices(size_t vertices) {
    reserveMore(m_points, 3 * vertices);
    reserveMore(m_extrude, 2 * vertices);
    reserveMore(m_side, 2 * vertices);
    reserveMore(m_lineSofar, vertices);
    // At most one triangle per vertex.
    reserveMore(m_index, 3 * vertices);
}

bool GLLinePolygonObject::hasRoomFor(size_t vertices) const {
    return static_cast<size_t>(m_vertexCount) + vertices <= MAX_VERTICES;
}

bool GLLinePolygonObject::checkQuadOnLine(const GLCoord& point) const {
    return std::fabs(point.x - m_tileSouthWest.x) <= QUAD_EDGE_MARGIN ||
           std::fabs(point.x - m_tileNorthEast.x) <= QUAD_EDGE_MARGIN ||
           std::fabs(point.y - m_tileSouthWest.y) <= QUAD_EDGE_MARGIN ||
           std::fabs(point.y - m_tileNorthEast.y) <= QUAD_EDGE_MARGIN;
}

void GLLinePolygonObject::setUserColor(const float color[4]) {
    setColor(makeColor(color[0] / 255.0f, color[1] / 255.0f, color[2] / 255.0f,
                       color[3] / 255.0f));
}

void GLLinePolygonObject::setTileRegion(const GLCoord& southWest, const GLCoord& northEast) {
    m_tileSouthWest = southWest;
    m_tileNorthEast = northEast;
}

void GLLinePolygonObject::setUserBoundingBox(const BoundingBox4& box) {
    m_userBox = box;
}

}  // namespace qiv

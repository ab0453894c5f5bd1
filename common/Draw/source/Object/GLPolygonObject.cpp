#include "GLPolygonObject.h"

#include <algorithm>

#include "EarClipping.h"
#include "K7DataIcn.h"

namespace qiv {

namespace {

constexpr size_t TRIANGLE_DOUBLES = 6;

}  // namespace

GLPolygonObject::GLPolygonObject() : GLPolygonObject(POLYGON_OBJECT) {}

GLPolygonObject::GLPolygonObject(int type) : GLPolygonBaseObject(type) {}

bool GLPolygonObject::initialize(const std::string& /*id*/, float zIndex,
                                 const std::vector<double>& outline,
                                 const std::vector<std::vector<double>>& holes,
                                 const float fillColor[4], const float strokeColor[4],
                                 float strokeWidth, bool visible) {
    m_visible = visible;
    m_zIndex = zIndex;
    storeStroke(strokeColor, strokeWidth);
    if (!setUserVertices(outline)) return false;
    setUserColor(fillColor);
    if (!holes.empty() && !setUserInnerPolygons(holes)) return false;
    updateUserStroke();
    return true;
}

void GLPolygonObject::setTextTexture(unsigned char* pixels) {
    m_textTexture = pixels;
}

void GLPolygonObject::setPolygonTexture(K7DataIcn* icon) {
    if (icon == nullptr) return;
    m_textureNo = icon->getContents();
    m_polygonTexture = true;
}

unsigned GLPolygonObject::getTextureNo() const {
    return m_textureNo;
}

void GLPolygonObject::clear() {
    clearVertices();
    m_innerPoints.clear();
}

bool GLPolygonObject::setUserVertices(const std::vector<double>& vertices) {
    std::vector<double> ring = closeRing(vertices);
    std::vector<double> triangles;
    if (!convertTrianglePolygons(ring, triangles)) return false;
    m_userOutline = std::move(ring);
    m_userTriangles = std::move(triangles);
    GLObject::setUserVertices(m_userTriangles);
    updateUserStroke();
    return true;
}

bool GLPolygonObject::setUserInnerPolygons(const std::vector<std::vector<double>>& holes) {
    std::vector<std::vector<double>> rings;
    std::vector<std::vector<double>> triangleLists;
    for (const std::vector<double>& hole : holes) {
        rings.push_back(closeRing(hole));
        triangleLists.emplace_back();
        if (!convertTrianglePolygons(rings.back(), triangleLists.back())) return false;
    }
    m_userHoles = std::move(rings);
    m_holeTriangles = std::move(triangleLists);
    updateUserStroke();
    return true;
}

bool GLPolygonObject::registrateUserData() {
    if (m_userOutline.empty()) return false;
    clear();
    for (size_t at = 0; at + TRIANGLE_DOUBLES <= m_userTriangles.size(); at += TRIANGLE_DOUBLES) {
        if (isTriangleVisible(m_userTriangles, at)) addTriangle(m_userTriangles, at);
    }
    const bool kept = m_vertexCount > 0;
    if (kept && !m_holeTriangles.empty()) registrateInnerPolygon();
    return kept;
}

void GLPolygonObject::registrateInnerPolygon() {
    m_innerPoints.clear();
    for (const std::vector<double>& triangles : m_holeTriangles) {
        for (size_t i = 0; i + 1 < triangles.size(); i += 2) {
            m_innerPoints.push_back(static_cast<float>(triangles[i] - m_offset[0]));
            m_innerPoints.push_back(static_cast<float>(triangles[i + 1] - m_offset[1]));
            m_innerPoints.push_back(0.0f);
        }
    }
}

bool GLPolygonObject::isVisibleRegion(const GeoDataLine& line) {
    const size_t count = line.getPtNum();
    if (count == 0 || count % 3 != 0) return false;
    for (size_t i = 0; i < count; ++i) addPoint(toUnsigned(line.x(i)), toUnsigned(line.y(i)));
    m_vertexCount += static_cast<int>(count);
    return true;
}

bool GLPolygonObject::setVerticesNoCheckArea(const std::vector<GLCoord>& points) {
    if (points.size() % 3 != 0) return false;
    for (const GLCoord& point : points) addPoint(toUnsigned(point.x), toUnsigned(point.y));
    m_vertexCount += static_cast<int>(points.size());
    return true;
}

bool GLPolygonObject::convertTrianglePolygons(const std::vector<double>& ring,
                                              std::vector<double>& triangles) {
    if (ring.size() < 6) return false;
    std::vector<GeoDataLine> found;
    EarClipping::polygon_triangulate(ring, &found);
    if (found.empty()) return false;
    triangles.clear();
    for (const GeoDataLine& triangle : found) {
        for (size_t i = 0; i < triangle.getPtNum(); ++i) {
            triangles.push_back(triangle.x(i));
            triangles.push_back(triangle.y(i));
        }
    }
    return true;
}

void GLPolygonObject::updateUserStroke() {
    std::vector<const std::vector<double>*> rings;
    if (!m_userOutline.empty()) rings.push_back(&m_userOutline);
    for (const std::vector<double>& hole : m_userHoles) rings.push_back(&hole);
    rebuildStrokes(rings);
}

void GLPolygonObject::addTriangle(const std::vector<double>& flatXY, size_t at) {
    for (size_t i = at; i < at + TRIANGLE_DOUBLES; i += 2) {
        addPoint(toUnsigned(flatXY[i]), toUnsigned(flatXY[i + 1]));
    }
    m_vertexCount += 3;
}

bool GLPolygonObject::isTriangleVisible(const std::vector<double>& flatXY, size_t at) const {
    GLCoord corners[3];
    for (int k = 0; k < 3; ++k) {
        corners[k] = GLCoord(flatXY[at + 2 * k], flatXY[at + 2 * k + 1], 0.0, true);
        if (m_visibleMin.x <= corners[k].x && corners[k].x <= m_visibleMax.x &&
            m_visibleMin.y <= corners[k].y && corners[k].y <= m_visibleMax.y) {
            return true;
        }
    }
    for (int k = 0; k < 3; ++k) {
        if (crossesVisibleBox(corners[k], corners[(k + 1) % 3])) return true;
    }
    const auto [minX, maxX] = std::minmax({corners[0].x, corners[1].x, corners[2].x});
    const auto [minY, maxY] = std::minmax({corners[0].y, corners[1].y, corners[2].y});
    return minX <= m_visibleMin.x && m_visibleMax.x <= maxX && minY <= m_visibleMin.y &&
           m_visibleMax.y <= maxY;
}

std::vector<double> GLPolygonObject::closeRing(const std::vector<double>& ring) {
    std::vector<double> closed(ring.begin(), ring.begin() + (ring.size() & ~size_t(1)));
    if (closed.size() >= 2 && !isCloseObject2D(closed)) {
        closed.push_back(closed[0]);
        closed.push_back(closed[1]);
    }
    return closed;
}

}  // namespace qiv

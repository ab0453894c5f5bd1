#include "GLCircleObject.h"

#include "EarClipping.h"

namespace qiv {

namespace {

constexpr size_t MIN_POINT_DOUBLES = 6;

}  // namespace

GLCircleObject::GLCircleObject() : GLPolygonBaseObject(CIRCLE_OBJECT) {}

bool GLCircleObject::initialize(const std::string& id, float zIndex,
                                const std::vector<double>& points, const float fillColor[4],
                                const float strokeColor[4], bool visible, float strokeWidth) {
    if (points.size() < MIN_POINT_DOUBLES) return false;
    GLObject::initialize(id, zIndex, points);
    m_visible = visible;
    setUserColor(fillColor);
    storeStroke(strokeColor, strokeWidth);
    updateUserStroke();
    return true;
}

void GLCircleObject::setUserVerticesCircle(const std::vector<double>& points) {
    m_userVertices = points;
    updateUserStroke();
}

void GLCircleObject::updateUserStroke() {
    if (m_userVertices.size() < MIN_POINT_DOUBLES) {
        m_strokeObjects.clear();
        return;
    }
    const std::vector<double> rim(m_userVertices.begin() + 2, m_userVertices.end());
    rebuildStrokes({&rim});
}

bool GLCircleObject::isVisibleRegion(const std::vector<double>& points) {
    if (points.size() < 2) return false;
    const GLCoord centre(points[0], points[1], 0.0, true);
    bool visible = false;
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        const GLCoord point(points[i], points[i + 1], 0.0, true);
        addPoint(toUnsigned(point.x), toUnsigned(point.y));
        ++m_vertexCount;
        visible = visible || (m_visibleMin.x <= point.x && point.x <= m_visibleMax.x &&
                              m_visibleMin.y <= point.y && point.y <= m_visibleMax.y) ||
                  crossesVisibleBox(point, centre);
    }
    return visible || containsVisibleCentre(points);
}

bool GLCircleObject::containsVisibleCentre(const std::vector<double>& points) const {
    const GeoBasePoint centre(points[0], points[1]);
    const GeoBasePoint boxCentre((m_visibleMin.x + m_visibleMax.x) / 2.0,
                                 (m_visibleMin.y + m_visibleMax.y) / 2.0);
    for (size_t i = 2; i + 3 < points.size(); i += 2) {
        const std::vector<GeoBasePoint> triangle = {centre, GeoBasePoint(points[i], points[i + 1]),
                                                    GeoBasePoint(points[i + 2], points[i + 3])};
        if (EarClipping::point_in_triangle(boxCentre, triangle)) return true;
    }
    return false;
}

void GLCircleObject::clear() {
    clearVertices();
}

bool GLCircleObject::registrateUserData() {
    if (m_userVertices.empty()) return false;
    clear();
    const std::vector<double> points = m_userVertices;
    return isVisibleRegion(points);
}

}  // namespace qiv

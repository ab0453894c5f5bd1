#include "GLGroundOverlayObject.h"

#include <algorithm>
#include <cmath>

namespace qiv {

namespace {

constexpr double DEGREES_TO_RADIANS = 0.017453292519943295;
constexpr size_t RGBA = 4;
constexpr unsigned char OPAQUE = 255;

}  // namespace

GLGroundOverlayObject::GLGroundOverlayObject() : GLPolygonObject(GROUND_OVERLAY_OBJECT) {}

bool GLGroundOverlayObject::initialize(const std::string& id, float zIndex, const float anchor[2],
                                       std::vector<unsigned char>* pixels, int width, int height,
                                       double s, double t, float opacity, float bearing,
                                       BoundingBox4 box, bool visible) {
    m_box = box;
    m_id = id;
    m_anchor[0] = anchor[0];
    m_anchor[1] = anchor[1];
    m_opacity = opacity;
    m_bearing = bearing;
    setUserImage(pixels, width, height, s, t);
    m_zIndex = zIndex;
    setUserBoundingBox(box);
    m_visible = visible;
    return true;
}

void GLGroundOverlayObject::setUserImage(std::vector<unsigned char>* pixels, int width, int height,
                                         double s, double t) {
    m_pixels = pixels;
    m_textureWidth = width;
    m_textureHeight = height;
    m_extentS = s;
    m_extentT = t;
    m_textureCoords.clear();
    if (hasTransparentPixel(pixels)) m_hasAlpha = true;
}

void GLGroundOverlayObject::setUserBearing(float bearing) {
    m_bearing = bearing;
    rotateModel();
}

void GLGroundOverlayObject::setUserBoundingBox(BoundingBox4& box) {
    m_box = box;
    rotateModel();
}

void GLGroundOverlayObject::setUserAnchor(float s, float t) {
    m_anchor[0] = s;
    m_anchor[1] = t;
}

void GLGroundOverlayObject::setUserOpacity(float opacity) {
    m_opacity = opacity;
}

void GLGroundOverlayObject::rotateModel() {
    const std::vector<double> quad = getPolygonsFromBBox(m_box);
    const std::vector<double> outline = {m_box.west, m_box.north, m_box.west, m_box.south,
                                         m_box.east, m_box.south, m_box.east, m_box.north,
                                         m_box.west, m_box.north};
    calculateBearingModel(quad, m_userTriangles, m_anchor[0], m_anchor[1], m_bearing);
    calculateBearingModel(outline, m_userOutline, m_anchor[0], m_anchor[1], m_bearing);
    m_userVertices = m_userTriangles;
}

std::vector<double> GLGroundOverlayObject::getPolygonsFromBBox(const BoundingBox4& box) {
    return {box.west, box.north, box.west, box.south, box.east, box.north,
            box.east, box.north, box.west, box.south, box.east, box.south};
}

void GLGroundOverlayObject::calculateBearingModel(const std::vector<double>& points,
                                                  std::vector<double>& out, float anchorS,
                                                  float anchorT, float bearing) {
    out.clear();
    if (points.size() < 2) return;
    double minX = points[0], maxX = points[0], minY = points[1], maxY = points[1];
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        minX = std::min(minX, points[i]);
        maxX = std::max(maxX, points[i]);
        minY = std::min(minY, points[i + 1]);
        maxY = std::max(maxY, points[i + 1]);
    }
    const double pivotX = minX + (maxX - minX) * anchorS;
    const double pivotY = minY + (1.0 - anchorT) * (maxY - minY);
    const double angle = -bearing * DEGREES_TO_RADIANS;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    for (size_t i = 0; i + 1 < points.size(); i += 2) {
        const double dx = points[i] - pivotX;
        const double dy = points[i + 1] - pivotY;
        out.push_back(pivotX + dx * c - dy * s);
        out.push_back(pivotY + dx * s + dy * c);
    }
}

std::vector<float> GLGroundOverlayObject::getTextureCoordforTriangles(double extentS,
                                                                      double extentT) {
    const float s = static_cast<float>(extentS);
    const float t = static_cast<float>(extentT);
    return {0.0f, 0.0f, 0.0f, t, s, 0.0f, s, 0.0f, 0.0f, t, s, t};
}

void GLGroundOverlayObject::clear() {
    clearVertices();
    m_innerPoints.clear();
    m_textureCoords.clear();
    if (m_buffer) {
        m_buffer->release();
        m_buffer.reset();
    }
}

bool GLGroundOverlayObject::isTransparent() const {
    return m_hasAlpha || m_opacity != 0.0f;
}

bool GLGroundOverlayObject::registrateUserData() {
    clear();
    for (size_t i = 0; i + 1 < m_userTriangles.size(); i += 2) {
        m_points.insert(m_points.end(), {m_userTriangles[i], m_userTriangles[i + 1], 0.0});
        ++m_vertexCount;
    }
    m_textureCoords = getTextureCoordforTriangles(m_extentS, m_extentT);
    m_buffer = std::make_shared<TexturedPolygonBuffer>();
    std::vector<PolygonTextureData>& records = m_buffer->getData();
    for (int v = 0; v < m_vertexCount; ++v) {
        records.push_back({static_cast<float>(m_points[3 * v] - m_offset[0]),
                           static_cast<float>(m_points[3 * v + 1] - m_offset[1]), 0.0f,
                           m_textureCoords[2 * v], m_textureCoords[2 * v + 1]});
    }
    m_buffer->update(records);
    return true;
}

bool GLGroundOverlayObject::hasTransparentPixel(const std::vector<unsigned char>* pixels) {
    if (pixels == nullptr) return false;
    for (size_t i = RGBA - 1; i < pixels->size(); i += RGBA) {
        if ((*pixels)[i] != OPAQUE) return true;
    }
    return false;
}

}  // namespace qiv

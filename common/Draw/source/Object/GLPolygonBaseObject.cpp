#include "GLPolygonBaseObject.h"

namespace qiv {

void GLPolygonBaseObject::setUserColor(const float color[4]) {
    setColor(makeColor(color[0] / 255.0f, color[1] / 255.0f, color[2] / 255.0f,
                       color[3] / 255.0f));
}

void GLPolygonBaseObject::setUserStrokeColor(const float color[4]) {
    m_strokeEnabled = color[3] != 0.0f;
    for (int i = 0; i < 4; ++i) m_strokeColor[i] = color[i];
    updateUserStroke();
}

void GLPolygonBaseObject::setUserStrokeWidth(float width) {
    m_strokeWidth = width;
    updateUserStroke();
}

void GLPolygonBaseObject::setUserVisible(bool visible) {
    GLObject::setUserVisible(visible);
    for (const auto& stroke : m_strokeObjects) stroke->setUserVisible(visible);
}

void GLPolygonBaseObject::updateUserStroke() {}

bool GLPolygonBaseObject::isPolygonTexture() const {
    return m_polygonTexture;
}

void GLPolygonBaseObject::setColor(const std::shared_ptr<float>& color) {
    GLObject::setColor(color);
    m_hasColor = static_cast<bool>(color);
}

void GLPolygonBaseObject::setZindex(float zIndex) {
    GLObject::setZindex(zIndex);
    for (const auto& stroke : m_strokeObjects) stroke->setZindex(zIndex + STROKE_Z_OFFSET);
}

bool GLPolygonBaseObject::isColor() const {
    return m_hasColor;
}

void GLPolygonBaseObject::storeStroke(const float color[4], float width) {
    m_strokeWidth = width;
    m_strokeEnabled = width > 0.0f && color[3] != 0.0f;
    if (!m_strokeEnabled) return;
    for (int i = 0; i < 4; ++i) m_strokeColor[i] = color[i];
}

void GLPolygonBaseObject::rebuildStrokes(const std::vector<const std::vector<double>*>& rings) {
    m_strokeObjects.clear();
    if (m_strokeWidth <= 0.0f || m_strokeColor[3] == 0.0f) return;
    for (const std::vector<double>* ring : rings) {
        auto stroke = std::make_shared<GLLinePolygonObject>();
        stroke->initialize(m_id, m_zIndex + STROKE_Z_OFFSET, *ring, m_strokeColor.data(), 0, 0,
                           m_visible, m_strokeWidth);
        m_strokeObjects.push_back(stroke);
    }
}

}  // namespace qiv

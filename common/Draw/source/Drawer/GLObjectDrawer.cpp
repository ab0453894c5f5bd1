#include "GLObjectDrawer.h"

#include <algorithm>

namespace qiv {

namespace {

// Tilts steeper than this are drawn at this angle.
const double kSteepestTilt = -60.0;

}  // namespace

std::mutex GLObjectDrawer::mtx;

GLObjectDrawer::GLObjectDrawer() {
    std::lock_guard<std::mutex> lock(mtx);
    glViewport(0, 0, 0, 0);
}

bool GLObjectDrawer::setShaderProgram(const std::shared_ptr<BaseShader>& program) {
    m_shaderProgram = program;
    return true;
}

void GLObjectDrawer::update(int width, int height, double pixelFactor) {
    m_windowWidth = width;
    m_windowHeight = height;
    m_pixelFactor = pixelFactor;
    updateView();
}

void GLObjectDrawer::setTextureID(unsigned) {}

void GLObjectDrawer::setPixelOffset(const std::shared_ptr<float>&) {}

void GLObjectDrawer::setLineWidth(float) {}

void GLObjectDrawer::setCameraPosition(const GLCoord& camera, double bearingValue,
                                       double tiltValue) {
    m_camera = camera;
    m_bearingValue = bearingValue;
    m_tiltValue = std::min(std::max(tiltValue, kSteepestTilt), 0.0);
    updateView();
}

void GLObjectDrawer::setWindowSize(int width, int height) {
    m_windowWidth = width;
    m_windowHeight = height;
}

void GLObjectDrawer::updateView() {
    {
        std::lock_guard<std::mutex> lock(mtx);
        glViewport(0, 0, m_windowWidth, m_windowHeight);
    }
    m_view.compute(m_camera, m_tiltValue, m_bearingValue, m_windowWidth, m_windowHeight,
                   m_pixelFactor);
}

void GLObjectDrawer::setPointSize(const float&) {}

void GLObjectDrawer::setZIndex(float zIndex) {
    m_zIndex = zIndex;
}

void GLObjectDrawer::enableGLSLParameter() {}

void GLObjectDrawer::disableGLSLParameter() {}

void GLObjectDrawer::uploadView(const BaseShader& shader) const {
    glUniformMatrix4fv(shader.getModelViewMatrixID(), 1, GL_FALSE, m_view.modelView().data());
    glUniformMatrix4fv(shader.getProjectionID(), 1, GL_FALSE, m_view.projection().data());
    glUniform2f(shader.getRotateinOriginID(), static_cast<float>(m_camera.x),
                static_cast<float>(m_camera.y));
}

void GLObjectDrawer::uploadDepth(const BaseShader& shader) const {
    glUniform1f(shader.getZIndexID(), m_zIndex);
    glUniform1f(shader.getNearID(), static_cast<float>(m_view.nearClip()));
    glUniform1f(shader.getFarID(), static_cast<float>(m_view.farClip()));
}

void GLObjectDrawer::enableAttribute(GLint location, GLint size, GLsizei stride,
                                     const void* pointer) {
    if (location < 0) {
        return;
    }
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE, stride, pointer);
}

void GLObjectDrawer::disableAttribute(GLint location) {
    if (location >= 0) {
        glDisableVertexAttribArray(static_cast<GLuint>(location));
    }
}

void GLObjectDrawer::constantAttribute(GLint location, int size, const float* values) {
    if (location < 0) {
        return;
    }
    glDisableVertexAttribArray(static_cast<GLuint>(location));
    if (size == 1) {
        glVertexAttrib1fv(static_cast<GLuint>(location), values);
    } else {
        glVertexAttrib2fv(static_cast<GLuint>(location), values);
    }
}

void GLObjectDrawer::unbindBuffers() {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

GLsizei GLObjectDrawer::clientVertexCount() const {
    const int held = static_cast<int>(m_vertexArray.size() / 3);
    return std::max(0, std::min(m_vertexCount, held));
}

GLsizei GLObjectDrawer::boundBufferRecords(size_t stride) {
    GLint bytes = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
    return static_cast<GLsizei>(static_cast<size_t>(std::max(bytes, 0)) / stride);
}

bool GLObjectDrawer::indicesBelow(size_t vertices) const {
    return std::all_of(m_indexArray.begin(), m_indexArray.end(),
                       [vertices](uint16_t index) { return index < vertices; });
}

void GLObjectDrawer::blendOn(GLenum sourceFactor) const {
    glEnable(GL_BLEND);
    glBlendFunc(sourceFactor, GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace qiv

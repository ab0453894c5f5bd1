#include "GLTexturedPatternPolygonDrawer.h"

#include "GLUtility.h"

namespace qiv {

namespace {

// World units per screen pixel at zero tilt are 2 x camera height / (this x
// pixel factor); the inverse of the projection's scale.
const double kPlaneScale = 1500.0;

}  // namespace

bool GLTexturedPatternPolygonDrawer::initialize() {
    return adoptProgram(m_program);
}

void GLTexturedPatternPolygonDrawer::setTextureInfo(const textureInfo& info) {
    m_textureInfo = info;
    m_texture = info.texture < 0 ? 0 : static_cast<GLuint>(info.texture);
    m_textureUnit =
        info.unit >= static_cast<int>(GL_TEXTURE0) ? static_cast<GLenum>(info.unit) : GL_TEXTURE0;
}

bool GLTexturedPatternPolygonDrawer::draw() {
    if (!m_program) {
        return false;
    }
    computePatternCoordinates();
    std::lock_guard<std::mutex> lock(mtx);
    enableGLSLParameter();
    glActiveTexture(m_textureUnit);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glUniform1i(m_program->getSampler(), static_cast<GLint>(m_textureUnit - GL_TEXTURE0));
    glUniform2f(m_program->getTileSizeID(), m_textureInfo.sizeU, m_textureInfo.sizeV);
    glUniform2f(m_program->getTileOffsetID(), m_textureInfo.offsetU, m_textureInfo.offsetV);
    uploadView(*m_program);
    uploadDepth(*m_program);
    enableAttribute(m_program->getPositionID(), 3, 12, m_vertexArray.data());
    enableAttribute(m_program->getUVID(), 2, 8, m_patternCoordinates.data());
    glDrawArrays(m_drawMode, 0, clientVertexCount());
    disableGLSLParameter();
    GLUtility::checkGlError("GLTexturedPatternPolygonDrawer::draw");
    return true;
}

void GLTexturedPatternPolygonDrawer::enableGLSLParameter() {
    blendOn(GL_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    unbindBuffers();
    glUseProgram(m_program->getProgramID());
}

void GLTexturedPatternPolygonDrawer::disableGLSLParameter() {
    disableAttribute(m_program->getPositionID());
    disableAttribute(m_program->getUVID());
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
}

void GLTexturedPatternPolygonDrawer::computePatternCoordinates() {
    const double repeat[2] = {repeatLength(0), repeatLength(1)};
    const size_t vertices = m_vertexArray.size() / 3;
    m_patternCoordinates.assign(vertices * 2, 0.0f);
    for (size_t v = 0; v < vertices; ++v) {
        for (int axis = 0; axis < 2; ++axis) {
            if (repeat[axis] > 0.0) {
                m_patternCoordinates[v * 2 + axis] =
                    static_cast<float>(m_vertexArray[v * 3 + axis] / repeat[axis]);
            }
        }
    }
}

double GLTexturedPatternPolygonDrawer::repeatLength(int axis) const {
    if (!(m_pixelFactor > 0.0)) {
        return 0.0;
    }
    const double unitsPerPixel = 2.0 * m_camera.z / (kPlaneScale * m_pixelFactor);
    return m_textureInfo.iconSize * unitsPerPixel * m_patternScale[axis];
}

}  // namespace qiv

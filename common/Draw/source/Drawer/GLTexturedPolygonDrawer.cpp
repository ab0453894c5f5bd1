#include "GLTexturedPolygonDrawer.h"

#include <algorithm>
#include <cstddef>

#include "GLUtility.h"

namespace qiv {

namespace {

const GLuint kNoTexture = 0xFFFFFFFFu;
const GLint kTextureUnit = 3;
const GLsizei kStride = sizeof(PolygonTextureData);

}  // namespace

bool GLTexturedPolygonDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLTexturedPolygonDrawer::draw() {
    if (!m_program || m_vertexBuffer == 0) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mtx);
    enableGLSLParameter();
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const GLsizei count =
        std::min(std::max(m_vertexCount, 0), boundBufferRecords(sizeof(PolygonTextureData)));
    enableAttribute(m_program->getPositionID(), 3, kStride,
                    bufferField(offsetof(PolygonTextureData, x)));
    enableAttribute(m_program->getTextureCoordID(), 2, kStride,
                    bufferField(offsetof(PolygonTextureData, s)));
    uploadView(*m_program);
    glUniform1f(m_program->getAlphaID(), m_alpha);
    glUniform1i(m_program->getSampler(), kTextureUnit);
    uploadDepth(*m_program);
    blendOn(GL_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0 + kTextureUnit);
    glBindTexture(GL_TEXTURE_2D, m_texture == kNoTexture ? 0 : m_texture);
    glDrawArrays(m_drawMode, 0, count);
    disableGLSLParameter();
    GLUtility::checkGlError("GLTexturedPolygonDrawer::draw");
    return true;
}

void GLTexturedPolygonDrawer::enableGLSLParameter() {
    glEnable(GL_DEPTH_TEST);
    glUseProgram(m_program->getProgramID());
}

void GLTexturedPolygonDrawer::disableGLSLParameter() {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_DEPTH_TEST);
    disableAttribute(m_program->getPositionID());
    disableAttribute(m_program->getTextureCoordID());
    glUseProgram(0);
}

}  // namespace qiv

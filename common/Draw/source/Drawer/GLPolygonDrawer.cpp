#include "GLPolygonDrawer.h"

#include "GLUtility.h"

namespace qiv {

bool GLPolygonDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLPolygonDrawer::draw() {
    if (!m_program || !m_color) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mtx);
    enableGLSLParameter();
    uploadView(*m_program);
    glUniform4fv(m_program->getColorID(), 1, m_color.get());
    uploadDepth(*m_program);
    enableAttribute(m_program->getPositionID(), 3, 12, m_vertexArray.data());
    glDrawArrays(m_drawMode, 0, clientVertexCount());
    disableGLSLParameter();
    GLUtility::checkGlError("GLPolygonDrawer::draw");
    return true;
}

void GLPolygonDrawer::enableGLSLParameter() {
    blendOn(GL_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    unbindBuffers();
    glUseProgram(m_program->getProgramID());
}

void GLPolygonDrawer::disableGLSLParameter() {
    disableAttribute(m_program->getPositionID());
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
}

}  // namespace qiv

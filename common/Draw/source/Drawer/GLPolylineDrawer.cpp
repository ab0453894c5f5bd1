#include "GLPolylineDrawer.h"

#include "GLUtility.h"

namespace qiv {

bool GLPolylineDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLPolylineDrawer::draw() {
    if (!m_program || !m_color || !indicesBelow(m_vertexArray.size() / 3)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mtx);
    enableGLSLParameter();
    enableAttribute(m_program->getPositionID(), 3, 12, m_vertexArray.data());
    uploadView(*m_program);
    glUniform4fv(m_program->getColorID(), 1, m_color.get());
    uploadDepth(*m_program);
    glLineWidth(m_lineWidth);
    glDrawElements(m_drawMode, static_cast<GLsizei>(m_indexArray.size()), GL_UNSIGNED_SHORT,
                   m_indexArray.data());
    disableGLSLParameter();
    GLUtility::checkGlError("GLPolylineDrawer::draw");
    return true;
}

void GLPolylineDrawer::enableGLSLParameter() {
    glEnable(GL_DEPTH_TEST);
    unbindBuffers();
    glUseProgram(m_program->getProgramID());
}

void GLPolylineDrawer::disableGLSLParameter() {
    disableAttribute(m_program->getPositionID());
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
}

}  // namespace qiv

#include "GLPolygonLineDrawer.h"

#include <algorithm>

#include "GLUtility.h"

namespace qiv {

bool GLPolygonLineDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLPolygonLineDrawer::draw() {
    if (!m_program || !m_color || !indicesBelow(fedVertices())) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mtx);
    enableGLSLParameter();
    uploadView(*m_program);
    glUniformMatrix4fv(m_program->getExMatrixID(), 1, GL_FALSE, m_view.projection().data());
    glUniform2fv(m_program->getLineWidthID(), 1, m_lineWidth.data());
    glUniform2f(m_program->getDashArrayID(), 0.0f, 0.0f);
    glUniform4fv(m_program->getColorID(), 1, m_color.get());
    glUniform1f(m_program->getBlurID(), m_blur);
    glUniform1f(m_program->getScaleID(), m_scale);
    uploadDepth(*m_program);
    enableAttribute(m_program->getPositionID(), 3, 12, m_vertexArray.data());
    enableAttribute(m_program->getExtrudeID(), 2, 8, m_extrude.data());
    enableAttribute(m_program->getNormalID(), 2, 8, m_normal.data());
    glDrawElements(m_drawMode, static_cast<GLsizei>(m_indexArray.size()), GL_UNSIGNED_SHORT,
                   m_indexArray.data());
    disableGLSLParameter();
    GLUtility::checkGlError("GLPolygonLineDrawer::draw");
    return true;
}

void GLPolygonLineDrawer::enableGLSLParameter() {
    blendOn(GL_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    unbindBuffers();
    glUseProgram(m_program->getProgramID());
}

// The program stays bound: the next drawer binds its own.
void GLPolygonLineDrawer::disableGLSLParameter() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    disableAttribute(m_program->getPositionID());
    disableAttribute(m_program->getExtrudeID());
    disableAttribute(m_program->getNormalID());
}

size_t GLPolygonLineDrawer::fedVertices() const {
    return std::min({m_vertexArray.size() / 3, m_extrude.size() / 2, m_normal.size() / 2});
}

}  // namespace qiv

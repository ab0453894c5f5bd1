#include "GLCircleDrawer.h"

#include <algorithm>
#include <cstddef>

#include "GLUtility.h"

namespace qiv {

namespace {

const GLsizei kStride = sizeof(PolygonData);

}  // namespace

bool GLCircleDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLCircleDrawer::draw() {
    if (!m_program || m_vertexBuffer == 0) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mtx);
    enableGLSLParameter();
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const GLsizei count =
        std::min(std::max(m_vertexCount, 0), boundBufferRecords(sizeof(PolygonData)));
    enableAttribute(m_program->getPositionID(), 3, kStride, bufferField(offsetof(PolygonData, x)));
    enableAttribute(m_program->getColorID(), 4, kStride, bufferField(offsetof(PolygonData, r)));
    uploadView(*m_program);
    uploadDepth(*m_program);
    glDrawArrays(m_drawMode, 0, count);
    disableGLSLParameter();
    GLUtility::checkGlError("GLCircleDrawer::draw");
    return true;
}

void GLCircleDrawer::enableGLSLParameter() {
    blendOn(GL_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glUseProgram(m_program->getProgramID());
}

void GLCircleDrawer::disableGLSLParameter() {
    disableAttribute(m_program->getPositionID());
    disableAttribute(m_program->getColorID());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glUseProgram(0);
}

}  // namespace qiv

#include "GLLineJoinDrawer.h"

#include <algorithm>
#include <cmath>

#include "GLUtility.h"

namespace qiv {

namespace {

const double kRadiansPerDegree = 0.017453292519943295;

}  // namespace

bool GLLineJoinDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLLineJoinDrawer::draw() {
    const size_t fed = std::min(m_vertexArray.size() / 3, m_joinFactor.size());
    if (!m_program || !m_color || !indicesBelow(fed)) {
        return false;
    }
    enableGLSLParameter();
    enableAttribute(m_program->getPositionID(), 3, 12, m_vertexArray.data());
    enableAttribute(m_program->getZFactorID(), 1, 4, m_joinFactor.data());
    uploadView(*m_program);
    glUniform2fv(m_program->getLineWidthID(), 1, m_lineWidth.data());
    glUniform1f(m_program->getPointSizeID(), m_pointSize);
    glUniform2f(m_program->getWindowID(), 0.5f * static_cast<float>(m_windowWidth),
                0.5f * static_cast<float>(m_windowHeight));
    glUniform1f(m_program->getZIndexID(), m_zIndex);
    glUniform4fv(m_program->getTiltMatrixID(), 1, m_tiltVector.data());
    glUniform4fv(m_program->getColorID(), 1, m_color.get());
    glDrawElements(m_drawMode, static_cast<GLsizei>(m_indexArray.size()), GL_UNSIGNED_SHORT,
                   m_indexArray.data());
    disableGLSLParameter();
    GLUtility::checkGlError("GLLineJoinDrawer::draw");
    return true;
}

void GLLineJoinDrawer::updateView() {
    GLObjectDrawer::updateView();
    const double tilt = m_tiltValue * kRadiansPerDegree;
    m_tiltVector = {1.0f, static_cast<float>(std::cos(tilt)), static_cast<float>(std::sin(tilt)),
                    1.0f};
}

void GLLineJoinDrawer::enableGLSLParameter() {
    blendOn(GL_SRC_ALPHA);
    unbindBuffers();
    glUseProgram(m_program->getProgramID());
}

void GLLineJoinDrawer::disableGLSLParameter() {
    disableAttribute(m_program->getPositionID());
    disableAttribute(m_program->getZFactorID());
    glDisable(GL_BLEND);
    glUseProgram(0);
}

}  // namespace qiv

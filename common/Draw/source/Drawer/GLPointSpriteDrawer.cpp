#include "GLPointSpriteDrawer.h"

#include "GLUtility.h"
#include "Matrix4.h"

namespace qiv {

namespace {

const unsigned kHighestOwnUnit = 5;
const GLenum kSingleSpriteUnit = GL_TEXTURE3;

}  // namespace

bool GLPointSpriteDrawer::initialize() {
    return adoptProgram(m_program);
}

bool GLPointSpriteDrawer::draw() {
    if (!m_program || !m_vertices) {
        return false;
    }
    enableGLSLParameter();
    enableAttribute(m_program->getPositionID(), 3, 12, m_vertices.get());
    const float noOffset[2] = {0.0f, 0.0f};
    constantAttribute(m_program->getPointSizeID(), 1, &m_pointSize);
    constantAttribute(m_program->getPixelOffsetID(), 2,
                      m_pixelOffset ? m_pixelOffset.get() : noOffset);
    uploadView(*m_program);
    uploadSpriteUniforms(*m_program, kSingleSpriteUnit);
    bindSpriteTexture(kSingleSpriteUnit);
    glDrawArrays(m_drawMode, 0, 1);
    disableGLSLParameter();
    GLUtility::checkGlError("GLPointSpriteDrawer::draw");
    return true;
}

void GLPointSpriteDrawer::enableGLSLParameter() {
    glDisable(GL_DEPTH_TEST);
    blendOn(GL_SRC_ALPHA);
    unbindBuffers();
    glUseProgram(m_program->getProgramID());
}

void GLPointSpriteDrawer::disableGLSLParameter() {
    disableAttribute(m_program->getPositionID());
    releaseSpriteState();
    glUseProgram(0);
}

GLenum GLPointSpriteDrawer::getTextureUnitNo() const {
    if (m_textureUnit > kHighestOwnUnit) {
        return GL_TEXTURE6;
    }
    return GL_TEXTURE0 + m_textureUnit;
}

void GLPointSpriteDrawer::setModelRotationZAngle(float degrees) {
    m_modelRotation = Matrix4::rotationZ(degrees).toFloats();
}

void GLPointSpriteDrawer::setModelRotationXAngle(float degrees) {
    m_modelRotation = Matrix4::rotationX(degrees).toFloats();
}

void GLPointSpriteDrawer::uploadSpriteUniforms(const PointSpriteShader& program,
                                               GLenum unit) const {
    glUniformMatrix4fv(program.getModelRotateMatrixID(), 1, GL_FALSE, m_modelRotation.data());
    glUniform2f(program.getWindowSizeID(), static_cast<float>(m_windowWidth),
                static_cast<float>(m_windowHeight));
    glUniform1i(program.getSampler(), static_cast<GLint>(unit - GL_TEXTURE0));
}

void GLPointSpriteDrawer::bindSpriteTexture(GLenum unit) const {
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, m_texture);
}

void GLPointSpriteDrawer::releaseSpriteState() const {
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glDisable(GL_BLEND);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

}  // namespace qiv

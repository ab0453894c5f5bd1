#include "GLAtlasPointSpriteDrawer.h"

#include <algorithm>

#include "GLUtility.h"

namespace qiv {

namespace {

// Field offsets of a sprite record: position (3 floats), texture size on the
// atlas (2), point size (1), pixel offset (2), texture offset (2), aspect
// (1), angle (1), then an int and the atlas size, which no program reads.
const void* fieldAt(size_t bytes) {
    return reinterpret_cast<const void*>(bytes);
}

}  // namespace

bool GLAtlasPointSpriteDrawer::initialize() {
    return adoptProgram(m_atlasProgram);
}

bool GLAtlasPointSpriteDrawer::draw() {
    if (!m_atlasProgram || m_vertexBuffer == 0) {
        return false;
    }
    enableGLSLParameter();
    glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const GLsizei count = spriteCount();
    enableSpriteAttributes();
    uploadView(*m_atlasProgram);
    uploadSpriteUniforms(*m_atlasProgram, getTextureUnitNo());
    blendOn(GL_ONE);
    bindSpriteTexture(getTextureUnitNo());
    glDrawArrays(m_drawMode, 0, count);
    disableGLSLParameter();
    GLUtility::checkGlError("GLAtlasPointSpriteDrawer::draw");
    return true;
}

void GLAtlasPointSpriteDrawer::enableGLSLParameter() {
    glDisable(GL_DEPTH_TEST);
    glUseProgram(m_atlasProgram->getProgramID());
}

void GLAtlasPointSpriteDrawer::disableGLSLParameter() {
    for (GLint location :
         {m_atlasProgram->getPositionID(), m_atlasProgram->getTextureCoordPointSizeID(),
          m_atlasProgram->getPointSizeID(), m_atlasProgram->getPixelOffsetID(),
          m_atlasProgram->getTextureCoordID(), m_atlasProgram->getAspectID(),
          m_atlasProgram->getAngleID()}) {
        disableAttribute(location);
    }
    glUseProgram(0);
    releaseSpriteState();
}

GLsizei GLAtlasPointSpriteDrawer::spriteCount() const {
    const GLsizei held = boundBufferRecords(kRecordBytes);
    if (!(m_pointSize > 0.0f)) {
        return 0;
    }
    return static_cast<GLsizei>(std::min(static_cast<double>(m_pointSize), static_cast<double>(held)));
}

void GLAtlasPointSpriteDrawer::enableSpriteAttributes() const {
    const GLsizei stride = kRecordBytes;
    enableAttribute(m_atlasProgram->getPositionID(), 3, stride, fieldAt(0));
    enableAttribute(m_atlasProgram->getTextureCoordPointSizeID(), 2, stride, fieldAt(12));
    enableAttribute(m_atlasProgram->getPointSizeID(), 1, stride, fieldAt(20));
    enableAttribute(m_atlasProgram->getPixelOffsetID(), 2, stride, fieldAt(24));
    enableAttribute(m_atlasProgram->getTextureCoordID(), 2, stride, fieldAt(32));
    enableAttribute(m_atlasProgram->getAspectID(), 1, stride, fieldAt(40));
    enableAttribute(m_atlasProgram->getAngleID(), 1, stride, fieldAt(44));
}

}  // namespace qiv

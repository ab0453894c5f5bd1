#include "GLAtlasPointSpriteDrawer.h"

#include <algorithm>
#include <cstddef>

#include "GLUtility.h"

namespace qiv {

namespace {

const GLsizei kStride = sizeof(PointObjectData);

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
    const GLsizei held = boundBufferRecords(sizeof(PointObjectData));
    if (!(m_pointSize > 0.0f)) {
        return 0;
    }
    return static_cast<GLsizei>(
        std::min(static_cast<double>(m_pointSize), static_cast<double>(held)));
}

void GLAtlasPointSpriteDrawer::enableSpriteAttributes() const {
    const AtlasPointSpriteShader& p = *m_atlasProgram;
    enableAttribute(p.getPositionID(), 3, kStride, bufferField(offsetof(PointObjectData, x)));
    enableAttribute(p.getTextureCoordPointSizeID(), 2, kStride,
                    bufferField(offsetof(PointObjectData, textureSizeU)));
    enableAttribute(p.getPointSizeID(), 1, kStride,
                    bufferField(offsetof(PointObjectData, pointSize)));
    enableAttribute(p.getPixelOffsetID(), 2, kStride,
                    bufferField(offsetof(PointObjectData, pixelOffsetX)));
    enableAttribute(p.getTextureCoordID(), 2, kStride,
                    bufferField(offsetof(PointObjectData, textureOffsetU)));
    enableAttribute(p.getAspectID(), 1, kStride, bufferField(offsetof(PointObjectData, aspect)));
    enableAttribute(p.getAngleID(), 1, kStride, bufferField(offsetof(PointObjectData, angle)));
}

}  // namespace qiv

#ifndef TOLKMAPS_DRAW_ATLASPOINTSPRITESHADER_H
#define TOLKMAPS_DRAW_ATLASPOINTSPRITESHADER_H

#include "PointSpriteShader.h"

namespace qiv {

// Point sprites that each show a sub-rectangle of an atlas texture: the
// rectangle starts at "TextureCoordIn" and has the size "TextureCoordPointSize"
// (texture units). It is rotated about its centre by the vertex's "azAngle"
// (degrees) and clipped to the centred rectangle of the icon's aspect
// ("aAspect", height / width) shrunk by sqrt(2), so that a rotated icon keeps
// inside its square. Colours are written premultiplied by alpha.
class AtlasPointSpriteShader : public PointSpriteShader {
public:
    AtlasPointSpriteShader();
    bool initializeProgram() override;

    GLint getTextureCoordID() const { return m_textureCoord; }
    GLint getTextureCoordPointSizeID() const { return m_textureCoordPointSize; }
    GLint getAngleID() const { return m_angle; }
    GLint getAspectID() const { return m_aspect; }

private:
    GLint m_textureCoord = -1;
    GLint m_textureCoordPointSize = -1;
    GLint m_angle = -1;
    GLint m_aspect = -1;
};

}  // namespace qiv

#endif

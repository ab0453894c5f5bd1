#ifndef TOLKMAPS_DRAW_TEXTUREDPOLYGONSHADER_H
#define TOLKMAPS_DRAW_TEXTUREDPOLYGONSHADER_H

#include "BaseShader.h"

namespace qiv {

// Textured triangles ("aTexCoord", "sampler") scaled by an overall alpha "uAlpha".
class TexturedPolygonShader : public BaseShader {
public:
    TexturedPolygonShader();
    bool initializeProgram() override;

    GLint getTextureCoordID() const { return m_textureCoord; }
    GLint getSampler() const { return m_sampler; }
    GLint getAlphaID() const { return m_alpha; }

private:
    GLint m_textureCoord = -1;
    GLint m_sampler = -1;
    GLint m_alpha = -1;
};

}  // namespace qiv

#endif

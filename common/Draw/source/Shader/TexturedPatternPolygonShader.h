#ifndef TOLKMAPS_DRAW_TEXTUREDPATTERNPOLYGONSHADER_H
#define TOLKMAPS_DRAW_TEXTUREDPATTERNPOLYGONSHADER_H

#include "BaseShader.h"

namespace qiv {

// An area filled with a repeating tile cut from the texture region
// "tileOffset" of size "tileSize": the texture coordinate is
// tileOffset + tileSize * fract(uv) horizontally and uv.y vertically.
class TexturedPatternPolygonShader : public BaseShader {
public:
    TexturedPatternPolygonShader();
    bool initializeProgram() override;

    GLint getUVID() const { return m_uv; }
    GLint getTileSizeID() const { return m_tileSize; }
    GLint getTileOffsetID() const { return m_tileOffset; }
    GLint getSampler() const { return m_sampler; }

private:
    GLint m_uv = -1;
    GLint m_tileSize = -1;
    GLint m_tileOffset = -1;
    GLint m_sampler = -1;
};

}  // namespace qiv

#endif

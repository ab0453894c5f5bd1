#ifndef TOLKMAPS_DRAW_GLATLASPOINTSPRITEDRAWER_H
#define TOLKMAPS_DRAW_GLATLASPOINTSPRITEDRAWER_H

#include "AtlasPointSpriteShader.h"
#include "GLPointSpriteDrawer.h"
#include "PointObjectData.h"
#include "textureInfo.h"

namespace qiv {

// Labels and icons: every sprite record of a vertex buffer (PointObjectData,
// as the label organizer uploads them) in one draw call, each showing its
// own part of an atlas texture. The point size value is the number of
// sprites. Colours arrive premultiplied, so it blends with (1, 1 - source
// alpha); the depth test is off and stays off afterwards, so labels lie over
// the map whatever its z-indices.
class GLAtlasPointSpriteDrawer : public GLPointSpriteDrawer {
public:
    bool initialize() override;
    // Draws the sprite count (the point size truncated, at most the records
    // the buffer holds) from the texture unit of getTextureUnitNo; false
    // without a program or a vertex buffer.
    bool draw() override;
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

    // The atlas the sprites come from; kept for the caller, not read by draw.
    void setTextureInfo(const textureInfo& info) { m_textureInfo = info; }
    const textureInfo& getTextureInfo() const { return m_textureInfo; }

private:
    GLsizei spriteCount() const;
    void enableSpriteAttributes() const;

    std::shared_ptr<AtlasPointSpriteShader> m_atlasProgram;
    textureInfo m_textureInfo;
};

}  // namespace qiv

#endif

#ifndef TOLKMAPS_DRAW_GLTEXTUREDPATTERNPOLYGONDRAWER_H
#define TOLKMAPS_DRAW_GLTEXTUREDPATTERNPOLYGONDRAWER_H

#include "GLObjectDrawer.h"
#include "TexturedPatternPolygonShader.h"
#include "textureInfo.h"

namespace qiv {

// Areas from the client vertex array filled with an icon of an icon atlas,
// repeated across the ground. One repeat is the icon's sprite side in screen
// pixels at zero tilt, times the pattern scale values. Blends with the
// source alpha and tests depth.
class GLTexturedPatternPolygonDrawer : public GLObjectDrawer {
public:
    bool initialize() override;
    // False without a program.
    bool draw() override;
    void setTextureID(unsigned texture) override { m_texture = texture; }
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

    // The pattern icon: its atlas texture, unit and place in the atlas.
    void setTextureInfo(const textureInfo& info);
    // Multiplies the repeat length in x and y; (1, 1) by default.
    void setPatternScale(float scaleX, float scaleY) { m_patternScale = {scaleX, scaleY}; }

private:
    // Pattern coordinates (2 floats) per vertex of the vertex array.
    void computePatternCoordinates();
    double repeatLength(int axis) const;

    std::shared_ptr<TexturedPatternPolygonShader> m_program;
    GLuint m_texture = 0;
    GLenum m_textureUnit = GL_TEXTURE0;
    textureInfo m_textureInfo;
    std::array<float, 2> m_patternScale = {1.0f, 1.0f};
    std::vector<float> m_patternCoordinates;
};

}  // namespace qiv

#endif

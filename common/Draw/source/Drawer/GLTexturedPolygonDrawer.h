#ifndef TOLKMAPS_DRAW_GLTEXTUREDPOLYGONDRAWER_H
#define TOLKMAPS_DRAW_GLTEXTUREDPOLYGONDRAWER_H

#include "GLObjectDrawer.h"
#include "PolygonTextureData.h"
#include "TexturedPolygonShader.h"

namespace qiv {

// Textured triangles from a vertex buffer of PolygonTextureData records
// (position, texture coordinate): ground overlays. The texture
// is sampled from unit GL_TEXTURE3 and scaled by the alpha; blends with the
// source alpha and tests depth.
class GLTexturedPolygonDrawer : public GLObjectDrawer {
public:
    bool initialize() override;
    // Draws the vertex count, at most the records the buffer holds; false
    // without a program or a vertex buffer.
    bool draw() override;
    // The texture name; 0xFFFFFFFF (no texture) draws with none bound.
    void setTextureID(unsigned texture) override { m_texture = texture; }
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

    // Overall opacity, 0 .. 1.
    void setAlpha(float alpha) { m_alpha = alpha; }
    float getAlpha() const { return m_alpha; }

private:
    std::shared_ptr<TexturedPolygonShader> m_program;
    GLuint m_texture = 0;
    float m_alpha = 0.0f;
};

}  // namespace qiv

#endif

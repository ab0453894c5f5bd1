#ifndef TOLKMAPS_DRAW_GLPOINTSPRITEDRAWER_H
#define TOLKMAPS_DRAW_GLPOINTSPRITEDRAWER_H

#include "GLObjectDrawer.h"
#include "PointSpriteShader.h"

namespace qiv {

// One textured point sprite at the position given with setVertices, the
// point size wide and moved by the pixel offset (screen pixels, y down); the
// texture turns inside the sprite by the model rotation. Sampled from unit
// GL_TEXTURE3 whatever the unit number, blended with the source alpha, drawn without depth test.
// Base of the atlas sprite drawer, which shares the texture unit and the
// model rotation.
class GLPointSpriteDrawer : public GLObjectDrawer {
public:
    bool initialize() override;
    // False without a program or a position.
    bool draw() override;
    void setTextureID(unsigned texture) override { m_texture = texture; }
    void setPixelOffset(const std::shared_ptr<float>& offset) override { m_pixelOffset = offset; }
    void setPointSize(const float& size) override { m_pointSize = size; }
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

    // Texture unit number n: GL_TEXTURE0 + n is used for n from 0 to 5.
    void setTextureUnitNo(unsigned unit) { m_textureUnit = unit; }
    // GL_TEXTURE0 + the unit number, GL_TEXTURE6 for numbers above 5.
    GLenum getTextureUnitNo() const;
    // The model rotation becomes the rotation about z (or x) by `degrees`.
    void setModelRotationZAngle(float degrees);
    void setModelRotationXAngle(float degrees);
    const std::array<float, 16>& getModelRotation() const { return m_modelRotation; }
    float getPointSize() const { return m_pointSize; }

protected:
    // "uRotMatrix", "uwindowSize", and "sampler" for the texture unit `unit`.
    void uploadSpriteUniforms(const PointSpriteShader& program, GLenum unit) const;
    // The texture on `unit` (GL_TEXTURE0 + n).
    void bindSpriteTexture(GLenum unit) const;
    // Blend, texture and buffer off; the active unit back to GL_TEXTURE0.
    void releaseSpriteState() const;

    GLuint m_texture = 0;
    float m_pointSize = 0.0f;

private:
    std::shared_ptr<PointSpriteShader> m_program;
    unsigned m_textureUnit = 0;
    std::array<float, 16> m_modelRotation{};
};

}  // namespace qiv

#endif

#ifndef TOLKMAPS_DRAW_POINTSPRITESHADER_H
#define TOLKMAPS_DRAW_POINTSPRITESHADER_H

#include "BaseShader.h"

namespace qiv {

// One textured point sprite per vertex, "pointSize" pixels wide, moved by
// "pixelOffset" screen pixels (y down) after the perspective division;
// "uwindowSize" is the viewport in pixels. Inside the sprite the texture
// coordinate is rotated about its centre by "uRotMatrix"; fragments with
// alpha 0 are discarded.
class PointSpriteShader : public BaseShader {
public:
    PointSpriteShader();
    bool initializeProgram() override;

    GLint getPointSizeID() const { return m_pointSize; }
    GLint getPixelOffsetID() const { return m_pixelOffset; }
    GLint getSampler() const { return m_sampler; }
    GLint getModelRotateMatrixID() const { return m_modelRotateMatrix; }
    GLint getWindowSizeID() const { return m_windowSize; }

protected:
    // For subclasses that build their own program instead of this one.
    struct NoBuild {};
    explicit PointSpriteShader(NoBuild) {}
    // The names every point-sprite program has.
    void lookUpPointSpriteLocations();

private:
    GLint m_pointSize = -1;
    GLint m_pixelOffset = -1;
    GLint m_sampler = -1;
    GLint m_modelRotateMatrix = -1;
    GLint m_windowSize = -1;
};

}  // namespace qiv

#endif

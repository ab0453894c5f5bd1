#ifndef TOLKMAPS_DRAW_LINEJOINSHADER_H
#define TOLKMAPS_DRAW_LINEJOINSHADER_H

#include "BaseShader.h"

namespace qiv {

// Round point sprites of one colour ("uColor"), sized "pointSize" x "zFactor".
// The fragment stage declares "ulineWidth"; the lookup of "uLineWidth" finds
// nothing and the width does not affect the output.
class LineJoinShader : public BaseShader {
public:
    LineJoinShader();
    bool initializeProgram() override;

    GLint getZFactorID() const { return m_zFactor; }
    GLint getColorID() const { return m_color; }
    GLint getLineWidthID() const { return m_lineWidth; }
    GLint getPointSizeID() const { return m_pointSize; }
    GLint getTiltMatrixID() const { return m_tiltMatrix; }
    GLint getWindowID() const { return m_window; }

private:
    GLint m_zFactor = -1;
    GLint m_color = -1;
    GLint m_lineWidth = -1;
    GLint m_pointSize = -1;
    GLint m_tiltMatrix = -1;
    GLint m_window = -1;
};

}  // namespace qiv

#endif

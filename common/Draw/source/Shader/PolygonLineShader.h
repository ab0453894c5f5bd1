#ifndef TOLKMAPS_DRAW_POLYGONLINESHADER_H
#define TOLKMAPS_DRAW_POLYGONLINESHADER_H

#include "BaseShader.h"

namespace qiv {

// Extruded lines with antialiased edges: each vertex moves by
// 4 x "vLineWidth".s x "vExtrude" world units, and the fragment alpha fades over
// "blur" towards the edge (fully transparent fragments are discarded).
// "uExMatrix", "uScale", "u_dasharray" and "linesofar" do not affect the output.
class PolygonLineShader : public BaseShader {
public:
    PolygonLineShader();
    bool initializeProgram() override;

    GLint getExtrudeID() const { return m_extrude; }
    GLint getNormalID() const { return m_normal; }
    GLint getLineSofarID() const { return m_lineSofar; }
    GLint getColorID() const { return m_color; }
    GLint getExMatrixID() const { return m_exMatrix; }
    GLint getLineWidthID() const { return m_lineWidth; }
    GLint getDashArrayID() const { return m_dashArray; }
    GLint getBlurID() const { return m_blur; }
    GLint getScaleID() const { return m_scale; }

private:
    GLint m_extrude = -1;
    GLint m_normal = -1;
    GLint m_lineSofar = -1;
    GLint m_color = -1;
    GLint m_exMatrix = -1;
    GLint m_lineWidth = -1;
    GLint m_dashArray = -1;
    GLint m_blur = -1;
    GLint m_scale = -1;
};

}  // namespace qiv

#endif

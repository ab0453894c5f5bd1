#ifndef TOLKMAPS_DRAW_GLPOLYLINEDRAWER_H
#define TOLKMAPS_DRAW_GLPOLYLINEDRAWER_H

#include "GLObjectDrawer.h"
#include "PolylineShader.h"

namespace qiv {

// Plain GL lines of one colour from the client vertex and index arrays,
// the line width in pixels wide; tests depth.
class GLPolylineDrawer : public GLObjectDrawer {
public:
    bool initialize() override;
    // False without a program or a colour, or when an index names a vertex
    // beyond the vertex array.
    bool draw() override;
    void setLineWidth(float width) override { m_lineWidth = width; }
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

private:
    std::shared_ptr<PolylineShader> m_program;
    float m_lineWidth = 0.0f;
};

}  // namespace qiv

#endif

#ifndef TOLKMAPS_DRAW_GLCIRCLEDRAWER_H
#define TOLKMAPS_DRAW_GLCIRCLEDRAWER_H

#include "CircleShader.h"
#include "GLObjectDrawer.h"
#include "PolygonData.h"

namespace qiv {

// Triangles with a colour per vertex from a vertex buffer of PolygonData
// records (position, colour 0 .. 1).
// Blends with the source alpha and tests depth.
class GLCircleDrawer : public GLObjectDrawer {
public:
    bool initialize() override;
    // Draws the vertex count, at most the records the buffer holds; false
    // without a program or a vertex buffer.
    bool draw() override;
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

private:
    std::shared_ptr<CircleShader> m_program;
};

}  // namespace qiv

#endif

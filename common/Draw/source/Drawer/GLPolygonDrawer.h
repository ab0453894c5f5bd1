#ifndef TOLKMAPS_DRAW_GLPOLYGONDRAWER_H
#define TOLKMAPS_DRAW_GLPOLYGONDRAWER_H

#include "GLObjectDrawer.h"
#include "PolygonShader.h"

namespace qiv {

// Filled areas in one colour from the client vertex array: map areas,
// application polygons, their holes, circles and the tile masks. Blends with
// the source alpha and tests depth, so that the z-index orders areas.
class GLPolygonDrawer : public GLObjectDrawer {
public:
    bool initialize() override;
    // Draws the vertex count (at most what the vertex array holds) with the
    // draw mode; false without a program or a colour.
    bool draw() override;
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

private:
    std::shared_ptr<PolygonShader> m_program;
};

}  // namespace qiv

#endif

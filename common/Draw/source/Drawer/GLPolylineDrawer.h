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

    // GL buffer of indices; kept for the caller, the draw reads the index array.
    void setindexVBO(GLuint buffer) { m_indexBuffer = buffer; }
    GLuint getIndexVBO() const { return m_indexBuffer; }

private:
    std::shared_ptr<PolylineShader> m_program;
    float m_lineWidth = 0.0f;
    GLuint m_indexBuffer = 0;
};

}  // namespace qiv

#endif

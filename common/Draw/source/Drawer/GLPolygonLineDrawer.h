#ifndef TOLKMAPS_DRAW_GLPOLYGONLINEDRAWER_H
#define TOLKMAPS_DRAW_GLPOLYGONLINEDRAWER_H

#include "GLObjectDrawer.h"
#include "PolygonLineShader.h"

namespace qiv {

// Extruded, antialiased lines from client arrays: map lines, application
// lines and polygon strokes. Each vertex moves 4 x the half width times its
// extrude vector (world units); the side array tells the two edges apart so
// the program can fade the alpha over "blur" towards them. Blends with the
// source alpha and tests depth, so that the z-index orders lines and areas.
class GLPolygonLineDrawer : public GLObjectDrawer {
public:
    using GLObjectDrawer::setLineWidth;

    bool initialize() override;
    // Draws the index array; false (and no GL call) without a program or a
    // colour, or when an index names a vertex beyond the position, extrude
    // or side array.
    bool draw() override;
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

    // Half width in world units and its second component ("vLineWidth").
    void setLineWidth(const std::array<float, 2>& width) { m_lineWidth = width; }
    // Width of the faded edge in world units.
    void setBlur(float blur) { m_blur = blur; }
    void setScale(float scale) { m_scale = scale; }
    // Per vertex: extrude direction (2 floats), distance along the line
    // (1 float, kept but not fed to the program), side (2 floats).
    void setExtrude(const std::vector<float>& extrude) { m_extrude = extrude; }
    void setLineSofar(const std::vector<float>& distances) { m_lineSofar = distances; }
    void setNormal(const std::vector<float>& sides) { m_normal = sides; }

    const std::array<float, 2>& getLineWidth() const { return m_lineWidth; }
    float getBlur() const { return m_blur; }

private:
    size_t fedVertices() const;

    std::shared_ptr<PolygonLineShader> m_program;
    std::vector<float> m_extrude;
    std::vector<float> m_normal;
    std::vector<float> m_lineSofar;
    std::array<float, 2> m_lineWidth{};
    float m_blur = 0.0f;
    float m_scale = 0.0f;
};

}  // namespace qiv

#endif

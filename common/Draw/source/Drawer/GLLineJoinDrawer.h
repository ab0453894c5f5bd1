#ifndef TOLKMAPS_DRAW_GLLINEJOINDRAWER_H
#define TOLKMAPS_DRAW_GLLINEJOINDRAWER_H

#include "GLObjectDrawer.h"
#include "LineJoinShader.h"

namespace qiv {

// Round point sprites of one colour at line joints, from the client vertex
// and index arrays; each sprite is the point size times its join factor
// pixels wide. Blends with the source alpha; no depth test.
class GLLineJoinDrawer : public GLObjectDrawer {
public:
    using GLObjectDrawer::setLineWidth;

    bool initialize() override;
    // False without a program or a colour, or when an index names a vertex
    // beyond the vertex or join-factor array.
    bool draw() override;
    void setPointSize(const float& size) override { m_pointSize = size; }
    // Also derives the tilt vector from the tilt value.
    void updateView() override;
    void enableGLSLParameter() override;
    void disableGLSLParameter() override;

    void setLineWidth(const std::array<float, 2>& width) { m_lineWidth = width; }
    // One size factor per vertex.
    void setJoinFactor(const std::vector<float>& factors) { m_joinFactor = factors; }
    // (1, cos tilt, sin tilt, 1): how the tilt squashes a round join.
    const std::array<float, 4>& getTiltVector() const { return m_tiltVector; }

private:
    std::shared_ptr<LineJoinShader> m_program;
    std::vector<float> m_joinFactor;
    std::array<float, 2> m_lineWidth{};
    float m_pointSize = 0.0f;
    std::array<float, 4> m_tiltVector{};
};

}  // namespace qiv

#endif

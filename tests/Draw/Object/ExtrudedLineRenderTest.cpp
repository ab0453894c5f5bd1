#include <GLES2/gl2.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../ProgramDrawing.h"
#include "GLLinePolygonObject.h"
#include "GLTestContext.h"
#include "PolygonLineShader.h"
#include "ShaderController.h"

using namespace qiv;

namespace {

using RGBA = GLTestContext::RGBA;
const RGBA kBlack = {0, 0, 0, 255};
const RGBA kRed = {255, 0, 0, 255};

// World units are pixels here: the projection maps (0 .. 512) onto the view.
// The program moves each edge 4 x the half width from the centre line, so a
// half width of 2.5 gives a line 20 pixels wide and caps of radius 10.
constexpr float kHalfWidth = 2.5f;

class ExtrudedLineTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        m_controller = std::make_unique<ShaderController>();
        m_shader = std::dynamic_pointer_cast<PolygonLineShader>(
            m_controller->getShaderProgram(POLYGON_LINE_OBJECT));
        ASSERT_NE(m_shader, nullptr);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // Draws the object's triangles the way the line drawer feeds the program.
    void draw(GLLinePolygonObject& line) {
        line.offsetPoint(0, 0);
        drawing::View view;
        view.projection = {2.0f / kWidth, 0, 0, 0, 0, 2.0f / kHeight, 0, 0,
                           0, 0, 1, 0, -1, -1, 0, 1};
        const BaseShader& base = *m_shader;
        glUseProgram(base.getProgramID());
        drawing::setView(base, view);
        glUniformMatrix4fv(m_shader->getExMatrixID(), 1, GL_FALSE, view.projection.data());
        glUniform2f(m_shader->getLineWidthID(), kHalfWidth, kHalfWidth * 0.005f);
        glUniform2f(m_shader->getDashArrayID(), 0, 0);
        glUniform4f(m_shader->getColorID(), 1, 0, 0, 1);
        glUniform1f(m_shader->getBlurID(), 0.1f);
        glUniform1f(m_shader->getScaleID(), 1.0f);
        const GLint position = base.getPositionID();
        glEnableVertexAttribArray(position);
        glEnableVertexAttribArray(m_shader->getExtrudeID());
        glEnableVertexAttribArray(m_shader->getNormalID());
        glVertexAttribPointer(position, 3, GL_FLOAT, GL_FALSE, 12, line.getPoints().data());
        glVertexAttribPointer(m_shader->getExtrudeID(), 2, GL_FLOAT, GL_FALSE, 8, line.getExtrude().data());
        glVertexAttribPointer(m_shader->getNormalID(), 2, GL_FLOAT, GL_FALSE, 8, line.getSide().data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(line.getIndex().size()), GL_UNSIGNED_SHORT,
                       line.getIndex().data());
        glDisableVertexAttribArray(position);
        glDisableVertexAttribArray(m_shader->getExtrudeID());
        glDisableVertexAttribArray(m_shader->getNormalID());
        glUseProgram(0);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // The pixel at world (x, y), y up.
    RGBA at(double x, double y) {
        return gl().readPixel(static_cast<int>(x), kHeight - 1 - static_cast<int>(y));
    }

    std::unique_ptr<ShaderController> m_controller;
    std::shared_ptr<PolygonLineShader> m_shader;
};

struct Probe {
    double x, y;
    RGBA colour;
    std::string what;
};

}  // namespace

// An L-shaped open line (100,100) -> (300,100) -> (300,300), 20 pixels wide.
TEST_F(ExtrudedLineTest, LineBodyJoinAndCapsCoverTheRightPixels) {
    GLLinePolygonObject line(POLYGON_LINE_OBJECT);
    ASSERT_TRUE(line.isVisibleRegion(std::vector<double>{100, 100, 300, 100, 300, 300}));
    draw(line);

    const std::vector<Probe> probes = {
        {200.5, 100.5, kRed, "centre of the first segment"},
        {200.5, 106.5, kRed, "inside its width"},
        {200.5, 93.5, kRed, "inside its width, other side"},
        {200.5, 114.5, kBlack, "beyond its width"},
        {300.5, 200.5, kRed, "centre of the second segment"},
        {286.5, 200.5, kBlack, "beside the second segment"},
        {303.5, 96.5, kRed, "outer corner, inside the bevel"},
        {308.5, 91.5, kBlack, "outer corner, beyond the bevel"},
        {93.5, 100.5, kRed, "start cap"},
        {95.5, 104.5, kRed, "start cap off the axis"},
        {86.5, 100.5, kBlack, "beyond the start cap"},
        {300.5, 307.5, kRed, "end cap"},
        {300.5, 314.5, kBlack, "beyond the end cap"},
        {150.5, 200.5, kBlack, "inside the L, away from the line"},
    };
    for (const Probe& p : probes) EXPECT_EQ(at(p.x, p.y), p.colour) << p.what;
}

TEST_F(ExtrudedLineTest, ClosedRingHasNoGapAtItsFirstCorner) {
    GLLinePolygonObject line(POLYGON_LINE_OBJECT);
    ASSERT_TRUE(line.isVisibleRegion(std::vector<double>{100, 100, 400, 100, 400, 400, 100, 400, 100, 100}));
    draw(line);
    EXPECT_EQ(at(96.5, 96.5), kRed) << "outer bevel at the first corner";
    EXPECT_EQ(at(403.5, 403.5), kRed) << "outer bevel at the opposite corner";
    EXPECT_EQ(at(88.5, 100.5), kBlack) << "no cap sticks out of the first corner";
    EXPECT_EQ(at(250.5, 250.5), kBlack) << "the ring's inside stays empty";
}

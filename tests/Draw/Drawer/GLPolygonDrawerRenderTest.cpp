#include <gtest/gtest.h>

#include <cmath>

#include "DrawerFixture.h"
#include "GLPolygonDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};
const GLTestContext::RGBA kBlue = {0, 0, 255, 255};

class GLPolygonDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLPolygonDrawer>(POLYGON_OBJECT);
    }
    bool fill(const std::vector<float>& vertices, const std::shared_ptr<float>& rgba,
              float zIndex = 0, GLenum mode = GL_TRIANGLES) {
        m_drawer->setVertexArray(vertices);
        m_drawer->setVertexCount(static_cast<int>(vertices.size() / 3));
        m_drawer->setDrawMode(mode);
        m_drawer->setZIndex(zIndex);
        m_drawer->setColor(rgba);
        return m_drawer->draw();
    }

    std::shared_ptr<GLPolygonDrawer> m_drawer;
};

}  // namespace

TEST_F(GLPolygonDrawerTest, FillsTheAreaWithItsColourAndNothingElse) {
    ASSERT_TRUE(fill(square(-50, -20, 30, 40), colour(0, 1, 0, 1)));

    EXPECT_EQ(at(-10, 10), kGreen);
    EXPECT_EQ(at(-49, -19), kGreen);
    EXPECT_EQ(at(29, 39), kGreen);
    EXPECT_EQ(at(-52, 0), kBlack);
    EXPECT_EQ(at(32, 0), kBlack);
    EXPECT_EQ(at(0, 42), kBlack);
    EXPECT_EQ(at(0, -22), kBlack);
}

TEST_F(GLPolygonDrawerTest, TriangleFanDrawsACircleFromItsCentre) {
    // Centre, then the rim of a hexagon, closed.
    std::vector<float> fan = {0, 0, 0};
    for (int i = 0; i <= 6; ++i) {
        const double angle = i * 3.141592653589793 / 3;
        fan.insert(fan.end(), {float(60 * std::cos(angle)), float(60 * std::sin(angle)), 0});
    }
    ASSERT_TRUE(fill(fan, colour(0, 0, 1, 1), 0, GL_TRIANGLE_FAN));

    EXPECT_EQ(at(0, 0), kBlue);
    EXPECT_EQ(at(-45, -20), kBlue);
    EXPECT_EQ(at(0, 58), kBlack) << "between two rim points, outside the hexagon";
}

TEST_F(GLPolygonDrawerTest, BlendsWithTheSourceAlpha) {
    clear({1, 1, 1, 1});
    ASSERT_TRUE(fill(square(-20, -20, 20, 20), colour(1, 0, 0, 0.5f)));

    EXPECT_TRUE(closeTo(at(0, 0), {255, 128, 128, 255})) << int(at(0, 0)[1]);
}

TEST_F(GLPolygonDrawerTest, HigherZIndexCoversWhateverTheDrawingOrder) {
    // The draw controller passes 16 x the object's z-index.
    ASSERT_TRUE(fill(square(-60, -60, 20, 20), colour(1, 0, 0, 1), 16 * 2));
    ASSERT_TRUE(fill(square(-20, -20, 60, 60), colour(0, 1, 0, 1), 16 * 1));
    ASSERT_TRUE(fill(square(0, -60, 60, 0), colour(0, 0, 1, 1), 16 * 3));

    EXPECT_EQ(at(-10, 10), kRed) << "the lower area drawn later must stay behind";
    EXPECT_EQ(at(40, 40), kGreen);
    EXPECT_EQ(at(10, -10), kBlue) << "the higher area drawn last must cover both";
    EXPECT_EQ(at(-40, -40), kRed);
}

TEST_F(GLPolygonDrawerTest, LeavesBlendDepthAndProgramOff) {
    glEnable(GL_BLEND);
    ASSERT_TRUE(fill(square(-5, -5, 5, 5), colour(1, 1, 1, 1)));

    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLPolygonDrawerTest, RefusesWhatItCannotDrawSafely) {
    // No colour: nothing to fill with.
    EXPECT_FALSE(fill(square(-50, -50, 50, 50), nullptr));
    EXPECT_EQ(at(0, 0), kBlack);

    // A program of another kind leaves the drawer without one.
    GLPolygonDrawer wrongProgram;
    wrongProgram.setShaderProgram(m_programs->getShaderProgram(POLYGON_LINE_OBJECT));
    EXPECT_FALSE(wrongProgram.initialize());
    wrongProgram.setVertexArray(square(-50, -50, 50, 50));
    wrongProgram.setVertexCount(6);
    wrongProgram.setColor(colour(1, 1, 1, 1));
    EXPECT_FALSE(wrongProgram.draw());
    EXPECT_EQ(at(0, 0), kBlack);
}

TEST_F(GLPolygonDrawerTest, VertexCountBeyondTheArrayDrawsOnlyTheArray) {
    m_drawer->setVertexArray(square(-10, -10, 10, 10));
    m_drawer->setVertexCount(60000);
    m_drawer->setDrawMode(GL_TRIANGLES);
    m_drawer->setColor(colour(0, 1, 0, 1));

    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(0, 0), kGreen);
    EXPECT_EQ(at(30, 30), kBlack);
}

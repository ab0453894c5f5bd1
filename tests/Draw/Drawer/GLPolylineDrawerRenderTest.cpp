#include <gtest/gtest.h>

#include "DrawerFixture.h"
#include "GLPolylineDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};

class GLPolylineDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLPolylineDrawer>(POLYLINE_OBJECT);
        // An L: along y = 10.5 from x -100 to 100, then down along x = 100.5.
        m_drawer->setVertexArray({-100, 10.5f, 0, 100.5f, 10.5f, 0, 100.5f, -100, 0});
        m_drawer->setIndexArray({0, 1, 1, 2});
        m_drawer->setDrawMode(GL_LINES);
        m_drawer->setLineWidth(1.0f);
        m_drawer->setColor(colour(0, 1, 0, 1));
    }

    std::shared_ptr<GLPolylineDrawer> m_drawer;
};

}  // namespace

TEST_F(GLPolylineDrawerTest, DrawsIndexedLinesInItsColour) {
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(0, 11), kGreen);
    EXPECT_EQ(at(100, -50), kGreen);
    EXPECT_EQ(at(0, 14), kBlack);
    EXPECT_EQ(at(0, 0), kBlack);
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
}

TEST_F(GLPolylineDrawerTest, RefusesWithoutColourOrWithAnIndexPastTheVertices) {
    m_drawer->setColor(nullptr);
    EXPECT_FALSE(m_drawer->draw());
    m_drawer->setColor(colour(0, 1, 0, 1));
    m_drawer->setIndexArray({0, 1, 1, 3});
    EXPECT_FALSE(m_drawer->draw());
    EXPECT_EQ(at(0, 11), kBlack);
}

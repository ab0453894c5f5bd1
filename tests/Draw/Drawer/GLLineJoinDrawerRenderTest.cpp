#include <gtest/gtest.h>

#include "DrawerFixture.h"
#include "GLLineJoinDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kYellow = {255, 255, 0, 255};

class GLLineJoinDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLLineJoinDrawer>(LINE_JOIN_OBJECT);
        m_drawer->setVertexArray({-60, 20, 0, 80, -40, 0});
        m_drawer->setJoinFactor({1.0f, 2.0f});
        m_drawer->setIndexArray({0, 1});
        m_drawer->setPointSize(12);
        m_drawer->setLineWidth(std::array<float, 2>{6, 0});
        m_drawer->setDrawMode(GL_POINTS);
        m_drawer->setColor(colour(1, 1, 0, 1));
    }

    std::shared_ptr<GLLineJoinDrawer> m_drawer;
};

}  // namespace

TEST_F(GLLineJoinDrawerTest, DrawsRoundJointsScaledByTheirFactor) {
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_EQ(at(-60, 20), kYellow);
    EXPECT_EQ(at(-60 + 5, 20 + 5), kBlack) << "the corner of a 12 pixel sprite is cut round";
    EXPECT_EQ(at(80 + 9, -40), kYellow) << "factor 2 doubles the joint";
    EXPECT_EQ(at(80 + 14, -40), kBlack);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
}

TEST_F(GLLineJoinDrawerTest, RefusesWithoutColourOrWithAnIndexPastTheFactors) {
    m_drawer->setColor(nullptr);
    EXPECT_FALSE(m_drawer->draw());
    m_drawer->setColor(colour(1, 1, 0, 1));
    m_drawer->setJoinFactor({1.0f});
    EXPECT_FALSE(m_drawer->draw());
    EXPECT_EQ(at(-60, 20), kBlack);
}

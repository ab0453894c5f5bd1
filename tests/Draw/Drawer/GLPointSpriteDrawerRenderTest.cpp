#include <gtest/gtest.h>

#include <cmath>

#include "DrawerFixture.h"
#include "GLPointSpriteDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};

class GLPointSpriteDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLPointSpriteDrawer>(POINT_SPRITE_OBJECT);
        m_drawer->setVertices(
            std::shared_ptr<float>(new float[3]{40, -30, 0}, std::default_delete<float[]>()));
        m_drawer->setPointSize(32);
        m_drawer->setDrawMode(GL_POINTS);
        m_drawer->setModelRotationZAngle(0);
        // Left half red, right half green.
        m_drawer->setTextureID(texture({255, 0, 0, 255, 0, 255, 0, 255}, 2, 1));
    }

    std::shared_ptr<GLPointSpriteDrawer> m_drawer;
};

}  // namespace

TEST_F(GLPointSpriteDrawerTest, DrawsOneSpriteAtItsPositionMovedByThePixelOffset) {
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(40 - 8, -30), kRed);
    EXPECT_EQ(at(40 + 8, -30), kGreen);
    EXPECT_EQ(at(40 + 20, -30), kBlack);

    clear({0, 0, 0, 1});
    m_drawer->setPixelOffset(
        std::shared_ptr<float>(new float[2]{-100, 50}, std::default_delete<float[]>()));
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(40 - 100 - 8, -30 - 50), kRed) << "offset in pixels, y down";
    EXPECT_EQ(at(40 - 8, -30), kBlack);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
}

TEST_F(GLPointSpriteDrawerTest, ModelRotationTurnsTheImageInsideTheSprite) {
    m_drawer->setModelRotationZAngle(180);
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(40 - 8, -30), kGreen);
    EXPECT_EQ(at(40 + 8, -30), kRed);

    m_drawer->setModelRotationZAngle(90);
    const auto& m = m_drawer->getModelRotation();
    EXPECT_NEAR(m[0], 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(m[1], 1.0f);
    EXPECT_FLOAT_EQ(m[4], -1.0f);
    EXPECT_NEAR(m[5], 0.0f, 1e-6f);
    EXPECT_EQ(m[10], 1.0f);
    EXPECT_EQ(m[15], 1.0f);
    EXPECT_EQ(m[2] + m[3] + m[6] + m[7] + m[8] + m[9] + m[11] + m[12] + m[13] + m[14], 0.0f);
}

TEST_F(GLPointSpriteDrawerTest, WithoutPositionNothingIsDrawn) {
    m_drawer->setVertices(nullptr);
    EXPECT_FALSE(m_drawer->draw());
    EXPECT_EQ(at(40 - 8, -30), kBlack);
}

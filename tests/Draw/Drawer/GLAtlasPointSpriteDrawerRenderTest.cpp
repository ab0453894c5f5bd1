#include <gtest/gtest.h>

#include "DrawerFixture.h"
#include "GLAtlasPointSpriteDrawer.h"
#include "GLPolygonDrawer.h"
#include "TextureAtlasBuffer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};
const GLTestContext::RGBA kBlue = {0, 0, 255, 255};

// An atlas of two images side by side: red on the left, green on the right.
const std::vector<uint8_t> kTwoImages = {255, 0, 0, 255, 0, 255, 0, 255};

// A 24-pixel sprite at (x, y) showing the atlas half that starts at offsetU,
// moved by (pixelX, pixelY) screen pixels.
PointObjectData sprite(float x, float y, float offsetU, float pixelX, float pixelY) {
    PointObjectData record;
    record.x = x;
    record.y = y;
    record.textureSizeU = 0.5f;
    record.textureSizeV = 1.0f;
    record.pointSize = 24;
    record.pixelOffsetX = pixelX;
    record.pixelOffsetY = pixelY;
    record.textureOffsetU = offsetU;
    record.aspect = 1.0f;
    record.atlasSize = 2.0f;
    return record;
}

class GLAtlasPointSpriteDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLAtlasPointSpriteDrawer>(ATLAS_POINT_SPRITE_OBJECT);
        m_drawer->setVertexBuffer(buffer<TextureAtlasBuffer>(std::vector<PointObjectData>{
            sprite(-100, 0, 0.0f, 0, 0), sprite(100, 0, 0.5f, 10, -20)}));
        m_drawer->setDrawMode(GL_POINTS);
        m_drawer->setModelRotationZAngle(0);
        m_drawer->setTextureUnitNo(3);
        m_drawer->setTextureID(texture(kTwoImages, 2, 1));
        m_drawer->setPointSize(2);
    }
    // Where the two sprites show: the first at its position, the second
    // moved 10 pixels right and 20 up.
    GLTestContext::RGBA first() { return at(-100, 0); }
    GLTestContext::RGBA second() { return at(110, 20); }

    std::shared_ptr<GLAtlasPointSpriteDrawer> m_drawer;
};

}  // namespace

TEST_F(GLAtlasPointSpriteDrawerTest, EverySpriteShowsItsOwnImageAtItsPixelOffset) {
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_EQ(first(), kRed);
    EXPECT_EQ(at(-100 + 5, 0 + 5), kRed);
    EXPECT_EQ(second(), kGreen);
    EXPECT_EQ(at(100, 0), kBlack) << "the offset must move the sprite";
    EXPECT_EQ(at(-100 + 11, 0), kBlack) << "the corners of the sprite square are cut off";
}

TEST_F(GLAtlasPointSpriteDrawerTest, PointSizeValueIsTheSpriteCount) {
    struct Case {
        float pointSize;
        bool first, second;
    };
    const Case cases[] = {
        {0, false, false},   {-3, false, false}, {1, true, false},
        {1.9f, true, false}, {2, true, true},    {5000, true, true},
    };
    for (const Case& c : cases) {
        clear({0, 0, 0, 1});
        m_drawer->setPointSize(c.pointSize);
        ASSERT_TRUE(m_drawer->draw());
        EXPECT_EQ(first(), c.first ? kRed : kBlack) << "point size " << c.pointSize;
        EXPECT_EQ(second(), c.second ? kGreen : kBlack) << "point size " << c.pointSize;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "point size " << c.pointSize;
    }
}

TEST_F(GLAtlasPointSpriteDrawerTest, LabelsLieOverTheMapAndLeaveTheDepthTestOff) {
    auto areas = makeDrawer<GLPolygonDrawer>(POLYGON_OBJECT);
    areas->setVertexArray(square(-200, -100, 200, 100));
    areas->setVertexCount(6);
    areas->setDrawMode(GL_TRIANGLES);
    areas->setColor(colour(0, 0, 1, 1));
    areas->setZIndex(16 * 100);
    ASSERT_TRUE(areas->draw());

    glEnable(GL_DEPTH_TEST);
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(first(), kRed) << "a label must not hide behind a high area";
    EXPECT_EQ(second(), kGreen);
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);

    // The next area draw tests depth again: a lower area drawn later stays behind.
    areas->setVertexArray(square(-50, -50, 50, 50));
    areas->setColor(colour(0, 1, 0, 1));
    areas->setZIndex(16 * 1);
    ASSERT_TRUE(areas->draw());
    EXPECT_EQ(at(0, 0), kBlue);
}

TEST_F(GLAtlasPointSpriteDrawerTest, SamplesTheAtlasFromItsTextureUnit) {
    struct Case {
        unsigned unitNumber;
        GLenum unit;
    };
    const Case cases[] = {
        {0, GL_TEXTURE0}, {3, GL_TEXTURE3}, {5, GL_TEXTURE5}, {6, GL_TEXTURE6}, {9, GL_TEXTURE6},
    };
    for (const Case& c : cases) {
        clear({0, 0, 0, 1});
        m_drawer->setTextureUnitNo(c.unitNumber);
        EXPECT_EQ(m_drawer->getTextureUnitNo(), c.unit) << "unit number " << c.unitNumber;
        ASSERT_TRUE(m_drawer->draw());
        EXPECT_EQ(first(), kRed) << "unit number " << c.unitNumber;
        EXPECT_EQ(second(), kGreen) << "unit number " << c.unitNumber;
    }
}

TEST_F(GLAtlasPointSpriteDrawerTest, WithoutVertexBufferNothingIsDrawn) {
    m_drawer->setVertexBuffer(0);
    EXPECT_FALSE(m_drawer->draw());
    EXPECT_EQ(first(), kBlack);
}

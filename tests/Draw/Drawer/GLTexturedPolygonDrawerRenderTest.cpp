#include <gtest/gtest.h>

#include "DrawerFixture.h"
#include "GLTexturedPolygonDrawer.h"
#include "TexturedPolygonBuffer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kWhite = {255, 255, 255, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};
const GLTestContext::RGBA kBlue = {0, 0, 255, 255};
const GLTestContext::RGBA kYellow = {255, 255, 0, 255};

// Two texels by two: red, green on row t = 0; blue, yellow on row t = 1.
const std::vector<uint8_t> kFourColours = {255, 0, 0,   255, 0,   255, 0, 255,
                                           0,   0, 255, 255, 255, 255, 0, 255};

// A ground overlay quad from (x0, y0) to (x1, y1): position and texture
// coordinate per vertex, with t = 0 along the bottom edge.
std::vector<PolygonTextureData> overlay(float x0, float y0, float x1, float y1) {
    return {{x0, y0, 0, 0, 0}, {x1, y0, 0, 1, 0}, {x1, y1, 0, 1, 1},
            {x0, y0, 0, 0, 0}, {x1, y1, 0, 1, 1}, {x0, y1, 0, 0, 1}};
}

class GLTexturedPolygonDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLTexturedPolygonDrawer>(TEXTURED_POLYGON_OBJECT);
        m_texture = texture(kFourColours, 2, 2);
        m_drawer->setVertexBuffer(buffer<TexturedPolygonBuffer>(overlay(-100, -100, 100, 100)));
        m_drawer->setVertexCount(6);
        m_drawer->setDrawMode(GL_TRIANGLES);
        m_drawer->setTextureID(m_texture);
        m_drawer->setAlpha(1.0f);
    }

    std::shared_ptr<GLTexturedPolygonDrawer> m_drawer;
    GLuint m_texture = 0;
};

}  // namespace

TEST_F(GLTexturedPolygonDrawerTest, LaysTheImageOverItsQuad) {
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_EQ(at(-50, -50), kRed);
    EXPECT_EQ(at(50, -50), kGreen);
    EXPECT_EQ(at(-50, 50), kBlue);
    EXPECT_EQ(at(50, 50), kYellow);
    EXPECT_EQ(at(-120, 0), kBlack);
    EXPECT_EQ(at(0, 120), kBlack);
}

TEST_F(GLTexturedPolygonDrawerTest, OpacityFadesTheImageIntoTheMap) {
    clear({1, 1, 1, 1});
    m_drawer->setAlpha(0.0f);
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(-50, -50), kWhite) << "opacity 0 leaves the map as it was";

    clear({1, 1, 1, 1});
    m_drawer->setAlpha(0.5f);
    ASSERT_TRUE(m_drawer->draw());
    const GLTestContext::RGBA half = at(-50, -50);
    EXPECT_GT(half[0], half[1]);
    EXPECT_GT(half[1], 0);
    EXPECT_LT(half[1], 255) << "half opacity mixes red into white";
}

TEST_F(GLTexturedPolygonDrawerTest, HigherZIndexKeepsTheOverlayOverALaterLowerOne) {
    m_drawer->setZIndex(16 * 4);
    ASSERT_TRUE(m_drawer->draw());
    m_drawer->setVertexBuffer(buffer<TexturedPolygonBuffer>(overlay(0, 0, 150, 150)));
    m_drawer->setTextureID(texture({255, 255, 255, 255}, 1, 1));
    m_drawer->setZIndex(16 * 2);
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_EQ(at(50, 50), kYellow);
    EXPECT_EQ(at(120, 120), kWhite);
}

TEST_F(GLTexturedPolygonDrawerTest, LeavesBuffersTexturesUnitsAndStateReleased) {
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(integer(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE3);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTexturedPolygonDrawerTest, DrawsNoMoreVerticesThanTheBufferHolds) {
    // Three vertices in the buffer, a count of thousands: only the lower
    // right triangle may appear, read from the buffer alone.
    std::vector<PolygonTextureData> records = overlay(-100, -100, 100, 100);
    records.resize(3);
    m_drawer->setVertexBuffer(buffer<TexturedPolygonBuffer>(records));
    m_drawer->setVertexCount(4000);
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_EQ(at(50, -50), kGreen);
    EXPECT_EQ(at(-50, 50), kBlack);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTexturedPolygonDrawerTest, NoImageDrawsTheQuadWithoutTexture) {
    clear({1, 1, 1, 1});
    m_drawer->setTextureID(0xFFFFFFFFu);
    ASSERT_TRUE(m_drawer->draw());
    // Sampling no texture gives opaque black.
    EXPECT_EQ(at(0, 0), kBlack);
    EXPECT_EQ(at(120, 0), kWhite);
}

TEST_F(GLTexturedPolygonDrawerTest, WithoutVertexBufferNothingIsDrawn) {
    m_drawer->setVertexBuffer(0);
    EXPECT_FALSE(m_drawer->draw());
    EXPECT_EQ(at(0, 0), kBlack);
}

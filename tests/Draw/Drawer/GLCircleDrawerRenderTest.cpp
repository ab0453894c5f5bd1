#include <gtest/gtest.h>

#include <cmath>

#include "DrawerFixture.h"
#include "GLCircleDrawer.h"
#include "PolygonBuffer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kWhite = {255, 255, 255, 255};

// A fan of coloured vertices: the centre, then `rim` points around it at
// `radius`, the first repeated to close it.
std::vector<PolygonData> disc(float cx, float cy, float radius, int rim,
                              const std::array<float, 4>& rgba) {
    std::vector<PolygonData> records = {{cx, cy, 0, rgba[0], rgba[1], rgba[2], rgba[3], 0}};
    for (int i = 0; i <= rim; ++i) {
        const double angle = 2 * 3.141592653589793 * i / rim;
        records.push_back({float(cx + radius * std::cos(angle)),
                           float(cy + radius * std::sin(angle)), 0, rgba[0], rgba[1], rgba[2],
                           rgba[3], 0});
    }
    return records;
}

class GLCircleDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLCircleDrawer>(CIRCLE_OBJECT);
        m_drawer->setDrawMode(GL_TRIANGLE_FAN);
    }
    bool drawDisc(const std::vector<PolygonData>& records, float zIndex) {
        m_drawer->setVertexBuffer(buffer<PolygonBuffer>(records));
        m_drawer->setVertexCount(static_cast<int>(records.size()));
        m_drawer->setZIndex(zIndex);
        return m_drawer->draw();
    }

    std::shared_ptr<GLCircleDrawer> m_drawer;
};

}  // namespace

TEST_F(GLCircleDrawerTest, FillsTheDiscWithItsVertexColoursInZIndexOrder) {
    ASSERT_TRUE(drawDisc(disc(0, 0, 80, 64, {1, 1, 1, 1}), 16 * 2));
    ASSERT_TRUE(drawDisc(disc(60, 0, 80, 64, {1, 0, 0, 1}), 16 * 1));

    EXPECT_EQ(at(0, 0), kWhite);
    EXPECT_EQ(at(0, 70), kWhite);
    EXPECT_EQ(at(20, 0), kWhite) << "the lower disc drawn later stays behind";
    EXPECT_EQ(at(120, 0), (GLTestContext::RGBA{255, 0, 0, 255}));
    EXPECT_EQ(at(-70, 60), kBlack);
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_EQ(integer(GL_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(GLCircleDrawerTest, DrawsNoMoreThanTheBufferHoldsAndNothingWithoutOne) {
    m_drawer->setVertexBuffer(buffer<PolygonBuffer>(disc(0, 0, 80, 64, {1, 1, 1, 1})));
    m_drawer->setVertexCount(100000);
    ASSERT_TRUE(m_drawer->draw());
    EXPECT_EQ(at(0, 0), kWhite);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    clear({0, 0, 0, 1});
    m_drawer->setVertexBuffer(0);
    EXPECT_FALSE(m_drawer->draw());
    EXPECT_EQ(at(0, 0), kBlack);
}

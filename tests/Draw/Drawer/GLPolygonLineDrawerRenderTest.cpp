#include <gtest/gtest.h>

#include <cmath>

#include "DrawerFixture.h"
#include "GLPolygonDrawer.h"
#include "GLPolygonLineDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};
const GLTestContext::RGBA kGreen = {0, 255, 0, 255};

// The arrays of one straight extruded segment from (x0, y0) to (x1, y1):
// both ends twice, pushed to either side, with the side flag 1 and 0.
struct Segment {
    std::vector<float> positions, extrude, sides;
    std::vector<uint16_t> indices = {0, 1, 2, 1, 3, 2};

    Segment(float x0, float y0, float x1, float y1) {
        const float length = std::hypot(x1 - x0, y1 - y0);
        const float nx = -(y1 - y0) / length, ny = (x1 - x0) / length;
        positions = {x0, y0, 0, x0, y0, 0, x1, y1, 0, x1, y1, 0};
        extrude = {nx, ny, -nx, -ny, nx, ny, -nx, -ny};
        sides = {0, 1, 0, 0, 0, 1, 0, 0};
    }
};

class GLPolygonLineDrawerTest : public DrawerTest {
protected:
    void SetUp() override {
        DrawerTest::SetUp();
        m_drawer = makeDrawer<GLPolygonLineDrawer>(POLYGON_LINE_OBJECT);
        m_areas = makeDrawer<GLPolygonDrawer>(POLYGON_OBJECT);
    }
    // A line `width` pixels wide: the program pushes each edge 4 x the half
    // width value out, and one world unit is one pixel here.
    void load(const Segment& segment, float width, const std::shared_ptr<float>& rgba,
              float zIndex = 0) {
        m_drawer->setVertexArray(segment.positions);
        m_drawer->setIndexArray(segment.indices);
        m_drawer->setExtrude(segment.extrude);
        m_drawer->setNormal(segment.sides);
        m_drawer->setLineSofar(std::vector<float>(segment.positions.size() / 3, 0.0f));
        const float half = width / 2 / 4;
        m_drawer->setLineWidth(std::array<float, 2>{half, half * 0.005f});
        m_drawer->setBlur(0.2f);
        m_drawer->setScale(1.0f);
        m_drawer->setDrawMode(GL_TRIANGLES);
        m_drawer->setZIndex(zIndex);
        m_drawer->setColor(rgba);
    }
    void fillArea(const std::vector<float>& vertices, const std::shared_ptr<float>& rgba,
                  float zIndex) {
        m_areas->setVertexArray(vertices);
        m_areas->setVertexCount(static_cast<int>(vertices.size() / 3));
        m_areas->setDrawMode(GL_TRIANGLES);
        m_areas->setZIndex(zIndex);
        m_areas->setColor(rgba);
        ASSERT_TRUE(m_areas->draw());
    }

    std::shared_ptr<GLPolygonLineDrawer> m_drawer;
    std::shared_ptr<GLPolygonDrawer> m_areas;
};

}  // namespace

TEST_F(GLPolygonLineDrawerTest, DrawsItsColourAlongTheLineAtItsWidth) {
    load(Segment(-100, 10, 100, 10), 12, colour(1, 0, 0, 1));
    ASSERT_TRUE(m_drawer->draw());

    for (double x : {-95.0, -30.0, 0.0, 50.0, 95.0}) {
        EXPECT_EQ(at(x, 10.5), kRed) << "on the line at x " << x;
        EXPECT_EQ(at(x, 13.5), kRed) << "inside the width at x " << x;
        EXPECT_EQ(at(x, 20.5), kBlack) << "beyond the width at x " << x;
        EXPECT_EQ(at(x, 0.5), kBlack) << "beyond the width at x " << x;
    }
    EXPECT_EQ(at(-105, 10.5), kBlack) << "past the end (no cap on a bare segment)";
}

TEST_F(GLPolygonLineDrawerTest, SlantedLineFollowsItsDirection) {
    load(Segment(-80, -80, 80, 80), 10, colour(0, 1, 0, 1));
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_EQ(at(40.5, 40.5), kGreen);
    EXPECT_EQ(at(-60.5, -60.5), kGreen);
    EXPECT_EQ(at(40.5, 10.5), kBlack);
    EXPECT_EQ(at(-60.5, -30.5), kBlack);
}

TEST_F(GLPolygonLineDrawerTest, ZIndexOrdersLinesAndAreasWhateverTheDrawingOrder) {
    struct Case {
        const char* what;
        float lineZ, areaZ;
        bool lineFirst;
        GLTestContext::RGBA crossing;
    };
    const Case cases[] = {
        {"road over land, land drawn later", 16 * 5, 16 * 1, true, kRed},
        {"road over land, road drawn later", 16 * 5, 16 * 1, false, kRed},
        {"river under a bridge area, area drawn later", 16 * 1, 16 * 5, true, kGreen},
        {"river under a bridge area, river drawn later", 16 * 1, 16 * 5, false, kGreen},
    };
    for (const Case& c : cases) {
        clear({0, 0, 0, 1});
        load(Segment(-100, 0, 100, 0), 10, colour(1, 0, 0, 1), c.lineZ);
        if (c.lineFirst) {
            ASSERT_TRUE(m_drawer->draw());
        }
        fillArea(square(-30, -30, 30, 30), colour(0, 1, 0, 1), c.areaZ);
        if (!c.lineFirst) {
            ASSERT_TRUE(m_drawer->draw());
        }
        EXPECT_EQ(at(0.5, 0.5), c.crossing) << c.what;
        EXPECT_EQ(at(-60.5, 0.5), kRed) << c.what;
        EXPECT_EQ(at(0.5, 20.5), kGreen) << c.what;
    }
}

TEST_F(GLPolygonLineDrawerTest, TransparentLineBlendsOverTheArea) {
    clear({1, 1, 1, 1});
    load(Segment(-100, 0, 100, 0), 10, colour(0, 0, 0, 0.5f));
    ASSERT_TRUE(m_drawer->draw());

    EXPECT_TRUE(closeTo(at(0.5, 0.5), {128, 128, 128, 255})) << int(at(0.5, 0.5)[0]);
    EXPECT_FALSE(enabled(GL_BLEND));
    EXPECT_FALSE(enabled(GL_DEPTH_TEST));
}

TEST_F(GLPolygonLineDrawerTest, RefusesWithoutColourOrWithIndicesPastItsArrays) {
    load(Segment(-100, 0, 100, 0), 10, nullptr);
    EXPECT_FALSE(m_drawer->draw()) << "no colour";

    struct Case {
        const char* what;
        size_t positions, extrude, sides;
    };
    const Case shortArrays[] = {
        {"positions", 9, 8, 8},
        {"extrude", 12, 6, 8},
        {"sides", 12, 8, 6},
    };
    for (const Case& c : shortArrays) {
        Segment segment(-100, 0, 100, 0);
        segment.positions.resize(c.positions);
        segment.extrude.resize(c.extrude);
        segment.sides.resize(c.sides);
        load(segment, 10, colour(1, 0, 0, 1));
        EXPECT_FALSE(m_drawer->draw()) << "index 3 past the " << c.what;
    }
    EXPECT_EQ(at(0.5, 0.5), kBlack);
}

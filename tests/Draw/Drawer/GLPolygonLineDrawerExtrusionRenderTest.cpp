#include <gtest/gtest.h>

#include "DrawerFixture.h"
#include "GLLinePolygonObject.h"
#include "GLPolygonLineDrawer.h"

using namespace qiv;

namespace {

const GLTestContext::RGBA kBlack = {0, 0, 0, 255};
const GLTestContext::RGBA kRed = {255, 0, 0, 255};

}  // namespace

// A map line extruded by the line object (joins, round caps) and drawn by
// the line drawer keeps its width along both legs, fills its bend and ends
// in caps that reach half the width beyond its end points.
TEST_F(DrawerTest, ExtrudedMapLineIsDrawnAtItsWidthWithItsCaps) {
    const double baseX = 2147000000.0, baseY = 1400000000.0;
    GLLinePolygonObject line(POLYGON_LINE_OBJECT);
    line.setVisibleRegion(GLCoord(0, 0, 0, true), GLCoord(4294967295.0, 4294967295.0, 0, true));
    ASSERT_TRUE(line.isVisibleRegion(
        std::vector<double>{baseX - 100, baseY, baseX, baseY, baseX, baseY + 100}));
    line.offsetPoint(baseX, baseY);

    auto drawer = makeDrawer<GLPolygonLineDrawer>(POLYGON_LINE_OBJECT);
    drawer->setVertexArray(line.getPoints());
    drawer->setIndexArray(line.getIndex());
    drawer->setExtrude(line.getExtrude());
    drawer->setLineSofar(line.getLineSofar());
    drawer->setNormal(line.getSide());
    // 12 pixels wide: 6 on each side of the centre line.
    drawer->setLineWidth(std::array<float, 2>{1.5f, 1.5f * 0.005f});
    drawer->setBlur(0.2f);
    drawer->setDrawMode(GL_TRIANGLES);
    drawer->setColor(colour(1, 0, 0, 1));
    ASSERT_TRUE(drawer->draw());

    struct Probe {
        const char* what;
        double x, y;
        GLTestContext::RGBA expected;
    };
    const Probe probes[] = {
        {"first leg", -60.5, 0.5, kRed},
        {"first leg, near its edge", -60.5, 4.5, kRed},
        {"beside the first leg", -60.5, 8.5, kBlack},
        {"second leg", 0.5, 60.5, kRed},
        {"second leg, near its edge", -4.5, 60.5, kRed},
        {"beside the second leg", 8.5, 60.5, kBlack},
        {"bend", 0.5, 0.5, kRed},
        {"inside the bend", -3.5, 3.5, kRed},
        {"start cap", -103.5, 0.5, kRed},
        {"beyond the start cap", -108.5, 0.5, kBlack},
        {"end cap", 0.5, 103.5, kRed},
        {"beyond the end cap", 0.5, 108.5, kBlack},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(at(p.x, p.y), p.expected) << p.what;
    }
}

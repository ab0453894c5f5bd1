#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GeometryProcBase.h"

namespace {

TEST(GeometryBoxTest, SetBoxOverLineAndFirstRing) {
    const std::vector<GeoBasePoint> points = {{-5, -2}, {-1, -7}};
    GeoDataBox box;
    EXPECT_TRUE(GeometryProcBase::setBox(GeoDataLine(points), box));
    EXPECT_EQ(box, GeoDataBox(-5, -7, -1, -2));

    GeoDataPoly poly;
    poly.setCoords(points);
    poly.addPoly(std::vector<GeoBasePoint>{{100, 100}, {-100, -100}});
    GeoDataBox polyBox;
    EXPECT_TRUE(GeometryProcBase::setBox(poly, polyBox));
    EXPECT_EQ(polyBox, box) << "only the first ring counts";

    EXPECT_TRUE(GeometryProcBase::setBox(GeoDataLine(std::vector<GeoBasePoint>{{3, 4}}), box));
    EXPECT_EQ(box, GeoDataBox(3, 4, 3, 4));
}

TEST(GeometryBoxTest, SetBoxOfNothingIsZeroBoxAndFalse) {
    GeoDataBox box(1, 2, 3, 4);
    EXPECT_FALSE(GeometryProcBase::setBox(GeoDataLine(), box));
    EXPECT_EQ(box, GeoDataBox(0, 0, 0, 0));
    box.setBox(1, 2, 3, 4);
    GeoDataPoly poly;
    poly.addPoly(std::vector<GeoBasePoint>{{5, 5}});
    EXPECT_FALSE(GeometryProcBase::setBox(poly, box)) << "the first ring is empty";
    EXPECT_EQ(box, GeoDataBox(0, 0, 0, 0));
}

struct InBoxCase {
    double x, y;
    bool inside;
};

TEST(GeometryBoxTest, PtInBoxCountsEdgesInside) {
    const GeoDataBox box(-1, 2, 3, 4);
    const std::vector<InBoxCase> cases = {
        {0, 3, true},  {-1, 2, true}, {3, 4, true},   {3, 2, true},  {-1.0000001, 3, false},
        {0, 4.5, false}, {3.5, 3, false}, {0, 1.9, false}, {NAN, 3, false},
    };
    for (const InBoxCase& c : cases) {
        EXPECT_EQ(GeometryProcBase::ptInBox(GeoDataPoint(c.x, c.y), box), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(GeometryProcBase::ptInBox(c.x, c.y, -1, 2, 3, 4), c.inside);
    }
}

TEST(GeometryBoxTest, BilineaWeightsFollowCorners) {
    const GeoDataBox box(0, 0, 4, 2);
    double w[4] = {};
    ASSERT_TRUE(GeometryProcBase::bilineaWeight(box, GeoDataPoint(1, 0.5), w[0], w[1], w[2], w[3]));
    EXPECT_DOUBLE_EQ(w[0], 0.75 * 0.75);
    EXPECT_DOUBLE_EQ(w[1], 0.25 * 0.75);
    EXPECT_DOUBLE_EQ(w[2], 0.75 * 0.25);
    EXPECT_DOUBLE_EQ(w[3], 0.25 * 0.25);

    const double a = 10, b = 20, c = 30, d = 40;
    const std::vector<std::pair<GeoDataPoint, double>> cases = {
        {{0, 0}, a}, {{4, 0}, b}, {{0, 2}, c}, {{4, 2}, d}, {{2, 1}, 25}, {{2, 0}, 15}};
    for (const auto& [point, expected] : cases) {
        double out = 0;
        ASSERT_TRUE(GeometryProcBase::bilinea(box, point, a, b, c, d, out)) << point;
        EXPECT_DOUBLE_EQ(out, expected) << point;
    }
}

TEST(GeometryBoxTest, BilineaOutsideFailsAndKeepsOutput) {
    double out = -1, w1 = -1, w2 = -1, w3 = -1, w4 = -1;
    EXPECT_FALSE(GeometryProcBase::bilinea(GeoDataBox(0, 0, 4, 2), GeoDataPoint(4.1, 1), 1, 2, 3, 4, out));
    EXPECT_FALSE(GeometryProcBase::bilineaWeight(GeoDataBox(0, 0, 4, 2), GeoDataPoint(1, -0.1), w1, w2, w3, w4));
    EXPECT_EQ(out, -1);
    EXPECT_EQ(w1, -1);
}

TEST(GeometryBoxTest, BilineaOverFlatBoxStaysFinite) {
    double out = 0;
    ASSERT_TRUE(GeometryProcBase::bilinea(GeoDataBox(0, 0, 0, 2), GeoDataPoint(0, 1), 10, 20, 30, 40, out));
    EXPECT_DOUBLE_EQ(out, 20) << "the minimum-x corners carry the value";
    ASSERT_TRUE(GeometryProcBase::bilinea(GeoDataBox(5, 5, 5, 5), GeoDataPoint(5, 5), 10, 20, 30, 40, out));
    EXPECT_DOUBLE_EQ(out, 10);
}

struct OverlayCase {
    GeoDataBox a, b;
    bool overlay;
    int inBox;
};

TEST(GeometryBoxTest, BoxOverlayAndBoxInBox) {
    const std::vector<OverlayCase> cases = {
        {{0, 0, 2, 2}, {1, 1, 3, 3}, true, 1},        // partial overlap
        {{0, 0, 2, 2}, {2, 2, 3, 3}, true, 1},        // corners touch
        {{0, 0, 2, 2}, {2, 0, 4, 2}, true, 1},        // edges touch
        {{0, 0, 2, 2}, {2.5, 0, 4, 2}, false, 0},     // apart on the right
        {{3, 0, 4, 2}, {0, 0, 2, 2}, false, 0},       // apart on the left
        {{0, 3, 2, 4}, {0, 0, 2, 2}, false, 0},       // apart above
        {{0, 0, 2, 2}, {0, 3, 2, 4}, false, 0},       // apart below
        {{1, 1, 2, 2}, {0, 0, 3, 3}, true, 2},        // A inside B
        {{0, 0, 3, 3}, {0, 0, 3, 3}, true, 2},        // equal: A inside B
        {{0, 0, 3, 3}, {1, 1, 2, 2}, true, 3},        // B inside A
        {{0, 1, 3, 2}, {1, 0, 2, 3}, true, 1},        // a cross
    };
    for (const OverlayCase& c : cases) {
        EXPECT_EQ(GeometryProcBase::boxOverlay(c.a, c.b), c.overlay) << c.a << c.b;
        EXPECT_EQ(GeometryProcBase::boxOverlay(c.a.minX(), c.a.minY(), c.a.maxX(), c.a.maxY(), c.b.minX(),
                                               c.b.minY(), c.b.maxX(), c.b.maxY()),
                  c.overlay);
        EXPECT_EQ(GeometryProcBase::boxInBox(c.a, c.b), c.inBox) << c.a << c.b;
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GeometryProcBase.h"

namespace {

TEST(GeometryLineTest, DistanceForms) {
    EXPECT_DOUBLE_EQ(GeometryProcBase::distance(3, -4), 5.0);
    EXPECT_DOUBLE_EQ(GeometryProcBase::distance(1, 1, 4, 5), 5.0);
    EXPECT_DOUBLE_EQ(GeometryProcBase::distance(GeoDataPoint(-1, -1), GeoDataPoint(2, 3)), 5.0);
    EXPECT_DOUBLE_EQ(GeometryProcBase::distance(0, 0, 0, 0), 0.0);
}

struct PointLineCase {
    GeoDataPoint p1, p2, p3;
    double distance;
};

TEST(GeometryLineTest, DistanceFromInfiniteLine) {
    const std::vector<PointLineCase> cases = {
        {{0, 0}, {2, 0}, {1, 3}, 3},     // above the segment
        {{0, 0}, {2, 0}, {9, -3}, 3},    // beyond its end: the line is infinite
        {{0, 0}, {1, 1}, {1, 0}, std::sqrt(0.5)},
        {{5, 5}, {5, 9}, {5, 7}, 0},     // on the line
        {{0, 0}, {0, 0}, {3, 4}, 5},     // no line: distance from the point
    };
    for (const PointLineCase& c : cases) {
        EXPECT_NEAR(GeometryProcBase::distance(c.p1, c.p2, c.p3), c.distance, 1e-12) << c.p1 << c.p2 << c.p3;
        EXPECT_NEAR(GeometryProcBase::distance(c.p1.x(), c.p1.y(), c.p2.x(), c.p2.y(), c.p3.x(), c.p3.y()),
                    c.distance, 1e-12);
    }
}

TEST(GeometryLineTest, CalcABSlopeAndIntercept) {
    double a = 7, b = 7;
    EXPECT_FALSE(GeometryProcBase::calcAB(GeoDataPoint(1, 1), GeoDataPoint(1, 5), a, b));
    EXPECT_FALSE(GeometryProcBase::calcAB(GeoDataPoint(2, 2), GeoDataPoint(2, 2), a, b));
    ASSERT_TRUE(GeometryProcBase::calcAB(GeoDataPoint(0, 1), GeoDataPoint(2, 5), a, b));
    EXPECT_DOUBLE_EQ(a, 2.0);
    EXPECT_DOUBLE_EQ(b, 1.0);
    ASSERT_TRUE(GeometryProcBase::calcAB(GeoDataPoint(4, -3), GeoDataPoint(-2, -3), a, b));
    EXPECT_DOUBLE_EQ(a, 0.0);
    EXPECT_DOUBLE_EQ(b, -3.0);
    ASSERT_TRUE(GeometryProcBase::calcAB(GeoDataPoint(1e-9, 0), GeoDataPoint(0, 1), a, b)) << "only exact verticals fail";
}

TEST(GeometryLineTest, CalcABCGivesNormalizedLineThroughBothPoints) {
    const std::vector<std::pair<GeoDataPoint, GeoDataPoint>> cases = {
        {{0, 0}, {2, 0}}, {{0, 1}, {1, 2}}, {{3, -1}, {3, 8}}, {{-2, 5}, {4, -7}}};
    for (const auto& [p1, p2] : cases) {
        double a = 0, b = 0, c = 0;
        ASSERT_TRUE(GeometryProcBase::calcABC(p1, p2, a, b, c, 1e-12));
        EXPECT_NEAR(a * a + b * b, 1.0, 1e-12);
        EXPECT_NEAR(a * p1.x() + b * p1.y() + c, 0.0, 1e-12) << p1 << p2;
        EXPECT_NEAR(a * p2.x() + b * p2.y() + c, 0.0, 1e-12) << p1 << p2;
    }
    double a = 0, b = 0, c = 0;
    ASSERT_TRUE(GeometryProcBase::calcABC(GeoDataPoint(0, 1), GeoDataPoint(1, 2), a, b, c, 1e-12));
    EXPECT_NEAR(a, -std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(b, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(c, -std::sqrt(0.5), 1e-12);
    EXPECT_FALSE(GeometryProcBase::calcABC(GeoDataPoint(0, 0), GeoDataPoint(1e-7, 0), a, b, c, 1e-12));
    EXPECT_FALSE(GeometryProcBase::calcABC(GeoDataPoint(1, 1), GeoDataPoint(1, 1), a, b, c, 0));
}

struct InterPosCase {
    GeoDataPoint p1, p2, p3, p4;
    bool found;
    double x, y;
};

TEST(GeometryLineTest, CalcInterPosOfInfiniteLines) {
    const std::vector<InterPosCase> cases = {
        {{0, 0}, {2, 2}, {0, 2}, {2, 0}, true, 1, 1},
        {{0, 0}, {1, 0}, {5, -1}, {5, 1}, true, 5, 0},       // outside both segments
        {{1, 3}, {4, 3}, {-2, 7}, {-2, 8}, true, -2, 3},
        {{0, 0}, {1, 1}, {0, 1}, {1, 2}, false, 0, 0},       // parallel
        {{0, 0}, {1, 1}, {2, 2}, {3, 3}, false, 0, 0},       // same line
        {{1, 1}, {1, 1}, {0, 2}, {2, 0}, false, 0, 0},       // first has no length
        {{0, 2}, {2, 0}, {4, 4}, {4, 4}, false, 0, 0},       // second has no length
    };
    for (const InterPosCase& c : cases) {
        double x = 0, y = 0;
        ASSERT_EQ(GeometryProcBase::calcInterPos(c.p1, c.p2, c.p3, c.p4, 1e-12, x, y), c.found)
            << c.p1 << c.p2 << c.p3 << c.p4;
        if (!c.found) continue;
        EXPECT_NEAR(x, c.x, 1e-9);
        EXPECT_NEAR(y, c.y, 1e-9);
    }
}

TEST(GeometryLineTest, ZeroToleranceStillRefusesWhatCannotBeDivided) {
    double x = 7, y = 7;
    EXPECT_FALSE(GeometryProcBase::calcInterPos(GeoDataPoint(1, 1), GeoDataPoint(1, 1), GeoDataPoint(0, 2),
                                                GeoDataPoint(2, 0), 0, x, y));
    EXPECT_FALSE(GeometryProcBase::calcInterPos(GeoDataPoint(0, 0), GeoDataPoint(1, 1), GeoDataPoint(0, 1),
                                                GeoDataPoint(1, 2), 0, x, y));
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 7);
}

}  // namespace

#include "HitGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using qiv::HitGeometry;

namespace {

GeoBaseLine lineOf(const std::vector<std::pair<double, double>>& points) {
    GeoBaseLine line;
    for (const auto& point : points) line.addCoord(point.first, point.second);
    return line;
}

// A closed 10 x 10 square with a closed 4 x 4 hole in its middle.
const GeoBaseLine kSquare = lineOf({{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}});
const GeoBaseLine kHole = lineOf({{3, 3}, {3, 7}, {7, 7}, {7, 3}, {3, 3}});

TEST(HitGeometryTest, DiscAgainstAreaWithHole) {
    struct Case {
        const char* what;
        double x, y, r;
        bool hit;
    };
    const Case cases[] = {
        {"inside the area, away from the hole", 1.5, 1.5, 0.5, true},
        {"inside the hole, touching nothing", 5, 5, 1, false},
        {"inside the hole, reaching its edge", 5, 5, 2.5, true},
        {"outside, reaching the outline", 11, 5, 1.5, true},
        {"outside, short of the outline", 12, 5, 1.5, false},
        {"outside, a corner within the disc", 10.5, 10.5, 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HitGeometry::circleInPolygon(kSquare, {kHole}, c.x, c.y, c.r), c.hit) << c.what;
    }
}

TEST(HitGeometryTest, WindingNumberNeedsTheClosingPoint) {
    EXPECT_TRUE(HitGeometry::withinWN(kSquare, 5, 5));
    EXPECT_FALSE(HitGeometry::withinWN(kSquare, 15, 5));
    EXPECT_FALSE(HitGeometry::withinWN(lineOf({{0, 0}}), 0, 0));
}

TEST(HitGeometryTest, CircleCrossesASegmentNearerItsFirstEndFirst) {
    GeoDataPoint cross;
    ASSERT_TRUE(HitGeometry::findCrossPoint(5, 1, 2, 0, 0, 10, 0, cross));
    EXPECT_NEAR(cross.x(), 5 - std::sqrt(3.0), 1e-9);
    EXPECT_NEAR(cross.y(), 0, 1e-9);
    EXPECT_FALSE(HitGeometry::findCrossPoint(5, 3, 2, 0, 0, 10, 0, cross)) << "too far";
    EXPECT_FALSE(HitGeometry::findCrossPoint(20, 0, 2, 0, 0, 10, 0, cross)) << "beyond the end";
    ASSERT_TRUE(HitGeometry::findCrossPoint(3, 3, 1, 0, 0, 10, 10, cross)) << "slanted";
    EXPECT_NEAR(cross.x() - cross.y(), 0, 1e-9);

    int segment = -1;
    ASSERT_TRUE(HitGeometry::findCrossPointOnPolyLine(lineOf({{0, 0}, {10, 0}, {10, 10}}), segment, cross,
                                                      11, 5, 1.5));
    EXPECT_EQ(segment, 1);
}

TEST(HitGeometryTest, PointsOnSegmentsAndInCircles) {
    EXPECT_TRUE(HitGeometry::isPointOnSegment(0, 0, 0, 0, 10, 0));
    EXPECT_TRUE(HitGeometry::isPointOnSegment(4, 0, 0, 0, 10, 0));
    EXPECT_FALSE(HitGeometry::isPointOnSegment(11, 0, 0, 0, 10, 0));
    EXPECT_FALSE(HitGeometry::isPointOnSegment(1, 1, 2, 2, 2, 2));
    EXPECT_TRUE(HitGeometry::pointInCircle(lineOf({{9, 9}, {3, 4}}), 0, 0, 5));
    EXPECT_FALSE(HitGeometry::pointInCircle(lineOf({{9, 9}, {3, 4.1}}), 0, 0, 5));
}

}  // namespace

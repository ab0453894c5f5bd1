#include <gtest/gtest.h>

#include <vector>

#include "GeometryProcBase.h"

namespace {

struct SegmentCase {
    double x1, y1, x2, y2, x3, y3, x4, y4;
    bool meet;
    const char* what;
};

TEST(GeometryIntersectTest, SegmentsMeet) {
    const std::vector<SegmentCase> cases = {
        {0, 0, 2, 2, 0, 2, 2, 0, true, "crossing"},
        {0, 0, 1, 0, 1, 0, 2, 0, true, "shared end point"},
        {0, 0, 1, 0, 0, 1, 1, 1, false, "parallel apart"},
        {0, 0, 2, 0, 1, 0, 1, 5, true, "end on the other's inside"},
        {0, 0, 2, 0, 1, 1e-9, 1, 5, false, "end just above"},
        {0, 0, 4, 0, 1, 0, 3, 0, true, "collinear overlap"},
        {0, 0, 4, 4, 1, 1, 6, 6, true, "diagonal collinear overlap"},
        {0, 0, 1, 0, 2, 0, 3, 0, false, "collinear apart"},
        {0, 0, 4, 4, 5, 5, 6, 6, false, "diagonal collinear apart"},
        {0, 0, 2, 2, 2, 0, 1.5, 0.9, false, "lines cross beyond an end"},
        {1, 1, 1, 1, 0, 0, 2, 2, false, "first has no length"},
        {0, 0, 2, 2, 1, 1, 1, 1, false, "second has no length"},
        {1, 1, 1, 1, 1, 1, 1, 1, false, "both are one point"},
    };
    for (const SegmentCase& c : cases) {
        EXPECT_EQ(GeometryProcBase::intersects(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, c.x4, c.y4), c.meet) << c.what;
        EXPECT_EQ(GeometryProcBase::intersects(c.x3, c.y3, c.x4, c.y4, c.x1, c.y1, c.x2, c.y2), c.meet)
            << c.what << " (swapped)";
    }
}

TEST(GeometryIntersectTest, DecideInterPosWithoutBoxTest) {
    // Collinear but apart: only the box test tells them apart.
    EXPECT_TRUE(GeometryProcBase::decideInterPos(0, 0, 1, 0, 2, 0, 3, 0, 1e-15));
    EXPECT_FALSE(GeometryProcBase::decideInterPos(0, 0, 1, 0, 2, 1, 3, 1, 1e-15));
    // A large tolerance treats nearly parallel lines as parallel.
    EXPECT_TRUE(GeometryProcBase::decideInterPos(0, 0, 2, 2, 0, 2, 2, 0, 1e-15));
    EXPECT_FALSE(GeometryProcBase::decideInterPos(0, 0, 2, 2, 0, 2, 2, 0, 100));
    // Without tolerance exactly parallel lines still take the parallel rule.
    EXPECT_TRUE(GeometryProcBase::decideInterPos(0, 0, 4, 0, 1, 0, 3, 0, 0));
    EXPECT_FALSE(GeometryProcBase::decideInterPos(0, 0, 4, 0, 1, 1, 3, 1, 0));
}

GeoDataLine lineOf(const std::vector<GeoBasePoint>& points) { return GeoDataLine(points); }

TEST(GeometryIntersectTest, IntersectsPolyFindsSelfCrossingOfClosedRing) {
    EXPECT_FALSE(GeometryProcBase::intersectsPoly(lineOf({{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}})));
    EXPECT_TRUE(GeometryProcBase::intersectsPoly(lineOf({{0, 0}, {2, 2}, {2, 0}, {0, 2}, {0, 0}}))) << "bow tie";
    EXPECT_TRUE(GeometryProcBase::intersectsPoly(lineOf({{0, 0}, {0, 3}, {3, 3}, {3, 1}, {-1, 1}, {-1, 0}, {0, 0}})))
        << "crossing between middle segments";
    EXPECT_TRUE(GeometryProcBase::intersectsPoly(lineOf({{0, 0}, {0, 2}, {2, 2}, {0, 1}, {2, 0}, {0, 0}})))
        << "a vertex touching a non-adjacent segment";
    EXPECT_FALSE(GeometryProcBase::intersectsPoly(lineOf({{0, 0}, {1, 1}, {0, 0}, {1, 1}})))
        << "four points are never tested";
}

TEST(GeometryIntersectTest, IntersectsPolyOnDegenerateRings) {
    EXPECT_FALSE(GeometryProcBase::intersectsPoly(GeoDataLine()));
    EXPECT_FALSE(GeometryProcBase::intersectsPoly(lineOf({{1, 1}})));
    EXPECT_FALSE(GeometryProcBase::intersectsPoly(lineOf({{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}})))
        << "zero-length segments never meet";
}

TEST(GeometryIntersectTest, PolylinesCross) {
    const GeoDataLine zigzag = lineOf({{0, 0}, {2, 2}, {4, 0}, {6, 2}});
    EXPECT_TRUE(GeometryProcBase::intersects(zigzag, lineOf({{5, 0}, {5, 3}})));
    EXPECT_TRUE(GeometryProcBase::intersects(lineOf({{5, 0}, {5, 3}}), zigzag));
    EXPECT_FALSE(GeometryProcBase::intersects(zigzag, lineOf({{2, 0}, {3, 0.5}})))
        << "inside the box but below the zigzag";
    EXPECT_FALSE(GeometryProcBase::intersects(zigzag, lineOf({{10, 10}, {11, 11}})));
    EXPECT_FALSE(GeometryProcBase::intersects(zigzag, GeoDataLine()));
    EXPECT_FALSE(GeometryProcBase::intersects(zigzag, lineOf({{1, 1}})));
    EXPECT_FALSE(GeometryProcBase::intersects(GeoDataLine(), GeoDataLine()));
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GeometryLogCapture.h"
#include "GeometryProcBase.h"

namespace {

using Points = std::vector<GeoBasePoint>;

// Closed clockwise L: the corner (1, 1) at index 3 is reflex.
const Points kLShape = {{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}, {0, 0}};

double signedArea(const Points& ring) {
    double twice = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const GeoBasePoint& a = ring[i];
        const GeoBasePoint& b = ring[(i + 1) % ring.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return twice / 2;
}

bool insideRing(const Points& ring, double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const GeoBasePoint& a = ring[i];
        const GeoBasePoint& b = ring[j];
        if ((a.y() > y) != (b.y() > y) && x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x()) {
            inside = !inside;
        }
    }
    return inside;
}

std::vector<Points> triangulated(const Points& ring, bool expectComplete = true) {
    std::vector<GeoDataLine> triangles;
    EXPECT_EQ(GeometryProcBase::triangulationLine(GeoDataLine(ring), triangles), expectComplete);
    std::vector<Points> out;
    for (const GeoDataLine& triangle : triangles) out.push_back(triangle.getLine());
    return out;
}

TEST(GeometryTriangulationTest, SquareGivesFanFromFirstPoint) {
    const std::vector<Points> expected = {{{0, 0}, {0, 1}, {1, 1}}, {{0, 0}, {1, 1}, {1, 0}}};
    EXPECT_EQ(triangulated({{0, 0}, {0, 1}, {1, 1}, {1, 0}}), expected);
    EXPECT_EQ(triangulated({{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}), expected) << "already closed";
    EXPECT_EQ(triangulated({{0, 0}, {1, 0}, {1, 1}, {0, 1}}), expected) << "counterclockwise is turned";
}

TEST(GeometryTriangulationTest, LShapeIsCutAtItsReflexCornerToTheNearestVertex) {
    const std::vector<Points> expected = {{{0, 0}, {1, 1}, {2, 1}},
                                          {{0, 0}, {2, 1}, {2, 0}},
                                          {{0, 0}, {0, 2}, {1, 2}},
                                          {{0, 0}, {1, 2}, {1, 1}}};
    EXPECT_EQ(triangulated(kLShape), expected);
}

TEST(GeometryTriangulationTest, ConcaveRingsAreCoveredExactly) {
    const std::vector<std::pair<const char*, Points>> cases = {
        {"comb", {{0, 0}, {0, 3}, {1, 3}, {1, 1}, {2, 1}, {2, 3}, {3, 3}, {3, 1}, {4, 1}, {4, 3}, {5, 3}, {5, 0}}},
        {"spiral", {{0, 0}, {0, 4}, {4, 4}, {4, 1}, {2, 1}, {2, 2}, {3, 2}, {3, 3}, {1, 3}, {1, 0}}},
        {"reflex first point", {{1, 1}, {0, 2}, {2, 2}, {2, 0}, {0, 0}}},
        {"counterclockwise star",
         {{0, -3}, {1, -1}, {3, 0}, {1, 1}, {0, 3}, {-1, 1}, {-3, 0}, {-1, -1}}},
    };
    for (const auto& [what, ring] : cases) {
        double area = 0;
        for (const Points& triangle : triangulated(ring)) {
            ASSERT_EQ(triangle.size(), 3u) << what;
            const double piece = signedArea(triangle);
            EXPECT_LT(piece, 0) << what << ": triangles are clockwise and not flat";
            area += piece;
            const double cx = (triangle[0].x() + triangle[1].x() + triangle[2].x()) / 3;
            const double cy = (triangle[0].y() + triangle[1].y() + triangle[2].y()) / 3;
            EXPECT_TRUE(insideRing(ring, cx, cy)) << what << ": triangle centre (" << cx << ", " << cy << ")";
        }
        EXPECT_NEAR(std::fabs(area), std::fabs(signedArea(ring)), 1e-9) << what;
    }
}

using GeometrySplitFailureTest = GeometryLogCapture;

TEST_F(GeometrySplitFailureTest, RingWithoutUsableCutIsDroppedAndLogged) {
    // A bow tie crosses itself: no cut leaves two clockwise simple pieces.
    EXPECT_TRUE(triangulated({{-5.5, 7.9}, {-3.5, 9.9}, {-3.5, 7.9}, {-5.5, 9.9}}, false).empty());
    const std::string text = logged();
    EXPECT_NE(text.find("[error]"), std::string::npos) << text;
    EXPECT_NE(text.find("[getSplitPos] : 分割候補が見つかりませんでした0 7 \n"), std::string::npos)
        << "negative coordinates are reported as 0: " << text;
}

TEST(GeometryTriangulationTest, DegenerateRingsNeverCrash) {
    EXPECT_TRUE(triangulated({}, false).empty());
    EXPECT_TRUE(triangulated({{1, 1}}, false).empty());
    EXPECT_TRUE(triangulated({{1, 1}, {2, 2}}, false).empty());
    for (const Points& ring : std::vector<Points>{{{0, 0}, {1, 0}, {2, 0}},
                                                  {{1, 1}, {1, 1}, {1, 1}, {1, 1}},
                                                  {{0, 0}, {0, 1}, {0, 1}, {1, 1}, {1, 0}}}) {
        double area = 0;
        for (const Points& triangle : triangulated(ring)) area += signedArea(triangle);
        EXPECT_NEAR(std::fabs(area), std::fabs(signedArea(ring)), 1e-12);
    }
}

TEST(GeometryTriangulationTest, GetConcavePos) {
    const GeoDataLine lShape(kLShape);
    EXPECT_EQ(GeometryProcBase::getConcavePos(lShape), 3);
    EXPECT_EQ(GeometryProcBase::getConcavePos(GeoDataLine(Points{{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}})), -1);
    EXPECT_EQ(GeometryProcBase::getConcavePos(GeoDataLine(Points{{1, 1}, {0, 2}, {2, 2}, {2, 0}, {0, 0}, {1, 1}})), 0)
        << "vertex 0 takes the point before the closing one as its predecessor";
    EXPECT_EQ(GeometryProcBase::getConcavePos(GeoDataLine(Points{{0, 0}, {1, 1}})), -1);
    EXPECT_EQ(GeometryProcBase::getConcavePos(GeoDataLine()), -1);
}

TEST(GeometryTriangulationTest, SplitCutsBetweenTwoVertices) {
    const GeoDataLine lShape(kLShape);
    GeoDataLine first, second;
    ASSERT_TRUE(GeometryProcBase::split(lShape, 3, 0, first, second));
    EXPECT_EQ(first.getLine(), (Points{{0, 0}, {1, 1}, {2, 1}, {2, 0}, {0, 0}}));
    EXPECT_EQ(second.getLine(), (Points{{0, 0}, {0, 2}, {1, 2}, {1, 1}, {0, 0}}));
    GeoDataLine firstSwapped, secondSwapped;
    ASSERT_TRUE(GeometryProcBase::split(lShape, 0, 3, firstSwapped, secondSwapped));
    EXPECT_EQ(firstSwapped, first);
    EXPECT_EQ(secondSwapped, second);
    ASSERT_TRUE(GeometryProcBase::split(lShape, 1, 5, first, second));
    EXPECT_EQ(first.getLine(), (Points{{0, 0}, {0, 2}, {2, 0}, {0, 0}}));
    EXPECT_EQ(second.getLine(), (Points{{0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}, {0, 2}}));
}

TEST(GeometryTriangulationTest, SplitRefusesSameOrMissingVertex) {
    const GeoDataLine lShape(kLShape);
    GeoDataLine first, second;
    EXPECT_FALSE(GeometryProcBase::split(lShape, 2, 2, first, second));
    EXPECT_FALSE(GeometryProcBase::split(lShape, 1, 7, first, second));
    EXPECT_FALSE(GeometryProcBase::split(GeoDataLine(), 0, 1, first, second));
    EXPECT_EQ(first.getPtNum(), 0u);
}

TEST(GeometryTriangulationTest, GetSplitPosPrefersNearestCutWithoutReflexRemainder) {
    size_t m = 99;
    ASSERT_TRUE(GeometryProcBase::getSplitPos(GeoDataLine(kLShape), 3, m));
    EXPECT_EQ(m, 0u);
}

TEST_F(GeometrySplitFailureTest, GetSplitPosOnDegenerateInput) {
    size_t m = 99;
    EXPECT_FALSE(GeometryProcBase::getSplitPos(GeoDataLine(), 0, m));
    EXPECT_FALSE(GeometryProcBase::getSplitPos(GeoDataLine(Points{{3, 4}, {5, 6}}), 0, m));
    EXPECT_FALSE(GeometryProcBase::getSplitPos(GeoDataLine(kLShape), 7, m));
    EXPECT_FALSE(GeometryProcBase::getSplitPos(GeoDataLine(Points{{0, 0}, {0, 1}, {1, 0}, {0, 0}}), 1, m))
        << "a triangle has nothing to cut to";
    EXPECT_EQ(m, 99u);
    const std::string text = logged();
    EXPECT_NE(text.find("分割候補が見つかりませんでした3 4 \n"), std::string::npos) << text;
}

}  // namespace

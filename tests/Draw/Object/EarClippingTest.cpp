#include "EarClipping.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "GeometryChecks.h"

using namespace qiv;

namespace {

struct RingCase {
    std::string name;
    std::vector<double> ring;  // flat x, y
    std::vector<double> outline;  // the area the triangles must cover
};

std::vector<double> reversedRing(const std::vector<double>& ring) {
    std::vector<double> out;
    for (size_t i = ring.size(); i >= 2; i -= 2) {
        out.push_back(ring[i - 2]);
        out.push_back(ring[i - 1]);
    }
    return out;
}

// The square (0,0)-(100,100) with a 40 x 40 hole in its middle, joined to
// the outer edge by a channel 2 units wide: one simple ring whose area
// excludes the hole.
const std::vector<double> kKeyhole = {0, 0,  100, 0,  100, 100, 51, 100, 51, 70, 70, 70,
                                      70, 30, 30, 30, 30, 70, 49, 70, 49, 100, 0, 100};

std::vector<RingCase> ringCases() {
    const std::vector<double> square = {0, 0, 0, 10, 10, 10, 10, 0};
    const std::vector<double> lShape = {0, 0, 20, 0, 20, 10, 10, 10, 10, 30, 0, 30};
    const std::vector<double> comb = {0, 0, 50, 0, 50, 40, 40, 40, 40, 10, 30, 10,
                                      30, 40, 20, 40, 20, 10, 10, 10, 10, 40, 0, 40};
    const std::vector<double> star = {50, 0, 61, 35, 98, 35, 68, 57, 79, 91,
                                      50, 70, 21, 91, 32, 57, 2, 35, 39, 35};
    const std::vector<double> collinearEdges = {0, 0, 5, 0, 10, 0, 10, 5, 10, 10, 5, 10, 0, 10, 0, 5};
    std::vector<double> closedSquare = square;
    closedSquare.insert(closedSquare.end(), {0, 0});
    const std::vector<double> withRepeats = {0, 0, 0, 0, 0, 10, 10, 10, 10, 10, 10, 0, 0, 0};
    std::vector<double> worldScale;
    for (double v : lShape) worldScale.push_back(3000000000.0 + v * 1000.0);
    return {
        {"clockwise square", square, square},
        {"counter-clockwise square", reversedRing(square), square},
        {"closing point repeated", closedSquare, square},
        {"consecutive repeats", withRepeats, square},
        {"concave L", lShape, lShape},
        {"concave L counter-clockwise", reversedRing(lShape), lShape},
        {"comb with deep notches", comb, comb},
        {"star", star, star},
        {"collinear points on the edges", collinearEdges, collinearEdges},
        {"keyhole around a hole", kKeyhole, kKeyhole},
        {"world coordinates near 2^32", worldScale, worldScale},
    };
}

void PrintTo(const RingCase& c, std::ostream* out) {
    *out << c.name;
}

class EarClippingRingTest : public ::testing::TestWithParam<RingCase> {};

}  // namespace

// The triangles cover the ring exactly: their areas add up to the ring's
// area and each lies inside the ring, so none overlaps another or leaves it.
TEST_P(EarClippingRingTest, TrianglesCoverTheRingExactly) {
    const RingCase& c = GetParam();
    std::vector<GeoDataLine> triangles;
    ASSERT_TRUE(EarClipping::polygon_triangulate(c.ring, &triangles));

    double area = 0.0;
    for (const GeoDataLine& t : triangles) {
        ASSERT_EQ(t.getPtNum(), 3u);
        area += geometry::triangleArea(t.x(0), t.y(0), t.x(1), t.y(1), t.x(2), t.y(2));
        const double cx = (t.x(0) + t.x(1) + t.x(2)) / 3.0;
        const double cy = (t.y(0) + t.y(1) + t.y(2)) / 3.0;
        EXPECT_TRUE(geometry::insideRing(c.outline, cx, cy))
            << "triangle centred at " << cx << ", " << cy << " lies outside the ring";
    }
    EXPECT_NEAR(area, geometry::ringArea(c.outline), 1e-6 * geometry::ringArea(c.outline));
}

INSTANTIATE_TEST_SUITE_P(Rings, EarClippingRingTest, ::testing::ValuesIn(ringCases()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             }
                             return name;
                         });

TEST(EarClippingTest, KeyholeLeavesTheHoleUncovered) {
    std::vector<GeoDataLine> triangles;
    ASSERT_TRUE(EarClipping::polygon_triangulate(kKeyhole, &triangles));
    for (const GeoDataLine& t : triangles) {
        const std::vector<GeoBasePoint> corners = {GeoBasePoint(t.x(0), t.y(0)),
                                                   GeoBasePoint(t.x(1), t.y(1)),
                                                   GeoBasePoint(t.x(2), t.y(2))};
        EXPECT_FALSE(EarClipping::point_in_triangle(GeoBasePoint(50, 50), corners));
    }
}

TEST(EarClippingTest, SquareGivesTwoTrianglesWhateverItsOrientation) {
    for (const auto& ring : {std::vector<double>{0, 0, 1, 0, 1, 1, 0, 1},
                             std::vector<double>{0, 0, 0, 1, 1, 1, 1, 0}}) {
        std::vector<GeoDataLine> triangles;
        ASSERT_TRUE(EarClipping::polygon_triangulate(ring, &triangles));
        EXPECT_EQ(triangles.size(), 2u);
    }
}

TEST(EarClippingTest, RepeatedClosingPointTriangulatesLikeTheOpenRing) {
    const std::vector<double> open = {0, 0, 20, 0, 20, 10, 10, 10, 10, 30, 0, 30};
    std::vector<double> closed = open;
    closed.insert(closed.end(), {0, 0});
    std::vector<GeoDataLine> fromOpen;
    std::vector<GeoDataLine> fromClosed;
    ASSERT_TRUE(EarClipping::polygon_triangulate(open, &fromOpen));
    ASSERT_TRUE(EarClipping::polygon_triangulate(closed, &fromClosed));
    EXPECT_EQ(fromOpen, fromClosed);
}

TEST(EarClippingTest, AppendsToTrianglesAlreadyThere) {
    std::vector<GeoDataLine> triangles(1);
    ASSERT_TRUE(EarClipping::polygon_triangulate({0, 0, 0, 1, 1, 1, 1, 0}, &triangles));
    EXPECT_EQ(triangles.size(), 3u);
}

TEST(EarClippingTest, DegenerateRingsAreRefusedWithoutTriangles) {
    const std::vector<std::vector<double>> rings = {
        {},
        {5, 5},
        {0, 0, 1, 1},
        {0, 0, 1, 1, 0, 0},       // two points and the closing repeat
        {3, 3, 3, 3, 3, 3, 3, 3}, // one point repeated
        {0, 0, 1, 0, 1},          // an odd count: two whole points
    };
    for (const auto& ring : rings) {
        std::vector<GeoDataLine> triangles;
        EXPECT_FALSE(EarClipping::polygon_triangulate(ring, &triangles)) << ring.size();
        EXPECT_TRUE(triangles.empty());
    }
    EXPECT_FALSE(EarClipping::polygon_triangulate({0, 0, 1, 0, 0, 1}, nullptr));
}

TEST(EarClippingTest, ThreeCollinearPointsGiveOneFlatTriangle) {
    std::vector<GeoDataLine> triangles;
    ASSERT_TRUE(EarClipping::polygon_triangulate({0, 0, 1, 1, 2, 2}, &triangles));
    ASSERT_EQ(triangles.size(), 1u);
    const GeoDataLine& t = triangles[0];
    EXPECT_EQ(geometry::triangleArea(t.x(0), t.y(0), t.x(1), t.y(1), t.x(2), t.y(2)), 0.0);
}

TEST(EarClippingTest, RingsWithoutEarsStopInsteadOfLooping) {
    // More than three points on one line, and a self-crossing bow tie.
    const std::vector<std::vector<double>> rings = {
        {0, 0, 1, 0, 2, 0, 3, 0},
        {0, 0, 10, 10, 10, 0, 0, 10},
    };
    for (const auto& ring : rings) {
        std::vector<GeoDataLine> triangles;
        EarClipping::polygon_triangulate(ring, &triangles);
        EXPECT_LE(triangles.size(), ring.size() / 2 - 2);
    }
    std::vector<GeoDataLine> triangles;
    EXPECT_FALSE(EarClipping::polygon_triangulate({0, 0, 1, 0, 2, 0, 3, 0}, &triangles));
}

TEST(EarClippingTest, OrientationOfTurnsAndRings) {
    const GeoBasePoint a(0, 0), b(1, 0), left(1, 1), right(1, -1), ahead(2, 0);
    EXPECT_EQ(EarClipping::orientation(a, b, left), EarClipping::LEFT);
    EXPECT_EQ(EarClipping::orientation(a, b, right), EarClipping::RIGHT);
    EXPECT_EQ(EarClipping::orientation(a, b, ahead), EarClipping::COLLINEAR);

    const std::vector<GeoBasePoint> ccw = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const std::vector<GeoBasePoint> cw = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    EXPECT_EQ(EarClipping::polygon_orientation(ccw), EarClipping::COUNTER_CLOCKWISE);
    EXPECT_EQ(EarClipping::polygon_orientation(cw), EarClipping::CLOCKWISE);
    EXPECT_EQ(EarClipping::polygon_orientation({{4, 4}}), EarClipping::CLOCKWISE);
}

TEST(EarClippingTest, PointInTriangleCountsTheBorder) {
    struct Case {
        GeoBasePoint p;
        bool inside;
    };
    const std::vector<GeoBasePoint> triangle = {{0, 0}, {0, 10}, {10, 0}};
    const std::vector<Case> cases = {
        {{2, 2}, true},  {{0, 5}, true},    {{5, 5}, true},   {{0, 0}, true},
        {{10, 0}, true}, {{6, 6}, false},   {{-1, 2}, false}, {{2, -1}, false},
        {{0, 11}, false}, {{20, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EarClipping::point_in_triangle(c.p, triangle), c.inside) << c.p;
        const std::vector<GeoBasePoint> reversed = {triangle[2], triangle[1], triangle[0]};
        EXPECT_EQ(EarClipping::point_in_triangle(c.p, reversed), c.inside) << c.p << " reversed";
    }
}

TEST(EarClippingTest, RobustCollinearMeasuresFromTheLongestSide) {
    EXPECT_TRUE(EarClipping::robust_collinear(0, 0, 5, 0, 10, 0, Epsilon_Medium));
    EXPECT_TRUE(EarClipping::robust_collinear(0, 0, 10, 0, 5, 0, Epsilon_Medium));
    EXPECT_TRUE(EarClipping::robust_collinear(1, 1, 1, 1, 1, 1, Epsilon_Medium));
    EXPECT_FALSE(EarClipping::robust_collinear(0, 0, 5, 1e-6, 10, 0, Epsilon_Medium));
    EXPECT_TRUE(EarClipping::robust_collinear(0, 0, 5, 0.5, 10, 0, 0.5));
    EXPECT_FALSE(EarClipping::robust_collinear(0, 0, 5, 0.6, 10, 0, 0.5));
}

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "GeometryLogCapture.h"
#include "GeometryProcBase.h"

namespace {

const double kNearlyStraight = std::atan(0.001) * 180 / M_PI;

struct AngleCase {
    GeoDataPoint p1, p2, p3;
    double turning;  // without `inner`
    double inner;
};

TEST(GeometryOrientationTest, CalcAngleMeasuresCounterclockwiseFromFirstToThird) {
    const std::vector<AngleCase> cases = {
        {{1, 0}, {0, 0}, {0, 1}, 90, 90},
        {{0, 1}, {0, 0}, {1, 0}, 270, 90},
        {{1, 0}, {0, 0}, {1, 1}, 45, 45},
        {{1, 1}, {0, 0}, {1, 0}, 315, 45},
        {{5, 2}, {3, 2}, {1, 2.002}, 180 - kNearlyStraight, 180 - kNearlyStraight},
        {{-1, 0}, {0, 0}, {1, 0}, 0, 0},      // straight on: collinear
        {{1, 0}, {0, 0}, {2, 0}, 0, 0},       // spike back: collinear
        {{0, 0}, {0, 0}, {1, 5}, 0, 0},       // first point on the vertex
        {{1, 5}, {0, 0}, {0, 0}, 0, 0},       // third point on the vertex
        {{2, 2}, {2, 2}, {2, 2}, 0, 0},       // all coincide
        {{3, 4}, {0, 0}, {3, 4}, 0, 0},       // first and third coincide
    };
    for (const AngleCase& c : cases) {
        EXPECT_NEAR(GeometryProcBase::calcAngle(c.p1, c.p2, c.p3), c.turning, 1e-9) << c.p1 << c.p2 << c.p3;
        EXPECT_NEAR(GeometryProcBase::calcAngle(c.p1, c.p2, c.p3, true), c.inner, 1e-9) << c.p1 << c.p2 << c.p3;
        EXPECT_EQ(GeometryProcBase::calcAngle(c.p1.x(), c.p1.y(), c.p2.x(), c.p2.y(), c.p3.x(), c.p3.y()),
                  GeometryProcBase::calcAngle(c.p1, c.p2, c.p3));
    }
}

TEST(GeometryOrientationTest, CalcAngleIsStraightForVertexOnLongBase) {
    // The vertex lies within the tolerance of the line through its neighbours,
    // while each neighbour lies just outside it from the other's side.
    EXPECT_EQ(GeometryProcBase::calcAngle(-1, 0, 0, 1.5e-14, 1, 0), 180.0);
    EXPECT_EQ(GeometryProcBase::calcAngle(-1, 0, 0, 0.5e-14, 1, 0), 0.0);
}

using GeometryClockwiseTest = GeometryLogCapture;

TEST_F(GeometryClockwiseTest, OrientationOfOpenAndClosedRings) {
    const std::vector<GeoBasePoint> square = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    GeoDataLine clockwise(square);
    EXPECT_TRUE(GeometryProcBase::checkClockwise(clockwise));
    clockwise.addCoord(0, 0);
    EXPECT_TRUE(GeometryProcBase::checkClockwise(clockwise));
    clockwise.reverse();
    EXPECT_FALSE(GeometryProcBase::checkClockwise(clockwise));
    EXPECT_FALSE(GeometryProcBase::checkClockwise(GeoDataLine(std::vector<GeoBasePoint>{{0, 0}, {1, 1}, {2, 2}})))
        << "no area is not clockwise";
    EXPECT_EQ(logged(), "");
}

TEST_F(GeometryClockwiseTest, TooFewPointsAreNotClockwise) {
    EXPECT_FALSE(GeometryProcBase::checkClockwise(GeoDataLine(std::vector<GeoBasePoint>{{0, 0}, {1, 0}})));
    EXPECT_FALSE(GeometryProcBase::checkClockwise(GeoDataLine()));
    const std::string text = logged();
    EXPECT_NE(text.find("[debug]"), std::string::npos) << text;
    EXPECT_NE(text.find(" : Less Coordinates\n"), std::string::npos) << text;
}

GeoDataPoly polygonOf(const std::vector<GeoBasePoint>& ring) {
    GeoDataPoly poly;
    poly.setCoords(ring);
    return poly;
}

TEST(GeometryOrientationTest, CheckConvexOfClosedClockwiseRing) {
    const std::vector<GeoBasePoint> square = {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}};
    const std::vector<GeoBasePoint> lShape = {{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}, {0, 0}};
    const std::vector<GeoBasePoint> notchAtStart = {{1, 1}, {0, 2}, {2, 2}, {2, 0}, {0, 0}, {1, 1}};
    EXPECT_TRUE(GeometryProcBase::checkConvex(polygonOf(square)));
    EXPECT_FALSE(GeometryProcBase::checkConvex(polygonOf(lShape)));
    EXPECT_FALSE(GeometryProcBase::checkConvex(polygonOf(notchAtStart))) << "the closing corner counts";
    EXPECT_FALSE(GeometryProcBase::checkConvex(polygonOf({square.rbegin(), square.rend()})))
        << "counterclockwise corners read as reflex";

    GeoDataPoly twoRings = polygonOf(square);
    twoRings.addPoly(square);
    EXPECT_FALSE(GeometryProcBase::checkConvex(twoRings));
    EXPECT_FALSE(GeometryProcBase::checkConvex(GeoDataPoly()));
    EXPECT_FALSE(GeometryProcBase::checkConvex(polygonOf({{3, 3}})));
    EXPECT_TRUE(GeometryProcBase::checkConvex(polygonOf({{3, 3}, {4, 4}})));
}

TEST(GeometryOrientationTest, CheckSameIsExact) {
    EXPECT_TRUE(GeometryProcBase::checkSame(GeoDataPoint(1.5, -2), GeoDataPoint(1.5, -2)));
    EXPECT_FALSE(GeometryProcBase::checkSame(GeoDataPoint(1.5, -2), GeoDataPoint(1.5, -2 + 1e-15)));
    EXPECT_TRUE(GeometryProcBase::checkSame(0.0, 0.0, -0.0, 0.0));
    EXPECT_FALSE(GeometryProcBase::checkSame(1, 2, 2, 1));
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "GeometryProcBase.h"

namespace {

using Ring = GeoBasePoly::Ring;

void expectRingNear(const Ring& actual, const Ring& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].x(), expected[i].x(), 1e-9) << "point " << i;
        EXPECT_NEAR(actual[i].y(), expected[i].y(), 1e-9) << "point " << i;
    }
}

struct RotateCase {
    double angle;
    GeoDataPoint in;
    GeoDataPoint out;
};

TEST(GeometryRotateTest, RotatePointSwapsAxesThenTurnsCounterclockwise) {
    const std::vector<RotateCase> cases = {
        {0, {3, 4}, {4, 3}},   {90, {3, 4}, {-3, 4}}, {180, {3, 4}, {-4, -3}},
        {-90, {1, 0}, {1, 0}}, {45, {0, 0}, {0, 0}},  {360, {-2, 5}, {5, -2}},
    };
    for (const RotateCase& c : cases) {
        GeoDataPoint point = c.in;
        GeometryProcBase::rotatePoint(c.angle, point);
        EXPECT_NEAR(point.x(), c.out.x(), 1e-12) << c.in << " by " << c.angle;
        EXPECT_NEAR(point.y(), c.out.y(), 1e-12) << c.in << " by " << c.angle;
    }
}

TEST(GeometryRotateTest, RotateBoxCenterAppendsClosedOutlineToLastRing) {
    GeoDataPoly poly;
    poly.addCoord(7, 7);
    poly.addPoly();
    GeometryProcBase::rotateBoxCenter(GeoDataPoint(100, 50), 20, 10, 0, poly);
    ASSERT_EQ(poly.getPolyNum(), 2u);
    EXPECT_EQ(poly.getPoly()[0], (Ring{{7, 7}}));
    expectRingNear(poly.getPoly()[1], {{105, 60}, {105, 40}, {95, 40}, {95, 60}, {105, 60}});
}

TEST(GeometryRotateTest, RotateBoxCenterQuarterTurnGivesTransposedBounds) {
    GeoDataPoly poly;
    GeometryProcBase::rotateBoxCenter(GeoDataPoint(100, 50), 20, 10, 90, poly);
    GeoDataBox box;
    GeometryProcBase::setBox(poly, box);
    EXPECT_NEAR(box.minX(), 90, 1e-9);
    EXPECT_NEAR(box.minY(), 45, 1e-9);
    EXPECT_NEAR(box.maxX(), 110, 1e-9);
    EXPECT_NEAR(box.maxY(), 55, 1e-9);
    EXPECT_EQ(poly.getPoly()[0].front(), poly.getPoly()[0].back());
}

TEST(GeometryRotateTest, RotateBoxTurnsSidesAboutTheCorner) {
    GeoDataPoly flat, upright;
    GeometryProcBase::rotateBox(GeoDataPoint(1, 1), 4, 2, 0, flat);
    expectRingNear(flat.getPoly()[0], {{1, 1}, {1, 3}, {5, 3}, {5, 1}, {1, 1}});
    GeometryProcBase::rotateBox(GeoDataPoint(1, 1), 4, 2, 90, upright);
    expectRingNear(upright.getPoly()[0], {{1, 1}, {-1, 1}, {-1, 5}, {1, 5}, {1, 1}});
}

TEST(GeometryRotateTest, RotateBoxFromBoxTruncatesItsSize) {
    GeoDataPoly fromBox, fromCorner;
    GeometryProcBase::rotateBox(GeoDataBox(1, 1, 5.9, 3.5), 30, fromBox);
    GeometryProcBase::rotateBox(GeoDataPoint(1, 1), 4, 2, 30, fromCorner);
    EXPECT_EQ(fromBox, fromCorner);
}

TEST(GeometryRotateTest, RotateBoxFromInvertedBoxCollapsesToItsCorner) {
    GeoDataPoly poly;
    GeometryProcBase::rotateBox(GeoDataBox(3, 4, -1e30, 2), 45, poly);
    expectRingNear(poly.getPoly()[0], Ring(5, GeoBasePoint(3, 4)));
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "GeoDataBox.h"
#include "GeoDataLine.h"
#include "GeoDataPoint.h"
#include "GeoDataPoly.h"

namespace {

using Ring = GeoBasePoly::Ring;

TEST(GeoValueTest, PointEditsAndCompares) {
    GeoDataPoint point;
    EXPECT_EQ(point, GeoDataPoint(0, 0));
    point.setCoord(1.5, -2);
    point.shiftCoord(1, 1);
    point.shiftX(0.5);
    point.shiftY(-3);
    EXPECT_DOUBLE_EQ(point.x(), 3.0);
    EXPECT_DOUBLE_EQ(point.y(), -4.0);
    EXPECT_NE(point, GeoDataPoint(3, 4));
    GeoBasePoint copy = point;
    copy.shiftX(1);
    EXPECT_EQ(point.x(), 3.0) << "copies own their coordinates";
}

TEST(GeoValueTest, LineEditsInOrder) {
    const std::vector<GeoDataPoint> points = {{0, 0}, {1, 0}, {2, 0}};
    GeoDataLine line(points.begin(), points.end());
    line.addCoord(3, 0);
    line.insertCoord(0, -1, 0);
    line.insertCoord(line.getPtNum(), 4, 0);
    line.replaceCoord(1, 0, 9);
    line.deleteCoord(2);
    EXPECT_EQ(line, GeoDataLine(std::vector<GeoBasePoint>{{-1, 0}, {0, 9}, {2, 0}, {3, 0}, {4, 0}}));
    EXPECT_EQ(line.at(1), GeoDataPoint(0, 9));
    line.reverse();
    EXPECT_EQ(line.at(0), GeoDataPoint(4, 0));
    line.addCoords(points);
    EXPECT_EQ(line.getPtNum(), 8u);
    line.setCoords(points);
    EXPECT_EQ(line.getLine(), std::vector<GeoBasePoint>(points.begin(), points.end()));
    line.clear();
    EXPECT_EQ(line.getPtNum(), 0u);
}

TEST(GeoValueTest, LineIgnoresIndicesOutsideIt) {
    GeoDataLine line;
    line.deleteCoord(0);
    line.replaceCoord(0, 1, 1);
    line.insertCoord(1, 1, 1);
    EXPECT_EQ(line.getPtNum(), 0u);
    line.reverse();
    EXPECT_EQ(line, GeoDataLine());
}

TEST(GeoValueTest, NewAndClearedPolygonHoldOneEmptyRing) {
    GeoDataPoly poly;
    EXPECT_EQ(poly.getPolyNum(), 1u);
    EXPECT_EQ(poly.getPtNum(0), 0u);
    poly.addCoord(1, 1);
    poly.addPoly();
    poly.addCoord(2, 2);
    poly.clear();
    EXPECT_EQ(poly.getPolyNum(), 1u);
    EXPECT_EQ(poly.getPtNum(0), 0u);
    poly.setPoly({});
    EXPECT_EQ(poly.getPolyNum(), 1u);
    EXPECT_EQ(poly, GeoDataPoly());
}

TEST(GeoValueTest, PolygonCallsWithoutRingActOnLastRing) {
    GeoDataPoly poly;
    poly.addCoord(0, 0);
    poly.addPoly(std::vector<GeoDataPoint>{{5, 5}, {6, 6}});
    poly.addCoord(7, 7);
    poly.insertCoord(0, 4, 4);
    poly.replaceCoord(1, 5, 50);
    poly.deleteCoord(2);
    poly.addCoords(std::vector<GeoBasePoint>{{8, 8}});
    const GeoDataPoint more[] = {{9, 9}, {10, 10}};
    poly.addCoords(std::begin(more), std::end(more));
    EXPECT_EQ(poly.getPoly(), (std::vector<Ring>{{{0, 0}}, {{4, 4}, {5, 50}, {7, 7}, {8, 8}, {9, 9}, {10, 10}}}));
    poly.setCoords(std::vector<GeoBasePoint>{{1, 2}});
    EXPECT_EQ(poly.getPoly()[1], (Ring{{1, 2}}));
    EXPECT_EQ(poly.getPoly()[0], (Ring{{0, 0}}));
}

TEST(GeoValueTest, PolygonCallsWithRingActOnThatRing) {
    GeoDataPoly poly;
    poly.setPoly({{{0, 0}, {1, 0}}, {{9, 9}}});
    poly.addCoord(0, 2, 0);
    poly.insertCoord(0, 0, -1, 0);
    poly.replaceCoord(0, 1, 0, 1);
    poly.deleteCoord(0, 2);
    poly.addCoords(0, std::vector<GeoBasePoint>{{3, 3}});
    EXPECT_EQ(poly.getPoly()[0], (Ring{{-1, 0}, {0, 1}, {2, 0}, {3, 3}}));
    EXPECT_DOUBLE_EQ(poly.x(0, 3), 3.0);
    EXPECT_DOUBLE_EQ(poly.y(1, 0), 9.0);
    poly.reverse(0);
    EXPECT_EQ(poly.getPoly()[0].front(), GeoBasePoint(3, 3));
    poly.setCoords(1, std::vector<GeoBasePoint>{{4, 4}, {5, 5}});
    poly.reverse();
    EXPECT_EQ(poly.getPoly()[0].front(), GeoBasePoint(-1, 0));
    EXPECT_EQ(poly.getPoly()[1], (Ring{{5, 5}, {4, 4}}));
    poly.clear(1);
    EXPECT_EQ(poly.getPolyNum(), 2u);
    EXPECT_EQ(poly.getPtNum(1), 0u);
}

TEST(GeoValueTest, PolygonIgnoresRingsAndPointsOutsideIt) {
    GeoDataPoly poly;
    poly.addCoord(0, 0);
    const GeoDataPoly before = poly;
    poly.addCoord(3, 1, 1);
    poly.insertCoord(3, 0, 1, 1);
    poly.insertCoord(0, 2, 1, 1);
    poly.deleteCoord(0, 1);
    poly.deleteCoord(3, 0);
    poly.replaceCoord(0, 5, 1, 1);
    poly.setCoords(4, std::vector<GeoBasePoint>{{1, 1}});
    poly.addCoords(4, std::vector<GeoBasePoint>{{1, 1}});
    poly.clear(7);
    poly.reverse(7);
    EXPECT_EQ(poly, before);
    EXPECT_EQ(poly.getPtNum(9), 0u);
}

TEST(GeoValueTest, BoxHoldsCornersAsGiven) {
    GeoDataBox box;
    EXPECT_EQ(box, GeoDataBox(0, 0, 0, 0));
    box.setBox(-1, -2, 3, 4);
    EXPECT_EQ(box.minX(), -1.0);
    EXPECT_EQ(box.minY(), -2.0);
    EXPECT_EQ(box.maxX(), 3.0);
    EXPECT_EQ(box.maxY(), 4.0);
    EXPECT_NE(box, GeoDataBox(-1, -2, 3, 5));
}

}  // namespace

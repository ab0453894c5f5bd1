#include "GLPolygonObject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EarClipping.h"
#include "GeometryChecks.h"
#include "K7DataIcn.h"
#include "K7DataLn4.h"
#include "K7DataLnc.h"

using namespace qiv;

namespace {

GLCoord at(double x, double y) {
    return GLCoord(x, y, 0.0, true);
}

const float kFill[4] = {255, 0, 0, 255};
const float kStroke[4] = {0, 0, 255, 255};
const float kNoStroke[4] = {0, 0, 255, 0};

// The square (0,0)-(100,100), open.
const std::vector<double> kSquare = {0, 0, 100, 0, 100, 100, 0, 100};
// The square (40,40)-(60,60) inside it.
const std::vector<double> kHole = {40, 40, 60, 40, 60, 60, 40, 60};

// Fills a line record with the points (flat x, y).
void fillRecord(K7DataLn4& record, const std::vector<double>& flatXY) {
    for (size_t i = 0; i + 1 < flatXY.size(); i += 2) record.editContents().addCoord(flatXY[i], flatXY[i + 1]);
}

// Sum of the areas of the object's vertex triples (world points).
double trianglesArea(const std::vector<double>& points) {
    double area = 0.0;
    for (size_t i = 0; i + 8 < points.size(); i += 9) {
        area += geometry::triangleArea(points[i], points[i + 1], points[i + 3], points[i + 4],
                                       points[i + 6], points[i + 7]);
    }
    return area;
}

GLPolygonObject applicationPolygon(const std::vector<std::vector<double>>& holes = {},
                                   const float* stroke = kStroke, float strokeWidth = 2.0f) {
    GLPolygonObject polygon;
    EXPECT_TRUE(polygon.initialize("p", 4.0f, kSquare, holes, kFill, stroke, strokeWidth, true));
    return polygon;
}

}  // namespace

TEST(GLPolygonObjectTest, MapAreaRecordsAddWholeTrianglesOnly) {
    struct Case {
        std::vector<double> points;
        bool added;
        int vertices;
    };
    const std::vector<Case> cases = {
        {{}, false, 0},
        {{0, 0, 10, 0, 0, 10}, true, 3},
        {{0, 0, 10, 0, 0, 10, 10, 0, 10, 10, 0, 10}, true, 6},
        {{0, 0, 10, 0, 0, 10, 10, 10}, false, 0},
        {{0, 0, 10, 0}, false, 0},
    };
    for (const Case& c : cases) {
        GLPolygonObject polygon;
        K7DataLn4 record;
        fillRecord(record, c.points);
        EXPECT_EQ(polygon.setVertices(&record), c.added) << c.points.size() / 2 << " points";
        EXPECT_EQ(polygon.getVerticesNum(), c.vertices);
        EXPECT_EQ(polygon.getWorldPoints().size(), static_cast<size_t>(c.vertices) * 3);
        EXPECT_EQ(polygon.getVerticesNum() % 3, 0);
    }
}

TEST(GLPolygonObjectTest, MapAreaRecordsAppendAndTruncateCoordinates) {
    GLPolygonObject polygon;
    K7DataLn4 first;
    K7DataLn4 second;
    fillRecord(first, {10, 20, 30, 20, 10, 40});
    fillRecord(second, {4294967295.0, 1, 4294967290.0, 2, 4294967295.0, 3});
    ASSERT_TRUE(polygon.setVertices(&first));
    ASSERT_TRUE(polygon.setVertices(&second));
    EXPECT_EQ(polygon.getVerticesNum(), 6);
    const std::vector<double>& p = polygon.getWorldPoints();
    EXPECT_EQ(p[0], 10.0);
    EXPECT_EQ(p[2], 0.0) << "z is 0 on the ground";
    EXPECT_EQ(p[9], 4294967295.0) << "the world's east edge survives";

    polygon.offsetPoint(10, 20);
    EXPECT_EQ(polygon.getPoints()[3], 20.0f);
    EXPECT_EQ(polygon.getPoints()[7], 20.0f);
}

TEST(GLPolygonObjectTest, SetVerticesNoCheckAreaNeedsWholeTriangles) {
    GLPolygonObject polygon;
    EXPECT_FALSE(polygon.setVerticesNoCheckArea({at(0, 0), at(1, 1)}));
    EXPECT_EQ(polygon.getVerticesNum(), 0);
    polygon.setVisibleRegion(at(1000, 1000), at(2000, 2000));
    EXPECT_TRUE(polygon.setVerticesNoCheckArea({at(0, 0), at(10, 0), at(0, 10.7)}));
    EXPECT_EQ(polygon.getVerticesNum(), 3) << "no visibility test";
    EXPECT_EQ(polygon.getWorldPoints()[7], 10.0);
}

TEST(GLPolygonObjectTest, ConvertTrianglePolygonsFlattensTheTriangles) {
    std::vector<double> triangles;
    EXPECT_FALSE(GLPolygonObject::convertTrianglePolygons({0, 0, 1, 1}, triangles));
    EXPECT_FALSE(GLPolygonObject::convertTrianglePolygons({0, 0, 1, 1, 0, 0, 1, 1}, triangles))
        << "two distinct points give no triangle";
    ASSERT_TRUE(GLPolygonObject::convertTrianglePolygons(kSquare, triangles));
    EXPECT_EQ(triangles.size(), 12u);
    std::vector<double> asPoints;
    for (size_t i = 0; i < triangles.size(); i += 2) asPoints.insert(asPoints.end(), {triangles[i], triangles[i + 1], 0});
    EXPECT_DOUBLE_EQ(trianglesArea(asPoints), 10000.0);
}

TEST(GLPolygonObjectTest, ApplicationOutlineIsClosedTriangulatedAndColoured) {
    GLPolygonObject polygon = applicationPolygon();
    EXPECT_EQ(polygon.getObjectType(), POLYGON_OBJECT);
    EXPECT_EQ(polygon.getUserOutline().size(), 10u) << "closed with its first point";
    EXPECT_EQ(polygon.getUserTriangles().size(), 12u);
    ASSERT_TRUE(polygon.isColor());
    EXPECT_EQ(polygon.getColor().get()[0], 1.0f);
    EXPECT_EQ(polygon.getColor().get()[3], 1.0f);
    EXPECT_EQ(polygon.getZindex(), 4.0f);
    EXPECT_TRUE(polygon.getId().empty()) << "the controller keys polygons by id";
}

TEST(GLPolygonObjectTest, UntriangulatableOutlineOrHoleFailsInitialize) {
    GLPolygonObject polygon;
    EXPECT_FALSE(polygon.initialize("p", 0, {0, 0, 5, 5}, {}, kFill, kStroke, 1, true));
    GLPolygonObject withBadHole;
    EXPECT_FALSE(withBadHole.initialize("p", 0, kSquare, {{1, 1, 2, 2}}, kFill, kStroke, 1, true));
    GLPolygonObject failedUpdate = applicationPolygon();
    EXPECT_FALSE(failedUpdate.setUserVertices({1, 1}));
    EXPECT_EQ(failedUpdate.getUserTriangles().size(), 12u) << "the old outline stays";
}

TEST(GLPolygonObjectTest, RegistrationCullsTrianglesButKeepsTheViewCovered) {
    // A long strip with points every 100 units along both sides, viewed
    // through a box over a small part of it.
    std::vector<double> strip;
    for (int x = 0; x <= 2000; x += 100) strip.insert(strip.end(), {double(x), 0});
    for (int x = 2000; x >= 0; x -= 100) strip.insert(strip.end(), {double(x), 100});
    GLPolygonObject polygon;
    ASSERT_TRUE(polygon.initialize("p", 0, strip, {}, kFill, kNoStroke, 0, true));
    const size_t allTriangles = polygon.getUserTriangles().size() / 6;
    polygon.setVisibleRegion(at(850, -50), at(1020, 150));
    ASSERT_TRUE(polygon.registrateUserData());

    const std::vector<double>& kept = polygon.getWorldPoints();
    EXPECT_EQ(kept.size(), static_cast<size_t>(polygon.getVerticesNum()) * 3);
    EXPECT_EQ(polygon.getVerticesNum() % 3, 0);
    EXPECT_LT(static_cast<size_t>(polygon.getVerticesNum() / 3), allTriangles) << "nothing culled";
    for (double x = 851; x < 1020; x += 7) {
        for (double y = 1; y < 100; y += 7) {
            bool covered = false;
            for (size_t i = 0; i + 8 < kept.size() && !covered; i += 9) {
                covered = EarClipping::point_in_triangle(
                    GeoBasePoint(x, y), {GeoBasePoint(kept[i], kept[i + 1]),
                                         GeoBasePoint(kept[i + 3], kept[i + 4]),
                                         GeoBasePoint(kept[i + 6], kept[i + 7])});
            }
            EXPECT_TRUE(covered) << "visible point " << x << ", " << y << " lost";
        }
    }

    polygon.setVisibleRegion(at(5000, 5000), at(6000, 6000));
    EXPECT_FALSE(polygon.registrateUserData());
    EXPECT_EQ(polygon.getVerticesNum(), 0) << "cleared before testing";
}

TEST(GLPolygonObjectTest, TriangleThatContainsTheWholeViewIsKept) {
    // Zoomed far into one big triangle: no vertex inside the view, no edge
    // crossing it.
    GLPolygonObject polygon;
    ASSERT_TRUE(polygon.initialize("p", 0, {0, 0, 1000000, 0, 0, 1000000}, {}, kFill, kNoStroke, 0, true));
    polygon.setVisibleRegion(at(1000, 1000), at(1100, 1100));
    EXPECT_TRUE(polygon.registrateUserData());
    EXPECT_EQ(polygon.getVerticesNum(), 3);
}

TEST(GLPolygonObjectTest, TriangleWhoseEdgeCrossesTheViewIsKept) {
    GLPolygonObject polygon;
    ASSERT_TRUE(polygon.initialize("p", 0, {0, 0, 1000, 0, 0, 1000}, {}, kFill, kNoStroke, 0, true));
    // The view straddles the hypotenuse near its middle, no vertex inside.
    polygon.setVisibleRegion(at(480, 480), at(540, 540));
    EXPECT_TRUE(polygon.registrateUserData());
    // Beyond the hypotenuse: the bounding box covers the view, which keeps
    // the triangle although it does not reach the view.
    polygon.setVisibleRegion(at(700, 700), at(800, 800));
    EXPECT_TRUE(polygon.registrateUserData());
}

TEST(GLPolygonObjectTest, WithoutOutlineRegistrationDrawsNothing) {
    GLPolygonObject polygon;
    EXPECT_FALSE(polygon.registrateUserData());
}

TEST(GLPolygonObjectTest, HoleVerticesAreRebasedOnTheIntegerOffset) {
    GLPolygonObject polygon = applicationPolygon({kHole});
    ASSERT_EQ(polygon.getUserHoles().size(), 1u);
    polygon.setVisibleRegion(at(-10, -10), at(110, 110));
    polygon.setOffset(40, 30);
    ASSERT_TRUE(polygon.registrateUserData());
    const std::vector<float>& inner = polygon.getInnerPolygonPoints();
    ASSERT_EQ(inner.size(), 18u) << "two hole triangles";
    std::vector<double> asWorld;
    for (size_t i = 0; i < inner.size(); i += 3) {
        EXPECT_GE(inner[i], 0.0f);
        EXPECT_LE(inner[i], 20.0f);
        EXPECT_GE(inner[i + 1], 10.0f);
        EXPECT_LE(inner[i + 1], 30.0f);
        EXPECT_EQ(inner[i + 2], 0.0f);
        asWorld.insert(asWorld.end(), {inner[i], inner[i + 1], 0});
    }
    EXPECT_DOUBLE_EQ(trianglesArea(asWorld), 400.0);

    polygon.clear();
    EXPECT_TRUE(polygon.getInnerPolygonPoints().empty());
    EXPECT_EQ(polygon.getVerticesNum(), 0);
}

TEST(GLPolygonObjectTest, StrokesFollowTheOutlineAndEveryHole) {
    GLPolygonObject polygon = applicationPolygon({kHole, {10, 10, 20, 10, 20, 20}});
    ASSERT_TRUE(polygon.isStrokeEnabled());
    const auto& strokes = polygon.getStrokeObjects();
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_EQ(strokes[0]->getUserOriginalVertices(), polygon.getUserOutline());
    EXPECT_EQ(strokes[1]->getUserOriginalVertices().size(), 10u) << "hole closed";
    EXPECT_EQ(strokes[2]->getUserOriginalVertices().size(), 8u);
    for (const auto& stroke : strokes) {
        EXPECT_EQ(stroke->getObjectType(), UNDEFINED_OBJECT);
        EXPECT_FLOAT_EQ(stroke->getZindex(), 4.1f);
        EXPECT_EQ(stroke->getLineWidth(), 2.0f);
        EXPECT_EQ(stroke->getColor().get()[2], 1.0f);
        EXPECT_TRUE(stroke->getVisibleFlag());
    }
    polygon.setZindex(7.0f);
    EXPECT_FLOAT_EQ(strokes[1]->getZindex(), 7.1f);
}

TEST(GLPolygonObjectTest, NoStrokeWithoutWidthOrAlpha) {
    EXPECT_TRUE(applicationPolygon({}, kNoStroke, 3.0f).getStrokeObjects().empty());
    EXPECT_TRUE(applicationPolygon({}, kStroke, 0.0f).getStrokeObjects().empty());
}

TEST(GLPolygonObjectTest, StrokeSettersReachTheStrokeObjects) {
    GLPolygonObject polygon = applicationPolygon({}, kNoStroke, 3.0f);
    ASSERT_TRUE(polygon.getStrokeObjects().empty());

    polygon.setUserStrokeColor(kStroke);
    ASSERT_EQ(polygon.getStrokeObjects().size(), 1u) << "a stroke turned on later appears";
    EXPECT_EQ(polygon.getStrokeObjects()[0]->getLineWidth(), 3.0f);

    polygon.setUserStrokeWidth(5.0f);
    ASSERT_EQ(polygon.getStrokeObjects().size(), 1u);
    EXPECT_EQ(polygon.getStrokeObjects()[0]->getLineWidth(), 5.0f);

    polygon.setUserVisible(false);
    EXPECT_FALSE(polygon.getStrokeObjects()[0]->getVisibleFlag());
    polygon.setUserVisible(true);
    EXPECT_TRUE(polygon.getStrokeObjects()[0]->getVisibleFlag());

    polygon.setUserStrokeWidth(0.0f);
    EXPECT_TRUE(polygon.getStrokeObjects().empty());
}

TEST(GLPolygonObjectTest, PatternIconAndColourFlags) {
    GLPolygonObject polygon;
    EXPECT_FALSE(polygon.isColor());
    EXPECT_FALSE(polygon.isPolygonTexture());
    K7DataIcn icon;
    icon.editContents() = 10146;
    polygon.setPolygonTexture(&icon);
    EXPECT_TRUE(polygon.isPolygonTexture());
    EXPECT_EQ(polygon.getTextureNo(), 10146u);

    polygon.setColor(GLObject::makeColor(0.5f, 0.5f, 0.5f, 0.5f));
    EXPECT_TRUE(polygon.isColor());
    EXPECT_TRUE(polygon.isTransparent());

    GLPolygonObject fromRecord;
    K7DataLnc record;
    record.editContents() = {10, 20, 30, 255};
    fromRecord.setColor(&record);
    EXPECT_TRUE(fromRecord.isColor());
    EXPECT_FALSE(fromRecord.isTransparent());
}

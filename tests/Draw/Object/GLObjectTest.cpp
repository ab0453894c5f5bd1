#include "GLObject.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "GLPolylineObject.h"
#include "K7DataLn4.h"
#include "K7DataLnc.h"

using namespace qiv;

namespace {

GLCoord at(double x, double y) {
    return GLCoord(x, y, 0.0, true);
}

std::array<float, 4> components(const std::shared_ptr<float>& color) {
    return {color.get()[0], color.get()[1], color.get()[2], color.get()[3]};
}

}  // namespace

TEST(GLObjectTest, ColourIsClampedInPlaceAndTransparencyFollowsAlpha) {
    struct Case {
        std::array<float, 4> given;
        std::array<float, 4> stored;
        bool transparent;
    };
    const std::vector<Case> cases = {
        {{1.5f, -0.2f, 0.5f, 2.0f}, {1.0f, 0.0f, 0.5f, 1.0f}, false},
        {{0.2f, 0.3f, 0.4f, 0.99f}, {0.2f, 0.3f, 0.4f, 0.99f}, true},
        {{0.0f, 0.0f, 0.0f, -1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}, true},
        {{0.1f, 0.2f, 0.3f, 1.0f}, {0.1f, 0.2f, 0.3f, 1.0f}, false},
    };
    for (const Case& c : cases) {
        GLObject object;
        const auto color = GLObject::makeColor(c.given[0], c.given[1], c.given[2], c.given[3]);
        object.setColor(color);
        EXPECT_EQ(components(color), c.stored) << "clamped in place";
        EXPECT_EQ(object.getColor(), color);
        EXPECT_EQ(object.isTransparent(), c.transparent);
    }
}

TEST(GLObjectTest, WithoutColourNothingIsTransparent) {
    GLObject object;
    EXPECT_FALSE(object.isColor());
    EXPECT_FALSE(object.isTransparent());
    object.setColor(static_cast<K7DataLnc*>(nullptr));
    EXPECT_FALSE(object.isColor());
}

TEST(GLObjectTest, RecordColourIsDividedBy255) {
    K7DataLnc record;
    record.editContents() = {255, 0, 51, 255};
    GLObject object;
    object.setColor(&record);
    ASSERT_TRUE(object.isColor());
    EXPECT_EQ(components(object.getColor()), (std::array<float, 4>{1.0f, 0.0f, 0.2f, 1.0f}));
    EXPECT_FALSE(object.isTransparent());
}

TEST(GLObjectTest, DefaultsAndKind) {
    GLObject plain;
    EXPECT_EQ(plain.getObjectType(), UNDEFINED_OBJECT);
    EXPECT_TRUE(plain.getVisibleFlag());
    EXPECT_EQ(plain.getVerticesNum(), 0);
    EXPECT_EQ(plain.getPixelFactor(), 0.0);
    EXPECT_EQ(GLObject(POLYGON_LINE_OBJECT).getObjectType(), POLYGON_LINE_OBJECT);

    EXPECT_TRUE(plain.initialize("road", 3.5f, {1, 2, 3, 4}));
    EXPECT_EQ(plain.getId(), "road");
    EXPECT_EQ(plain.getZindex(), 3.5f);
    EXPECT_EQ(plain.getUserOriginalVertices(), (std::vector<double>{1, 2, 3, 4}));
}

TEST(GLObjectTest, VisibleBoxIncludesItsBorders) {
    GLObject object;
    object.setVisibleRegion(at(100, 200), at(300, 400));
    struct Case {
        unsigned x, y;
        bool visible;
    };
    const std::vector<Case> cases = {
        {100, 200, true}, {300, 400, true}, {200, 300, true}, {99, 300, false},
        {301, 300, false}, {200, 199, false}, {200, 401, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(object.isVisibleRegionPoint(c.x, c.y), c.visible) << c.x << "," << c.y;
    }
}

TEST(GLObjectTest, SegmentsCrossingTheVisibleBox) {
    GLObject object;
    object.setVisibleRegion(at(0, 0), at(10, 10));
    EXPECT_TRUE(object.isVisibleRegionLine(-5, 5, 15, 5)) << "through both sides";
    EXPECT_TRUE(object.isVisibleRegionLine(5, 5, 5, 20)) << "from inside out of the top";
    EXPECT_FALSE(object.isVisibleRegionLine(2, 2, 8, 8)) << "wholly inside crosses no edge";
    EXPECT_FALSE(object.isVisibleRegionLine(-5, -5, -5, 20)) << "beside the box";
}

TEST(GLObjectTest, CrossLineFindsTheIntersectionAndRefusesParallels) {
    double x = 0, y = 0;
    EXPECT_TRUE(GLObject::CrossLine(at(0, 0), at(10, 10), at(0, 10), at(10, 0), &x, &y));
    EXPECT_DOUBLE_EQ(x, 5.0);
    EXPECT_DOUBLE_EQ(y, 5.0);
    EXPECT_FALSE(GLObject::CrossLine(at(0, 0), at(10, 0), at(5, 0), at(15, 0), &x, &y))
        << "collinear overlapping segments count as parallel";
    EXPECT_FALSE(GLObject::CrossLine(at(0, 0), at(1, 1), at(0, 10), at(10, 0), nullptr, nullptr))
        << "the lines meet beyond the first segment";
    EXPECT_TRUE(GLObject::CrossLine(at(0, 0), at(10, 0), at(10, -5), at(10, 5), nullptr, nullptr))
        << "touching at an end point";
}

TEST(GLObjectTest, OffsetPointRebasesEveryVertexOnTheOrigin) {
    GLObject object;
    object.addPoint(4000000000u, 3000000001u);
    object.addPoint(4000000100u, 3000000201u);
    object.offsetPoint(4000000000.0, 3000000000.0);
    EXPECT_EQ(object.getPoints(), (std::vector<float>{0, 1, 0, 100, 201, 0}))
        << "small floats, exact although the world values exceed float precision";

    GLObject empty;
    empty.offsetPoint(1, 1);
    EXPECT_TRUE(empty.getPoints().empty());
}

TEST(GLObjectTest, WorldCoordinatesBecomeUnsignedSafely) {
    EXPECT_EQ(GLObject::toUnsigned(12.9), 12u);
    EXPECT_EQ(GLObject::toUnsigned(-3.0), 0u);
    EXPECT_EQ(GLObject::toUnsigned(4294967296.0), 4294967295u) << "the world's east edge";
    EXPECT_EQ(GLObject::toUnsigned(1e300), 4294967295u);
}

TEST(GLObjectTest, SmallGeometryHelpers) {
    EXPECT_DOUBLE_EQ(GLObject::distance(at(0, 0), at(3, 4)), 5.0);
    const GLCoord n = GLObject::normal(at(1, 1), at(1, 5));
    EXPECT_DOUBLE_EQ(n.x, 0.0);
    EXPECT_DOUBLE_EQ(n.y, 1.0);
    const GLCoord none = GLObject::normal(at(2, 2), at(2, 2));
    EXPECT_EQ(none.x, 0.0);
    EXPECT_EQ(none.y, 0.0);

    EXPECT_TRUE(GLObject::isCloseObject2D({1, 2, 3, 4, 1, 2}));
    EXPECT_FALSE(GLObject::isCloseObject2D({1, 2, 3, 4}));
    EXPECT_FALSE(GLObject::isCloseObject2D({1, 2})) << "one point is not a closed line";

    const double m[2][2] = {{2, 1}, {1, 3}};
    const double v[2] = {3, 5};
    double out[2] = {0, 0};
    ASSERT_TRUE(GLObject::calcMatrix(m, v, out));
    EXPECT_DOUBLE_EQ(out[0], 0.8);
    EXPECT_DOUBLE_EQ(out[1], 1.4);
    const double singular[2][2] = {{1, 2}, {2, 4}};
    EXPECT_FALSE(GLObject::calcMatrix(singular, v, out));
}

TEST(GLObjectTest, LatLngPairsBecomeWorldCoordinates) {
    const std::vector<double> world = GLObject::convertLatLng2Fourbyte({0.0, 0.0, 0.0, 180.0, 5.0});
    ASSERT_EQ(world.size(), 4u) << "an unpaired trailing value is ignored";
    EXPECT_NEAR(world[0], 2147483648.0, 1.0);
    EXPECT_NEAR(world[1], 2147483648.0, 1.0);
    EXPECT_NEAR(world[2], 4294967296.0, 1.0);
}

TEST(GLObjectTest, BaseSetVerticesAddsNothingAndRefusesNull) {
    GLObject object;
    K7DataLn4 record;
    record.editContents().addCoord(1, 2);
    EXPECT_TRUE(object.setVertices(&record));
    EXPECT_EQ(object.getVerticesNum(), 0);
    EXPECT_FALSE(object.setVertices(static_cast<K7DataLn4*>(nullptr)));
}

TEST(GLPolylineObjectTest, LineWidthIsClampedAndNegativeRefused) {
    struct Case {
        float given;
        bool accepted;
        float stored;
    };
    const std::vector<Case> cases = {
        {-1.0f, false, 1.0f}, {0.01f, true, 0.1f}, {0.0f, true, 0.1f},
        {250.0f, true, 100.0f}, {7.5f, true, 7.5f},
    };
    for (const Case& c : cases) {
        GLPolylineObject line(POLYLINE_OBJECT);
        EXPECT_EQ(line.setLineWidth(c.given), c.accepted) << c.given;
        EXPECT_EQ(line.getLineWidth(), c.stored) << c.given;
    }
}

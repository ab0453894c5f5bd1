#include "GLGroundOverlayObject.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qiv;

namespace {

// West, south, east, north.
BoundingBox4 box(double w, double s, double e, double n) {
    BoundingBox4 b;
    b.west = w;
    b.south = s;
    b.east = e;
    b.north = n;
    return b;
}

void expectPoints(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6) << i;
}

}  // namespace

TEST(GLGroundOverlayObjectTest, BoxGivesTwoTrianglesFromTheNorthWest) {
    expectPoints(GLGroundOverlayObject::getPolygonsFromBBox(box(10, 20, 30, 40)),
                 {10, 40, 10, 20, 30, 40, 30, 40, 10, 20, 30, 20});
}

TEST(GLGroundOverlayObjectTest, BearingTurnsClockwiseAboutTheAnchor) {
    const std::vector<double> quad = GLGroundOverlayObject::getPolygonsFromBBox(box(0, 0, 200, 100));
    struct Case {
        float anchorS, anchorT, bearing;
        std::vector<double> expected;
    };
    const std::vector<Case> cases = {
        // No bearing: unchanged.
        {0.5f, 0.5f, 0.0f, quad},
        // 90 degrees about the centre (100, 50): the north-west corner goes
        // to the north-east, seen from a map with north up.
        {0.5f, 0.5f, 90.0f, {150, 150, 50, 150, 150, -50, 150, -50, 50, 150, 50, -50}},
        // Anchor (0, 0) is the image's top-left, the north-west corner,
        // which stays in place.
        {0.0f, 0.0f, 90.0f, {0, 100, -100, 100, 0, -100, 0, -100, -100, 100, -100, -100}},
        // Half a turn about the bottom-right (south-east) corner.
        {1.0f, 1.0f, 180.0f, {400, -100, 400, 0, 200, -100, 200, -100, 400, 0, 200, 0}},
    };
    for (const Case& c : cases) {
        std::vector<double> out;
        GLGroundOverlayObject::calculateBearingModel(quad, out, c.anchorS, c.anchorT, c.bearing);
        expectPoints(out, c.expected);
    }
}

TEST(GLGroundOverlayObjectTest, TextureCoordinatesCoverTheImageExtent) {
    EXPECT_EQ(GLGroundOverlayObject::getTextureCoordforTriangles(0.75, 0.5),
              (std::vector<float>{0, 0, 0, 0.5f, 0.75f, 0, 0.75f, 0, 0, 0.5f, 0.75f, 0.5f}));
}

TEST(GLGroundOverlayObjectTest, InitializeBuildsTheTurnedQuadAndOutline) {
    std::vector<unsigned char> pixels(4 * 4 * 4, 255);
    GLGroundOverlayObject overlay;
    const float anchor[2] = {0.5f, 0.5f};
    ASSERT_TRUE(overlay.initialize("o", 2.0f, anchor, &pixels, 4, 4, 0.75, 0.5, 0.0f, 90.0f,
                                   box(0, 0, 200, 100), false));
    EXPECT_EQ(overlay.getObjectType(), GROUND_OVERLAY_OBJECT);
    EXPECT_FALSE(overlay.getVisibleFlag());
    EXPECT_EQ(overlay.getZindex(), 2.0f);
    expectPoints(overlay.getRotatedPoints(), {150, 150, 50, 150, 150, -50, 150, -50, 50, 150, 50, -50});
    expectPoints(overlay.getRotatedOutline(), {150, 150, 50, 150, 50, -50, 150, -50, 150, 150});

    overlay.setUserBearing(0.0f);
    expectPoints(overlay.getRotatedPoints(), GLGroundOverlayObject::getPolygonsFromBBox(box(0, 0, 200, 100)));
    overlay.setUserAnchor(0.0f, 0.0f);
    BoundingBox4 moved = box(1000, 1000, 1200, 1100);
    overlay.setUserBearing(90.0f);
    overlay.setUserBoundingBox(moved);
    EXPECT_NEAR(overlay.getRotatedPoints()[0], 1000, 1e-6) << "turned about the new anchor";
    EXPECT_NEAR(overlay.getRotatedPoints()[1], 1100, 1e-6);
}

TEST(GLGroundOverlayObjectTest, TransparencyFromImageAlphaOrOpacity) {
    std::vector<unsigned char> opaque(2 * 2 * 4, 255);
    std::vector<unsigned char> seeThrough = opaque;
    seeThrough[7] = 254;
    const float anchor[2] = {0.5f, 0.5f};
    struct Case {
        std::vector<unsigned char>* pixels;
        float opacity;
        bool transparent;
    };
    const std::vector<Case> cases = {
        {&opaque, 0.0f, false},
        {&opaque, 1.0f, true},
        {&seeThrough, 0.0f, true},
        {nullptr, 0.0f, false},
    };
    for (const Case& c : cases) {
        GLGroundOverlayObject overlay;
        overlay.initialize("o", 0, anchor, c.pixels, 2, 2, 1, 1, c.opacity, 0, box(0, 0, 1, 1), true);
        EXPECT_EQ(overlay.isTransparent(), c.transparent);
    }

    GLGroundOverlayObject overlay;
    overlay.initialize("o", 0, anchor, &seeThrough, 2, 2, 1, 1, 0.0f, 0, box(0, 0, 1, 1), true);
    overlay.setUserImage(&opaque, 2, 2, 1, 1);
    EXPECT_TRUE(overlay.hasAlpha()) << "the flag is never cleared";
    GLGroundOverlayObject defaults;
    EXPECT_EQ(defaults.getOpacity(), 1.0f);
    EXPECT_TRUE(defaults.isTransparent());
}

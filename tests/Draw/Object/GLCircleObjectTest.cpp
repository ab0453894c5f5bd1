#include "GLCircleObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace qiv;

namespace {

const float kFill[4] = {0, 255, 0, 128};
const float kStroke[4] = {10, 20, 30, 255};
const float kNoStroke[4] = {10, 20, 30, 0};

GLCoord at(double x, double y) {
    return GLCoord(x, y, 0.0, true);
}

// Centre (cx, cy), then `rim` points on a circle of radius r, closed.
std::vector<double> circle(double cx, double cy, double r, int rim = 36) {
    std::vector<double> points = {cx, cy};
    for (int i = 0; i <= rim; ++i) {
        const double a = 2 * M_PI * i / rim;
        points.push_back(cx + r * std::cos(a));
        points.push_back(cy + r * std::sin(a));
    }
    return points;
}

}  // namespace

TEST(GLCircleObjectTest, InitializeNeedsThreePointsAndDividesTheFill) {
    GLCircleObject small;
    EXPECT_FALSE(small.initialize("c", 1, {0, 0, 1, 1}, kFill, kStroke, true, 2));

    GLCircleObject c;
    ASSERT_TRUE(c.initialize("c", 2.0f, circle(1000, 1000, 100), kFill, kStroke, true, 3.0f));
    EXPECT_EQ(c.getObjectType(), CIRCLE_OBJECT);
    ASSERT_TRUE(c.isColor());
    EXPECT_EQ(c.getColor().get()[1], 1.0f);
    EXPECT_FLOAT_EQ(c.getColor().get()[3], 128.0f / 255.0f);
    EXPECT_TRUE(c.isTransparent());
    EXPECT_EQ(c.getStrokeColor()[2], 30.0f) << "kept undivided";
}

TEST(GLCircleObjectTest, StrokeRunsOverTheRimWithoutTheCentre) {
    const std::vector<double> points = circle(1000, 1000, 100);
    GLCircleObject c;
    ASSERT_TRUE(c.initialize("c", 2.0f, points, kFill, kStroke, true, 3.0f));
    ASSERT_TRUE(c.isStrokeEnabled());
    ASSERT_EQ(c.getStrokeObjects().size(), 1u);
    const auto& stroke = c.getStrokeObjects()[0];
    EXPECT_EQ(stroke->getUserOriginalVertices(), std::vector<double>(points.begin() + 2, points.end()));
    EXPECT_FLOAT_EQ(stroke->getZindex(), 2.1f);
    EXPECT_EQ(stroke->getLineWidth(), 3.0f);

    c.setUserVerticesCircle(circle(5000, 5000, 10));
    ASSERT_EQ(c.getStrokeObjects().size(), 1u);
    EXPECT_NEAR(c.getStrokeObjects()[0]->getUserOriginalVertices()[0], 5010, 1e-9);

    GLCircleObject plain;
    ASSERT_TRUE(plain.initialize("c", 2.0f, points, kFill, kNoStroke, true, 3.0f));
    EXPECT_FALSE(plain.isStrokeEnabled());
    EXPECT_TRUE(plain.getStrokeObjects().empty());
}

TEST(GLCircleObjectTest, RegistrationAddsTheFanAndTellsVisibility) {
    struct Case {
        std::string name;
        GLCoord minimum, maximum;
        bool visible;
    };
    // Circle at (1000, 1000), radius 100.
    const std::vector<Case> cases = {
        {"view around the circle", at(0, 0), at(2000, 2000), true},
        {"view over part of the rim", at(1090, 990), at(1200, 1010), true},
        {"view crossed by a spoke only", at(1040, 995), at(1060, 1005), true},
        {"view deep inside between spokes", at(1060, 1013), at(1062, 1015), true},
        {"view far away", at(3000, 3000), at(4000, 4000), false},
        {"view beside the rim", at(1101, 900), at(1200, 1100), false},
    };
    for (const Case& c : cases) {
        GLCircleObject circleObject;
        ASSERT_TRUE(circleObject.initialize("c", 0, circle(1000, 1000, 100), kFill, kStroke, true, 1));
        circleObject.setVisibleRegion(c.minimum, c.maximum);
        EXPECT_EQ(circleObject.registrateUserData(), c.visible) << c.name;
        EXPECT_EQ(circleObject.getVerticesNum(), 38) << c.name;
        EXPECT_EQ(circleObject.getWorldPoints()[0], 1000.0) << "the fan starts at the centre";
        circleObject.offsetPoint(1000, 1000);
        EXPECT_EQ(circleObject.getPoints()[3], 100.0f);
    }
}

TEST(GLCircleObjectTest, RegistrationWithoutPointsDrawsNothing) {
    GLCircleObject empty;
    EXPECT_FALSE(empty.registrateUserData());
    EXPECT_EQ(empty.getVerticesNum(), 0);
}

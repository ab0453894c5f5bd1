#include <gtest/gtest.h>

#include <cmath>

#include "ZController.h"

using qiv::ZController;

namespace {
ZController builtIn() {
    return ZController(21, 2, 4294967296.0);
}
}  // namespace

TEST(ZControllerTest, LevelToHeightHalvesPerLevelAndFallsLinearlyWithin) {
    const ZController zoom = builtIn();
    struct Case {
        double level;
        double height;
        double clampedLevel;
    };
    const Case cases[] = {
        {2.0, 1073741824.0, 2.0}, {21.0, 2048.0, 21.0},      {15.0, 131072.0, 15.0},
        {15.5, 98304.0, 15.5},    {15.25, 114688.0, 15.25},  {25.0, 2048.0, 21.0},
        {1.0, 1073741824.0, 2.0}, {-3.0, 1073741824.0, 2.0},
    };
    for (const Case& c : cases) {
        double level = c.level;
        EXPECT_DOUBLE_EQ(zoom.level2Zoom(level), c.height) << c.level;
        EXPECT_DOUBLE_EQ(level, c.clampedLevel) << "clamped level is written back";
    }
    double notANumber = std::nan("");
    EXPECT_DOUBLE_EQ(zoom.level2Zoom(notANumber), 1073741824.0);
}

TEST(ZControllerTest, HeightToLevelInvertsLevelToHeight) {
    const ZController zoom = builtIn();
    for (double level = 2.0; level <= 21.0; level += 0.125) {
        double in = level;
        double height = zoom.level2Zoom(in);
        EXPECT_NEAR(zoom.zoom2Level(height), level, 1e-9) << level;
    }
    double tooHigh = 1e12;
    EXPECT_DOUBLE_EQ(zoom.zoom2Level(tooHigh), 2.0);
    EXPECT_DOUBLE_EQ(tooHigh, 1073741824.0);
    double tooLow = 1.0;
    EXPECT_DOUBLE_EQ(zoom.zoom2Level(tooLow), 21.0);
    EXPECT_DOUBLE_EQ(tooLow, 2048.0);
}

TEST(ZControllerTest, BeginValuesMustStayBetweenTheirNeighbours) {
    ZController zoom = builtIn();
    // Level 10 begins at 2^22, between level 9's 2^23 and level 11's 2^21.
    EXPECT_EQ(zoom.getZoomLevelBeginValue(10), 4194304);
    EXPECT_EQ(zoom.setZoomLevelBeginValue(10, 8388608), 0) << "equal to level 9's start";
    EXPECT_EQ(zoom.setZoomLevelBeginValue(10, 2097152), 0) << "equal to level 11's start";
    EXPECT_EQ(zoom.setZoomLevelBeginValue(1, 3000000000), 0);
    EXPECT_EQ(zoom.setZoomLevelBeginValue(22, 1000), 0);
    EXPECT_EQ(zoom.getZoomLevelBeginValue(1), 0);
    EXPECT_EQ(zoom.getZoomLevelBeginValue(22), 0);
    EXPECT_EQ(zoom.getZoomLevelBeginValue(10), 4194304) << "refusals change nothing";

    ASSERT_EQ(zoom.setZoomLevelBeginValue(10, 3000000), 1);
    EXPECT_EQ(zoom.getZoomLevelBeginValue(10), 3000000);
    double level = 10.0;
    EXPECT_DOUBLE_EQ(zoom.level2Zoom(level), 3000000.0);
    double height = 3000000.0;
    EXPECT_DOUBLE_EQ(zoom.zoom2Level(height), 10.0);
    // Level 9 now spans 2^23 down to 3000000.
    level = 9.5;
    EXPECT_DOUBLE_EQ(zoom.level2Zoom(level), 8388608.0 - 0.5 * (8388608 - 3000000));
    EXPECT_EQ(zoom.setZoomLevelBeginValue(21, 1500), 1) << "level 21 has a neighbour below";
    EXPECT_EQ(zoom.setZoomLevelBeginValue(2, 1500000000), 1);
}

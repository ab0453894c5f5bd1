#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "GLTestContext.h"
#include "UnitConvertor.h"
#include "VeltarEngine.h"

using qiv::CameraPosition;
using qiv::LatLng;
using qiv::Point;
using qiv::UnitConvertor;
using qiv::VeltarEngine;

namespace {
const LatLng kTokyo(35.681236, 139.767125);

// Keys of every level-`level` tile touched by the north-up, untilted view
// whose corners the engine reports.
std::vector<std::string> tilesUnder(const std::array<LatLng, 4>& region, int level) {
    double west = 0, south = 0, east = 0, north = 0;
    UnitConvertor::Latlng2FourByte(region[1], &west, &south);  // near-left
    UnitConvertor::Latlng2FourByte(region[3], &east, &north);  // far-right
    const double side = UnitConvertor::getQuadSize(level);
    std::vector<std::string> keys;
    for (int tx = int(west / side); tx <= int(east / side); ++tx) {
        for (int ty = int(south / side); ty <= int(north / side); ++ty) {
            keys.push_back(
                UnitConvertor::FourByte2QuadKey(level, (tx + 0.5) * side, (ty + 0.5) * side));
        }
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

void fillWithRed() {
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}
}  // namespace

TEST_F(GLTest, DrawMapClearsAndReportsMissingTiles) {
    VeltarEngine engine("render-engine");
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(CameraPosition(kTokyo, 15, 0, 0), 0, 0, Point(kWidth / 2, kHeight / 2));
    fillWithRed();

    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameIncomplete)
        << "no tile source: every tile is missing";
    // No design yet: the frame clears to transparent black.
    for (const Point& p :
         {Point(0, 0), Point(kWidth / 2, kHeight / 2), Point(kWidth - 1, kHeight - 1)}) {
        EXPECT_EQ(gl().readPixel(p.x, p.y), (GLTestContext::RGBA{0, 0, 0, 0})) << p.toString();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GLTest, AFrameBeforeAnyCameraHasNothingMissing) {
    VeltarEngine engine("render-engine");
    engine.setWindowSize(kWidth, kHeight);
    fillWithRed();
    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameComplete);
    EXPECT_EQ(gl().readPixel(10, 10), (GLTestContext::RGBA{0, 0, 0, 0}));
}

TEST_F(GLTest, MovingTheCameraChangesTheVisibleTiles) {
    VeltarEngine engine("render-engine");
    engine.setWindowSize(kWidth, kHeight);
    const Point centre(kWidth / 2, kHeight / 2);
    engine.setPosition(CameraPosition(kTokyo, 15, 0, 0), 0, 0, centre);
    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameIncomplete);
    const std::vector<std::string> atTokyo = engine.getVisibleQuadKeys();
    EXPECT_EQ(atTokyo, tilesUnder(engine.getVisibleRegion(), 15));
    EXPECT_NE(std::find(atTokyo.begin(), atTokyo.end(), UnitConvertor::LatLng2QuadKey(15, kTokyo)),
              atTokyo.end());

    // Four screen widths (over two tiles) east: none of the old tiles is visible any more.
    const CameraPosition moved =
        engine.setPosition(CameraPosition(kTokyo, 15, 0, 0), 4.0f * kWidth, 0, centre);
    EXPECT_GT(moved.target.longitude, kTokyo.longitude);
    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameIncomplete);
    const std::vector<std::string> east = engine.getVisibleQuadKeys();
    EXPECT_EQ(east, tilesUnder(engine.getVisibleRegion(), 15));
    std::vector<std::string> common;
    std::set_intersection(atTokyo.begin(), atTokyo.end(), east.begin(), east.end(),
                          std::back_inserter(common));
    EXPECT_TRUE(common.empty());
    EXPECT_NE(std::find(east.begin(), east.end(), UnitConvertor::LatLng2QuadKey(15, moved.target)),
              east.end());

    // One level in: every key is one character longer.
    engine.setPosition(CameraPosition(moved.target, 16.2, 0, 0), 0, 0, centre);
    for (const std::string& key : engine.getVisibleQuadKeys()) EXPECT_EQ(key.size(), 16u);
}

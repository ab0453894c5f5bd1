#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "CacheController.h"
#include "GLTestContext.h"
#include "Initializer.h"
#include "K7DataCtg.h"
#include "MapServiceFixture.h"
#include "ScratchDirectory.h"
#include "TileBytes.h"
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

// Frames after a real start-up against the map service, whose store holds
// every level-2 tile and a few deeper ones.
class EngineFrameTest : public GLTest {
protected:
    static void SetUpTestSuite() {
        s_service = new MapServiceFixture();
        s_cache = new ScratchDirectory();
    }
    static void TearDownTestSuite() {
        qiv::CacheController::clearMemory();
        qiv::CacheController::setEnabled(false);
        delete s_service;
        delete s_cache;
    }
    // Runs start-up with the account's secret, or a wrong one.
    static int startUp(bool rightSecret = true) {
        qiv::Initializer::m_setting.configHost = s_service->host();
        const MapServiceFixture& service = *s_service;
        return qiv::Initializer::initialize(
            service.host(), service.account().consumerKey,
            service.account().consumerSecret + (rightSecret ? "" : "x"), "", s_cache->path(), "",
            service.caFile(), 160, 1, "");
    }
    void SetUp() override {
        GLTest::SetUp();
        qiv::CacheController::clearMemory();
    }
    // Tile requests the service logged for `key`.
    static int requestsFor(const std::string& key) {
        const std::string log = s_service->serverOutput();
        int count = 0;
        for (const std::string& pattern : {"&quad=" + key + "&", "&quad=" + key + " "}) {
            for (size_t at = log.find(pattern); at != std::string::npos; at = log.find(pattern, at + 1)) ++count;
        }
        return count;
    }

    static MapServiceFixture* s_service;
    static ScratchDirectory* s_cache;
};
MapServiceFixture* EngineFrameTest::s_service = nullptr;
ScratchDirectory* EngineFrameTest::s_cache = nullptr;

}  // namespace

TEST_F(EngineFrameTest, ServiceNotReadyFrameOnlyClearsAndAnswersTheStatus) {
    ASSERT_EQ(startUp(false), qiv::Initializer::kAuthenticationFailed);
    VeltarEngine engine("render-engine");
    EXPECT_EQ(engine.CheckStatus(), 3);
    EXPECT_EQ(engine.initializeMap(""), 3);
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(CameraPosition(kTokyo, 15, 0, 0), 0, 0, Point(kWidth / 2, kHeight / 2));
    fillWithRed();
    EXPECT_EQ(engine.drawMap(), 3);
    EXPECT_EQ(gl().readPixel(kWidth / 2, kHeight / 2), (GLTestContext::RGBA{0, 0, 0, 0}));
    EXPECT_EQ(requestsFor(UnitConvertor::LatLng2QuadKey(15, kTokyo)), 0);
}

TEST_F(EngineFrameTest, DrawMapClearsAndReportsMissingTiles) {
    ASSERT_EQ(startUp(), 0);
    VeltarEngine engine("render-engine");
    ASSERT_EQ(engine.initializeMap(""), 0);
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(CameraPosition(kTokyo, 15, 0, 0), 0, 0, Point(kWidth / 2, kHeight / 2));
    fillWithRed();

    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameIncomplete)
        << "the service has no tiles of level 15";
    // No design yet: the frame clears to transparent black.
    for (const Point& p :
         {Point(0, 0), Point(kWidth / 2, kHeight / 2), Point(kWidth - 1, kHeight - 1)}) {
        EXPECT_EQ(gl().readPixel(p.x, p.y), (GLTestContext::RGBA{0, 0, 0, 0})) << p.toString();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(EngineFrameTest, AFrameBeforeAnyCameraHasNothingMissing) {
    ASSERT_EQ(startUp(), 0);
    VeltarEngine engine("render-engine");
    ASSERT_EQ(engine.initializeMap(""), 0);
    engine.setWindowSize(kWidth, kHeight);
    fillWithRed();
    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameComplete);
    EXPECT_EQ(gl().readPixel(10, 10), (GLTestContext::RGBA{0, 0, 0, 0}));
}

TEST_F(EngineFrameTest, MovingTheCameraChangesTheVisibleTiles) {
    ASSERT_EQ(startUp(), 0);
    VeltarEngine engine("render-engine");
    ASSERT_EQ(engine.initializeMap(""), 0);
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

TEST_F(EngineFrameTest, MissingTilesAreFetchedAndFoundByALaterFrame) {
    ASSERT_EQ(startUp(), 0);
    VeltarEngine engine("render-engine");
    ASSERT_EQ(engine.initializeMap(""), 0);
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(CameraPosition(LatLng(20, 10), 2.3, 0, 0), 0, 0, Point(kWidth / 2, kHeight / 2));
    const std::vector<std::string> visible = engine.getVisibleQuadKeys();
    ASSERT_FALSE(visible.empty());

    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameIncomplete);
    int result = VeltarEngine::kFrameIncomplete;
    for (int frame = 0; frame < 2000 && result != VeltarEngine::kFrameComplete; ++frame) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        result = engine.drawMap();
    }
    ASSERT_EQ(result, VeltarEngine::kFrameComplete) << s_service->serverOutput();
    // Every tile was requested once, however many frames asked for it (the
    // service logs an answer after sending it, so wait for the lines).
    for (const std::string& key : visible) {
        for (int wait = 0; wait < 2000 && requestsFor(key) == 0; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(requestsFor(key), 1) << key;
    }
}

TEST_F(EngineFrameTest, CompleteFramePrefetchesAncestorsTwoAndFourLevelsUp) {
    ASSERT_EQ(startUp(), 0);
    VeltarEngine engine("render-engine");
    ASSERT_EQ(engine.initializeMap(""), 0);
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(CameraPosition(kTokyo, 5.5, 0, 0), 0, 0, Point(kWidth / 2, kHeight / 2));
    const std::vector<std::string> visible = engine.getVisibleQuadKeys();
    ASSERT_FALSE(visible.empty());
    // Every visible tile already in memory; one ancestor too, which is not asked for.
    const std::string held = visible.front().substr(0, 3);
    std::vector<std::string> inMemory = visible;
    inMemory.push_back(held);
    for (const std::string& key : inMemory) {
        const std::string bytes = tileBytes(key);
        auto* tile = new K7DataCtg();
        ASSERT_TRUE(tile->setBinaryBounded(bytes.data(), bytes.size()));
        qiv::CacheController::putMemory({MapServiceFixture::kServiceId, key}, tile);
    }

    EXPECT_EQ(engine.drawMap(), VeltarEngine::kFrameComplete);
    std::vector<std::string> expected;
    for (const std::string& key : visible) {
        for (const std::string& ancestor : {key.substr(0, 3), key.substr(0, 1)}) {
            if (ancestor != held && std::find(expected.begin(), expected.end(), ancestor) == expected.end())
                expected.push_back(ancestor);
        }
    }
    for (const std::string& ancestor : expected) {
        int requests = 0;
        for (int wait = 0; wait < 2000 && requests == 0; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            requests = requestsFor(ancestor);
        }
        EXPECT_EQ(requests, 1) << ancestor;
    }
    EXPECT_EQ(requestsFor(held), 0);
    for (const std::string& key : visible) EXPECT_EQ(requestsFor(key), 0) << key;
}

TEST_F(EngineFrameTest, LabelAtlasCacheLivesWithTheMapThatMadeIt) {
    ASSERT_EQ(startUp(), 0);
    const qiv::StringPair key("day", "0123");
    const std::vector<_TextAtlasInfo> infos{{1, 0, 1, 1, 2, 2, 0}};
    const std::vector<qiv::CacheController::AtlasImage> images(1);
    {
        VeltarEngine engine("atlas-engine");
        ASSERT_EQ(engine.initializeMap(""), 0);
        qiv::CacheController::putMemoryAtlas("atlas-engine", "day", key, &infos, &images);
        EXPECT_FALSE(qiv::CacheController::existAtlas("atlas-engine", "day", key)) << "no design, no cache";
        ASSERT_EQ(engine.initializeMap("day"), 0);
        qiv::CacheController::putMemoryAtlas("atlas-engine", "day", key, &infos, &images);
        EXPECT_TRUE(qiv::CacheController::existAtlas("atlas-engine", "day", key));
    }
    qiv::CacheController::putMemoryAtlas("atlas-engine", "day", key, &infos, &images);
    EXPECT_FALSE(qiv::CacheController::existAtlas("atlas-engine", "day", key)) << "gone with its engine";
}

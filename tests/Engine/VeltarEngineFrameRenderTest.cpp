// The engine's own parts of a frame against the real service: the report to
// the view when the camera is held at the border of its movable area, and a
// frame that waits for nothing once everything is in.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../tools/render/FixtureStore.h"
#include "../tools/render/FixtureTile.h"
#include "../tools/render/StoreService.h"
#include "CacheController.h"
#include "GLTestContext.h"
#include "KitStartup.h"
#include "MapSnapshot.h"
#include "NativeBridge.h"
#include "RenderOptions.h"
#include "UnitConvertor.h"
#include "VeltarEngine.h"

namespace {

using qiv::CameraPosition;
using qiv::LatLng;
using qiv::NativeBridge;
using qiv::VeltarEngine;

const int kLevel = 12;
const LatLng kCentre(48.0, 11.0);

// A kit started against a store of the view's tiles and a map of the fixture's size,
// with the view's out-of-area handler counting its calls.
class VeltarEngineFrameTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        char folder[] = "/tmp/tolkmaps-engine-frame-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_folder = folder;
        std::vector<std::unique_ptr<FixtureTile>> tiles;
        std::vector<FixtureTile*> stored;
        for (const std::string& key : visibleKeys()) {
            tiles.push_back(std::make_unique<FixtureTile>(key));
            stored.push_back(&tiles.back()->fill("land"));
        }
        FixtureStore::write(m_folder + "/tiles.sqlite", stored);
        m_service = std::make_unique<StoreService>(m_folder + "/tiles.sqlite");
        const RenderOptions options = m_service->kitOptions(326);
        std::filesystem::create_directories(m_folder + "/cache");
        ASSERT_EQ(KitStartup::start(options, m_folder + "/cache"), 0) << m_service->serverOutput();
        m_map = std::make_unique<MapSnapshot>("engine-frame", kWidth, kHeight);
        ASSERT_EQ(m_map->initialize("day"), 0);
        NativeBridge::setOutOfAreaHandler([this](const std::string& engineId) {
            m_reports.push_back(engineId);
        });
    }
    void TearDown() override {
        NativeBridge::setOutOfAreaHandler(nullptr);
        m_map.reset();
        m_service.reset();
        std::filesystem::remove_all(m_folder);
        GLTest::TearDown();
    }

    // The tiles of the view around the centre.
    static std::vector<std::string> visibleKeys() {
        VeltarEngine engine("visible-keys");
        engine.setWindowSize(kWidth, kHeight);
        engine.setPosition(CameraPosition(kCentre, kLevel, 0, 0), 0, 0,
                           qiv::Point(kWidth / 2, kHeight / 2));
        return engine.getVisibleQuadKeys();
    }
    VeltarEngine& engine() { return m_map->engine(); }
    void moveTo(const LatLng& target) {
        engine().setPosition(CameraPosition(target, kLevel, 0, 0), 0, 0,
                             qiv::Point(kWidth / 2, kHeight / 2));
    }

    std::string m_folder;
    std::unique_ptr<StoreService> m_service;
    std::unique_ptr<MapSnapshot> m_map;
    std::vector<std::string> m_reports;
};

}  // namespace

TEST_F(VeltarEngineFrameTest, TellsTheViewOnceEachTimeTheCameraIsHeldAtTheBorder) {
    engine().setMovableArea(LatLng(47.9, 10.9), LatLng(48.1, 11.1));
    moveTo(kCentre);
    engine().drawMap();
    EXPECT_TRUE(m_reports.empty()) << "inside the area";

    moveTo(LatLng(49.0, 11.0));
    engine().drawMap();
    engine().drawMap();
    moveTo(LatLng(49.5, 11.0));
    engine().drawMap();
    ASSERT_EQ(m_reports.size(), 1u) << "one report for one stay at the border";
    EXPECT_EQ(m_reports.front(), "engine-frame");

    moveTo(kCentre);
    engine().drawMap();
    moveTo(LatLng(47.0, 11.0));
    engine().drawMap();
    EXPECT_EQ(m_reports.size(), 2u) << "leaving the border and coming back reports again";
}

TEST_F(VeltarEngineFrameTest, ACompleteViewStaysCompleteFrameAfterFrame) {
    moveTo(kCentre);
    ASSERT_EQ(m_map->drawUntilComplete(30).status, VeltarEngine::kFrameComplete);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_EQ(engine().drawMap(), VeltarEngine::kFrameComplete) << "frame " << frame;
    }
}

TEST_F(VeltarEngineFrameTest, ANewDesignSetRecoloursTheNextFrame) {
    const GLTestContext::RGBA dayLand{243, 240, 232, 255};
    const GLTestContext::RGBA nightLand{42, 46, 53, 255};
    moveTo(kCentre);
    ASSERT_EQ(m_map->drawUntilComplete(30).status, VeltarEngine::kFrameComplete);
    EXPECT_EQ(gl().readPixel(kWidth / 2, kHeight / 2), dayLand);

    // The next frame is in the night colours; its tiles are built again,
    // one per frame, and the background shows where one is not yet.
    const GLTestContext::RGBA nightBackground{20, 37, 54, 255};
    engine().setDesignFileName("night");
    engine().drawMap();
    const GLTestContext::RGBA next = gl().readPixel(kWidth / 2, kHeight / 2);
    EXPECT_TRUE(next == nightLand || next == nightBackground);
    EXPECT_EQ(m_map->drawUntilComplete(30).status, VeltarEngine::kFrameComplete);
    EXPECT_EQ(gl().readPixel(kWidth / 2, kHeight / 2), nightLand);
}

TEST_F(VeltarEngineFrameTest, AfterClearingTheMemoryCachesTheViewIsBuiltAgain) {
    const GLTestContext::RGBA dayLand{243, 240, 232, 255};
    moveTo(kCentre);
    ASSERT_EQ(m_map->drawUntilComplete(30).status, VeltarEngine::kFrameComplete);

    engine().clearMemoryCache();
    EXPECT_EQ(m_map->drawUntilComplete(30).status, VeltarEngine::kFrameComplete);
    EXPECT_EQ(gl().readPixel(kWidth / 2, kHeight / 2), dayLand);
}

TEST_F(VeltarEngineFrameTest, DesignCheckNamesTheStyledFeatureUnderAPointOnceItsTileIsInMemory) {
    moveTo(kCentre);
    qiv::CacheController::clearMemory();
    EXPECT_TRUE(engine().designCheck(kCentre, 4).empty()) << "the tile is not in memory";
    ASSERT_EQ(m_map->drawUntilComplete(60).status, VeltarEngine::kFrameComplete);
    const std::vector<std::pair<std::string, bool>> expected{{"land", true}};
    EXPECT_EQ(engine().designCheck(kCentre, 4), expected);
}

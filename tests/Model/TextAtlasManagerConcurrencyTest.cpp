#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CacheController.h"
#include "DesignController.h"
#include "TextAtlasCreator.h"
#include "TextAtlasManager.h"
#include "TextAtlasTileFixture.h"

using namespace qiv;
using namespace text_atlas_test;

namespace {

const char* const OWNER = "manager-test";

class TextAtlasManagerConcurrencyTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<K7DataCtg> global(design_test::groupOf(
            {design_test::designSet("day", {255, 255, 255, 255}, {}, {pointDesign("city", 3, {"jpn"})}),
             design_test::designSet("night", {0, 0, 0, 255}, {}, {pointDesign("city", 3, {"jpn"})})}));
        DesignController::createDesign(global.get(), "");
        for (const char* design : {"day", "night"}) CacheController::createMemoryAtlas(OWNER, design);
        for (const std::string& key : m_keys) {
            m_tiles[key] = tile(key, {"jpn"}, {pointRecord("city", {Label{1, {"Tokyo " + key}}, Label{2, {"大阪"}}})});
        }
    }
    void TearDown() override {
        for (auto& [key, record] : m_tiles) delete record;
        CacheController::eraseMemoryAtlas(OWNER);
        DesignController::clear();
    }

    std::map<std::string, K7DataGroup*> tiles() const { return {m_tiles.begin(), m_tiles.end()}; }

    static std::unique_ptr<TextAtlasManager> makeManager() {
        auto manager = std::make_unique<TextAtlasManager>(OWNER);
        manager->setFontPath({{"jpn", FONT}});
        return manager;
    }

    static size_t inFlight(const std::string& design) {
        std::lock_guard<std::mutex> lock(g_mutexAtlasList);
        return std::count_if(g_threadListAtlas.begin(), g_threadListAtlas.end(), [&](const AtlasInFlight& entry) {
            return std::get<0>(entry) == OWNER && std::get<1>(entry) == design;
        });
    }

    template <typename Condition>
    static bool waitUntil(Condition condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < deadline) {
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    // Asks for the atlases of every key until all are cached (or time is up).
    static bool waitForAtlases(const TextAtlasManager& manager, const std::string& design,
                               const std::vector<std::string>& keys) {
        return waitUntil([&] {
            AtlasPlacementMap infos;
            AtlasImageMap images;
            manager.getAtlas(design, keys, infos, images, {});
            return infos.size() == keys.size();
        });
    }

    const std::vector<std::string> m_keys = {"120", "121", "122", "123", "130"};
    std::map<std::string, K7DataCtg*> m_tiles;
};

TEST_F(TextAtlasManagerConcurrencyTest, MissingAtlasesAreMadeOnTheWorkersAndHandedOutOnTheNextCall) {
    auto manager = makeManager();
    AtlasPlacementMap infos;
    AtlasImageMap images;
    manager->getAtlas("day", m_keys, infos, images, m_keys);
    EXPECT_TRUE(infos.empty());
    EXPECT_TRUE(images.empty());

    EXPECT_EQ(manager->getAtlasRequest("day", {"121", "123", "999"}, tiles()), 2);
    // The workers read copies: the tiles may leave the tile cache meanwhile.
    for (const char* key : {"121", "123"}) {
        delete m_tiles[key];
        m_tiles.erase(key);
    }
    ASSERT_TRUE(waitForAtlases(*manager, "day", {"121", "123"}));

    manager->getAtlas("day", m_keys, infos, images, {"123"});
    ASSERT_EQ(infos.size(), 2u);
    ASSERT_EQ(images.size(), 2u);
    for (const char* key : {"121", "123"}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(infos[key].size(), 2u);
        ASSERT_FALSE(images[key].empty());
        const AtlasImage& atlas = images[key].front();
        EXPECT_EQ(atlas.samples.size(), static_cast<size_t>(atlas.width) * atlas.height * 4);
    }
    const std::vector<uint8_t>& restored = images["123"].front().samples;
    EXPECT_TRUE(std::any_of(restored.begin(), restored.end(), [](uint8_t sample) { return sample != 0; }));
    EXPECT_TRUE(waitUntil([] { return inFlight("day") == 0; }));
}

TEST_F(TextAtlasManagerConcurrencyTest, ATileInFlightIsNotScheduledTwiceHoweverManyFramesAskForIt) {
    auto manager = makeManager();
    {
        // Rasterizing waits while the test holds the renderer, so every
        // request below finds the tile still in flight.
        std::unique_lock<std::mutex> renderer(g_mutexCreateText);
        EXPECT_EQ(manager->getAtlasRequest("day", {"122"}, tiles()), 1);
        for (int frame = 0; frame < 5; ++frame) EXPECT_EQ(manager->getAtlasRequest("day", {"122"}, tiles()), 0);
        EXPECT_EQ(inFlight("day"), 1u);
        // Another design is another atlas.
        EXPECT_EQ(manager->getAtlasRequest("night", {"122"}, tiles()), 1);
    }
    ASSERT_TRUE(waitForAtlases(*manager, "day", {"122"}));
    ASSERT_TRUE(waitForAtlases(*manager, "night", {"122"}));
    // A finished atlas leaves the in-flight list right after it is stored.
    EXPECT_TRUE(waitUntil([] { return inFlight("day") == 0 && inFlight("night") == 0; }));
    EXPECT_EQ(manager->getAtlasRequest("day", {"122"}, tiles()), 1);
}

TEST_F(TextAtlasManagerConcurrencyTest, AtlasesOfOneDesignAreNotHandedOutForAnother) {
    auto manager = makeManager();
    ASSERT_EQ(manager->getAtlasRequest("day", m_keys, tiles()), 5);
    ASSERT_TRUE(waitForAtlases(*manager, "day", m_keys));
    AtlasPlacementMap infos;
    AtlasImageMap images;
    manager->getAtlas("night", m_keys, infos, images, m_keys);
    EXPECT_TRUE(infos.empty());
}

TEST_F(TextAtlasManagerConcurrencyTest, DestroyingTheManagerReleasesTheAtlasesItDroppedFromItsQueue) {
    auto manager = makeManager();
    std::unique_lock<std::mutex> renderer(g_mutexCreateText);
    ASSERT_EQ(manager->getAtlasRequest("day", m_keys, tiles()), 5);
    // Three workers wait for the renderer; two tiles wait in the queue and
    // are dropped when the pool stops.
    std::thread destroy([&manager] { manager.reset(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    renderer.unlock();
    destroy.join();
    EXPECT_EQ(inFlight("day"), 0u);

    // A new manager of the same owner makes whatever is still missing.
    auto next = makeManager();
    AtlasPlacementMap infos;
    AtlasImageMap images;
    next->getAtlas("day", m_keys, infos, images, {});
    std::vector<std::string> missing;
    for (const std::string& key : m_keys) {
        if (infos.count(key) == 0) missing.push_back(key);
    }
    EXPECT_EQ(next->getAtlasRequest("day", missing, tiles()), static_cast<int>(missing.size()));
    EXPECT_TRUE(waitForAtlases(*next, "day", m_keys));
}

}  // namespace

namespace {

// An indoor tile: its data group's child f + 1 holds the buildings of floor
// index f, each with its language header first and its label records third.
K7DataCtg* indoorTile(const std::string& quadKey, const std::string& name) {
    auto* codes = design_test::groupOf({tagged("lgt", std::string("jpn"))});
    auto* building = design_test::groupOf(
        {design_test::groupOf({codes}), new K7DataCtg(),
         design_test::groupOf({pointRecord("city", {Label{5, {name}}, Label{6, {name + " 2"}}})})});
    auto* data = design_test::groupOf({design_test::groupOf({}), new K7DataCtg(), design_test::groupOf({building}),
                                       new K7DataCtg()});
    return design_test::groupOf({design_test::groupOf({tagged("qak", quadKey)}), data});
}

}  // namespace

TEST_F(TextAtlasManagerConcurrencyTest, IndoorAtlasesOfTwoFloorsAreCachedUnderTheirOwnKeys) {
    auto manager = makeManager();
    std::unique_ptr<K7DataCtg> indoor(indoorTile("123", "Hall"));
    const std::map<std::string, K7DataGroup*> tiles = {{"123", indoor.get()}, {"122", indoor.get()}};
    // Floor index 1 is the data group's third child; -1 means no indoor data.
    const std::map<std::string, int> floors = {{"123", 1}, {"122", -1}};
    EXPECT_EQ(manager->getIndoorAtlasRequest("day", 1, floors, tiles), 1);
    EXPECT_EQ(manager->getIndoorAtlasRequest("day", 2, floors, tiles), 1);
    for (int floor : {1, 2}) {
        SCOPED_TRACE(floor);
        AtlasPlacementMap infos;
        AtlasImageMap images;
        ASSERT_TRUE(waitUntil([&] {
            manager->getIndoorAtlas("day", {"123", "122"}, floor, infos, images);
            return infos.count("123") == 1;
        }));
        EXPECT_EQ(infos.count("122"), 0u);
        EXPECT_EQ(infos["123"].size(), 2u);
        ASSERT_EQ(images["123"].size(), 1u);
        EXPECT_TRUE(CacheController::existAtlasIndoor({"day", TextAtlasManager::indoorKey("123", floor)}));
    }
    EXPECT_EQ(TextAtlasManager::indoorKey("123", 2), "123_2");
}

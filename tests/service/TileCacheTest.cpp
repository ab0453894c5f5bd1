#include "Gzip.h"
#include "SampleTiles.h"
#include "TileCache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>
#include <unistd.h>

namespace {

class TileCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/tolkmaps-cache-XXXXXX";
        m_folder = mkdtemp(folder);
        SampleTiles::writeStore(m_folder + "/tiles.sqlite", "svc", "g", "l", SampleTiles::keysOfLevel(2), 2, 10);
        m_store = std::make_unique<TileStore>(m_folder + "/tiles.sqlite", TileStore::Mode::ReadOnly);
    }
    void TearDown() override {
        m_store.reset();
        std::filesystem::remove_all(m_folder);
    }

    std::string m_folder;
    std::unique_ptr<TileStore> m_store;
};

TEST_F(TileCacheTest, ServesTheStoredBytesAndTheirGzipSegment) {
    TileCache cache(*m_store, 1 << 20, 6);
    auto tile = cache.get("12");
    ASSERT_TRUE(tile);
    EXPECT_EQ(tile->record, m_store->tile("12"));
    EXPECT_EQ(Gzip::decompress(Gzip::join({&tile->gzip})), tile->record);
    EXPECT_EQ(cache.get("12"), tile);  // the same entry, not a new load
    EXPECT_FALSE(cache.get("0000"));
}

TEST_F(TileCacheTest, LeastRecentlyUsedTilesLeaveWhenTheBudgetIsExceeded) {
    const size_t oneTile = m_store->tile("00")->size();
    TileCache cache(*m_store, 3 * oneTile, 6);  // room for about one tile and its segment
    auto first = cache.get("00");
    auto second = cache.get("01");
    EXPECT_NE(cache.get("01"), nullptr);
    EXPECT_NE(cache.get("00"), first);  // evicted, loaded again
    EXPECT_EQ(cache.get("00")->record, first->record);
}

TEST_F(TileCacheTest, ManyThreadsGetConsistentTiles) {
    TileCache cache(*m_store, 4 * m_store->tile("00")->size(), 1);
    const auto keys = SampleTiles::keysOfLevel(2);
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                const std::string& key = keys[(i * 7 + t) % keys.size()];
                auto tile = cache.get(key);
                if (!tile || tile->record != SampleTiles::tile(key, 2, 10)) ++wrong;
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace

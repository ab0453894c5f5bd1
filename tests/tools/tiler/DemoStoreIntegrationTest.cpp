// The demo data set that scripts/demo-data makes (data/demo/tiles.sqlite):
// every tile decodes with the kit's bounded decoder and has the kit's
// layout, the world levels are complete, and the background map and the
// global data decode. Skipped until the demo store has been made.

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

#include "TileLayoutCheck.h"
#include "TileStore.h"

namespace {

const std::string kDemoStore = std::string(TOLKMAPS_SOURCE_DIR) + "/data/demo/tiles.sqlite";

// Calls `visit` with every (quad key, bytes) of the store.
template <typename Visit>
void eachTile(const std::string& path, Visit visit) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT quad, data FROM tiles ORDER BY quad", -1, &statement, nullptr), SQLITE_OK);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const std::string key(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        const std::string bytes(static_cast<const char*>(sqlite3_column_blob(statement, 1)),
                                static_cast<size_t>(sqlite3_column_bytes(statement, 1)));
        visit(key, bytes);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
}

}  // namespace

TEST(DemoStoreIntegrationTest, EveryTileDecodesWithTheKitsLayoutAndTheWorldLevelsAreComplete) {
    if (access(kDemoStore.c_str(), R_OK) != 0) GTEST_SKIP() << "no demo store; run scripts/demo-data";
    std::vector<std::string> problems;
    std::map<size_t, size_t> tilesPerLevel;
    eachTile(kDemoStore, [&](const std::string& key, const std::string& bytes) {
        K7DataCtg tile;
        if (!tile.setBinaryBounded(bytes.data(), bytes.size())) return problems.push_back(key + ": does not decode");
        tilelayout::LayoutCheck check(key, tile);
        problems.insert(problems.end(), check.problems().begin(), check.problems().end());
        ++tilesPerLevel[key.size()];
    });
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, the first: " << problems.front();
    for (size_t level = 1; level <= 7; ++level) EXPECT_EQ(tilesPerLevel[level], size_t{1} << (2 * level)) << level;
    EXPECT_GT(tilesPerLevel[18], 0u) << "detailed data reaches level 18";
}

TEST(DemoStoreIntegrationTest, BackgroundMapAndGlobalDataDecode) {
    if (access(kDemoStore.c_str(), R_OK) != 0) GTEST_SKIP() << "no demo store; run scripts/demo-data";
    TileStore store(kDemoStore, TileStore::Mode::ReadOnly);
    EXPECT_EQ(store.serviceId(), "demo");
    for (const std::string& group : {store.backgroundMap(), store.globalData()}) {
        K7DataCtg decoded;
        ASSERT_TRUE(decoded.setBinaryBounded(group.data(), group.size()));
        EXPECT_FALSE(decoded.getContents().empty());
    }
}

// What a run puts into the tile store besides the tiles: the background map,
// the design sets, the versions and the service id; the same input gives the
// same bytes; a failed run leaves the old store as it was.

#include <gtest/gtest.h>

#include <dirent.h>

#include <set>
#include <stdexcept>
#include <string>

#include "K7DataGroup.h"
#include "K7DataText.h"
#include "SourceLayer.h"
#include "TilerTestRun.h"

namespace {

const char* const kLakeAndPlaces = R"(
  {"input": "water_with_hole.geojson", "category": "lake", "section": "ground", "levels": [10, 13]},
  {"input": "places.geojson", "section": "points", "category": "place_town", "levels": [2, 8],
   "labels": {"jpn": "name"}, "rank": "scalerank", "rank_level_offset": 1}
)";

K7DataGroup* group(K7DataBase* record) { return dynamic_cast<K7DataGroup*>(record); }

std::string quadKeyOf(K7DataBase* tile) {
    return dynamic_cast<K7DataText*>(group(group(tile)->getContents()[0])->getContents("qak")[0])->getContents();
}

std::set<std::string> filesIn(const std::string& folder) {
    std::set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) names.insert(entry->d_name);
        closedir(dir);
    }
    return names;
}

}  // namespace

TEST(TilerStoreTest, BackgroundMapHoldsTheTilesOfItsLevelsAsTheStoreHasThem) {
    TilerTestRun run(tilerRecipe(kLakeAndPlaces, R"("coverage": [{"levels": [2, 3]}],)"));
    const std::string background = run.store().backgroundMap();
    K7DataCtg decoded;
    ASSERT_TRUE(decoded.setBinaryBounded(background.data(), background.size()));
    std::set<std::string> keys;
    for (auto* tile : decoded.getContents()) {
        const std::string key = quadKeyOf(tile);
        EXPECT_TRUE(key.size() == 2 || key.size() == 3) << key;
        const std::string bytes(tile->getBinary(), tile->getSizeAll());
        EXPECT_EQ(run.store().tile(key).value_or(""), bytes) << key;
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 16u + 64u) << "coverage makes every tile of levels 2 and 3";
}

TEST(TilerStoreTest, GlobalDataVersionsAndServiceIdAreWritten) {
    TilerTestRun run(tilerRecipe(kLakeAndPlaces));
    EXPECT_EQ(run.store().serviceId(), "test");
    EXPECT_EQ(run.store().globalVersion().size(), 16u);
    EXPECT_EQ(run.store().localVersion().size(), 16u);
    const std::string global = run.store().globalData();
    K7DataCtg decoded;
    ASSERT_TRUE(decoded.setBinaryBounded(global.data(), global.size()));
    std::set<std::string> sets;
    for (auto* set : decoded.getContents()) {
        auto* header = group(group(set)->getContents()[0]);
        sets.insert(dynamic_cast<K7DataText*>(header->getContents("dfn")[0])->getContents());
    }
    EXPECT_EQ(sets, (std::set<std::string>{"day", "night"}));
}

TEST(TilerStoreTest, SameInputGivesTheSameStoreBytes) {
    TilerTestRun first(tilerRecipe(kLakeAndPlaces));
    TilerTestRun second(tilerRecipe(kLakeAndPlaces));
    EXPECT_EQ(first.store().localVersion(), second.store().localVersion());
    const std::string bytes = TilerTestRun::fileBytes(first.storePath());
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == TilerTestRun::fileBytes(second.storePath()));
}

TEST(TilerStoreTest, FailedRunLeavesTheOldStoreAsItWas) {
    TilerTestRun old(tilerRecipe(kLakeAndPlaces));
    const std::string before = TilerTestRun::fileBytes(old.storePath());
    const std::string folder = old.storePath().substr(0, old.storePath().rfind('/'));
    const std::set<std::string> filesBefore = filesIn(folder);
    struct Failure {
        const char* what;
        std::string recipe;
    } failures[] = {
        {"unreadable input", tilerRecipe(R"({"input": "missing.shp", "category": "lake", "section": "ground",
                                             "levels": [10, 13]})")},
        {"design tables missing after the tiles are written",
         "{\"service_id\": \"test\", \"languages\": [\"jpn\"], \"designs\": \"/nonexistent\", \"layers\": [" +
             std::string(kLakeAndPlaces) + "]}"},
    };
    for (const auto& failure : failures) {
        ProgressBar quiet(false);
        Tiler tiler(Recipe::parse(failure.recipe, folder + "/recipe.json", tilerFixture("")), quiet);
        EXPECT_THROW(tiler.run(old.storePath()), std::runtime_error) << failure.what;
        EXPECT_TRUE(TilerTestRun::fileBytes(old.storePath()) == before) << failure.what;
        EXPECT_EQ(filesIn(folder), filesBefore) << failure.what << ": no file may stay behind";
    }
}

TEST(TilerStoreTest, RankDelaysALabelsFirstLevel) {
    TilerTestRun run(tilerRecipe(kLakeAndPlaces));
    std::map<std::string, int> firstLevel;
    for (auto& tile : run.decodedTiles()) {
        auto* points = group(group(tile.second->getContents()[1])->getContents()[3]);
        for (auto* category : points->getContents("mag")) {
            for (auto* label : group(group(category)->getContents("ctg")[0])->getContents()) {
                auto* texts = group(group(label)->getContents("ctg")[0]);
                const std::string name = dynamic_cast<K7DataText*>(texts->getContents()[0])->getContents();
                const int level = static_cast<int>(tile.first.size());
                if (!firstLevel.count(name) || level < firstLevel[name]) firstLevel[name] = level;
            }
        }
    }
    // Ranks 0, 6 and 8 with an offset of 1 in a layer of levels 2 to 8:
    // Tokyo from the layer's first level, Karlsruhe (from 9) not at all.
    EXPECT_EQ(firstLevel, (std::map<std::string, int>{{"Tokyo", 2}, {"Oakland", 7}}));
}

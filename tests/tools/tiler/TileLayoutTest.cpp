// Every tile the tiler writes decodes with the kit's bounded decoder and has
// the layout the kit reads: a header with its quad key, then the sections
// (languages, background, ground, points) with design groups of "ln4"
// records, areas as whole triangles.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TileLayoutCheck.h"
#include "TilerTestRun.h"

namespace {

using tilelayout::group;
using tilelayout::LayoutCheck;

const char* const kAllFixtures = R"(
  {"input": "water_with_hole.geojson", "category": "lake", "section": "background", "levels": [12, 17]},
  {"input": "a_road.geojson", "category": "road_primary", "section": "ground", "levels": [10, 16]},
  {"input": "places.geojson", "section": "points", "category": "place_town", "category_field": "featurecla",
   "categories": {"Admin-0 capital": "place_capital"}, "levels": [2, 10], "labels": {"jpn": "name"},
   "rank": "scalerank", "text_position": 1}
)";

}  // namespace

TEST(TileLayoutTest, EveryTileDecodesBoundedWithTheKitsLayout) {
    TilerTestRun run(tilerRecipe(kAllFixtures));
    const auto tiles = run.decodedTiles();
    ASSERT_EQ(tiles.size(), run.tiler().tiles().size()) << "tiles that did not decode";
    ASSERT_EQ(static_cast<size_t>(run.store().tileCount()), tiles.size());
    std::vector<std::string> problems;
    bool areas = false, lines = false, labels = false;
    for (const auto& tile : tiles) {
        LayoutCheck check(tile.first, *tile.second);
        problems.insert(problems.end(), check.problems().begin(), check.problems().end());
        const auto& sections = group(tile.second->getContents()[1])->getContents();
        areas = areas || !group(sections[1])->getContents("pgg").empty();
        lines = lines || !group(sections[2])->getContents("lng").empty();
        labels = labels || !group(sections[3])->getContents("mag").empty();
    }
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
    EXPECT_TRUE(areas && lines && labels) << "the fixtures should give areas, lines and labels";
}

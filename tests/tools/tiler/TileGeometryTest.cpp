// The geometry of real features cut into tiles: a lake with an island that
// crosses a tile corner keeps its area, a road that crosses a tile edge is
// drawn in both tiles and overlaps the edge, a place lands in one tile per
// level with its texts and the same object id.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "GeosContext.h"
#include "K7DataGroup.h"
#include "K7DataLine.h"
#include "K7DataNumber.h"
#include "K7DataPoint.h"
#include "K7DataText.h"
#include "SourceLayer.h"
#include "TileGrid.h"
#include "TilerTestRun.h"

namespace {

K7DataGroup* group(K7DataBase* record) { return dynamic_cast<K7DataGroup*>(record); }

K7DataGroup& section(K7DataCtg& tile, int number) {
    return *group(group(tile.getContents()[1])->getContents()[static_cast<size_t>(number)]);
}

// The "ln4" records of one category's design groups in a section.
std::vector<const GeoDataLine*> records(K7DataCtg& tile, int sectionNumber, const std::string& tag,
                                        const std::string& category) {
    std::vector<const GeoDataLine*> lines;
    for (auto* child : section(tile, sectionNumber).getContents(tag)) {
        auto& designGroup = *group(child);
        if (dynamic_cast<K7DataText*>(designGroup.getContents("dcn")[0])->getContents() != category) continue;
        for (auto* record : group(designGroup.getContents("ctg")[0])->getContents())
            lines.push_back(&dynamic_cast<K7DataLine<uint32_t>*>(record)->getContents());
    }
    return lines;
}

double triangleArea(const GeoDataLine& list) {
    double area = 0;
    for (size_t i = 0; i + 2 < list.getPtNum(); i += 3) {
        area += std::fabs((list.x(i + 1) - list.x(i)) * (list.y(i + 2) - list.y(i)) -
                          (list.x(i + 2) - list.x(i)) * (list.y(i + 1) - list.y(i))) / 2;
    }
    return area;
}

// The fixture's feature on the world plane, read the way the tiler reads it.
double worldArea(const std::string& fixture, double& outerArea) {
    GeosContext geos;
    SourceLayer layer(tilerFixture(fixture), "", "");
    int64_t skipped = 0;
    auto feature = layer.next(geos, skipped);
    double area = 0;
    GEOSArea_r(geos.handle(), feature->geometry(), &area);
    auto outer = geos.own(GEOSGeom_createPolygon_r(
        geos.handle(),
        GEOSGeom_createLinearRing_r(geos.handle(), GEOSCoordSeq_clone_r(geos.handle(), GEOSGeom_getCoordSeq_r(
            geos.handle(), GEOSGetExteriorRing_r(geos.handle(), feature->geometry())))),
        nullptr, 0));
    GEOSArea_r(geos.handle(), outer.get(), &outerArea);
    return area;
}

}  // namespace

TEST(TileGeometryTest, LakeWithAnIslandAcrossATileCornerKeepsItsAreaAtEveryLevel) {
    TilerTestRun run(tilerRecipe(R"({"input": "water_with_hole.geojson", "category": "lake",
                                     "section": "ground", "levels": [14, 18], "simplify": 0})"));
    double outerArea = 0;
    const double area = worldArea("water_with_hole.geojson", outerArea);
    ASSERT_LT(area, outerArea * 0.999) << "the fixture should have a hole";
    std::map<int, double> areaPerLevel;
    std::map<int, int> tilesPerLevel;
    for (auto& tile : run.decodedTiles()) {
        const int level = static_cast<int>(tile.first.size());
        for (const GeoDataLine* list : records(*tile.second, 2, "pgg", "lake")) areaPerLevel[level] += triangleArea(*list);
        ++tilesPerLevel[level];
    }
    ASSERT_EQ(areaPerLevel.size(), 5u);
    bool acrossACorner = false;
    for (const auto& level : areaPerLevel) {
        EXPECT_NEAR(level.second, area, area * 0.001) << "level " << level.first;
        acrossACorner = acrossACorner || tilesPerLevel[level.first] >= 4;
    }
    EXPECT_TRUE(acrossACorner) << "at some level the lake should lie in four tiles around a corner";
}

TEST(TileGeometryTest, RoadAcrossATileEdgeIsInBothTilesAndReachesOverTheEdge) {
    TilerTestRun run(tilerRecipe(R"({"input": "a_road.geojson", "category": "road_primary",
                                     "section": "ground", "levels": [15, 15]})"));
    auto tiles = run.decodedTiles();
    std::set<std::string> withRoad;
    int reachingOver = 0;
    for (auto& tile : tiles) {
        const WorldBox box = TileGrid::box(tile.first);
        const double margin = TileGrid::side(15) / 256 * 4;
        for (const GeoDataLine* line : records(*tile.second, 2, "lng", "road_primary")) {
            withRoad.insert(tile.first);
            for (size_t i = 0; i < line->getPtNum(); ++i) {
                const bool outside = line->x(i) < box.west || line->x(i) > box.east || line->y(i) < box.south ||
                                     line->y(i) > box.north;
                EXPECT_TRUE(box.grown(margin + 1).contains({line->x(i), line->y(i), line->x(i), line->y(i)}))
                    << tile.first << " point " << i << " lies beyond the margin";
                reachingOver += outside ? 1 : 0;
            }
        }
    }
    ASSERT_GE(withRoad.size(), 2u) << "the road should cross a tile edge at level 15";
    // Two neighbours that share an edge both draw the road.
    bool neighbours = false;
    for (const auto& key : withRoad) {
        const WorldBox a = TileGrid::box(key);
        for (const auto& other : withRoad)
            neighbours = neighbours || (other != key && a.intersects(TileGrid::box(other)));
    }
    EXPECT_TRUE(neighbours);
    EXPECT_GT(reachingOver, 0) << "line ends should overlap the neighbouring tile";
}

TEST(TileGeometryTest, PlaceLabelLandsInExactlyOneTilePerLevelWithItsTextsAndObjectId) {
    TilerTestRun run(tilerRecipe(R"({"input": "places.geojson", "section": "points", "category": "place_city",
                                     "levels": [2, 12], "labels": {"jpn": "name"}, "text_position": 1})"));
    std::map<std::string, std::map<int, int>> tilesPerLevel;  // name -> level -> tiles
    std::map<std::string, std::set<uint64_t>> ids;
    for (auto& tile : run.decodedTiles()) {
        const WorldBox box = TileGrid::box(tile.first);
        for (auto* category : section(*tile.second, 3).getContents("mag")) {
            for (auto* record : group(group(category)->getContents("ctg")[0])->getContents()) {
                auto& label = *group(record);
                const auto& texts = group(label.getContents("ctg")[0])->getContents();
                ASSERT_EQ(texts.size(), 1u);
                const std::string name = dynamic_cast<K7DataText*>(texts[0])->getContents();
                ++tilesPerLevel[name][static_cast<int>(tile.first.size())];
                ids[name].insert(dynamic_cast<K7DataNumber<uint64_t>*>(label.getContents("oid")[0])->getContents());
                const auto& anchor = dynamic_cast<K7DataPoint<uint32_t>*>(label.getContents("pt4")[0])->getContents();
                EXPECT_TRUE(box.intersects({anchor.x(), anchor.y(), anchor.x(), anchor.y()})) << name;
                EXPECT_EQ(dynamic_cast<K7DataNumber<uint8_t>*>(label.getContents("adp")[0])->getContents(), 1);
            }
        }
    }
    ASSERT_EQ(tilesPerLevel.size(), 3u) << "Karlsruhe, Oakland and Tokyo";
    std::set<uint64_t> allIds;
    for (const auto& place : tilesPerLevel) {
        EXPECT_EQ(place.second.size(), 11u) << place.first;
        for (const auto& level : place.second) EXPECT_EQ(level.second, 1) << place.first << " level " << level.first;
        EXPECT_EQ(ids[place.first].size(), 1u) << place.first << " should keep one object id";
        allIds.insert(ids[place.first].begin(), ids[place.first].end());
    }
    EXPECT_EQ(allIds.size(), 3u) << "each place has its own object id";
}

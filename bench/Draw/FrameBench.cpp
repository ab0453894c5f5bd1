#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "../../tests/Draw/Organizer/MapTileFixture.h"
#include "DesignController.h"
#include "DesignSetBuilder.h"
#include "GLMapObjectOrganizer.h"
#include "UnitConvertor.h"

using namespace qiv;

namespace {

constexpr const char* kKey = "0313131311132333";  // a level-16 tile
constexpr int kCoastTriangles = 3000;
constexpr int kBuildings = 400;
constexpr int kResidentialRoads = 80;
constexpr int kRoadPoints = 15;
constexpr int kPrimaryRoads = 10;
constexpr int kPrimaryPoints = 40;

// `count` triangles of a fan over the tile, as the tiler writes a
// triangulated area.
K7DataLn4* fan(int count) {
    std::initializer_list<map_tile::TilePoint> none{};
    K7DataLn4* list = map_tile::coordinates(kKey, none);
    for (int i = 0; i < count; ++i) {
        const double a = 2 * M_PI * i / count;
        const double b = 2 * M_PI * (i + 1) / count;
        for (const map_tile::TilePoint point :
             {map_tile::TilePoint{0.5, 0.5}, map_tile::TilePoint{0.5 + 0.4 * std::cos(a), 0.5 + 0.4 * std::sin(a)},
              map_tile::TilePoint{0.5 + 0.4 * std::cos(b), 0.5 + 0.4 * std::sin(b)}}) {
            const auto [x, y] = map_tile::worldPoint(kKey, point);
            list->editContents().addCoord(x, y);
        }
    }
    return list;
}

// A line of `points` points across the tile at height v.
K7DataLn4* road(double v, int points) {
    std::initializer_list<map_tile::TilePoint> none{};
    K7DataLn4* line = map_tile::coordinates(kKey, none);
    for (int i = 0; i < points; ++i) {
        const auto [x, y] = map_tile::worldPoint(kKey, {i / (points - 1.0), v + 0.01 * std::sin(i)});
        line->editContents().addCoord(x, y);
    }
    return line;
}

// A busy town tile: a detailed coastline in the background, buildings and
// roads on the ground.
std::unique_ptr<K7DataCtg> townTile() {
    auto* buildings = map_tile::groupOf({});
    for (int i = 0; i < kBuildings; ++i) {
        const double u = (i % 20) / 20.0;
        const double v = (i / 20) / 20.0;
        buildings->addContents(map_tile::rectangle(kKey, u + 0.01, v + 0.01, u + 0.04, v + 0.04));
    }
    auto* residential = map_tile::groupOf({});
    for (int i = 0; i < kResidentialRoads; ++i) residential->addContents(road(i / 80.0, kRoadPoints));
    auto* primary = map_tile::groupOf({});
    for (int i = 0; i < kPrimaryRoads; ++i) primary->addContents(road(i / 10.0 + 0.05, kPrimaryPoints));
    return map_tile::tile(
        kKey, {map_tile::areaGroup("land", {fan(kCoastTriangles)})},
        {design_test::groupOf<K7DataPgg>({design_test::record<K7DataDcn>(std::string("building")), buildings}),
         design_test::groupOf<K7DataLng>({design_test::record<K7DataDcn>(std::string("road_residential")), residential}),
         design_test::groupOf<K7DataLng>({design_test::record<K7DataDcn>(std::string("road_primary")), primary})});
}

// The shipped "day" design set, without icons.
class ShippedDesigns {
public:
    ShippedDesigns()
        : m_global(DesignSetBuilder::build(TOLKMAPS_SOURCE_DIR "/data/designs", "")) {
        DesignController::createDesign(m_global.get(), "");
    }
    ~ShippedDesigns() { DesignController::clear(); }

private:
    std::unique_ptr<K7DataCtg> m_global;
};

// An organizer over the whole world with the shipped designs.
class TownTileOrganizer {
public:
    TownTileOrganizer() : m_tile(townTile()) {
        m_organizer.setDesignName("day");
        const GLCoord corners[4] = {{0, 4294967295.0, 0, true}, {0, 0, 0, true},
                                    {4294967295.0, 0, 0, true}, {4294967295.0, 4294967295.0, 0, true}};
        m_organizer.setVisibleRegion(corners);
        m_organizer.setWindowSize(1024, 768);
        m_organizer.setFragmentDistance(100.0, 100.0);
        const auto [originX, originY] = map_tile::worldPoint(kKey, {0, 0});
        m_organizer.setNormalizePoint(originX, originY);
    }
    // One frame's preparation of the tile; answers the drawables prepared.
    size_t prepare() {
        m_organizer.willDrawFrame();
        bool needMask = false;
        m_organizer.setK7DataGround(m_tile.get(), kKey, needMask);
        const size_t drawables =
            m_organizer.getMapData().size() + m_organizer.getTransparentMapData().size();
        m_organizer.clearMapObject();
        return drawables;
    }
    GLMapObjectOrganizer& organizer() { return m_organizer; }

private:
    ShippedDesigns m_designs;
    std::unique_ptr<K7DataCtg> m_tile;
    GLMapObjectOrganizer m_organizer;
};

void setTileCounters(benchmark::State& state, size_t drawables) {
    state.counters["drawables"] = static_cast<double>(drawables);
    state.counters["triangles"] = kCoastTriangles + 2 * kBuildings;
    state.counters["line_points"] = kResidentialRoads * kRoadPoints + kPrimaryRoads * kPrimaryPoints;
}

// Building one tile's drawables from its records (areas copied from their
// triangle lists, lines extruded with joins and caps), as the first frame
// that shows the tile does; the previous build is dropped in the loop.
void BM_BuildTileDrawables(benchmark::State& state) {
    TownTileOrganizer town;
    size_t drawables = 0;
    for (auto _ : state) {
        town.organizer().clearMapCache();
        benchmark::DoNotOptimize(drawables = town.prepare());
    }
    setTileCounters(state, drawables);
}
BENCHMARK(BM_BuildTileDrawables)->Unit(benchmark::kMillisecond);

// The same tile in a later frame: the ground comes from the tile cache and
// is rebased; the background section is built from records again.
void BM_PrepareCachedTile(benchmark::State& state) {
    TownTileOrganizer town;
    town.prepare();
    size_t drawables = 0;
    for (auto _ : state) benchmark::DoNotOptimize(drawables = town.prepare());
    setTileCounters(state, drawables);
}
BENCHMARK(BM_PrepareCachedTile)->Unit(benchmark::kMillisecond);

}  // namespace

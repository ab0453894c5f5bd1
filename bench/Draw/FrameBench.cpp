#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../../tests/Draw/Organizer/MapTileFixture.h"
#include "DesignController.h"
#include "DesignSetBuilder.h"
#include "GLMapObjectOrganizer.h"
#include "GLTestContext.h"
#include "KitStartup.h"
#include "MapSnapshot.h"
#include "RenderOptions.h"
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

// The kit started once for the frame benchmarks, against the map service
// that the environment names as for tolkmaps-render (TOLKMAPS_CONFIG_HOST,
// TOLKMAPS_CONSUMER_KEY, TOLKMAPS_CONSUMER_SECRET, TOLKMAPS_CA_FILE), with a
// 1024 x 768 EGL surface.
class BenchKit {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    static BenchKit& get() {
        static BenchKit kit;
        return kit;
    }
    // The start-up status: 0 when the kit is ready.
    int status() const { return m_status; }
    const std::string& error() const { return m_error; }

private:
    BenchKit() : m_context(kWidth, kHeight) {
        if (!m_context.isValid()) {
            m_status = -1;
            m_error = "no EGL context: " + m_context.error();
            return;
        }
        std::printf("GL_RENDERER: %s\n", m_context.renderer().c_str());
        const RenderOptions options = RenderOptions::parse(
            {"--out", "/dev/null", "--dpi", "326"}, RenderOptions::processEnvironment);
        m_cacheDir = std::filesystem::temp_directory_path() / "tolkmaps-frame-bench";
        std::filesystem::create_directories(m_cacheDir);
        m_status = KitStartup::start(options, m_cacheDir.string());
        if (m_status != 0) m_error = "the kit did not start (status " + std::to_string(m_status) + ")";
    }
    ~BenchKit() { std::filesystem::remove_all(m_cacheDir); }

    GLTestContext m_context;
    std::filesystem::path m_cacheDir;
    int m_status = 0;
    std::string m_error;
};

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    const size_t index = static_cast<size_t>(fraction * (samples.size() - 1) + 0.5);
    return samples[index];
}

// One frame of a warmed view: every tile and label atlas in memory, the
// tile drawables cached. Each iteration is drawMap and glFinish, so that
// the time includes the rasterization.
void BM_DrawMap(benchmark::State& state, double latitude, double longitude, double zoom,
                double tilt) {
    BenchKit& kit = BenchKit::get();
    if (kit.status() != 0) {
        state.SkipWithError(kit.error().c_str());
        return;
    }
    MapSnapshot snapshot("frame-bench", BenchKit::kWidth, BenchKit::kHeight);
    if (snapshot.initialize("day") != 0) {
        state.SkipWithError("initializeMap failed");
        return;
    }
    snapshot.placeCamera(CameraPosition(LatLng(latitude, longitude), zoom, tilt, 0.0));
    if (snapshot.drawUntilComplete(120.0).status != 0) {
        state.SkipWithError("the view did not complete within 120 s");
        return;
    }
    std::vector<double> milliseconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(snapshot.engine().drawMap());
        glFinish();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        milliseconds.push_back(elapsed.count() * 1000.0);
    }
    state.counters["median_ms"] = percentile(milliseconds, 0.5);
    state.counters["p95_ms"] = percentile(milliseconds, 0.95);
}
BENCHMARK_CAPTURE(BM_DrawMap, NorthDevon16Tilt45, 51.21, -3.90, 16.0, 45.0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);
BENCHMARK_CAPTURE(BM_DrawMap, Europe6, 50.0, 10.0, 6.0, 0.0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

}  // namespace

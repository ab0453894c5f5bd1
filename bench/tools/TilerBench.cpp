// Speed of the tiler on the demo inputs: cutting features into tiles
// (features/s and tiles/s) and encoding the tiles (tiles/s and bytes).

#include <benchmark/benchmark.h>

#include <string>
#include <unistd.h>

#include "ProgressBar.h"
#include "Recipe.h"
#include "TileEncoder.h"
#include "Tiler.h"

namespace {

const char* const kPlaces = "/usr/share/magics/10m/ne_10m_populated_places_simple.shp";
const char* const kLakes = "/usr/share/gnudatalanguage/resource/maps/high/ne_10m_lakes.shp";
const char* const kRoads = "/usr/share/plplot5.15.0/ss/ss64ne_Road_Centreline.shp";

Recipe recipeFor(const std::string& layer) {
    return Recipe::parse("{\"service_id\": \"bench\", \"languages\": [\"jpn\"], \"designs\": \"designs\",\n"
                         "\"layers\": [" + layer + "]}",
                         "bench.json");
}

void cut(benchmark::State& state, const char* input, const std::string& layer) {
    if (access(input, R_OK) != 0) return state.SkipWithError("demo input not installed (scripts/demo-data)");
    int64_t features = 0;
    int64_t tiles = 0;
    for (auto _ : state) {
        ProgressBar quiet(false);
        Tiler tiler(recipeFor(layer), quiet);
        tiler.cut();
        features += tiler.stats().featuresRead;
        tiles += static_cast<int64_t>(tiler.tiles().size());
    }
    state.counters["features/s"] = benchmark::Counter(static_cast<double>(features), benchmark::Counter::kIsRate);
    state.counters["tiles/s"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kIsRate);
}

void BM_CutPlaceLabels(benchmark::State& state) {
    cut(state, kPlaces,
        std::string("{\"input\": \"") + kPlaces +
            "\", \"category\": \"place_town\", \"section\": \"points\", \"levels\": [2, 10], "
            "\"labels\": {\"jpn\": \"name\"}, \"rank\": \"scalerank\", \"rank_level_offset\": 2}");
}
BENCHMARK(BM_CutPlaceLabels)->Unit(benchmark::kMillisecond);

void BM_CutLakeAreas(benchmark::State& state) {
    cut(state, kLakes,
        std::string("{\"input\": \"") + kLakes +
            "\", \"category\": \"lake\", \"section\": \"background\", \"levels\": [4, 7], \"simplify\": 1}");
}
BENCHMARK(BM_CutLakeAreas)->Unit(benchmark::kMillisecond);

void BM_CutRoadLines(benchmark::State& state) {
    cut(state, kRoads,
        std::string("{\"input\": \"") + kRoads + "\", \"category\": \"road_primary\", \"section\": \"ground\", "
                                                 "\"levels\": [10, 18]}");
}
BENCHMARK(BM_CutRoadLines)->Unit(benchmark::kMillisecond);

void BM_EncodeLakeTiles(benchmark::State& state) {
    if (access(kLakes, R_OK) != 0) return state.SkipWithError("demo input not installed (scripts/demo-data)");
    ProgressBar quiet(false);
    Tiler tiler(recipeFor(std::string("{\"input\": \"") + kLakes +
                          "\", \"category\": \"lake\", \"section\": \"background\", \"levels\": [4, 6]}"),
                quiet);
    tiler.cut();
    const TileEncoder encoder({"jpn"});
    int64_t tiles = 0;
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const auto& tile : tiler.tiles()) {
            const std::string record = encoder.encode(tile.first, tile.second);
            bytes += static_cast<int64_t>(record.size());
            ++tiles;
        }
    }
    state.counters["tiles/s"] = benchmark::Counter(static_cast<double>(tiles), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_EncodeLakeTiles)->Unit(benchmark::kMillisecond);

}  // namespace

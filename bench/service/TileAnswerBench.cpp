// Cost of building one tile answer of four tiles: the container alone, its
// gzip form joined from cached tile segments (what the server does), and
// compressing the whole answer per request (what it avoids).

#include "Gzip.h"
#include "SampleTiles.h"
#include "TileContainer.h"

#include <benchmark/benchmark.h>

namespace {

struct Answer {
    std::vector<std::string> tiles;
    std::vector<Gzip::Segment> segments;
    std::vector<std::string_view> views;

    Answer() {
        for (const char* key : {"01230", "01231", "01232", "01233"}) tiles.push_back(SampleTiles::tile(key, 30, 40));
        for (const std::string& tile : tiles) {
            segments.push_back(Gzip::segment(tile, 6));
            views.push_back(tile);
        }
    }
};

const Answer& answer() {
    static const Answer instance;
    return instance;
}

void BM_ContainerOfFourTiles(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(TileContainer::encode(answer().views));
}
BENCHMARK(BM_ContainerOfFourTiles);

void BM_GzipJoinedFromCachedSegments(benchmark::State& state) {
    for (auto _ : state) {
        std::string body = TileContainer::encode(answer().views);
        size_t tileBytes = 0;
        for (const std::string& tile : answer().tiles) tileBytes += tile.size();
        Gzip::Segment header = Gzip::storedSegment(body.substr(0, body.size() - tileBytes));
        std::vector<const Gzip::Segment*> parts{&header};
        for (const Gzip::Segment& segment : answer().segments) parts.push_back(&segment);
        benchmark::DoNotOptimize(Gzip::join(parts));
    }
}
BENCHMARK(BM_GzipJoinedFromCachedSegments);

void BM_GzipCompressedPerRequest(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(Gzip::compress(TileContainer::encode(answer().views), 6));
}
BENCHMARK(BM_GzipCompressedPerRequest);

}  // namespace

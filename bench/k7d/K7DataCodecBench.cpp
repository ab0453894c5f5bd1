// Decoding and encoding speed of a tile-sized record tree, beside a plain
// memcpy of the same bytes. The tracked figure is the counter "x_memcpy":
// the codec's time per tile divided by memcpy's time for the same bytes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "K7DataAns.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataGroup.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataNumber.h"
#include "K7DataPgg.h"
#include "K7DataPoly.h"
#include "K7DataQak.h"
#include "K7DataText.h"

namespace {

constexpr int LINE_COUNT = 2500;
constexpr int LINE_POINTS = 200;
constexpr int AREA_COUNT = 500;
constexpr int AREA_RING_POINTS = 150;
constexpr int LABEL_COUNT = 300;
constexpr double TILE_SIDE = 65536.0;

template <typename Record>
Record* add(K7DataGroup& group, Record* child) {
    group.addContents(child);
    return child;
}

// A random walk inside the tile, as digitized roads and shores look.
template <typename Geometry>
void walk(Geometry& geometry, std::mt19937& random, int points) {
    std::uniform_real_distribution<double> start(0.0, TILE_SIDE);
    std::uniform_real_distribution<double> step(-40.0, 40.0);
    double x = start(random);
    double y = start(random);
    for (int i = 0; i < points; ++i) {
        x = std::min(TILE_SIDE, std::max(0.0, x + step(random)));
        y = std::min(TILE_SIDE, std::max(0.0, y + step(random)));
        geometry.addCoord(x, y);
    }
}

// Lines in line design groups, areas with an outer ring and a hole, and
// label groups of texts and numbers, grouped the way a tile arrives.
std::unique_ptr<K7DataCtg> buildTile() {
    std::mt19937 random(7);
    auto tile = std::make_unique<K7DataCtg>();
    add(*add(*tile, new K7DataCtg()), new K7DataQak())->editContents() = "13203120";
    auto* body = add(*tile, new K7DataCtg());
    auto* lineSection = add(*body, new K7DataCtg());
    for (int group = 0; group < LINE_COUNT / 100; ++group) {
        auto* design = add(*lineSection, new K7DataLng());
        auto* lines = add(*design, new K7DataCtg());
        for (int i = 0; i < 100; ++i) walk(add(*lines, new K7DataLn4())->editContents(), random, LINE_POINTS);
        add(*design, new K7DataDcn())->editContents() = "road" + std::to_string(group);
    }
    auto* areaSection = add(*body, new K7DataCtg());
    for (int group = 0; group < AREA_COUNT / 50; ++group) {
        auto* design = add(*areaSection, new K7DataPgg());
        auto* areas = add(*design, new K7DataCtg());
        for (int i = 0; i < 50; ++i) {
            auto* area = add(*areas, new K7DataPoly<uint32_t>());
            area->setType("py4");
            walk(area->editContents(), random, AREA_RING_POINTS);
            area->editContents().addPoly();
            walk(area->editContents(), random, AREA_RING_POINTS / 3);
        }
        add(*design, new K7DataDcn())->editContents() = "area" + std::to_string(group);
    }
    auto* labelSection = add(*body, new K7DataCtg());
    for (int i = 0; i < LABEL_COUNT; ++i) {
        auto* label = add(*labelSection, new K7DataCtg());
        auto* name = add(*label, new K7DataText());
        name->setType("sat");
        name->editContents() = "Label number " + std::to_string(i);
        add(*label, new K7DataAns())->editContents() = static_cast<uint16_t>(12 + i % 8);
        auto* id = add(*label, new K7DataNumber<uint64_t>());
        id->setType("oid");
        id->editContents() = 1000000ull + i;
    }
    return tile;
}

size_t countRecords(K7DataBase& record) {
    size_t count = 1;
    if (auto* group = dynamic_cast<K7DataGroup*>(&record)) {
        for (K7DataBase* child : group->getContents()) count += countRecords(*child);
    }
    return count;
}

struct Tile {
    std::unique_ptr<K7DataCtg> tree = buildTile();
    std::string bytes = std::string(tree->getBinary(), tree->getSizeAll());
    size_t records = countRecords(*tree);
};

const Tile& tile() {
    static const Tile built;
    return built;
}

// Processor time of the calling thread, in seconds; unlike the wall clock it
// does not count time that other processes hold the processor.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double secondsSince(double start) { return threadSeconds() - start; }

// Seconds that `repetitions` memcpys of the tile's bytes take.
double memcpySeconds(int64_t repetitions) {
    const std::string& bytes = tile().bytes;
    std::vector<char> target(bytes.size());
    const double start = threadSeconds();
    for (int64_t i = 0; i < repetitions; ++i) {
        std::memcpy(target.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    return secondsSince(start);
}

void report(benchmark::State& state, double seconds) {
    const Tile& t = tile();
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(t.bytes.size()));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(t.records));
    state.counters["tile_bytes"] = static_cast<double>(t.bytes.size());
    state.counters["tile_records"] = static_cast<double>(t.records);
    state.counters["x_memcpy"] = seconds / memcpySeconds(state.iterations());
}

void BM_DecodeBounded(benchmark::State& state) {
    const std::string& bytes = tile().bytes;
    const double start = threadSeconds();
    for (auto _ : state) {
        K7DataCtg decoded;
        const bool ok = decoded.setBinaryBounded(bytes.data(), bytes.size());
        if (!ok) state.SkipWithError("decode refused the tile");
        benchmark::DoNotOptimize(decoded);
    }
    report(state, secondsSince(start));
}
BENCHMARK(BM_DecodeBounded)->Unit(benchmark::kMillisecond);

void BM_Encode(benchmark::State& state) {
    K7DataCtg& tree = *tile().tree;
    const double start = threadSeconds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree.getBinary());
        benchmark::ClobberMemory();
    }
    report(state, secondsSince(start));
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State& state) {
    const std::string& bytes = tile().bytes;
    std::vector<char> target(bytes.size());
    const double start = threadSeconds();
    for (auto _ : state) {
        std::memcpy(target.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    report(state, secondsSince(start));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

}  // namespace

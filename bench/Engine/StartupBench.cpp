// Time from the start-up sequence to the first frame that finds every visible
// tile of a 1024x768 view at zoom 15, against the map service on loopback:
// from a cold disk cache (every tile fetched) and from a warm one (every tile
// read from disk; memory emptied before each run).

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CacheController.h"
#include "GLTestContext.h"
#include "InProcessMapService.h"
#include "Initializer.h"
#include "ScratchDirectory.h"
#include "VeltarEngine.h"

namespace {

const int kWidth = 1024;
const int kHeight = 768;
const qiv::CameraPosition kView(qiv::LatLng(35.681236, 139.767125), 15, 0, 0);

std::vector<std::string> visibleKeys() {
    qiv::VeltarEngine engine("bench-keys");
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(kView, 0, 0, qiv::Point(kWidth / 2, kHeight / 2));
    return engine.getVisibleQuadKeys();
}

// The map service in this process with a store holding the view's tiles.
InProcessMapService& service() {
    static InProcessMapService instance([] {
        InProcessMapService::Options options;
        options.quadKeys = visibleKeys();
        options.lines = 30;
        options.pointsPerLine = 40;
        return options;
    }());
    return instance;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Start-up, one map, frames until every visible tile is found; the start-up
// share and the frame count go to the counters. False when start-up fails or
// the tiles do not come within 30 s.
bool startUpToCompleteFrame(const std::string& cacheDir, benchmark::State& state) {
    const auto start = std::chrono::steady_clock::now();
    qiv::Initializer::m_setting.configHost = service().host();
    if (qiv::Initializer::initialize(service().host(), service().account().consumerKey,
                                     service().account().consumerSecret, "", cacheDir, "",
                                     service().caFile(), 160, 1, "") != 0) {
        return false;
    }
    state.counters["initialize_ms"] = millisecondsSince(start);
    qiv::VeltarEngine engine("bench-engine");
    if (engine.initializeMap("") != 0) return false;
    engine.setWindowSize(kWidth, kHeight);
    engine.setPosition(kView, 0, 0, qiv::Point(kWidth / 2, kHeight / 2));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int frames = 1;
    while (engine.drawMap() != qiv::VeltarEngine::kFrameComplete) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++frames;
    }
    state.counters["frames"] = frames;
    state.counters["to_frame_ms"] = millisecondsSince(start);
    return true;
}

void BM_StartUpToCompleteFrameColdCache(benchmark::State& state) {
    GLTestContext gl(kWidth, kHeight);
    service();
    for (auto _ : state) {
        state.PauseTiming();
        auto cache = std::make_unique<ScratchDirectory>();
        qiv::CacheController::clearMemory();
        state.ResumeTiming();
        if (!startUpToCompleteFrame(cache->path(), state)) state.SkipWithError("no complete frame");
        state.PauseTiming();
        cache.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToCompleteFrameColdCache)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_StartUpToCompleteFrameWarmDiskCache(benchmark::State& state) {
    GLTestContext gl(kWidth, kHeight);
    ScratchDirectory cache;
    qiv::CacheController::clearMemory();
    if (!startUpToCompleteFrame(cache.path(), state)) state.SkipWithError("priming failed");
    for (auto _ : state) {
        state.PauseTiming();
        qiv::CacheController::clearMemory();
        state.ResumeTiming();
        if (!startUpToCompleteFrame(cache.path(), state)) state.SkipWithError("no complete frame");
    }
}
BENCHMARK(BM_StartUpToCompleteFrameWarmDiskCache)->Unit(benchmark::kMillisecond)->UseRealTime()
    ->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

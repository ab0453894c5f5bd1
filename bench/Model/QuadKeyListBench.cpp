// Cost of a camera move (which recomputes the visible quad keys) and of the
// quad-key listing alone, for a tilted, turned full-HD view at level 16.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "CoordsManager.h"
#include "UnitConvertor.h"

namespace {
const qiv::LatLng kTokyo(35.681236, 139.767125);
const int kWidth = 1920;
const int kHeight = 1080;

qiv::CoordsManager placedCamera() {
    qiv::CoordsManager coords;
    coords.setWindowSize(kWidth, kHeight, 63.74237060546875f, 326.0);
    coords.setPosition(qiv::CameraPosition(kTokyo, 16, 45, 30), qiv::Point(kWidth / 2, kHeight / 2),
                       0, 0);
    return coords;
}

void BM_SetPosition(benchmark::State& state) {
    qiv::CoordsManager coords = placedCamera();
    const qiv::Point centre(kWidth / 2, kHeight / 2);
    int step = 0;
    for (auto _ : state) {
        // Walk the target so every move lands somewhere new.
        const qiv::LatLng target(kTokyo.latitude + (step % 100) * 1e-4,
                                 kTokyo.longitude + (step % 100) * 2e-4);
        coords.setPosition(qiv::CameraPosition(target, 16, 45, 30), centre, 0, 0);
        ++step;
    }
    std::vector<std::string> keys;
    coords.getQuadList(&keys);
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_SetPosition);

void BM_GetQuadKeyList(benchmark::State& state) {
    const qiv::CoordsManager coords = placedCamera();
    std::array<qiv::GLCoord, 4> region;
    coords.getVisibleRegion(&region);
    std::vector<std::string> keys;
    for (auto _ : state) {
        qiv::UnitConvertor::getQuadKeyList(16, region.data(), &keys);
        benchmark::DoNotOptimize(keys.data());
    }
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_GetQuadKeyList);
}  // namespace

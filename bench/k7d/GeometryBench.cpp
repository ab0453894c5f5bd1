// Per-label geometry that the collision masks run every frame: the rotated
// outline of a label box about its centre, its bounding box, and an overlap
// test against the label placed before it.
#include <benchmark/benchmark.h>

#include <vector>

#include "GeometryProcBase.h"

namespace {

struct LabelSpot {
    GeoDataPoint center;
    unsigned width;
    unsigned height;
    double angle;
};

std::vector<LabelSpot> labelSpots(size_t count) {
    std::vector<LabelSpot> spots;
    for (size_t i = 0; i < count; ++i) {
        const double x = static_cast<double>((i * 37) % 1024);
        const double y = static_cast<double>((i * 91) % 768);
        spots.push_back({GeoDataPoint(x, y), 40 + static_cast<unsigned>(i % 60), 16, static_cast<double>(i % 360)});
    }
    return spots;
}

void BM_LabelOutlineBoxOverlap(benchmark::State& state) {
    const std::vector<LabelSpot> spots = labelSpots(1024);
    size_t overlaps = 0;
    for (auto _ : state) {
        GeoDataBox previous;
        for (const LabelSpot& spot : spots) {
            GeoDataPoly outline;
            GeometryProcBase::rotateBoxCenter(spot.center, spot.width, spot.height, spot.angle, outline);
            GeoDataBox box;
            GeometryProcBase::setBox(outline, box);
            overlaps += GeometryProcBase::boxOverlay(box, previous) ? 1 : 0;
            previous = box;
        }
        benchmark::DoNotOptimize(overlaps);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * spots.size()));
}
BENCHMARK(BM_LabelOutlineBoxOverlap);

void BM_RotatePoint(benchmark::State& state) {
    GeoDataPoint point(3, 4);
    double angle = 0;
    for (auto _ : state) {
        GeometryProcBase::rotatePoint(angle, point);
        angle += 1;
        benchmark::DoNotOptimize(point);
    }
}
BENCHMARK(BM_RotatePoint);

}  // namespace

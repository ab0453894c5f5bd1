#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "EarClipping.h"
#include "GLLinePolygonObject.h"
#include "GLPolygonObject.h"

using namespace qiv;

namespace {

// A star-shaped ring of `points` points in world units: alternating radii
// make every other vertex concave, the hard case for ear clipping.
std::vector<double> starRing(int points) {
    std::vector<double> ring;
    for (int i = 0; i < points; ++i) {
        const double angle = 2.0 * M_PI * i / points;
        const double radius = i % 2 == 0 ? 100000.0 : 70000.0;
        ring.push_back(2147483648.0 + radius * std::cos(angle));
        ring.push_back(2147483648.0 + radius * std::sin(angle));
    }
    return ring;
}

// A winding line of `points` points in world units.
std::vector<double> windingLine(int points) {
    std::vector<double> line;
    for (int i = 0; i < points; ++i) {
        line.push_back(2147483648.0 + 40.0 * i);
        line.push_back(2147483648.0 + 300.0 * std::sin(i * 0.05));
    }
    return line;
}

void BM_EarClippingStarRing(benchmark::State& state) {
    const std::vector<double> ring = starRing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<GeoDataLine> triangles;
        benchmark::DoNotOptimize(EarClipping::polygon_triangulate(ring, &triangles));
        benchmark::DoNotOptimize(triangles.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EarClippingStarRing)->Arg(100)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond);

// An application polygon set and registered: triangulation, then culling
// against a view that holds a quarter of it.
void BM_ApplicationPolygonSetAndRegister(benchmark::State& state) {
    const std::vector<double> ring = starRing(static_cast<int>(state.range(0)));
    const float fill[4] = {255, 0, 0, 255};
    const float stroke[4] = {0, 0, 0, 255};
    for (auto _ : state) {
        GLPolygonObject polygon;
        polygon.initialize("p", 0, ring, {}, fill, stroke, 2.0f, true);
        polygon.setVisibleRegion(GLCoord(2147483648.0, 2147483648.0, 0, true),
                                 GLCoord(2147583648.0, 2147583648.0, 0, true));
        benchmark::DoNotOptimize(polygon.registrateUserData());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ApplicationPolygonSetAndRegister)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_ExtrudeLongLine(benchmark::State& state) {
    const std::vector<double> line = windingLine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        GLLinePolygonObject object(POLYGON_LINE_OBJECT);
        benchmark::DoNotOptimize(object.isVisibleRegion(line));
        object.offsetPoint(2147483648.0, 2147483648.0);
        benchmark::DoNotOptimize(object.getPoints().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExtrudeLongLine)->Arg(1000)->Arg(16000)->Unit(benchmark::kMicrosecond);

}  // namespace

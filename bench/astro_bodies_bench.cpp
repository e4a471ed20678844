// Speed of the per-frame solar-system work: all 25 bodies (precise positions on, as by
// default, and off), the Moon's age search, one comet through the orbit solver, and the phase
// polygons. The precise places are kept while the instant stays (dragging, zooming); a frame
// at a new instant (Fast Clocking, time steps) computes them anew.
#include <benchmark/benchmark.h>

#include "astro/bodies.h"
#include "astro/clock.h"
#include "astro/comets.h"
#include "astro/moon.h"
#include "astro/moon_phase.h"
#include "astro/orbit.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace {

struct Scene {
    Scene() {
        view.clock = {2024, 10, 12, 21, 30};
        frame = astro::ComputeViewFrame(view, store.view());
    }
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    state::ViewState view;
    astro::ViewFrame frame;
};

void BM_ComputeAllBodies(benchmark::State& state) {
    Scene scene;
    astro::SolarSystemState bodies;
    for (auto _ : state) {
        astro::ComputeAllBodies(scene.view, scene.frame, bodies);
        benchmark::DoNotOptimize(bodies);
    }
}
BENCHMARK(BM_ComputeAllBodies)->Unit(benchmark::kMicrosecond);

// Frames alternately a step forward and back (argument 1: minutes), so that every frame is at
// a new instant, with the precise positions on or off (argument 0). A year's step also takes
// the planets' two VSOP87 nodes anew each frame, the worst case.
void BM_ComputeAllBodiesNewInstant(benchmark::State& state) {
    Scene scene;
    scene.view.SeimitsuKeisan = static_cast<int32_t>(state.range(0));
    const auto step = static_cast<int32_t>(state.range(1));
    astro::SolarSystemState bodies;
    astro::ComputeAllBodies(scene.view, scene.frame, bodies);  // the minor planets' years
    bool forward = true;
    for (auto _ : state) {
        scene.frame.UtMinutes += forward ? step : -step;
        forward = !forward;
        astro::ComputeAllBodies(scene.view, scene.frame, bodies);
        benchmark::DoNotOptimize(bodies);
    }
}
BENCHMARK(BM_ComputeAllBodiesNewInstant)
    ->Args({1, 1})
    ->Args({1, 525960})
    ->Args({0, 1})
    ->Unit(benchmark::kMicrosecond);

void BM_ComputeAllBodiesBefore1800(benchmark::State& state) {
    Scene scene;
    scene.view.clock.year = 1500;
    scene.frame = astro::ComputeViewFrame(scene.view, scene.store.view());
    astro::SolarSystemState bodies;
    for (auto _ : state) {
        astro::ComputeAllBodies(scene.view, scene.frame, bodies);
        benchmark::DoNotOptimize(bodies);
    }
}
BENCHMARK(BM_ComputeAllBodiesBefore1800)->Unit(benchmark::kMicrosecond);

void BM_MoonAgeSearch(benchmark::State& state) {
    // Across a lunation: the number of steps depends on the age.
    double t = astro::DaysFromJ2000(astro::ModifiedJulianDay(2024, 10, 1), 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro::MoonAgeSearch(t, 2024));
        t += 0.37;
        if (t > 9080) t -= 29.5;
    }
}
BENCHMARK(BM_MoonAgeSearch)->Unit(benchmark::kMicrosecond);

void BM_CometState(benchmark::State& state) {
    Scene scene;
    astro::SolarSystemState bodies;
    astro::ComputeAllBodies(scene.view, scene.frame, bodies);
    state::CometRecord comet;
    comet.TY = 2024, comet.TM = 9, comet.TD = 27.7;
    comet.q = 0.391, comet.e = 1.0001, comet.Peri = 308.5, comet.Node = 21.6, comet.i = 139.1;
    comet.H1 = 6.0f, comet.K1 = 10.0f;
    for (auto _ : state)
        benchmark::DoNotOptimize(astro::ComputeCometState(comet, scene.frame, bodies, 60, 20));
}
BENCHMARK(BM_CometState)->Unit(benchmark::kMicrosecond);

void BM_MoonPhasePolygons(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(astro::MoonPhasePolygons({400, 300}, 64.0, 1.1, 0.4));
}
BENCHMARK(BM_MoonPhasePolygons)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

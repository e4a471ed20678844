// Speed of the frame's inner loop (the integer ecliptic projection), its double-precision twin,
// the frame set-up and the two searches (screen point to direction, object centring).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "astro/centring.h"
#include "astro/inverse_projection.h"
#include "astro/projection.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace {

const astro::ProjectionTableStore& Tables() {
    static const astro::ProjectionTableStore store = astro::BuildProjectionTables();
    return store;
}

state::ViewState SampleView() {
    state::ViewState v;
    v.clock = {2026, 12, 6, 21, 0};
    v.Houi2 = 1500.0;
    v.Koudo2 = 350.0;
    v.Zoom = 80;
    v.SmoothIdou = 0;
    return v;
}

// A spread of star-like positions over the whole sphere.
std::vector<std::pair<int16_t, int16_t>> SamplePoints(int count) {
    std::vector<std::pair<int16_t, int16_t>> points;
    uint32_t seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1664525u + 1013904223u;
        auto lon = static_cast<int16_t>(seed >> 17);
        seed = seed * 1664525u + 1013904223u;
        auto lat = static_cast<int16_t>(static_cast<int32_t>(seed >> 18) - 8192);
        points.emplace_back(lon, lat);
    }
    return points;
}

void BM_ProjectEcliptic(benchmark::State& state) {
    astro::ViewFrame frame = astro::ComputeViewFrame(SampleView(), Tables().view());
    auto points = SamplePoints(50000);
    for (auto _ : state) {
        int32_t sum = 0;
        for (auto [lon, lat] : points) {
            astro::ScreenPoint p = astro::ProjectEcliptic(frame, lon, lat);
            sum += p.x + p.y + p.flag;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}
BENCHMARK(BM_ProjectEcliptic);

void BM_ProjectEclipticPrecise(benchmark::State& state) {
    astro::ViewFrame frame = astro::ComputeViewFrame(SampleView(), Tables().view());
    auto points = SamplePoints(50000);
    for (auto _ : state) {
        double sum = 0;
        for (auto [lon, lat] : points) {
            astro::PreciseScreenPoint p = astro::ProjectEclipticPrecise(frame, lon, lat);
            sum += p.x + p.y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(points.size()));
}
BENCHMARK(BM_ProjectEclipticPrecise);

void BM_ComputeViewFrame(benchmark::State& state) {
    state::ViewState v = SampleView();
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro::ComputeViewFrame(v, Tables().view()));
    }
}
BENCHMARK(BM_ComputeViewFrame);

void BM_ScreenToHorizontal(benchmark::State& state) {
    astro::ViewFrame frame = astro::ComputeViewFrame(SampleView(), Tables().view());
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro::ScreenToHorizontal(frame, 211, -97));
    }
}
BENCHMARK(BM_ScreenToHorizontal)->Unit(benchmark::kMillisecond);

void BM_CenterOnPositionInteger(benchmark::State& state) {
    for (auto _ : state) {
        state::ViewState v = SampleView();
        astro::CentringContext context{v, Tables().view(), nullptr, nullptr};
        benchmark::DoNotOptimize(astro::CenterOnPosition(context, 5000.0, 1200.0, true, false));
    }
}
BENCHMARK(BM_CenterOnPositionInteger)->Unit(benchmark::kMillisecond);

void BM_CenterOnPositionPrecise(benchmark::State& state) {
    for (auto _ : state) {
        state::ViewState v = SampleView();
        astro::CentringContext context{v, Tables().view(), nullptr, nullptr};
        benchmark::DoNotOptimize(astro::CenterOnPosition(context, 5000.0, 1200.0, false, false));
    }
}
BENCHMARK(BM_CenterOnPositionPrecise)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

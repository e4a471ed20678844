// The hit test of the sky that the tooltip runs on every hover tick, at 1920 x 1080 with stars
// to magnitude 9.5 in a wide view with bodies, comets and deep-sky objects drawn: the hit test
// alone, with a dialog's reach, and with the tooltip's text and picture as the hover tick makes
// them. Points are spread over the view. Uses the data set in PLANETARIUM_DATASET_DIR when it is
// there, else a synthetic catalogue of the same size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>
#include <random>

#include "astro/projection_tables.h"
#include "dialogs/bitmaps.h"
#include "persist/comet_file.h"
#include "persist/data_set.h"
#include "persist/default_tables.h"
#include "persist/paths.h"
#include "platform/sky_painting.h"
#include "render/object_info.h"
#include "render/render_sky.h"
#include "synthetic_sky.h"

namespace {

using bench::kHeight;
using bench::kWidth;

struct DrawnSky {
    persist::DataSet data;
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    state::CometTable comets;
    state::ViewState view;
    state::AppOptions options;
    render::SkyScene scene;
    std::vector<std::pair<int, int>> points;
    bool full = false;

    DrawnSky() {
        const std::string dir = PLANETARIUM_DATASET_DIR;
        if (std::filesystem::exists(std::filesystem::path(dir) / "QELDATA.INI")) {
            persist::SetDataDirectory(dir);
            std::string gscPath;
            full = persist::LoadDataSet(data, dir, gscPath);
            persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile), comets);
        }
        if (!full) bench::MakeSyntheticStars(data);
        view.clock = {2026, 12, 6, 22, 0};
        view.Houi2 = 1800;
        view.Koudo2 = 300;
        view.Zoom = 60;
        view.BrightAuto = 0;
        view.DrawStars = 55;  // magnitude 9.5
        view.lineSets = persist::DefaultLineSets();
        view.fontSets = persist::DefaultFontSets();
        render::InitSkyScene(scene, view, options, data, tables.view());
        scene.comets = &comets;
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        platform::PaintSkyImage(image, kWidth, kHeight, scene);
        std::mt19937 rng(3);
        for (int i = 0; i < 1024; ++i) {
            points.emplace_back(static_cast<int>(rng() % kWidth) - kWidth / 2,
                                static_cast<int>(rng() % kHeight) - kHeight / 2);
        }
    }
};

DrawnSky& Sky() {
    static DrawnSky sky;
    return sky;
}

void HitTest(benchmark::State& state, bool forDialog, bool withText) {
    DrawnSky& sky = Sky();
    std::size_t i = 0;
    int found = 0;
    for (auto _ : state) {
        const auto [x, y] = sky.points[i++ % sky.points.size()];
        const render::SkyHit hit = render::FindObjectAt(sky.scene, x, y, forDialog);
        found += hit.group != render::HitGroup::None;
        if (withText) {
            const render::InfoCard card =
                render::InfoCardOf(sky.scene, hit, dialogs::BitmapResourceExists);
            benchmark::DoNotOptimize(card.line);
        }
        benchmark::DoNotOptimize(hit);
    }
    state.counters["stars"] = sky.scene.frame.starCount;
    state.counters["found"] = benchmark::Counter(found, benchmark::Counter::kAvgIterations);
    state.SetLabel(sky.full ? "data set" : "synthetic catalogue");
}

void BM_HitTestForTip(benchmark::State& state) {
    HitTest(state, false, false);
}
void BM_HitTestForDialog(benchmark::State& state) {
    HitTest(state, true, false);
}
void BM_HoverTickText(benchmark::State& state) {
    HitTest(state, false, true);
}

BENCHMARK(BM_HitTestForTip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestForDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoverTickText)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

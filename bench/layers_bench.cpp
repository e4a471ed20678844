// Frame times of RenderSky at 1920 x 1080 on the QImage canvas with the constellation and label
// layers on: the default view, every figure and name layer, star names, scientific labels over
// a wide view, and the Old Chinese set. Needs the data set in PLANETARIUM_DATASET_DIR (the
// figures and names come only from there).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <filesystem>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/default_tables.h"
#include "persist/paths.h"
#include "platform/qpainter_canvas.h"
#include "render/render_sky.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct LayerSky {
    persist::DataSet data;
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    std::string gscPath;
    bool loaded = false;

    LayerSky() {
        const std::string dir = PLANETARIUM_DATASET_DIR;
        if (!std::filesystem::exists(std::filesystem::path(dir) / "QELDATA.INI")) return;
        persist::SetDataDirectory(dir);
        loaded = persist::LoadDataSet(data, dir, gscPath);
    }
};

LayerSky& Sky() {
    static LayerSky sky;
    return sky;
}

// A December night from the default place, looking south 30 degrees up.
state::ViewState NightView() {
    state::ViewState view;
    view.clock = {2026, 12, 6, 22, 0};
    view.Houi2 = 1800;
    view.Koudo2 = 300;
    view.lineSets = persist::DefaultLineSets();
    view.fontSets = persist::DefaultFontSets();
    return view;
}

void RenderFrames(benchmark::State& state, state::ViewState view) {
    LayerSky& sky = Sky();
    if (!sky.loaded) {
        state.SkipWithError("no data set in " PLANETARIUM_DATASET_DIR);
        return;
    }
    state::AppOptions options;
    render::SkyScene scene;
    view.GscAvailable = sky.data.gscAvailable;
    scene.view = &view;
    scene.options = &options;
    scene.data = &sky.data;
    scene.stars = render::BuildStarCatalog(sky.data, sky.gscPath);
    scene.tables = sky.tables.view();
    scene.palette = render::CreateSkyPalette(view.lineSets);
    scene.viewport = render::Viewport{(kWidth + 1) / 2, (kHeight + 1) / 2};
    scene.bitmapCentreX = kWidth / 2;
    scene.bitmapCentreY = kHeight / 2;
    if (view.BrightAuto) view.DrawStars = render::AutoStarLevelOf(view) - 40;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        platform::QPainterCanvas canvas(image);
        render::RenderSky(canvas, render::kTargetScreen, scene);
        benchmark::ClobberMemory();
    }
    state.counters["level"] = scene.frame.starLevel;
}

// Lines, constellation names and asterism names: the layers on by default.
void BM_DefaultFigures(benchmark::State& state) {
    RenderFrames(state, NightView());
}

// The default view with no figure or name layer, for the difference.
void BM_NoFigures(benchmark::State& state) {
    state::ViewState view = NightView();
    view.Line = 0;
    view.Constella = 0;
    view.KisetuName = 0;
    RenderFrames(state, view);
}

void BM_AllFiguresAndNames(benchmark::State& state) {
    state::ViewState view = NightView();
    view.Picture = 1;
    view.Kyoukai = 1;
    view.Kisetu = 1;
    view.StarName = 2;
    RenderFrames(state, view);
}

// Scientific labels (Bayer and Flamsteed) on a wide view to magnitude 9.5.
void BM_WideScientificLabels(benchmark::State& state) {
    state::ViewState view = NightView();
    view.BrightAuto = 0;
    view.DrawStars = 55;
    view.Zoom = 60;
    view.StarName = 3;
    view.AlphaMode = 3;
    view.Picture = 1;
    view.Kyoukai = 1;
    RenderFrames(state, view);
}

void BM_OldChineseSet(benchmark::State& state) {
    state::ViewState view = NightView();
    view.Line = 0;
    view.Constella = 0;
    view.ShukuLine = 1;
    view.ShukuName = 1;
    view.ShukuStar = 1;
    RenderFrames(state, view);
}

// One layer each on top of the default view.
void BM_PlusPictures(benchmark::State& state) {
    state::ViewState view = NightView();
    view.Picture = 1;
    RenderFrames(state, view);
}

void BM_PlusBoundaries(benchmark::State& state) {
    state::ViewState view = NightView();
    view.Kyoukai = 1;
    RenderFrames(state, view);
}

void BM_PlusStarNames(benchmark::State& state) {
    state::ViewState view = NightView();
    view.StarName = 2;
    RenderFrames(state, view);
}

BENCHMARK(BM_NoFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusBoundaries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusStarNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllFiguresAndNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WideScientificLabels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OldChineseSet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Frame times of RenderSky at 1920 x 1080 on the QImage canvas: the default view, a wide view
// to magnitude 9.5, a zoomed view drawn from the deep star catalogue, the bodies with every
// comet of the table (and the same view without them), grids with deep sky and the Milky Way,
// the constellation and label layers one by one, every label placed or piled up (and the
// placement alone), every layer at once, and a bare background fill for reference. Comets come from
// the data set's QELCOMET.DAT, else 200 synthetic ones. Uses the data set in
// PLANETARIUM_DATASET_DIR when it is there, else a synthetic catalogue of the same size (259 000
// stars to magnitude 9.5, 2750 catalogue stars per deep zone around the zoomed view).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "astro/projection_tables.h"
#include "persist/comet_file.h"
#include "persist/data_set.h"
#include "persist/default_tables.h"
#include "persist/paths.h"
#include "platform/deep_sky_pictures.h"
#include "platform/qpainter_canvas.h"
#include "platform/sky_painting.h"
#include "qt_bench.h"
#include "render/deep_sky.h"
#include "render/glyph_sheet.h"
#include "render/primitives.h"
#include "render/recording_canvas.h"
#include "render/render_sky.h"
#include "synthetic_sky.h"

namespace {

using bench::kHeight;
using bench::kWidth;
using bench::MakeSyntheticStars;
using bench::RandomLatitude;
using bench::SetBlock;

// A deep star catalogue file of 2750 stars per zone within 30 degrees of longitude and latitude
// 0 (the zoomed view looks there), empty elsewhere.
void MakeSyntheticGsc(persist::DataSet& data, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    std::mt19937 rng(11);
    std::vector<persist::GscIndexEntry> index(persist::kGscZones);
    std::vector<persist::GscRecord> records;
    for (int a = 0; a < 96; ++a) {
        for (int d = 0; d < 72; ++d) {
            const bool near = (a < 8 || a >= 88) && d >= 24 && d < 48;
            auto& entry = index[static_cast<std::size_t>(a * 72 + d)];
            entry.first = static_cast<uint32_t>(records.size());
            entry.count = near ? 2750 : 0;
            for (uint32_t i = 0; i < entry.count; ++i) {
                const int l = a * 32768 / 96 + static_cast<int>(rng() % (32768 / 96));
                const double lat0 = d * 2.5 - 90;
                records.push_back(persist::GscRecord{static_cast<int16_t>(l),
                                                     RandomLatitude(rng, lat0, lat0 + 2.5),
                                                     static_cast<uint8_t>(100 + rng() % 71)});
            }
        }
    }
    std::ofstream(folder / "QELGSC.DAT", std::ios::binary)
        .write(reinterpret_cast<const char*>(records.data()),
               static_cast<std::streamsize>(records.size() * sizeof records[0]));
    SetBlock(data.gscIndex, index);
    data.gscAvailable = true;
    data.gscIndexKind = 0;
}

struct BenchSky {
    persist::DataSet data;
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    std::string gscPath;
    bool full = false;
    state::CometTable comets;
    render::GlyphSheet glyphs = render::BuildGlyphSheet();
    // The deep-sky photographs of the data set, when it has them.
    platform::DeepSkyPictureFolder pictureFolder{
        (std::filesystem::path(PLANETARIUM_DATASET_DIR) / platform::kDeepSkyPictureFolder)
            .string()};
    bool hasPictures = std::filesystem::exists(std::filesystem::path(PLANETARIUM_DATASET_DIR) /
                                               platform::kDeepSkyPictureFolder / "B_M42.png");

    void MakeSyntheticComets();

    BenchSky() {
        const std::string dir = PLANETARIUM_DATASET_DIR;
        if (std::filesystem::exists(std::filesystem::path(dir) / "QELDATA.INI")) {
            persist::SetDataDirectory(dir);
            full = persist::LoadDataSet(data, dir, gscPath);
        }
        if (!full) MakeSyntheticStars(data);
        const std::string cometFile = (std::filesystem::path(dir) / "QELCOMET.DAT").string();
        if (persist::LoadComets(cometFile, comets) == 0) MakeSyntheticComets();
        if (!data.gscAvailable) {
            gscPath = (std::filesystem::temp_directory_path() / "planetarium_bench_gsc").string();
            MakeSyntheticGsc(data, gscPath);
        }
    }
};

// 200 comets on orbits spread round the sky, all near the Sun in December 2026.
void BenchSky::MakeSyntheticComets() {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> angle(0, 360);
    for (int k = 0; k < state::kCometFileLimit; ++k) {
        state::CometRecord& c = comets.records[static_cast<std::size_t>(k)];
        std::snprintf(c.NAMEE, sizeof c.NAMEE, "C/2026 X%d", k);
        c.TY = 2026;
        c.TM = 12;
        c.TD = 1 + k % 28;
        c.q = 0.3 + 0.01 * k;
        c.e = k % 3 == 0 ? 1.0 : 0.9;
        c.Peri = angle(rng);
        c.Node = angle(rng);
        c.i = angle(rng) / 2;
        c.H1 = 5;
        c.K1 = 10;
    }
    comets.count = state::kCometFileLimit;
}

BenchSky& Sky() {
    static BenchSky sky;
    return sky;
}

state::ViewState NightView() {
    state::ViewState view;
    view.clock = {2026, 12, 6, 22, 0};
    view.Houi2 = 1800;
    view.Koudo2 = 300;
    view.lineSets = persist::DefaultLineSets();
    view.fontSets = persist::DefaultFontSets();
    return view;
}

// Stand-ins for the 28 deep-sky photographs when the data set has none: 160 x 160 pictures of
// a soft glow.
const render::DeepSkyPicture& GlowPicture() {
    static const render::DeepSkyPicture picture = [] {
        render::DeepSkyPicture p;
        p.width = p.height = render::kDeepSkyPictureLimit;
        p.rgb.resize(static_cast<std::size_t>(p.width) * p.height * 3);
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const double d = std::hypot(x - 80.0, y - 80.0) / 80.0;
                const int v = static_cast<int>(255 * std::max(0.0, 1.0 - d));
                uint8_t* px = &p.rgb[(static_cast<std::size_t>(y) * p.width + x) * 3];
                px[0] = static_cast<uint8_t>(v);
                px[1] = static_cast<uint8_t>(v / 2);
                px[2] = static_cast<uint8_t>(v * 3 / 4);
            }
        }
        return p;
    }();
    return picture;
}

void RenderFrames(benchmark::State& state, state::ViewState view, state::AppOptions options = {},
                  bool pictures = false) {
    BenchSky& sky = Sky();
    render::SkyScene scene;
    view.GscAvailable = sky.data.gscAvailable;
    options.GscPath = sky.gscPath;
    render::InitSkyScene(scene, view, options, sky.data, sky.tables.view());
    scene.comets = &sky.comets;
    scene.glyphSheet = &sky.glyphs;
    if (pictures && sky.hasPictures) {
        scene.deepSkyPictures = sky.pictureFolder.Lookup();
    } else if (pictures) {
        scene.deepSkyPictures = [](std::string_view) { return &GlowPicture(); };
    }
    if (view.BrightAuto) view.DrawStars = render::AutoStarLevelOf(view) - 40;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        platform::PaintSkyImage(image, kWidth, kHeight, scene);
        benchmark::ClobberMemory();
    }
    state.counters["level"] = scene.frame.starLevel;
    state.counters["gsc"] = scene.frame.gscMode;
    state.SetLabel(sky.full ? "data set" : "synthetic catalogue");
}

void BM_DefaultView(benchmark::State& state) {
    RenderFrames(state, NightView());
}

void BM_WideViewMagnitude95(benchmark::State& state) {
    state::ViewState view = NightView();
    view.BrightAuto = 0;
    view.DrawStars = 55;
    view.Zoom = 60;
    view.StarName = 3;
    view.Sekidou = 3;
    view.Koudou = 3;
    view.Kyoukai = 1;
    view.Picture = 1;
    RenderFrames(state, view);
}

void BM_ZoomedCatalogueView(benchmark::State& state) {
    state::ViewState view = NightView();
    view.SekidouMod = 1;  // centred on longitude and latitude 0, where the catalogue has stars
    view.Houi2 = 0;
    view.Koudo2 = 0;
    view.Zoom = 1000;
    RenderFrames(state, view);
}

// The Sun, Moon, planets, minor bodies and every comet of the table on, with names, looking
// along the ecliptic in equator mode so that the planets are in the picture.
state::ViewState BodiesView() {
    state::ViewState view = NightView();
    view.SekidouMod = 1;
    view.Houi2 = 2700;
    view.Koudo2 = -200;
    view.Zoom = 60;
    view.Solar = 3;
    view.Comet = 3;
    view.WakuseiLevel = 5;
    view.MoonWaku = 1;
    return view;
}

void BM_BodiesAndComets(benchmark::State& state) {
    state::AppOptions options;
    options.CometBright = 999;  // every comet is computed and drawn
    options.CometKyori = 999;
    RenderFrames(state, BodiesView(), options);
}

void BM_BodiesAndCometsOff(benchmark::State& state) {
    state::ViewState view = BodiesView();
    view.Solar = 0;
    view.Comet = 0;
    RenderFrames(state, view);
}

// Grids with scales, the horizon with the landscape, deep sky with Messier labels and the
// photographs, the Milky Way, and the guides.
state::ViewState GridAndDeepSkyView() {
    state::ViewState view = NightView();
    view.Sekidou = 3;
    view.Koudou = 3;
    view.Glid = 1;
    view.GridScale = 1;
    view.Horizon = 1;
    view.Jimen = 1;
    view.Yama = 1;
    view.Galaxy = 3;
    view.SeiunImage = 1;
    view.MilkyWay = 1;
    view.CircleGuide = 1;
    view.Shaya = 1;
    return view;
}

void BM_GridsHorizonDeepSky(benchmark::State& state) {
    RenderFrames(state, GridAndDeepSkyView(), {}, true);
}

// Orion zoomed in, in equator mode: the nebula photographs fill much of the view.
void BM_OrionPictures(benchmark::State& state) {
    state::ViewState view = GridAndDeepSkyView();
    view.SekidouMod = 1;
    view.Houi2 = 838;
    view.Koudo2 = -54;
    view.Zoom = 600;
    RenderFrames(state, view, {}, true);
}

// Zoomed into M42 until its photograph fills the picture.
void BM_PhotographFillsTheView(benchmark::State& state) {
    state::ViewState view = GridAndDeepSkyView();
    view.SekidouMod = 1;
    view.Houi2 = 838;
    view.Koudo2 = -54;
    view.Zoom = 7700;
    RenderFrames(state, view, {}, true);
}

// Every layer at once: figures, pictures, boundaries and names, all grids with scales, the horizon
// with its landscape, labelled deep sky with photographs, the Milky Way, bodies, every comet and
// star labels.
void BM_EverythingOn(benchmark::State& state) {
    state::ViewState view = GridAndDeepSkyView();
    view.Line = 1;
    view.Picture = 1;
    view.Kyoukai = 1;
    view.Constella = 1;
    view.Kisetu = 1;
    view.KisetuName = 1;
    view.StarName = 2;
    view.AlphaMode = 3;
    view.Solar = 3;
    view.Comet = 3;
    view.WakuseiLevel = 5;
    state::AppOptions options;
    options.CometBright = 999;
    options.CometKyori = 999;
    RenderFrames(state, view, options, true);
}

// Every label on over a wide view, placed so that none piles up (the default) and drawn as
// they come: the difference is the cost of the placement.
state::ViewState EveryLabelView() {
    state::ViewState view = NightView();
    view.Zoom = 60;
    view.Constella = 1;
    view.KisetuName = 1;
    view.ShukuName = 1;
    view.ShukuStar = 1;
    view.StarName = 2;
    view.Galaxy = 3;
    view.Solar = 3;
    view.Comet = 3;
    view.WakuseiLevel = 5;
    return view;
}

void BM_EveryLabelPlaced(benchmark::State& state) {
    RenderFrames(state, EveryLabelView());
}

void BM_EveryLabelPiledUp(benchmark::State& state) {
    state::ViewState view = EveryLabelView();
    view.KasanariYoke = 0;
    RenderFrames(state, view);
}

// The placement alone: 1500 labels (as many as the view above hands over) of 60 x 14 pixels
// spread over the picture, kept or left out and drawn on a recording canvas.
void BM_PlacingLabels(benchmark::State& state) {
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> x(-kWidth / 2, kWidth / 2 - 60);
    std::uniform_int_distribution<int> y(-kHeight / 2, kHeight / 2 - 14);
    std::vector<render::LabelBox> boxes(1500);
    for (render::LabelBox& box : boxes) {
        box.left = x(rng);
        box.top = y(rng);
        box.right = box.left + 60;
        box.bottom = box.top + 14;
    }
    const render::LabelStyle style{render::FontSpec{"Arial", 12, false, false},
                                   render::Colour::Index(8)};
    render::LabelPlacement placement;
    render::RecordingCanvas canvas;
    for (auto _ : state) {
        placement.Begin(true, render::Viewport{kWidth / 2, kHeight / 2});
        for (std::size_t i = 0; i < boxes.size(); ++i)
            placement.Add(boxes[i], style, "Label name", render::LabelRank::StarName,
                          static_cast<int>(i));
        canvas.Clear();
        placement.DrawKept(canvas);
        benchmark::DoNotOptimize(canvas.ops.data());
    }
}

// The constellation and label layers, one by one and together.
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

void BM_BackgroundFill(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    render::SkyPalette palette = render::CreateSkyPalette({});
    for (auto _ : state) {
        platform::QPainterCanvas canvas(image);
        canvas.SelectPalette(&palette);
        canvas.SetOrigin(kWidth / 2, kHeight / 2);
        render::FillSkyBackground(canvas, render::Viewport{kWidth / 2, kHeight / 2});
        benchmark::ClobberMemory();
    }
}

BENCHMARK(BM_DefaultView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WideViewMagnitude95)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomedCatalogueView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BodiesAndComets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BodiesAndCometsOff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridsHorizonDeepSky)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OrionPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotographFillsTheView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EverythingOn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NoFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusPictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusBoundaries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlusStarNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DefaultFigures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllFiguresAndNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WideScientificLabels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OldChineseSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryLabelPlaced)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryLabelPiledUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlacingLabels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackgroundFill)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::RunBenchmarks<QGuiApplication>(argc, argv);
}

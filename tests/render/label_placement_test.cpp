#include "render/label_placement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/default_tables.h"
#include "persist/paths.h"
#include "render/recording_canvas.h"
#include "render/render_sky.h"

namespace render {
namespace {

using Kind = CanvasOp::Kind;

// Labels handed over in this order; the placement keeps by rank and order, draws by arrival.
TEST(LabelPlacement, KeepsByRankAndOrderAndDrawsInArrivalOrder) {
    struct Case {
        const char* text;
        LabelBox box;
        LabelRank rank;
        int order;
        bool kept;
    };
    const Case cases[] = {
        {"faint galaxy", {0, 0, 60, 10}, LabelRank::DeepSky, 1, false},  // under the star
        {"bright galaxy", {0, 40, 60, 50}, LabelRank::DeepSky, 0, true},
        {"second galaxy", {50, 45, 110, 55}, LabelRank::DeepSky, 5, false},  // under the first
        {"star", {30, 5, 80, 15}, LabelRank::StarName, 900, true},
        {"touching", {80, 5, 90, 15}, LabelRank::StarName, 901, true},  // edges only meet
        {"Moon", {-20, 0, 20, 10}, LabelRank::Body, 1, true},
        {"name", {-100, -5, 10, 5}, LabelRank::ConstellationName, 0, false},  // under the Moon
    };
    LabelPlacement placement;
    placement.Begin(true, Viewport{400, 300});
    const LabelStyle style{FontSpec{"Arial", 12, false, false}, Colour::Index(8)};
    for (const Case& c : cases)
        placement.Add(c.box, style, c.text, c.rank, c.order);
    RecordingCanvas canvas;
    placement.DrawKept(canvas);
    std::vector<std::string> drawn;
    for (const CanvasOp& op : canvas.OpsOf(Kind::DrawText))
        drawn.push_back(op.text);
    std::vector<std::string> expected;
    for (const Case& c : cases)
        if (c.kept) expected.push_back(c.text);
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(canvas.OpsOf(Kind::SetFont).size(), 1u);  // one style, set once
}

// The data set's sky in equator mode: label boxes (6 x 10 pixels a character on the recording
// canvas) that overlap another.
struct DataSetSky {
    persist::DataSet data;
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    state::ViewState view;
    state::AppOptions options;

    DataSetSky() {
        const std::string dir = PLANETARIUM_DATASET_DIR;
        persist::SetDataDirectory(dir);
        std::string gscPath;
        EXPECT_TRUE(persist::LoadDataSet(data, dir, gscPath)) << "the data set in " << dir;
        view.lineSets = persist::DefaultLineSets();
        view.fontSets = persist::DefaultFontSets();
        view.SekidouMod = 1;
        view.Glid = 0;
        view.BrightAuto = 0;
        view.DrawStars = 30;
    }

    std::vector<CanvasOp> Labels(double rightAscension, double declination, int zoom) {
        view.Houi2 = rightAscension;
        view.Koudo2 = declination;
        view.Zoom = zoom;
        SkyScene scene;
        InitSkyScene(scene, view, options, data, tables.view());
        scene.viewport = Viewport{640, 400};
        RecordingCanvas canvas;
        RenderSky(canvas, kTargetScreen, scene);
        return canvas.OpsOf(Kind::DrawText);
    }
};

int Overlaps(const std::vector<CanvasOp>& texts) {
    auto box = [](const CanvasOp& op) {
        return LabelBox{op.x, op.y, op.x + static_cast<int>(op.text.size()) * 6, op.y + 10};
    };
    int overlaps = 0;
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            overlaps += box(texts[i]).overlaps(box(texts[j])) ? 1 : 0;
    return overlaps;
}

bool Has(const std::vector<CanvasOp>& texts, const std::string& text) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const CanvasOp& op) { return op.text == text; });
}

TEST(LabelPlacement, OrionAndCentaurusNamesNeverPileUp) {
    DataSetSky sky;
    sky.view.StarName = 2;
    sky.view.Galaxy = 3;
    const std::vector<CanvasOp> orion = sky.Labels(838, 0, 160);
    EXPECT_GT(orion.size(), 20u);
    EXPECT_EQ(Overlaps(orion), 0);
    // Alpha Centauri A and B, the brighter one named.
    const std::vector<CanvasOp> centaurus = sky.Labels(2199, -608, 300);
    EXPECT_EQ(Overlaps(centaurus), 0);
    EXPECT_TRUE(Has(centaurus, "Rigil Kentaurus"));
    EXPECT_FALSE(Has(centaurus, "Toliman"));

    // With the option off every label is drawn, on top of each other.
    sky.view.KasanariYoke = 0;
    EXPECT_GT(Overlaps(sky.Labels(838, 0, 160)), 10);
    EXPECT_TRUE(Has(sky.Labels(2199, -608, 300), "Toliman"));
}

}  // namespace
}  // namespace render

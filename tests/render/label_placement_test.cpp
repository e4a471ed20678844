#include "render/label_placement.h"

#include <gtest/gtest.h>

#include <tuple>

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

// The data set's Orion and Centaurus in equator mode with Latin star names and Messier or NGC
// names: no two label boxes (6 x 10 pixels a character on the recording canvas) overlap, and
// Alpha Centauri is named once. With the option off they pile up.
TEST(LabelPlacement, OrionAndCentaurusNamesNeverPileUp) {
    persist::DataSet data;
    std::string gscPath;
    persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
    ASSERT_TRUE(persist::LoadDataSet(data, PLANETARIUM_DATASET_DIR, gscPath));
    const astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    state::ViewState view;
    view.fontSets = persist::DefaultFontSets();
    view.SekidouMod = 1;
    view.StarName = 2;
    view.Galaxy = 3;
    view.BrightAuto = 0;
    view.DrawStars = 30;
    const state::AppOptions options;
    // The overlapping pairs among the labels of a view, and whether Rigil Kentaurus and Toliman
    // are named.
    auto frame = [&](double rightAscension, double declination, int zoom) {
        view.Houi2 = rightAscension;
        view.Koudo2 = declination;
        view.Zoom = zoom;
        SkyScene scene;
        InitSkyScene(scene, view, options, data, tables.view());
        scene.viewport = Viewport{640, 400};
        RecordingCanvas canvas;
        RenderSky(canvas, kTargetScreen, scene);
        std::vector<LabelBox> boxes;
        bool rigil = false, toliman = false;
        for (const CanvasOp& op : canvas.OpsOf(Kind::DrawText)) {
            boxes.push_back({op.x, op.y, op.x + static_cast<int>(op.text.size()) * 6, op.y + 10});
            rigil = rigil || op.text == "Rigil Kentaurus";
            toliman = toliman || op.text == "Toliman";
        }
        int overlaps = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                overlaps += boxes[i].overlaps(boxes[j]) ? 1 : 0;
        return std::make_tuple(overlaps, rigil, toliman);
    };
    EXPECT_EQ(std::get<0>(frame(838, 0, 160)), 0);
    EXPECT_EQ(frame(2199, -608, 300), std::make_tuple(0, true, false));
    view.KasanariYoke = 0;
    EXPECT_GT(std::get<0>(frame(838, 0, 160)), 10);
}

}  // namespace
}  // namespace render

// The picture of the Solar System window and the Moon window: which orbits are drawn and how,
// the marks the hit test sees, the hit test itself, and the lit side of the Moon's disc.
#include <gtest/gtest.h>

#include <algorithm>

#include "astro/clock.h"
#include "astro/projection_tables.h"
#include "persist/default_tables.h"
#include "render/moon_disc.h"
#include "render/recording_canvas.h"
#include "render/solar_system_plot.h"

namespace render {
namespace {

struct PlotHarness {
    state::ViewState view;
    state::AppOptions options;
    state::CometTable comets;
    astro::SolarSystemState bodies;
    SkyPalette palette;
    PlotMemory memory;
    RecordingCanvas canvas;

    PlotHarness() {
        view.lineSets = persist::DefaultLineSets();
        view.fontSets = persist::DefaultFontSets();
        view.clock = state::CivilClock{2024, 3, 1, 12, 0};
        palette = CreateSkyPalette(view.lineSets);
        const astro::ProjectionTableStore store = astro::BuildProjectionTables();
        astro::ComputeAllBodies(view, astro::ComputeViewFrame(view, store.view()), bodies);
    }

    std::vector<PlotMark> Draw() {
        canvas.Clear();
        PlotInputs in;
        in.view = &view;
        in.options = &options;
        in.comets = &comets;
        in.bodies = &bodies;
        in.currentMjd = astro::ModifiedJulianDay(2024, 3, 1);
        in.utMinutes = astro::UtMinutesOf(view);
        in.width = 800;
        in.height = 600;
        in.palette = &palette;
        return DrawSolarSystemPlot(canvas, in, memory);
    }
};

TEST(SolarSystemPlot, DrawsTheOrbitsThatTheSwitchesAsk) {
    struct Case {
        int solar, level, outer;
        std::size_t lines;
    } const cases[] = {
        {0, 5, 1, 0},            // no orbits without the body labels switched on
        {3, 2, 0, 8 * 72},       // the Earth and the seven planets, closed
        {3, 3, 0, 8 * 72},       // dwarf planets only with the outer orbits
        {3, 3, 1, 11 * 72},      // Pluto, Eris and Ceres
        {3, 5, 1, 24 * 72 - 1},  // all but the Moon; Sedna's arc stays open
    };
    for (const Case& c : cases) {
        PlotHarness h;
        h.options.PlaShunbun = 0;
        h.view.Solar = c.solar;
        h.view.WakuseiLevel = c.level;
        h.options.PlaWaiwakuKidou = c.outer;
        h.Draw();
        EXPECT_EQ(h.canvas.OpsOf(CanvasOp::Kind::LineTo).size(), c.lines)
            << c.solar << " " << c.level << " " << c.outer;
    }
}

TEST(SolarSystemPlot, PensShadeTheOrbitsByDepthInGreyOrPalette) {
    PlotHarness h;
    h.options.PlaShunbun = 0;
    h.options.PlanetZoom = 256;
    h.options.PlanetK2 = 900;  // edge-on: the far side of the orbits lies behind the Sun
    for (bool trueColour : {true, false}) {
        h.view.TrueColourDisplay = trueColour;
        h.Draw();
        std::vector<uint32_t> seen;
        for (const CanvasOp& op : h.canvas.OpsOf(CanvasOp::Kind::SetPen)) {
            if (op.pen.style != PenStyle::Solid) continue;
            const Colour c = op.pen.colour;
            if (std::find(seen.begin(), seen.end(), c.value) == seen.end()) seen.push_back(c.value);
            if (trueColour) {
                EXPECT_TRUE(c.red() == c.green() && c.red() <= 72 && c.red() >= 24 &&
                            c.red() % 4 == 0);
            } else {
                EXPECT_TRUE(c.isIndex() && c.index() >= 111 && c.index() <= 183 &&
                            (c.index() - 111) % 6 == 0);
            }
        }
        EXPECT_GT(seen.size(), 4u) << "the depth shading";
    }
}

TEST(SolarSystemPlot, MarksTheSunFirstThenTheBodiesAndTheTrace) {
    PlotHarness h;
    h.view.WakuseiLevel = 2;
    std::vector<PlotMark> marks = h.Draw();
    ASSERT_FALSE(marks.empty());
    EXPECT_EQ(marks[0].kind, PlotMarkKind::Sun);
    EXPECT_EQ(marks.size(), 1u + 8u);  // the Earth and Mercury .. Neptune; no Moon

    h.view.AutoRunning = true;
    h.options.AutoType = 1;
    h.options.AutoRepeat = 3;
    h.options.AutoTaishou = {0, 1, 1, 0, 0};  // the planets, not the Sun (the Earth)
    marks = h.Draw();
    const auto traced = std::count_if(marks.begin(), marks.end(), [](const PlotMark& m) {
        return m.kind == PlotMarkKind::BodyTrace;
    });
    EXPECT_EQ(traced, 3 * 7);
}

TEST(HitTestPlot, NearestByManhattanDistanceBelowNine) {
    const PlotMark marks[] = {
        {PlotMarkKind::Sun, 0, 0, {0, 0}},
        {PlotMarkKind::Body, 4, 0, {10, 0}},
        {PlotMarkKind::BodyTrace, 4, 2, {30, 0}},
    };
    struct Case {
        Point p;
        bool trace;
        bool found;
        PlotMarkKind kind;
    } const cases[] = {
        {{1, 1}, false, true, PlotMarkKind::Sun},
        {{5, 0}, false, true, PlotMarkKind::Sun},  // equally near: the earlier wins
        {{6, 0}, false, true, PlotMarkKind::Body},
        {{30, 0}, false, false, PlotMarkKind::Body},  // the trace only for tips
        {{30, 0}, true, true, PlotMarkKind::BodyTrace},
        {{5, 8}, false, false, PlotMarkKind::Sun},  // empty space
    };
    for (const Case& c : cases) {
        const PlotHit hit = HitTestPlot(marks, c.p, c.trace);
        EXPECT_EQ(std::pair(hit.found, hit.found ? hit.kind : c.kind), std::pair(c.found, c.kind))
            << c.p.x << "," << c.p.y;
    }
}

TEST(TraceMarkClock, StepsBackFieldByField) {
    state::AppOptions o;
    o.AutoYear = o.AutoMonth = o.AutoHour = 0;
    o.AutoDay = 1;
    o.AutoMinit = 30;
    const state::CivilClock c = TraceMarkClock({2024, 3, 1, 0, 30}, o, 2);
    EXPECT_EQ(c, (state::CivilClock{2024, 2, 27, 23, 30}));  // through February 29
}

}  // namespace
}  // namespace render

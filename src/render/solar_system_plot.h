// The picture of the Solar System window: black ground, the vernal-equinox direction with its
// scale marks, the orbits shaded by depth, the comet orbits, the marks of the Tracing Mode, the
// Sun, bodies and comets with their glyphs and names. Drawn on the Canvas with the origin at the
// window's centre (the Sun); the marks of what was drawn serve the window's hit test.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "astro/bodies.h"
#include "astro/solar_system_plot.h"
#include "render/canvas.h"
#include "render/glyph_sheet.h"
#include "render/palette.h"
#include "state/comet_record.h"
#include "state/view_state.h"

namespace render {

struct PlotInputs {
    const state::ViewState* view = nullptr;
    const state::AppOptions* options = nullptr;
    const state::CometTable* comets = nullptr;  // null: no comets
    // The body state of the sky's last frame; null before the first frame (no bodies drawn).
    const astro::SolarSystemState* bodies = nullptr;
    int32_t currentMjd = 0;  // the instant of the plot: day and UT minutes
    int32_t utMinutes = 0;
    int width = 0;  // the drawing area, pixels
    int height = 0;
    const SkyPalette* palette = nullptr;
    const GlyphSheet* glyphs = nullptr;  // null: pixel glyphs (displays of 8 bits or fewer)
};

enum class PlotMarkKind { Sun, Body, Comet, BodyTrace, CometTrace };

// Something drawn that the mouse can point at; `at` is in plot pixels (origin at the Sun).
struct PlotMark {
    PlotMarkKind kind = PlotMarkKind::Sun;
    int index = 0;  // body record (0 is the Earth) or comet record
    int mark = 0;   // trace mark number, 1 = one step back
    Point at;
};

// What the window keeps between paints: a comet's orbit for its elements and reach, and the
// orbit in plot coordinates for the settings it was turned with.
struct CometOrbitMemory {
    astro::OrbitElements elements;
    double reachAu = 0.0;
    astro::CometOrbitCurve curve;
    astro::PlotSettings settings;
    std::vector<Point> plotted;
};
struct PlotMemory {
    astro::OrbitCache orbits;
    std::vector<CometOrbitMemory> cometOrbits;  // one per comet record
};

// Draws the whole picture within the inputs' area and returns the marks, Sun first.
std::vector<PlotMark> DrawSolarSystemPlot(Canvas& canvas, const PlotInputs& in, PlotMemory& memory);

// The mark nearest to p by |dx| + |dy| (the Sun first; a later mark wins only when strictly
// nearer), a hit when nearer than 9 pixels. Trace marks take part only when asked.
struct PlotHit {
    bool found = false;
    PlotMarkKind kind = PlotMarkKind::Sun;
    int index = 0;
    int mark = 0;
};
PlotHit HitTestPlot(std::span<const PlotMark> marks, Point p, bool traceMarks);

// The clock of trace mark `mark`: the clock with mark times the automatic mode's step taken
// from each field, normalised.
state::CivilClock TraceMarkClock(const state::CivilClock& clock, const state::AppOptions& o,
                                 int mark);

// Names as the window shows them: the Sun, "Earth" for record 0, other bodies and comets by
// the Japanese (mode 2) or English name.
std::string PlotBodyName(int index, bool japanese);
std::string PlotCometName(const state::CometRecord& comet, bool japanese);

}  // namespace render

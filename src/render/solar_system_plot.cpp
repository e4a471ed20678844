#include "render/solar_system_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "astro/clock.h"
#include "astro/comets.h"
#include "astro/orbit.h"
#include "astro/planets.h"
#include "render/bodies.h"
#include "render/fonts.h"
#include "render/frame_state.h"

namespace render {
namespace {

constexpr int kEquinoxColour = 153;
constexpr int kCometOrbitColour = 147;
constexpr int kLabelColour = kLineSlotPaletteIndex[22];  // line colour slot 23
constexpr int kDepthPenPaletteFirst = 111;
constexpr int kHitDistance = 9;
constexpr int kLabelGap = 3;
constexpr int kEquinoxSteps = 10;
constexpr int kTraceMarkLimit = 120;
// Plot positions beyond this many pixels are parked here: far outside any window.
constexpr double kPixelLimit = 32000.0;

const Colour kEarthColour = Colour::Rgb(90, 150, 255);
const Colour kEarthTraceColour = Colour::Rgb(45, 75, 128);

constexpr BodyGlyph kPlanetGlyphs[] = {BodyGlyph::Mercury, BodyGlyph::Venus,  BodyGlyph::Mars,
                                       BodyGlyph::Jupiter, BodyGlyph::Saturn, BodyGlyph::Uranus,
                                       BodyGlyph::Neptune};

BodyGlyph GlyphOf(int index) {
    if (index >= astro::kMercuryIndex && index < astro::kPlutoIndex)
        return kPlanetGlyphs[index - astro::kMercuryIndex];
    return BodyGlyph::Minor;
}

int PixelOf(double v) {
    if (!(std::fabs(v) <= kPixelLimit)) return static_cast<int>(kPixelLimit);
    return static_cast<int>(std::round(v));
}

Point PixelOf(const astro::PlotPoint& p) {
    return Point{PixelOf(p.x), PixelOf(p.y)};
}

bool IsHalley(const state::CometRecord& comet) {
    return FieldText(comet.NAMEE, sizeof comet.NAMEE) == "Halley" ||
           FieldText(comet.NAMEJ, sizeof comet.NAMEJ) == "ハレー彗星";
}

bool SameElements(const astro::OrbitElements& a, const astro::OrbitElements& b) {
    return a.q == b.q && a.e == b.e && a.peri == b.peri && a.node == b.node &&
           a.inclination == b.inclination;
}

// The scale step of the equinox direction: the first of 1, 2, 5 x 10^n AU at least 40 pixels
// long.
double EquinoxStepAu(int zoom) {
    for (double decade = 0.01;; decade *= 10) {
        for (double step : {1.0, 2.0, 5.0})
            if (step * decade * zoom >= 40) return step * decade;
    }
}

std::string StepText(double au) {
    char text[32];
    std::snprintf(text, sizeof text, "%g AU", au);
    return text;
}

class PlotPainter {
  public:
    PlotPainter(Canvas& canvas, const PlotInputs& in, PlotMemory& memory)
        : canvas_(canvas),
          in_(in),
          view_(*in.view),
          o_(*in.options),
          memory_(memory),
          settings_(astro::PlotSettingsOf(o_)),
          rotation_(astro::PlotRotationOf(settings_)),
          halfWidth_(in.width / 2),
          halfHeight_(in.height / 2),
          t_(in.utMinutes / 1440.0 + in.currentMjd - astro::kJ2000Mjd) {}

    std::vector<PlotMark> Paint() {
        canvas_.SelectPalette(in_.palette);
        canvas_.SetOrigin(halfWidth_, halfHeight_);
        canvas_.FillRect(-halfWidth_, -halfHeight_, in_.width - halfWidth_,
                         in_.height - halfHeight_, Colour::Rgb(0, 0, 0));
        canvas_.SetFont(SlotFont(view_, kFontSolarSystemWindow, kTargetScreen));
        canvas_.SetTextColour(Colour::Index(kLabelColour));
        if (o_.PlaShunbun) EquinoxDirection();
        if (view_.Solar > 0) Orbits();
        if (o_.PlaCometKidou && view_.Comet != 0 && in_.comets) CometOrbits();
        if (view_.AutoRunning && o_.AutoType == 1) TraceMarks();
        Bodies();
        return std::move(marks_);
    }

  private:
    bool Inside(Point p) const {
        return std::abs(p.x) <= halfWidth_ && std::abs(p.y) <= halfHeight_;
    }

    // From the Sun along the turned +x axis, step by step until the line leaves the window.
    void EquinoxDirection() {
        const double step = EquinoxStepAu(settings_.zoom);
        const astro::PlotPoint unit = astro::PlotPosition(rotation_, step, 0, 0);
        const double length = std::hypot(unit.x, unit.y);
        Point from{0, 0};
        for (int k = 1; k <= kEquinoxSteps; ++k) {
            const Point to{PixelOf(unit.x * k), PixelOf(unit.y * k)};
            canvas_.SetPen(Pen{Colour::Index(kEquinoxColour), 0, PenStyle::Dot});
            canvas_.MoveTo(from.x, from.y);
            canvas_.LineTo(to.x, to.y);
            if (length >= 1) {
                // A scale mark across the line.
                const int dx = PixelOf(-unit.y / length * 3), dy = PixelOf(unit.x / length * 3);
                canvas_.SetPen(Pen{Colour::Index(kEquinoxColour), 0, PenStyle::Solid});
                canvas_.MoveTo(to.x - dx, to.y - dy);
                canvas_.LineTo(to.x + dx, to.y + dy);
                if (k == 1) {
                    canvas_.SetTextColour(Colour::Index(kEquinoxColour));
                    Label(to, StepText(step));
                    canvas_.SetTextColour(Colour::Index(kLabelColour));
                }
            }
            if (!Inside(to)) break;
            from = to;
        }
    }

    void SelectDepthPen(int pen, int& selected) {
        if (pen == selected) return;
        selected = pen;
        const Colour colour = view_.TrueColourDisplay
                                  ? Colour::Rgb(72 - 4 * pen, 72 - 4 * pen, 72 - 4 * pen)
                                  : Colour::Index(kDepthPenPaletteFirst + 6 * pen);
        canvas_.SetPen(Pen{colour, 0, PenStyle::Solid});
    }

    // From the last point to the first, each segment with the pen of its depth.
    void DepthPolyline(const std::array<astro::PlotPoint, astro::kOrbitPointCount>& p, bool open) {
        int selected = -1;
        const Point last = PixelOf(p.back());
        canvas_.MoveTo(last.x, last.y);
        for (std::size_t k = p.size() - 1; k-- > 0;) {
            SelectDepthPen(astro::DepthPen(p[k + 1].z, p[k].z), selected);
            const Point q = PixelOf(p[k]);
            canvas_.LineTo(q.x, q.y);
        }
        if (open) return;
        SelectDepthPen(astro::DepthPen(p.front().z, p.back().z), selected);
        canvas_.LineTo(last.x, last.y);
    }

    void Orbits() {
        const auto& table = astro::BodyTable();
        for (int i = 0; i < astro::kBodyCount; ++i) {
            if (i == astro::kMoonIndex) continue;
            const int kind = static_cast<int>(table[static_cast<std::size_t>(i)].kind);
            if (kind >= 3 && !(o_.PlaWaiwakuKidou && kind <= view_.WakuseiLevel)) continue;
            const astro::OrbitTrack& track =
                memory_.orbits.Orbit(i, t_, in_.currentMjd, view_.clock.year, settings_);
            DepthPolyline(track.plotted, track.open);
        }
    }

    void CometOrbits() {
        const double reach = std::hypot(halfWidth_, halfHeight_) * 1.5 / settings_.zoom;
        const int count = std::clamp(in_.comets->count, 0, state::kCometFileLimit);
        memory_.cometOrbits.resize(static_cast<std::size_t>(count));
        canvas_.SetPen(Pen{Colour::Index(kCometOrbitColour), 0, PenStyle::Solid});
        for (int k = 0; k < count; ++k) {
            const state::CometRecord& comet = in_.comets->records[static_cast<std::size_t>(k)];
            if (comet.show != 1) continue;
            if (!(comet.q * 10 <= o_.CometKyori) && !IsHalley(comet)) continue;
            CometOrbitMemory& cached = memory_.cometOrbits[static_cast<std::size_t>(k)];
            const astro::OrbitElements elements = astro::OrbitElementsOf(comet);
            if (!SameElements(cached.elements, elements) || cached.reachAu != reach ||
                cached.curve.points.empty()) {
                cached = {elements, reach, astro::CometOrbitPoints(elements, reach), {}, {}};
            }
            if (cached.plotted.size() != cached.curve.points.size() ||
                cached.settings != settings_) {
                cached.plotted.clear();
                for (const astro::PlotPoint& p : cached.curve.points)
                    cached.plotted.push_back(
                        PixelOf(astro::PlotPosition(rotation_, p.x, p.y, p.z)));
                cached.settings = settings_;
            }
            const auto& points = cached.plotted;
            if (points.empty()) continue;
            canvas_.MoveTo(points.front().x, points.front().y);
            for (std::size_t n = 1; n < points.size(); ++n)
                canvas_.LineTo(points[n].x, points[n].y);
            if (!cached.curve.open) canvas_.LineTo(points.front().x, points.front().y);
        }
    }

    // The Earth's orbit stands for the Sun's apparent motion: it is traced with the Sun.
    void TraceMarks() {
        const int count = std::clamp(o_.AutoRepeat, 0, kTraceMarkLimit);
        const int zone = view_.clock.hour * 60 + view_.clock.minute - astro::UtMinutesOf(view_);
        for (int k = count; k >= 1; --k) {
            const state::CivilClock c = TraceMarkClock(view_.clock, o_, k);
            const double mjd = astro::ModifiedJulianDay(c.year, c.month, c.day) +
                               (c.hour * 60 + c.minute - zone) / 1440.0;
            astro::MeanArguments memory;
            for (int i = 0; i < astro::kBodyCount; ++i) {
                if (i == astro::kMoonIndex || !astro::BodyShownAtLevel(i, view_.WakuseiLevel))
                    continue;
                if (!o_.AutoTaishou[i == astro::kSunIndex ? 0 : 2]) continue;
                const astro::BodyPosition b =
                    astro::ComputeBodyPosition(i, mjd - astro::kJ2000Mjd, c.year, memory);
                DrawBody(PlotMarkKind::BodyTrace, i, k, b.x, b.y, b.z);
            }
            if (!o_.AutoTaishou[3] || view_.Comet == 0 || !in_.comets) continue;
            ForEachPlottedComet([&](int n, const state::CometRecord& comet) {
                const astro::OrbitPoint p = astro::SolveOrbit(mjd, comet);
                DrawComet(PlotMarkKind::CometTrace, n, k, p);
            });
        }
    }

    // The comets of the plot: those with the show flag that the sky shows at the instant (by
    // the magnitude and distance limits), and always Halley's. A comet list holds many comets
    // of past centuries; all of them at once would bury the planets under their names.
    const std::vector<int>& PlottedComets() {
        if (plottedComets_) return *plottedComets_;
        plottedComets_.emplace();
        if (!in_.comets || !in_.bodies) return *plottedComets_;
        const double mjd = in_.currentMjd + in_.utMinutes / 1440.0;
        const int count = std::clamp(in_.comets->count, 0, state::kCometFileLimit);
        for (int n = 0; n < count; ++n) {
            const state::CometRecord& comet = in_.comets->records[static_cast<std::size_t>(n)];
            if (comet.show != 1) continue;
            const astro::CometPosition p = astro::ComputeCometPosition(comet, mjd, *in_.bodies);
            const double m = astro::CometMagnitude(comet, p.r, p.delta);
            if (IsHalley(comet) ||
                (p.finite && !astro::CometHidden(m, p.r, p.delta, o_.CometBright, o_.CometKyori)))
                plottedComets_->push_back(n);
        }
        return *plottedComets_;
    }

    template <class F>
    void ForEachPlottedComet(F&& f) {
        for (int n : PlottedComets())
            f(n, in_.comets->records[static_cast<std::size_t>(n)]);
    }

    void Bodies() {
        marks_.insert(marks_.begin(), PlotMark{PlotMarkKind::Sun, astro::kSunIndex, 0, {0, 0}});
        DrawBodyGlyph(canvas_, 0, 0, BodyGlyph::Sun, in_.glyphs, false);
        if (view_.Solar >= 2) Label({0, 0}, SunName());
        if (in_.bodies) {
            for (int i = 0; i < astro::kBodyCount; ++i) {
                if (i == astro::kMoonIndex || !astro::BodyShownAtLevel(i, view_.WakuseiLevel))
                    continue;
                const astro::BodyState& b = in_.bodies->bodies[static_cast<std::size_t>(i)];
                const Point p = DrawBody(PlotMarkKind::Body, i, 0, b.helioX, b.helioY, b.helioZ);
                if (view_.Solar >= 2) Label(p, PlotBodyName(i, view_.Solar == 2));
            }
        }
        if (view_.Comet == 0 || !in_.comets) return;
        const double mjd = in_.currentMjd + in_.utMinutes / 1440.0;
        ForEachPlottedComet([&](int n, const state::CometRecord& comet) {
            const Point p = DrawComet(PlotMarkKind::Comet, n, 0, astro::SolveOrbit(mjd, comet));
            if (view_.Comet >= 2) Label(p, PlotCometName(comet, view_.Comet == 2));
        });
    }

    std::string SunName() const {
        const auto& sun = astro::BodyTable()[astro::kSunIndex];
        return view_.Solar == 2 ? sun.japaneseName : sun.englishName;
    }

    Point DrawBody(PlotMarkKind kind, int index, int mark, double x, double y, double z) {
        const Point p = PixelOf(astro::PlotPosition(rotation_, x, y, z));
        const bool trace = kind == PlotMarkKind::BodyTrace;
        if (index == astro::kSunIndex) {
            const Colour c = trace ? kEarthTraceColour : kEarthColour;
            canvas_.SetPen(Pen{c, 0, PenStyle::Null});
            canvas_.SetBrush(Brush{c, false});
            const int r = trace ? 1 : 2;
            canvas_.Ellipse(p.x - r, p.y - r, p.x + r + 1, p.y + r + 1);
        } else {
            DrawBodyGlyph(canvas_, p.x, p.y, GlyphOf(index), in_.glyphs, trace);
        }
        marks_.push_back(PlotMark{kind, index, mark, p});
        return p;
    }

    Point DrawComet(PlotMarkKind kind, int index, int mark, const astro::OrbitPoint& o) {
        const Point p = PixelOf(astro::PlotPosition(rotation_, o.x, o.y, o.z));
        DrawBodyGlyph(canvas_, p.x, p.y, BodyGlyph::Comet, in_.glyphs,
                      kind == PlotMarkKind::CometTrace);
        marks_.push_back(PlotMark{kind, index, mark, p});
        return p;
    }

    // The name beside its point: right of it and above, or left and below where the window's
    // edge leaves no room.
    void Label(Point p, const std::string& text) {
        if (text.empty() || !Inside(p)) return;
        const TextSize size = canvas_.MeasureText(text);
        int x = p.x + kLabelGap;
        if (x + size.width > halfWidth_) x = p.x - kLabelGap - size.width;
        int y = p.y - kLabelGap - size.height;
        if (y < -halfHeight_) y = p.y + kLabelGap;
        canvas_.DrawText(x, y, text);
    }

    Canvas& canvas_;
    const PlotInputs& in_;
    const state::ViewState& view_;
    const state::AppOptions& o_;
    PlotMemory& memory_;
    const astro::PlotSettings settings_;
    const astro::PlotRotation rotation_;
    const int halfWidth_;
    const int halfHeight_;
    const double t_;  // days from J2000.0
    std::vector<PlotMark> marks_;
    std::optional<std::vector<int>> plottedComets_;
};

}  // namespace

std::vector<PlotMark> DrawSolarSystemPlot(Canvas& canvas, const PlotInputs& in,
                                          PlotMemory& memory) {
    if (!in.view || !in.options || in.width <= 0 || in.height <= 0) return {};
    return PlotPainter(canvas, in, memory).Paint();
}

PlotHit HitTestPlot(std::span<const PlotMark> marks, Point p, bool traceMarks) {
    PlotHit best;
    int bestDistance = 0;
    bool first = true;
    for (const PlotMark& m : marks) {
        const bool trace = m.kind == PlotMarkKind::BodyTrace || m.kind == PlotMarkKind::CometTrace;
        if (trace && !traceMarks) continue;
        const int distance = std::abs(m.at.x - p.x) + std::abs(m.at.y - p.y);
        if (first || distance < bestDistance) {
            best = PlotHit{false, m.kind, m.index, m.mark};
            bestDistance = distance;
            first = false;
        }
    }
    best.found = !first && bestDistance < kHitDistance;
    return best;
}

state::CivilClock TraceMarkClock(const state::CivilClock& c, const state::AppOptions& o, int mark) {
    state::CivilClock k{c.year - mark * o.AutoYear, c.month - mark * o.AutoMonth,
                        c.day - mark * o.AutoDay, c.hour - mark * o.AutoHour,
                        c.minute - mark * o.AutoMinit};
    astro::NormalizeClock(k);
    return k;
}

std::string PlotBodyName(int index, bool japanese) {
    if (index == astro::kSunIndex) return japanese ? "地球" : "Earth";
    const auto& body =
        astro::BodyTable()[static_cast<std::size_t>(std::clamp(index, 0, astro::kBodyCount - 1))];
    return japanese ? body.japaneseName : body.englishName;
}

std::string PlotCometName(const state::CometRecord& comet, bool japanese) {
    const std::string_view j = FieldText(comet.NAMEJ, sizeof comet.NAMEJ);
    const std::string_view e = FieldText(comet.NAMEE, sizeof comet.NAMEE);
    return std::string(japanese && !j.empty() ? j : e.empty() ? j : e);
}

}  // namespace render

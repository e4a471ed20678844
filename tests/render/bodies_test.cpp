#include "render/bodies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <set>

#include "astro/centring.h"
#include "astro/moon_phase.h"
#include "astro/projection.h"
#include "layer_fixture.h"
#include "render/render_sky.h"

namespace render {
namespace {

using Kind = CanvasOp::Kind;
constexpr double kPi = std::numbers::pi;
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// A scene with no body in view until a test places one; the view looks where a test asks.
struct BodyHarness {
    state::ViewState view;
    state::AppOptions options;
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    state::CometTable comets;
    SkyScene scene;
    RecordingCanvas canvas;

    BodyHarness() {
        view.Horizon = 0;
        view.SmoothIdou = 0;
        view.Zoom = 2000;
        view.DrawStarMode3 = 0;  // pixel glyphs unless a test asks for the bitmaps
        scene.view = &view;
        scene.options = &options;
        scene.comets = &comets;
        scene.tables = store.view();
        scene.palette = CreateSkyPalette(view.lineSets);
        scene.frame.viewport = Viewport{3000, 3000};
        Reframe();
        for (astro::BodyState& b : scene.bodies.bodies) {
            b.depth = -1;
            b.geoDistance = 10;
        }
        scene.bodies.sunMercurySeparation = 1;  // no transit unless a test sets one up
        scene.bodies.sunVenusSeparation = 1;
    }
    void Reframe() { scene.viewFrame = astro::ComputeViewFrame(view, scene.tables); }
    // Turns the view onto a geocentric ecliptic direction of date (radians).
    void LookAt(double lon, double lat) {
        astro::CentringContext context{view, scene.tables, nullptr, nullptr};
        astro::CenterOnPosition(context, lon * astro::kBinPerRadian, lat * astro::kBinPerRadian,
                                false, false);
        Reframe();
    }
    astro::BodyState& Place(int index, double x, double y, double distance) {
        astro::BodyState& b = scene.bodies.bodies[static_cast<std::size_t>(index)];
        b.screenX = x;
        b.screenY = y;
        b.depth = 16000;
        b.geoDistance = distance;
        return b;
    }
    // Draws on a cleared canvas.
    void Draw(int target = kTargetScreen, bool trace = false,
              void (*draw)(LayerContext&, bool) = DrawBodies) {
        canvas.Clear();
        LayerContext layer{canvas, scene, target};
        draw(layer, trace);
    }
    void DrawCometLayer(bool trace = false) { Draw(kTargetScreen, trace, DrawComets); }
    std::vector<CanvasOp> Ops(Kind kind) const { return canvas.OpsOf(kind); }
    std::vector<std::string> Texts() const { return testing::TextsOf(canvas); }
    // The pattern ops whose anchor is (x, y).
    std::vector<CanvasOp> PatternsAt(int x, int y) const {
        std::vector<CanvasOp> out;
        for (const CanvasOp& op : canvas.OpsOf(Kind::PlotPattern))
            if (op.x == x && op.y == y) out.push_back(op);
        return out;
    }
    std::size_t IndexOf(Kind kind, std::size_t from = 0) const {
        for (std::size_t i = from; i < canvas.ops.size(); ++i)
            if (canvas.ops[i].kind == kind) return i;
        return canvas.ops.size();
    }
};

std::vector<Point> ToPoints(const std::vector<astro::PixelPoint>& in) {
    std::vector<Point> out;
    for (const auto& p : in)
        out.push_back(Point{p.x, p.y});
    return out;
}

TEST(BodyGlyphs, PixelShapesNeverPaintAPixelTwiceAndTracesAreShifted) {
    // Jupiter's three bands and the other discs never paint a pixel twice; Saturn's and Uranus's
    // rings are drawn over their discs.
    for (int g = 0; g <= static_cast<int>(BodyGlyph::VenusTransit); ++g) {
        const auto glyph = static_cast<BodyGlyph>(g);
        std::set<std::pair<int, int>> seen;
        for (const GlyphPart& part : PixelGlyphParts(glyph)) {
            if (glyph == BodyGlyph::Saturn || glyph == BodyGlyph::Uranus) seen.clear();
            ASSERT_FALSE(part.offsets.empty());
            for (const PatternOffset o : part.offsets)
                EXPECT_TRUE(seen.insert({o.dx, o.dy}).second)
                    << g << " " << int{o.dx} << "," << int{o.dy};
        }
    }
    // The trace pass shifts the palette by thirty; the Sun has its own trace colour.
    RecordingCanvas canvas;
    DrawBodyGlyph(canvas, 5, 6, BodyGlyph::Mars, nullptr, false);
    DrawBodyGlyph(canvas, 5, 6, BodyGlyph::Mars, nullptr, true);
    DrawBodyGlyph(canvas, 0, 0, BodyGlyph::Sun, nullptr, true);
    const auto ops = canvas.OpsOf(Kind::PlotPattern);
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[1].colour.index(), ops[0].colour.index() + 30);
    EXPECT_EQ(ops[2].colour, Colour::Index(50));
}

TEST(BodyGlyphs, SheetCellsForBrightPlanetsPointsForTheFaint) {
    const GlyphSheet sheet = BuildGlyphSheet();
    ASSERT_TRUE(sheet.loaded());
    RecordingCanvas canvas;
    DrawBodyGlyph(canvas, 100, 50, BodyGlyph::Jupiter, &sheet, false);
    DrawBodyGlyph(canvas, 10, 10, BodyGlyph::Neptune, &sheet, false);
    DrawBodyGlyph(canvas, 10, 10, BodyGlyph::MercuryTransit, &sheet, false);
    const auto cells = canvas.OpsOf(Kind::DrawImageCell);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(std::pair(cells[0].x, cells[0].y), std::pair(92, 44));
    const ImageCell normal = sheet.Cell(GlyphCell::Jupiter, 0);
    const ImageCell dim = sheet.Cell(GlyphCell::Jupiter, 1);
    // The body's pixel of the cell is opaque, the dim variant darker; a corner is masked.
    const uint32_t a = normal.pixels[6 * normal.stride + 8], b = dim.pixels[6 * dim.stride + 8];
    EXPECT_EQ(a >> 24, 0xFFu);
    EXPECT_LT(b & 0xFF, a & 0xFF);
    EXPECT_EQ(normal.pixels[0] >> 24, 0u);
    const auto points = canvas.OpsOf(Kind::PlotPattern);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points.back().colour, Colour::Rgb(0, 0, 0));
    EXPECT_TRUE(GlyphSheet{}.Cell(GlyphCell::Venus, 0).pixels == nullptr);
}

TEST(BodyOrder, FarthestFirstThenSunThenMoon) {
    astro::SolarSystemState s;
    for (auto& b : s.bodies)
        b.geoDistance = 5;
    auto order = BodyPaintOrder(s);
    EXPECT_EQ(std::pair(order[0], order[22]), std::pair(24, 2));  // equal: higher index first
    for (int k = 0; k < astro::kBodyCount; ++k)
        s.bodies[static_cast<std::size_t>(k)].geoDistance = 100 + k;  // 24 farthest
    s.bodies[5].geoDistance = 4.2;
    s.bodies[4].geoDistance = 0.6;
    s.bodies[3].geoDistance = 0.3;
    s.bodies[7].geoDistance = kNan;
    order = BodyPaintOrder(s);
    EXPECT_EQ(order[0], 24);
    EXPECT_EQ(std::vector<int>(order.end() - 5, order.end()),
              (std::vector<int>{5, 4, 3, astro::kSunIndex, astro::kMoonIndex}));
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(),
              static_cast<std::size_t>(astro::kBodyCount));  // NaN lost nothing
}

TEST(Bodies, PlanetsFarToNearAndTheMoonCoversTheSun) {
    BodyHarness h;
    h.view.Solar = 1;
    h.Place(6, 300, 0, 9.5);  // Saturn
    h.Place(5, 200, 0, 4.5);  // Jupiter
    h.Place(4, 100, 0, 1.2);  // Mars
    h.Place(astro::kSunIndex, 0, 0, 0.983);
    h.Place(astro::kMoonIndex, 0, 0, 57);
    h.scene.bodies.sunRadius = 0.00471;
    h.scene.bodies.moonRadius = 0.00490;  // a total eclipse
    h.Draw();
    const auto patterns = h.Ops(Kind::PlotPattern);
    ASSERT_GE(patterns.size(), 3u);
    EXPECT_EQ(std::pair(patterns.front().x, patterns.back().x), std::pair(300, 100));
    const std::size_t sun = h.IndexOf(Kind::Ellipse), moon = h.IndexOf(Kind::Polygon);
    ASSERT_LT(sun, moon);
    ASSERT_LT(moon, h.canvas.ops.size());
    EXPECT_EQ(h.canvas.ops[sun - 1].brush.colour, Colour::Index(69));
    const CanvasOp& sunOp = h.canvas.ops[sun];
    EXPECT_GT(sunOp.right - sunOp.x, 100);  // the Sun is a real disc at this zoom
    const auto [left, right] = std::ranges::minmax(h.canvas.ops[moon].points, {}, &Point::x);
    const auto [top, bottom] = std::ranges::minmax(h.canvas.ops[moon].points, {}, &Point::y);
    EXPECT_TRUE(left.x <= sunOp.x + 1 && right.x >= sunOp.right - 2 && top.y <= sunOp.y + 1 &&
                bottom.y >= sunOp.bottom - 2);
}

TEST(Bodies, DiscsHaveTheirLeastSizesOnScreenAndPaper) {
    BodyHarness h;
    h.view.Zoom = 80;
    h.Reframe();
    h.Place(astro::kSunIndex, 0, 0, 1);
    h.scene.bodies.sunRadius = 0.00465;
    for (const auto& [target, diameter] :
         {std::pair{kTargetScreen, 13}, {kTargetMonochromePrint, 40}}) {
        h.Draw(target);
        const auto e = h.Ops(Kind::Ellipse);
        ASSERT_EQ(e.size(), 1u);
        EXPECT_EQ(e[0].right - e[0].x, diameter);
    }
    EXPECT_EQ(DiscDiameter(h.scene.viewFrame, kNan, 13), 13);
    // Printed planets are circles of fixed size.
    h.scene.bodies.bodies[astro::kSunIndex].depth = -1;
    h.Place(5, 0, 0, 5);
    h.Place(20, 100, 0, 3);  // Ceres, a dwarf planet
    h.Draw(kTargetColourPrint);
    const auto e = h.Ops(Kind::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].right - e[0].x, 28);
    EXPECT_EQ(std::pair(e[1].x, e[1].right), std::pair(94, 107));
    EXPECT_TRUE(h.Ops(Kind::PlotPattern).empty());
}

TEST(Bodies, MercuryInTransitIsBlackAndInFrontOfTheSun) {
    BodyHarness h;
    h.view.Solar = 1;
    h.scene.frame.bodyVisibleMedium = false;  // broad daylight
    h.Place(astro::kSunIndex, 0, 0, 0.985);
    h.Place(astro::kMercuryIndex, 20, -3, 0.62);
    h.scene.bodies.sunRadius = 0.00472;
    h.scene.bodies.mercuryRadius = 0.0000242;
    h.scene.bodies.sunMercurySeparation = 0.1 * kPi / 180;
    h.Draw();
    const auto mercury = h.PatternsAt(20, -3);
    ASSERT_EQ(mercury.size(), 1u);
    EXPECT_EQ(mercury[0].colour, Colour::Rgb(0, 0, 0));
    EXPECT_EQ(mercury[0].offsets.size(), 12u);
    EXPECT_LT(h.IndexOf(Kind::Ellipse), h.IndexOf(Kind::PlotPattern));
    // Named in transit even though the mode shows symbols only.
    EXPECT_EQ(h.Texts(), std::vector<std::string>{"Mercury"});
    // Beyond the Sun (superior conjunction) it is not in transit: hidden by daylight.
    h.scene.bodies.bodies[astro::kMercuryIndex].geoDistance = 1.4;
    h.Draw();
    EXPECT_TRUE(h.PatternsAt(20, -3).empty());
}

TEST(Moon, PhaseDiscLitTowardsTheSunWithTheOutlineOfItsMode) {
    BodyHarness h;
    h.Place(astro::kMoonIndex, -40, 30, 60);
    h.scene.bodies.moonRadius = 0.0045;
    const int d = DiscDiameter(h.scene.viewFrame, 0.0045, 13);
    EXPECT_GT(d, 100);
    // A new moon is only the dark disc.
    h.Draw();
    auto polygons = h.Ops(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    const double tilt = MoonPhaseAxis(h.scene);
    EXPECT_EQ(polygons[0].points, ToPoints(astro::MoonPhasePolygons({-40, 30}, d, 0.0, tilt).disc));
    // Waxing, the lit half faces the Sun, west of the Moon: against the ecliptic's eastward
    // direction on the screen; waning, the other half.
    const double east = astro::MoonTilt(h.scene.viewFrame, h.scene.bodies);
    for (double elongation : {kPi / 2, -kPi / 2}) {
        h.scene.bodies.MoonElongation = elongation;
        h.Draw();
        polygons = h.Ops(Kind::Polygon);
        ASSERT_EQ(polygons.size(), 2u);
        EXPECT_EQ(polygons[1].points,
                  ToPoints(astro::MoonPhasePolygons({-40, 30}, d, elongation, tilt).lit));
        double eastward = 0;
        for (const Point p : polygons[1].points)
            eastward += (p.x + 40) * std::cos(east) + (p.y - 30) * std::sin(east);
        EXPECT_LT(eastward * elongation, 0) << elongation;
    }
    // Outline mode two draws only the hollow disc.
    h.view.MoonWaku = 2;
    h.Draw();
    ASSERT_EQ(h.Ops(Kind::Polygon).size(), 1u);
    EXPECT_TRUE(h.Ops(Kind::SetBrush).back().brush.hollow);
}

// A full Moon exactly opposite the Sun, at the centre of the view.
void SetUpLunarEclipse(BodyHarness& h) {
    h.view.Solar = 1;
    h.LookAt(kPi, 0.0);
    astro::SolarSystemState& s = h.scene.bodies;
    astro::BodyState& sun = s.bodies[astro::kSunIndex];
    sun.geoLongitude = sun.geoLatitude = 0;
    sun.geoDistance = 1.0;
    sun.depth = -5000;  // behind the view
    astro::BodyState& moon = s.bodies[astro::kMoonIndex];
    moon.geoLongitude = moon.helioLongitude = kPi;
    moon.geoLatitude = moon.helioLatitude = 0.002;
    moon.geoDistance = 60;
    const astro::PreciseScreenPoint p = astro::ProjectEclipticPrecise(
        h.scene.viewFrame, kPi * astro::kBinPerRadian, 0.002 * astro::kBinPerRadian);
    moon.screenX = p.x;
    moon.screenY = p.y;
    moon.depth = p.depth;
    s.moonRadius = std::atan(0.2725 / 60);
    s.MoonElongation = kPi;
}

TEST(Moon, LunarEclipseShadowIsClippedToTheDiscOnScreenOnly) {
    BodyHarness h;
    SetUpLunarEclipse(h);
    h.Draw();
    const auto polygons = h.Ops(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);  // disc, lit part, outline again
    const std::size_t clip = h.IndexOf(Kind::SetClipPolygon);
    const std::size_t penumbra = h.IndexOf(Kind::Ellipse, clip);
    const std::size_t umbra = h.IndexOf(Kind::Ellipse, penumbra + 1);
    const std::size_t clear = h.IndexOf(Kind::ClearClip, clip);
    ASSERT_TRUE(clip < penumbra && penumbra < umbra && umbra < clear &&
                clear < h.canvas.ops.size());
    EXPECT_EQ(h.canvas.ops[clip].points, polygons[0].points);
    EXPECT_EQ(h.canvas.ops[penumbra - 1].brush.colour, Colour::Index(76));
    EXPECT_EQ(h.canvas.ops[umbra - 1].brush.colour, Colour::Rgb(0x60, 0x24, 0x14));  // copper
    // The umbra is wider than the Moon (about 2.7 times) and smaller than the penumbra.
    const CanvasOp& pe = h.canvas.ops[penumbra];
    const CanvasOp& um = h.canvas.ops[umbra];
    EXPECT_GT(um.right - um.x, 2 * DiscDiameter(h.scene.viewFrame, h.scene.bodies.moonRadius, 13));
    EXPECT_GT(pe.right - pe.x, um.right - um.x);
    // After the clip the disc outline is drawn once more, hollow.
    EXPECT_EQ(polygons[2].points, polygons[0].points);
    EXPECT_TRUE(h.Ops(Kind::SetBrush).back().brush.hollow);
    EXPECT_EQ(h.IndexOf(Kind::Polygon, clear), h.canvas.ops.size() - 1);
    // No shadow on paper, nor away from the node.
    h.Draw(kTargetMonochromePrint);
    EXPECT_TRUE(h.Ops(Kind::SetClipPolygon).empty());
    h.scene.bodies.bodies[astro::kMoonIndex].geoLatitude = 0.1;
    h.scene.bodies.bodies[astro::kMoonIndex].helioLatitude = 0.1;
    h.Draw();
    EXPECT_TRUE(h.Ops(Kind::SetClipPolygon).empty());
}

TEST(Bodies, LevelsLabelsAndTracePasses) {
    BodyHarness h;
    // WakuseiLevel 2 hides the dwarf planets, 3 the other minor bodies.
    h.Place(astro::kPlutoIndex, 10, 10, 33);
    h.Place(20, 30, 30, 2);  // Ceres
    h.Place(23, 50, 50, 2);  // Vesta, kind 4
    for (const auto& [level, shown] : {std::pair{2, 0u}, {3, 2u}, {5, 3u}}) {
        h.view.WakuseiLevel = level;
        h.Draw();
        EXPECT_EQ(h.Ops(Kind::PlotPattern).size(), shown) << level;
    }
    // Labels follow the solar mode: right of the glyph (half of 6 plus 3 pixels), centred on
    // the body's row.
    BodyHarness v;
    v.Place(astro::kVenusIndex, 100, 40, 0.5);
    using Names = std::vector<std::string>;
    for (const auto& [solar, names] :
         {std::pair{1, Names{}}, {2, Names{"金星"}}, {3, Names{"Venus"}}}) {
        v.view.Solar = solar;
        v.Draw();
        EXPECT_EQ(v.Texts(), names);
    }
    const CanvasOp venus = v.Ops(Kind::DrawText).at(0);
    EXPECT_EQ(std::pair(venus.x, venus.y), std::pair(106, 40 - 5));
    // The trace pass draws only the chosen kinds, shifted.
    v.Place(astro::kSunIndex, 0, 0, 1);
    v.Place(4, 100, 0, 1.5);
    v.options.AutoTaishou = {0, 1, 1, 1, 0};
    v.Draw(kTargetScreen, true);
    EXPECT_TRUE(v.Ops(Kind::Ellipse).empty());  // no Sun
    EXPECT_EQ(v.PatternsAt(100, 0).at(0).colour, Colour::Index(101));
    v.options.AutoTaishou = {1, 1, 0, 1, 0};
    v.Draw(kTargetScreen, true);
    EXPECT_TRUE(v.PatternsAt(100, 0).empty());
    ASSERT_EQ(v.Ops(Kind::Ellipse).size(), 1u);
    EXPECT_EQ(v.Ops(Kind::SetBrush).back().brush.colour, Colour::Index(99));
    // In an eclipse the Moon's label moves below the Sun's; apart, each keeps its own row.
    BodyHarness e;
    e.view.Solar = 3;
    e.Place(astro::kSunIndex, 0, 0, 0.98);
    for (const auto& [moonY, labelY] : {std::pair{0, -5 + 10}, {200, 200 - 5}}) {
        e.Place(astro::kMoonIndex, 1, moonY, 57);
        e.Draw();
        ASSERT_EQ(e.Texts(), (std::vector<std::string>{"Sun", "Moon"}));
        EXPECT_EQ(e.Ops(Kind::DrawText)[1].y, labelY);
    }
}

TEST(Bodies, BitmapGlyphsOnlyInTheirStarStyles) {
    BodyHarness h;
    const GlyphSheet sheet = BuildGlyphSheet();
    h.scene.glyphSheet = &sheet;
    h.Place(5, 0, 0, 5);
    for (const auto& [style, trueColour, cells] :
         {std::tuple{5, true, 1u}, {2, true, 0u}, {1, false, 0u}}) {
        h.view.DrawStarMode3 = style;
        h.view.TrueColourDisplay = trueColour;
        h.Draw();
        EXPECT_EQ(h.Ops(Kind::DrawImageCell).size(), cells) << style;
    }
}

TEST(Bodies, BadPositionsDrawNothing) {
    BodyHarness h;
    h.Place(5, kNan, 0, 5);
    h.Place(6, 0, 0, 9).depth = kNan;
    h.Place(4, 1e300, -1e300, 1);
    h.Place(7, 0, 0, 19).depth = -12000;  // far behind the view
    h.Place(8, 10, 10, 30).depth = astro::kBelowHorizonFlag;
    h.scene.viewFrame.HorizonShown = 1;
    astro::BodyState& moon = h.Place(astro::kMoonIndex, 5, 5, kNan);
    moon.geoLongitude = kNan;
    h.scene.bodies.moonRadius = kNan;
    h.scene.bodies.MoonElongation = kNan;
    h.Draw();
    EXPECT_TRUE(h.Ops(Kind::PlotPattern).empty());
    // The Moon is still drawn at its pixel with the smallest disc, whatever its other values.
    for (const CanvasOp& op : h.Ops(Kind::Polygon))
        for (const Point p : op.points)
            EXPECT_LE(std::abs(p.x - 5) + std::abs(p.y - 5), 14);
    EXPECT_TRUE(h.Ops(Kind::SetClipPolygon).empty());
}

// A scene looking straight at a comet, with its absolute magnitude chosen so that it shines at
// `magnitude`.
void SetUpComet(BodyHarness& h, double magnitude) {
    h.view.clock = {2000, 1, 1, 0, 0};
    h.Reframe();
    astro::ComputeAllBodies(h.view, h.scene.viewFrame, h.scene.bodies);
    state::CometRecord& c = h.comets.records[0];
    std::strcpy(c.NAMEE, "Test");
    std::strcpy(c.NAMEJ, "テスト彗星");
    c.TY = 2000, c.TM = 1, c.TD = 10.5;
    c.q = 0.8, c.e = 0.97, c.Peri = 120, c.Node = 40, c.i = 30;
    c.show = c.initialised = 1;
    h.comets.count = 1;
    const astro::CometPosition p =
        astro::ComputeCometPosition(c, astro::FrameMjd(h.scene.viewFrame), h.scene.bodies);
    c.H1 = static_cast<float>(magnitude - 5 * std::log10(p.delta));
    h.LookAt(p.longitude, p.latitude);
    astro::ComputeAllBodies(h.view, h.scene.viewFrame, h.scene.bodies);
}

TEST(Comets, DrawnOnlyWhenBrightEnough) {
    BodyHarness h;
    SetUpComet(h, 6.05);
    h.options.CometBright = 60;
    h.DrawCometLayer();
    ASSERT_EQ(h.scene.cometStates.size(), 1u);
    EXPECT_NEAR(h.scene.cometStates[0].magnitude, 6.05, 1e-5);
    EXPECT_TRUE(h.scene.cometStates[0].hidden);
    EXPECT_TRUE(h.Ops(Kind::PlotPattern).empty());
    h.options.CometBright = 61;
    h.DrawCometLayer();
    EXPECT_FALSE(h.scene.cometStates[0].hidden);
    const auto glyph = h.Ops(Kind::PlotPattern);
    ASSERT_EQ(glyph.size(), 1u);
    EXPECT_LE(std::abs(glyph[0].x) + std::abs(glyph[0].y), 2);  // at the centre of the view
}

TEST(Comets, LabelsFollowTheModeAndBrokenTablesAreSafe) {
    BodyHarness h;
    SetUpComet(h, 3.0);
    for (const auto& [mode, name] : {std::pair{3, "Test"}, {2, "テスト彗星"}}) {
        h.view.Comet = mode;
        h.DrawCometLayer();
        EXPECT_EQ(h.Texts(), std::vector<std::string>{name});
    }
    h.view.Comet = 1;
    h.DrawCometLayer(true);
    EXPECT_TRUE(h.Texts().empty());
    EXPECT_EQ(h.Ops(Kind::PlotPattern).back().colour, Colour::Index(99));
    h.scene.frame.cometVisible = false;
    h.DrawCometLayer();
    EXPECT_TRUE(h.canvas.ops.empty());
    EXPECT_FALSE(h.scene.cometStates[0].hidden);  // still computed for tracking
    // Empty, oversized and broken tables are safe.
    h.scene.frame.cometVisible = true;
    for (int count : {0, -4}) {
        h.comets.count = count;
        h.DrawCometLayer();
        EXPECT_TRUE(h.scene.cometStates.empty());
    }
    h.comets.count = 5000;  // beyond the table: only its 200 records are read
    h.DrawCometLayer();
    EXPECT_EQ(h.scene.cometStates.size(), static_cast<std::size_t>(state::kCometFileLimit));
    h.comets.count = 2;
    h.comets.records[1] = h.comets.records[0];
    h.comets.records[1].q = kNan;
    std::memset(h.comets.records[1].NAMEE, 'x', sizeof h.comets.records[1].NAMEE);  // no end
    h.view.Comet = 3;
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates[1].hidden);
    EXPECT_EQ(h.Ops(Kind::PlotPattern).size(), 1u);
    h.scene.comets = nullptr;
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates.empty());
}

}  // namespace
}  // namespace render

#include "render/bodies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <set>

#include "astro/centring.h"
#include "astro/moon_phase.h"
#include "astro/projection.h"
#include "render/recording_canvas.h"
#include "render/render_sky.h"

namespace render {
namespace {

using Kind = CanvasOp::Kind;
constexpr double kPi = std::numbers::pi;

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
    void Draw(int target = kTargetScreen, bool trace = false) {
        LayerContext layer{canvas, scene, target};
        DrawBodies(layer, trace);
    }
    void DrawCometLayer(bool trace = false) {
        LayerContext layer{canvas, scene, kTargetScreen};
        DrawComets(layer, trace);
    }
};

// The pattern ops whose anchor is (x, y).
std::vector<CanvasOp> PatternsAt(const RecordingCanvas& canvas, int x, int y) {
    std::vector<CanvasOp> out;
    for (const CanvasOp& op : canvas.OpsOf(Kind::PlotPattern))
        if (op.x == x && op.y == y) out.push_back(op);
    return out;
}

std::size_t IndexOf(const RecordingCanvas& canvas, Kind kind, std::size_t from = 0) {
    for (std::size_t i = from; i < canvas.ops.size(); ++i)
        if (canvas.ops[i].kind == kind) return i;
    return canvas.ops.size();
}

double Area(const std::vector<Point>& points) {
    double twice = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i], b = points[(i + 1) % points.size()];
        twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return std::fabs(twice) / 2;
}

std::vector<Point> ToPoints(const std::vector<astro::PixelPoint>& in) {
    std::vector<Point> out;
    for (const auto& p : in)
        out.push_back(Point{p.x, p.y});
    return out;
}

// --- Glyphs --------------------------------------------------------------------------------

TEST(BodyGlyphs, PixelShapesHaveTheirSizesAndNoDoubledPixels) {
    struct Expect {
        BodyGlyph glyph;
        std::vector<std::size_t> counts;
    };
    const Expect table[] = {{BodyGlyph::Sun, {24}},
                            {BodyGlyph::Mercury, {12}},
                            {BodyGlyph::Venus, {24}},
                            {BodyGlyph::Mars, {21}},
                            {BodyGlyph::Jupiter, {18, 17, 2}},
                            {BodyGlyph::Saturn, {19, 10}},
                            {BodyGlyph::Uranus, {12, 8}},
                            {BodyGlyph::Neptune, {12}},
                            {BodyGlyph::Minor, {5}},
                            {BodyGlyph::Comet, {20}}};
    for (const Expect& e : table) {
        const auto parts = PixelGlyphParts(e.glyph);
        ASSERT_EQ(parts.size(), e.counts.size());
        std::set<std::pair<int, int>> seen;
        for (std::size_t k = 0; k < parts.size(); ++k) {
            EXPECT_EQ(parts[k].offsets.size(), e.counts[k]) << static_cast<int>(e.glyph);
            // Jupiter's three bands and the other discs never paint a pixel twice.
            if (e.glyph == BodyGlyph::Saturn || e.glyph == BodyGlyph::Uranus) seen.clear();
            for (const PatternOffset o : parts[k].offsets)
                EXPECT_TRUE(seen.insert({o.dx, o.dy}).second)
                    << static_cast<int>(e.glyph) << " " << int{o.dx} << "," << int{o.dy};
        }
    }
}

TEST(BodyGlyphs, TracePassShiftsThePaletteByThirty) {
    RecordingCanvas canvas;
    DrawBodyGlyph(canvas, 5, 6, BodyGlyph::Mars, nullptr, false);
    DrawBodyGlyph(canvas, 5, 6, BodyGlyph::Mars, nullptr, true);
    DrawBodyGlyph(canvas, 0, 0, BodyGlyph::Sun, nullptr, true);
    const auto ops = canvas.OpsOf(Kind::PlotPattern);
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[0].colour, Colour::Index(71));
    EXPECT_EQ(ops[1].colour, Colour::Index(101));
    EXPECT_EQ(ops[2].colour, Colour::Index(50));  // the Sun's own trace colour
}

TEST(BodyGlyphs, SheetCellsForBrightPlanetsPointsForTheFaint) {
    const GlyphSheet sheet = BuildGlyphSheet();
    ASSERT_TRUE(sheet.loaded());
    RecordingCanvas canvas;
    DrawBodyGlyph(canvas, 100, 50, BodyGlyph::Jupiter, &sheet, false);
    DrawBodyGlyph(canvas, 100, 50, BodyGlyph::Jupiter, &sheet, true);
    DrawBodyGlyph(canvas, 10, 10, BodyGlyph::Neptune, &sheet, false);
    DrawBodyGlyph(canvas, 10, 10, BodyGlyph::MercuryTransit, &sheet, false);
    const auto cells = canvas.OpsOf(Kind::DrawImageCell);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0].x, 92);
    EXPECT_EQ(cells[0].y, 44);
    const ImageCell normal = sheet.Cell(GlyphCell::Jupiter, 0);
    const ImageCell dim = sheet.Cell(GlyphCell::Jupiter, 1);
    // The body's pixel of the cell is opaque, the dim variant darker.
    const uint32_t a = normal.pixels[6 * normal.stride + 8], b = dim.pixels[6 * dim.stride + 8];
    EXPECT_EQ(a >> 24, 0xFFu);
    EXPECT_LT(b & 0xFF, a & 0xFF);
    EXPECT_EQ(normal.pixels[0] >> 24, 0u);  // a corner is masked
    const auto points = canvas.OpsOf(Kind::PlotPattern);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].colour, Colour::Rgb(0, 0, 0));
    EXPECT_TRUE(GlyphSheet{}.Cell(GlyphCell::Venus, 0).pixels == nullptr);
}

// --- Order ---------------------------------------------------------------------------------

TEST(BodyOrder, FarthestFirstThenSunThenMoon) {
    astro::SolarSystemState s;
    for (int k = 0; k < astro::kBodyCount; ++k)
        s.bodies[static_cast<std::size_t>(k)].geoDistance = 100 + k;  // 24 farthest
    s.bodies[5].geoDistance = 4.2;
    s.bodies[4].geoDistance = 0.6;
    s.bodies[3].geoDistance = 0.3;
    s.bodies[7].geoDistance = std::numeric_limits<double>::quiet_NaN();
    const auto order = BodyPaintOrder(s);
    EXPECT_EQ(order[astro::kBodyCount - 2], astro::kSunIndex);
    EXPECT_EQ(order[astro::kBodyCount - 1], astro::kMoonIndex);
    EXPECT_EQ(order[0], 24);
    EXPECT_EQ(order[astro::kBodyCount - 3], 3);  // Venus, the nearest, last of the planets
    EXPECT_EQ(order[astro::kBodyCount - 4], 4);
    EXPECT_EQ(order[astro::kBodyCount - 5], 5);
    std::set<int> all(order.begin(), order.end());
    EXPECT_EQ(all.size(), static_cast<std::size_t>(astro::kBodyCount));  // NaN lost nothing
}

TEST(BodyOrder, EqualDistancesPaintTheHigherIndexFirst) {
    astro::SolarSystemState s;
    for (auto& b : s.bodies)
        b.geoDistance = 5;
    const auto order = BodyPaintOrder(s);
    EXPECT_EQ(order[0], 24);
    EXPECT_EQ(order[22], 2);
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
    const auto patterns = h.canvas.OpsOf(Kind::PlotPattern);
    ASSERT_GE(patterns.size(), 3u);
    EXPECT_EQ(patterns[0].x, 300);
    EXPECT_EQ(patterns[patterns.size() - 1].x, 100);
    const std::size_t sun = IndexOf(h.canvas, Kind::Ellipse);
    const std::size_t moon = IndexOf(h.canvas, Kind::Polygon);
    ASSERT_LT(sun, h.canvas.ops.size());
    ASSERT_LT(moon, h.canvas.ops.size());
    EXPECT_LT(sun, moon);
    const CanvasOp& disc = h.canvas.ops[moon];
    const CanvasOp& sunOp = h.canvas.ops[sun];
    EXPECT_EQ(h.canvas.ops[sun - 1].brush.colour, Colour::Index(69));
    int left = 1 << 20, right = -left, top = left, bottom = -left;
    for (const Point p : disc.points) {
        left = std::min(left, p.x), right = std::max(right, p.x);
        top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    }
    EXPECT_GT(sunOp.right - sunOp.x, 100);  // the Sun is a real disc at this zoom
    EXPECT_LE(left, sunOp.x + 1);
    EXPECT_GE(right, sunOp.right - 2);
    EXPECT_LE(top, sunOp.y + 1);
    EXPECT_GE(bottom, sunOp.bottom - 2);
}

TEST(Bodies, SunAndMoonAtLeastThirteenPixelsOnScreenAndFortyOnPaper) {
    BodyHarness h;
    h.view.Zoom = 80;
    h.Reframe();
    h.Place(astro::kSunIndex, 0, 0, 1);
    h.scene.bodies.sunRadius = 0.00465;
    h.Draw();
    auto e = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].right - e[0].x, 13);
    h.canvas.Clear();
    h.Draw(kTargetMonochromePrint);
    e = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].right - e[0].x, 40);
    EXPECT_EQ(DiscDiameter(h.scene.viewFrame, std::numeric_limits<double>::quiet_NaN(), 13), 13);
}

TEST(Bodies, PrintedPlanetsAreCirclesOfFixedSize) {
    BodyHarness h;
    h.Place(5, 0, 0, 5);
    h.Place(20, 100, 0, 3);  // Ceres, a dwarf planet
    h.Draw(kTargetColourPrint);
    const auto e = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].right - e[0].x, 28);
    EXPECT_EQ(e[1].x, 94);
    EXPECT_EQ(e[1].right, 107);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::PlotPattern).empty());
}

// --- Transits ------------------------------------------------------------------------------

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
    const auto mercury = PatternsAt(h.canvas, 20, -3);
    ASSERT_EQ(mercury.size(), 1u);
    EXPECT_EQ(mercury[0].colour, Colour::Rgb(0, 0, 0));
    EXPECT_EQ(mercury[0].offsets.size(), 12u);
    std::size_t pattern = 0;
    for (std::size_t i = 0; i < h.canvas.ops.size(); ++i)
        if (h.canvas.ops[i].kind == Kind::PlotPattern) pattern = i;
    EXPECT_LT(IndexOf(h.canvas, Kind::Ellipse), pattern);
    // Named in transit even though the mode shows symbols only.
    const auto texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Mercury");

    // Beyond the Sun (superior conjunction) it is not in transit: hidden by daylight.
    h.canvas.Clear();
    h.scene.bodies.bodies[astro::kMercuryIndex].geoDistance = 1.4;
    h.Draw();
    EXPECT_TRUE(PatternsAt(h.canvas, 20, -3).empty());
}

TEST(Bodies, VenusFarFromTheSunKeepsItsColour) {
    BodyHarness h;
    h.Place(astro::kVenusIndex, 50, 50, 0.3);
    h.scene.bodies.sunRadius = 0.00472;
    h.scene.bodies.venusRadius = 0.0001;
    h.scene.bodies.sunVenusSeparation = 0.2;
    h.Draw();
    const auto venus = PatternsAt(h.canvas, 50, 50);
    ASSERT_EQ(venus.size(), 1u);
    EXPECT_EQ(venus[0].colour, Colour::Index(70));
}

// --- Moon ----------------------------------------------------------------------------------

TEST(Moon, NewMoonDrawsOnlyTheDarkDisc) {
    BodyHarness h;
    h.Place(astro::kMoonIndex, 10, 20, 60);
    h.scene.bodies.moonRadius = 0.0045;
    h.scene.bodies.MoonElongation = 0;
    h.Draw();
    const auto polygons = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    const int d = DiscDiameter(h.scene.viewFrame, 0.0045, 13);
    const double tilt = MoonPhaseAxis(h.scene);
    EXPECT_EQ(polygons[0].points, ToPoints(astro::MoonPhasePolygons({10, 20}, d, 0.0, tilt).disc));
    const auto brushes = h.canvas.OpsOf(Kind::SetBrush);
    EXPECT_EQ(brushes.back().brush.colour, Colour::Index(16));
    // Without MoonWaku the edge is the sky colour; with it, colour 88.
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen).back().pen.colour, Colour::Index(16));
    h.canvas.Clear();
    h.view.MoonWaku = 1;
    h.Draw();
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen).back().pen.colour, Colour::Index(88));
}

TEST(Moon, FirstQuarterLightsHalfTheDiscUpToAStraightTerminator) {
    BodyHarness h;
    h.Place(astro::kMoonIndex, -40, 30, 60);
    h.scene.bodies.moonRadius = 0.0045;
    h.scene.bodies.MoonElongation = kPi / 2;
    h.Draw();
    const auto polygons = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    const int d = DiscDiameter(h.scene.viewFrame, 0.0045, 13);
    EXPECT_GT(d, 100);
    const double tilt = MoonPhaseAxis(h.scene);
    const auto shape = astro::MoonPhasePolygons({-40, 30}, d, kPi / 2, tilt);
    EXPECT_EQ(polygons[1].points, ToPoints(shape.lit));
    EXPECT_NEAR(Area(polygons[1].points) / Area(polygons[0].points), 0.5, 0.03);
    // The terminator half lies on the line through the centre along (-sin tilt, cos tilt).
    const std::size_t n = polygons[1].points.size() / 2;
    double litWestward = 0;
    for (std::size_t j = 0; j < 2 * n; ++j) {
        const Point p = polygons[1].points[j];
        const double along = (p.x + 40) * std::cos(tilt) + (p.y - 30) * std::sin(tilt);
        if (j >= n) {
            EXPECT_LE(std::fabs(along), 1.0) << j;
        }
        litWestward += along;
    }
    // Waxing: the lit half faces the Sun, west of the Moon, against the ecliptic's eastward
    // direction on the screen.
    const double east = astro::MoonTilt(h.scene.viewFrame, h.scene.bodies);
    double litEastward = 0;
    for (const Point p : polygons[1].points)
        litEastward += (p.x + 40) * std::cos(east) + (p.y - 30) * std::sin(east);
    EXPECT_GT(litWestward, 0);
    EXPECT_LT(litEastward, 0);
    // Waning, the other half.
    h.canvas.Clear();
    h.scene.bodies.MoonElongation = -kPi / 2;
    h.Draw();
    double waningEastward = 0;
    const auto waning = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(waning.size(), 2u);
    for (const Point p : waning[1].points)
        waningEastward += (p.x + 40) * std::cos(east) + (p.y - 30) * std::sin(east);
    EXPECT_GT(waningEastward, 0);
    h.canvas.Clear();
    h.scene.bodies.MoonElongation = kPi / 2;
    h.Draw();
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush).back().brush.colour, Colour::Index(70));
}

TEST(Moon, OutlineModeTwoDrawsOnlyTheHollowDisc) {
    BodyHarness h;
    h.view.MoonWaku = 2;
    h.Place(astro::kMoonIndex, 0, 0, 60);
    h.scene.bodies.MoonElongation = 2.0;
    h.Draw();
    ASSERT_EQ(h.canvas.OpsOf(Kind::Polygon).size(), 1u);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::SetBrush).back().brush.hollow);
}

// A full Moon exactly opposite the Sun, at the centre of the view.
void SetUpLunarEclipse(BodyHarness& h) {
    h.view.Solar = 1;
    h.LookAt(kPi, 0.0);
    astro::SolarSystemState& s = h.scene.bodies;
    astro::BodyState& sun = s.bodies[astro::kSunIndex];
    sun.geoLongitude = 0;
    sun.geoLatitude = 0;
    sun.geoDistance = 1.0;
    sun.depth = -5000;  // behind the view
    astro::BodyState& moon = s.bodies[astro::kMoonIndex];
    moon.geoLongitude = kPi;
    moon.geoLatitude = 0.002;
    moon.helioLongitude = kPi;
    moon.helioLatitude = 0.002;
    moon.geoDistance = 60;
    const astro::PreciseScreenPoint p = astro::ProjectEclipticPrecise(
        h.scene.viewFrame, kPi * astro::kBinPerRadian, 0.002 * astro::kBinPerRadian);
    moon.screenX = p.x;
    moon.screenY = p.y;
    moon.depth = p.depth;
    s.moonRadius = std::atan(0.2725 / 60);
    s.MoonElongation = kPi;
}

TEST(Moon, LunarEclipseShadowIsClippedToTheDisc) {
    BodyHarness h;
    SetUpLunarEclipse(h);
    h.Draw();
    const auto polygons = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);  // disc, lit part, outline again
    const std::size_t clip = IndexOf(h.canvas, Kind::SetClipPolygon);
    const std::size_t penumbra = IndexOf(h.canvas, Kind::Ellipse, clip);
    const std::size_t umbra = IndexOf(h.canvas, Kind::Ellipse, penumbra + 1);
    const std::size_t clear = IndexOf(h.canvas, Kind::ClearClip, clip);
    ASSERT_LT(clip, h.canvas.ops.size());
    EXPECT_EQ(h.canvas.ops[clip].points, polygons[0].points);
    EXPECT_LT(penumbra, umbra);
    ASSERT_LT(umbra, clear);
    ASSERT_LT(clear, h.canvas.ops.size());
    const auto brushes = h.canvas.OpsOf(Kind::SetBrush);
    EXPECT_EQ(h.canvas.ops[penumbra - 1].brush.colour, Colour::Index(76));
    EXPECT_EQ(h.canvas.ops[umbra - 1].brush.colour, Colour::Rgb(0x60, 0x24, 0x14));  // copper
    // The umbra is wider than the Moon (about 2.7 times) and smaller than the penumbra.
    const CanvasOp& pe = h.canvas.ops[penumbra];
    const CanvasOp& um = h.canvas.ops[umbra];
    const int moonDiameter = DiscDiameter(h.scene.viewFrame, h.scene.bodies.moonRadius, 13);
    EXPECT_GT(um.right - um.x, 2 * moonDiameter);
    EXPECT_GT(pe.right - pe.x, um.right - um.x);
    // After the clip the disc outline is drawn once more, hollow.
    EXPECT_EQ(polygons[2].points, polygons[0].points);
    EXPECT_TRUE(brushes.back().brush.hollow);
    EXPECT_EQ(IndexOf(h.canvas, Kind::Polygon, clear), h.canvas.ops.size() - 1);
}

TEST(Moon, NoShadowOnPaperOrAwayFromTheNode) {
    BodyHarness h;
    SetUpLunarEclipse(h);
    h.Draw(kTargetMonochromePrint);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::SetClipPolygon).empty());
    h.canvas.Clear();
    h.scene.bodies.bodies[astro::kMoonIndex].geoLatitude = 0.1;
    h.scene.bodies.bodies[astro::kMoonIndex].helioLatitude = 0.1;
    h.Draw();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::SetClipPolygon).empty());
}

// --- Levels, labels, trace passes ------------------------------------------------------------

TEST(Bodies, WakuseiLevelTwoHidesDwarfPlanetsInView) {
    BodyHarness h;
    h.Place(astro::kPlutoIndex, 10, 10, 33);
    h.Place(20, 30, 30, 2);  // Ceres
    h.Place(23, 50, 50, 2);  // Vesta, kind 4
    h.view.WakuseiLevel = 2;
    h.Draw();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::PlotPattern).empty());
    h.view.WakuseiLevel = 3;
    h.Draw();
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), 2u);
    h.canvas.Clear();
    h.view.WakuseiLevel = 5;
    h.Draw();
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), 3u);
}

TEST(Bodies, LabelsFollowTheSolarMode) {
    BodyHarness h;
    h.Place(astro::kVenusIndex, 100, 40, 0.5);
    h.view.Solar = 1;
    h.Draw();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::DrawText).empty());
    h.view.Solar = 2;
    h.Draw();
    auto texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "金星");
    h.canvas.Clear();
    h.view.Solar = 3;
    h.Draw();
    texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Venus");
    // Right of the glyph (half of 6 plus 3 pixels), centred on the body's row, slot 12 font,
    // colour slot 14 (palette 11).
    EXPECT_EQ(texts[0].x, 106);
    EXPECT_EQ(texts[0].y, 40 - 5);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetTextColour).back().colour, Colour::Index(11));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont).back().fontHeight, h.view.fontSets[11].size);
}

TEST(Bodies, MoonLabelMovesBelowTheSunsInAnEclipse) {
    BodyHarness h;
    h.view.Solar = 3;
    h.Place(astro::kSunIndex, 0, 0, 0.98);
    h.Place(astro::kMoonIndex, 1, 0, 57);
    h.Draw();
    const auto texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Sun");
    EXPECT_EQ(texts[1].text, "Moon");
    EXPECT_EQ(texts[1].y, texts[0].y + 10);
    // Apart, each keeps its own row.
    h.canvas.Clear();
    h.Place(astro::kMoonIndex, 1, 200, 57);
    h.Draw();
    EXPECT_EQ(h.canvas.OpsOf(Kind::DrawText)[1].y, 200 - 5);
}

TEST(Bodies, TracePassDrawsOnlyChosenKindsShifted) {
    BodyHarness h;
    h.view.Solar = 3;
    h.Place(astro::kSunIndex, 0, 0, 1);
    h.Place(4, 100, 0, 1.5);
    h.options.AutoTaishou = {0, 1, 1, 1, 0};
    h.Draw(kTargetScreen, true);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::Ellipse).empty());  // no Sun
    const auto mars = PatternsAt(h.canvas, 100, 0);
    ASSERT_EQ(mars.size(), 1u);
    EXPECT_EQ(mars[0].colour, Colour::Index(101));
    h.canvas.Clear();
    h.options.AutoTaishou = {1, 1, 0, 1, 0};
    h.Draw(kTargetScreen, true);
    EXPECT_TRUE(PatternsAt(h.canvas, 100, 0).empty());
    ASSERT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush).back().brush.colour, Colour::Index(99));
}

TEST(Bodies, BitmapGlyphsOnlyInTheirStarStyles) {
    BodyHarness h;
    const GlyphSheet sheet = BuildGlyphSheet();
    h.scene.glyphSheet = &sheet;
    h.Place(5, 0, 0, 5);
    h.view.DrawStarMode3 = 5;
    h.Draw();
    EXPECT_EQ(h.canvas.OpsOf(Kind::DrawImageCell).size(), 1u);
    h.canvas.Clear();
    h.view.DrawStarMode3 = 2;
    h.Draw();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::DrawImageCell).empty());
    h.view.DrawStarMode3 = 1;
    h.view.TrueColourDisplay = false;
    h.Draw();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::DrawImageCell).empty());
}

TEST(Bodies, BadPositionsDrawNothing) {
    BodyHarness h;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    h.Place(5, nan, 0, 5);
    h.Place(6, 0, 0, 9).depth = nan;
    h.Place(4, 1e300, -1e300, 1);
    h.Place(7, 0, 0, 19).depth = -12000;  // far behind the view
    h.Place(8, 10, 10, 30).depth = astro::kBelowHorizonFlag;
    h.scene.viewFrame.HorizonShown = 1;
    astro::BodyState& moon = h.Place(astro::kMoonIndex, 5, 5, nan);
    moon.geoLongitude = nan;
    h.scene.bodies.moonRadius = nan;
    h.scene.bodies.MoonElongation = nan;
    h.Draw();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::PlotPattern).empty());
    // The Moon is still drawn at its pixel with the smallest disc, whatever its other values.
    for (const CanvasOp& op : h.canvas.OpsOf(Kind::Polygon))
        for (const Point p : op.points)
            EXPECT_LE(std::abs(p.x - 5) + std::abs(p.y - 5), 14);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::SetClipPolygon).empty());
}

// --- Comets --------------------------------------------------------------------------------

state::CometRecord TestComet(const char* name) {
    state::CometRecord c;
    std::strncpy(c.NAMEE, name, sizeof c.NAMEE - 1);
    std::strncpy(c.NAMEJ, "テスト彗星", sizeof c.NAMEJ - 1);
    c.TY = 2000;
    c.TM = 1;
    c.TD = 10.5;
    c.q = 0.8;
    c.e = 0.97;
    c.Peri = 120;
    c.Node = 40;
    c.i = 30;
    c.show = 1;
    c.initialised = 1;
    return c;
}

// A scene looking straight at the comet, with its absolute magnitude chosen so that the comet
// shines at `magnitude`.
void SetUpComet(BodyHarness& h, double magnitude) {
    h.view.clock = {2000, 1, 1, 0, 0};
    h.Reframe();
    astro::ComputeAllBodies(h.view, h.scene.viewFrame, h.scene.bodies);
    h.comets.records[0] = TestComet("Test");
    h.comets.count = 1;
    const astro::CometPosition p = astro::ComputeCometPosition(
        h.comets.records[0], astro::FrameMjd(h.scene.viewFrame), h.scene.bodies);
    h.comets.records[0].H1 = static_cast<float>(magnitude - 5 * std::log10(p.delta));
    h.LookAt(p.longitude, p.latitude);
    astro::ComputeAllBodies(h.view, h.scene.viewFrame, h.scene.bodies);
}

TEST(Comets, MagnitudeLimitSixPointZeroAndSixPointOne) {
    BodyHarness h;
    SetUpComet(h, 6.05);
    h.options.CometBright = 60;
    h.DrawCometLayer();
    ASSERT_EQ(h.scene.cometStates.size(), 1u);
    EXPECT_NEAR(h.scene.cometStates[0].magnitude, 6.05, 1e-5);
    EXPECT_TRUE(h.scene.cometStates[0].hidden);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::PlotPattern).empty());
    h.options.CometBright = 61;
    h.DrawCometLayer();
    EXPECT_FALSE(h.scene.cometStates[0].hidden);
    const auto glyph = h.canvas.OpsOf(Kind::PlotPattern);
    ASSERT_EQ(glyph.size(), 1u);
    EXPECT_LE(std::abs(glyph[0].x) + std::abs(glyph[0].y), 2);  // at the centre of the view
    EXPECT_EQ(glyph[0].colour, Colour::Index(69));
}

TEST(Comets, DistanceLimitNeedsBothDistancesBeyondIt) {
    BodyHarness h;
    SetUpComet(h, 3.0);
    const astro::CometPosition p = astro::ComputeCometPosition(
        h.comets.records[0], astro::FrameMjd(h.scene.viewFrame), h.scene.bodies);
    h.options.CometKyori = static_cast<int>(std::min(p.r, p.delta) * 10) - 1;
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates[0].hidden);
    h.options.CometKyori = static_cast<int>(std::min(p.r, p.delta) * 10) + 1;
    h.DrawCometLayer();
    EXPECT_FALSE(h.scene.cometStates[0].hidden);
}

TEST(Comets, LabelsFollowTheCometModeAndTwilightHidesThem) {
    BodyHarness h;
    SetUpComet(h, 3.0);
    h.view.Comet = 3;
    h.DrawCometLayer();
    auto texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Test");
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetTextColour).back().colour, Colour::Index(14));
    h.canvas.Clear();
    h.view.Comet = 2;
    h.DrawCometLayer();
    texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "テスト彗星");
    h.canvas.Clear();
    h.view.Comet = 1;
    h.DrawCometLayer(true);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::DrawText).empty());
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).back().colour, Colour::Index(99));
    h.canvas.Clear();
    h.scene.frame.cometVisible = false;
    h.DrawCometLayer();
    EXPECT_TRUE(h.canvas.ops.empty());
    EXPECT_FALSE(h.scene.cometStates[0].hidden);  // still computed for tracking
}

TEST(Comets, EmptyOversizedAndBrokenTablesAreSafe) {
    BodyHarness h;
    SetUpComet(h, 3.0);
    h.comets.count = 0;
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates.empty());
    h.comets.count = -4;
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates.empty());
    h.comets.count = 5000;  // beyond the table: only its 200 records are read
    h.DrawCometLayer();
    EXPECT_EQ(h.scene.cometStates.size(), static_cast<std::size_t>(state::kCometFileLimit));
    h.comets.count = 2;
    h.comets.records[1] = h.comets.records[0];
    h.comets.records[1].q = std::numeric_limits<double>::quiet_NaN();
    std::memset(h.comets.records[1].NAMEE, 'x', sizeof h.comets.records[1].NAMEE);  // no end
    h.view.Comet = 3;
    h.canvas.Clear();
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates[1].hidden);
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), 1u);
    h.scene.comets = nullptr;
    h.DrawCometLayer();
    EXPECT_TRUE(h.scene.cometStates.empty());
}

// --- In the frame ----------------------------------------------------------------------------

TEST(BodiesInTheFrame, TrackingCentresTheSunUnlessASmoothMoveRuns) {
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    state::ViewState view;
    view.clock = {2024, 4, 8, 18, 42};
    view.Keisanji = 1;
    view.Ido2 = 328;
    view.Keido2 = 968;
    view.Zoom = 3000;
    view.SmoothIdou = 0;
    view.Tracking = true;
    view.TrackedKind = astro::kBodyObject;
    view.TrackedIndex = astro::kSunIndex;
    state::AppOptions options;
    persist::DataSet data;
    SkyScene scene;
    scene.view = &view;
    scene.options = &options;
    scene.data = &data;
    scene.tables = tables.view();
    scene.palette = CreateSkyPalette({});
    scene.viewport = Viewport{640, 400};
    RecordingCanvas canvas;

    scene.smoothMoveRunning = true;
    RenderSky(canvas, kTargetScreen, scene);
    EXPECT_EQ(view.Houi2, 0.0);
    EXPECT_GT(std::hypot(scene.bodies.bodies[0].screenX, scene.bodies.bodies[0].screenY), 1000);

    scene.smoothMoveRunning = false;
    RenderSky(canvas, kTargetScreen, scene);
    const astro::BodyState& sun = scene.bodies.bodies[astro::kSunIndex];
    EXPECT_LE(std::hypot(sun.screenX, sun.screenY), 3.0);
    // The Moon covers the Sun: the sky darkens to the eclipse level.
    EXPECT_LT(scene.frame.eclipseFactor, 0.5);
}

}  // namespace
}  // namespace render

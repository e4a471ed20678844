#include "render/grids_horizon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/projection_tables.h"
#include "persist/records/world_records.h"
#include "star_fixture.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;

constexpr double kDegree = std::numbers::pi / 180.0;

// A scene with the real projection of a view; the frame is recomputed for every layer call.
struct GridHarness {
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    state::ViewState view;
    persist::DataSet data;
    SkyScene scene;
    RecordingCanvas canvas;

    GridHarness() {
        view.clock = {2026, 12, 6, 22, 0};
        view.Zoom = 80;
        view.Houi2 = 0;  // south
        view.Koudo2 = 0;
        scene.view = &view;
        scene.data = &data;
        scene.tables = store.view();
        scene.frame.viewport = Viewport{640, 400};
        scene.palette = CreateSkyPalette(view.lineSets);
    }
    // A new frame for the view as it is now, on a cleared canvas.
    void Prepare() {
        scene.viewFrame = astro::ComputeViewFrame(view, scene.tables);
        scene.polyline = PolylineState{};
        canvas.Clear();
    }
    // Draws one layer for the view as it is now, on a cleared canvas.
    template <class F>
    void Draw(F draw, int target = kTargetScreen) {
        Prepare();
        LayerContext layer{canvas, scene, target};
        draw(layer);
    }
};

// The points the pen went to (moves and lines), in order.
std::vector<Point> PenPoints(const RecordingCanvas& canvas) {
    std::vector<Point> points;
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == Kind::MoveTo || op.kind == Kind::LineTo) points.push_back({op.x, op.y});
    }
    return points;
}

double Radius(Point p, double cx = 0, double cy = 0) {
    return std::hypot(p.x - cx, p.y - cy);
}

TEST(HorizontalGrid, OnlyQuarterMeridiansReachTheZenith) {
    GridHarness h;
    h.view.Koudo2 = 900;  // the zenith at the centre
    h.Draw([](LayerContext& l) { DrawHorizontalGrid(l, false); });
    const std::vector<Point> points = PenPoints(h.canvas);
    // Meridians 0, 90, 180 and 270 degrees end exactly at the pole.
    EXPECT_EQ(std::ranges::count(points, Point{0, 0}), 4);
    // The others stop one fine step (5 degrees at Zoom 80) short: 1280 tan 2.5 degrees.
    double nearest = 1e9;
    for (const Point& p : points) {
        if (p != Point{0, 0}) nearest = std::min(nearest, Radius(p));
    }
    EXPECT_NEAR(nearest, 1280 * std::tan(2.5 * kDegree), 1.5);
}

// Looking south on the horizon, the altitude-0 parallel (left to the horizon layer while there
// is one) and the meridian of the south both pass through the view centre; ten degrees below,
// the -10 degree parallel is drawn only when there is no ground.
TEST(HorizontalGrid, ZeroAltitudeParallelIsLeftToTheHorizonLayer) {
    GridHarness h;
    h.Prepare();
    const astro::ScreenPoint below = astro::ProjectHorizontal(
        h.scene.viewFrame, astro::TenthsToBinAngleExact(900), astro::TenthsToBinAngleExact(-100));
    for (const auto& [ground, horizon, atCentre, atMinus10] :
         {std::tuple{1, 1, 1, 1}, {0, 1, 1, 2}, {0, 0, 2, 2}}) {
        h.view.Jimen = ground;
        h.view.Horizon = horizon;
        h.Draw([](LayerContext& l) { DrawHorizontalGrid(l, false); });
        const std::vector<Point> points = PenPoints(h.canvas);
        EXPECT_EQ(std::ranges::count(points, Point{0, 0}), atCentre) << ground << horizon;
        EXPECT_EQ(std::ranges::count(points, Point{below.x, below.y}), atMinus10)
            << ground << horizon;
    }
}

// The scale names azimuths from the north through the east, and altitudes (10 .. 80 degrees, those
// in view) on the meridian of the view centre; in equator mode, hours and declinations.
TEST(GridScales, LabelsAtTheViewCentre) {
    const struct {
        int equatorMode;
        double houi2, koudo2;
        std::vector<std::string> present, absent;
    } cases[] = {
        {0, 1800, 0, {"0\u00B0", "20\u00B0"}, {"90\u00B0"}},  // north: horizontal angle 270
        {0, 2700, 0, {"90\u00B0"}, {"0\u00B0"}},              // east: 180
        {1, 900, 300, {"6h", "40\u00B0"}, {}},
    };
    for (const auto& c : cases) {
        GridHarness h;
        h.view.SekidouMod = c.equatorMode;
        h.view.Houi2 = c.houi2;
        h.view.Koudo2 = c.koudo2;
        h.Draw([&](LayerContext& l) {
            c.equatorMode ? DrawEquatorialGrid(l, true) : DrawHorizontalGrid(l, true);
        });
        // The texts centred on x = 0 (6 pixels per character on the recording canvas).
        std::vector<std::string> centre;
        for (const CanvasOp& op : h.canvas.OpsOf(Kind::DrawText))
            if (op.x + static_cast<int>(op.text.size()) * 3 == 0) centre.push_back(op.text);
        EXPECT_THAT(centre, ::testing::IsSupersetOf(c.present));
        EXPECT_THAT(centre, ::testing::Each(::testing::Not(::testing::AnyOfArray(c.absent))));
        EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont).at(0).fontHeight, h.view.fontSets[20].size);
    }
}

TEST(Guides, CircleOfTwoAndAQuarterDegreesWithCrossAndTheCameraFrame) {
    GridHarness h;
    h.view.CircleGuide = 1;
    h.view.CircleSize = 45;
    h.Draw(DrawGuides);
    const int r = static_cast<int>(std::lround(1280 * std::tan(2.25 / 2 * kDegree)));
    const CanvasOp circle = h.canvas.OpsOf(Kind::Ellipse).at(0);
    EXPECT_EQ(std::tuple(circle.x, circle.y, circle.right, circle.bottom),
              std::tuple(-r, -r, r + 1, r + 1));
    EXPECT_TRUE(h.canvas.OpsOf(Kind::SetBrush)[0].brush.hollow);
    const std::vector<CanvasOp> lines = h.canvas.OpsOf(Kind::LineTo);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ((Point{lines[0].x, lines[0].y}), (Point{r, 0}));
    h.view.CenterGuide = 0;
    h.Draw(DrawGuides);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::LineTo).empty());

    // The camera frame of a 36 x 24 film.
    h.view.CircleGuide = 0;
    h.view.Shaya = 1;
    h.view.ShayaSize = 200;
    h.view.Zoom = 400;
    h.Draw(DrawGuides);
    EXPECT_TRUE(h.canvas.OpsOf(Kind::Ellipse).empty());
    // Half-angles atan(18 / 200) and atan(12 / 200) at 16 x Zoom pixels per tan(half angle).
    const double w = 6400 * std::tan(std::atan2(18.0, 200.0) / 2);
    const double hh = 6400 * std::tan(std::atan2(12.0, 200.0) / 2);
    const std::vector<Point> points = PenPoints(h.canvas);
    ASSERT_EQ(points.size(), 9u);
    EXPECT_EQ(points.front(), points.back());
    EXPECT_NEAR(points[2].x, w, 2);
    EXPECT_NEAR(points[2].y, -hh, 2);
    EXPECT_EQ(points[4], (Point{-points[0].x, -points[0].y}));
}

// The Sun 45 degrees up in front, in daylight.
void PutSunAt(GridHarness& h, double x, double y) {
    h.view.Solar = 1;
    h.view.Taiyoukou = 1;
    h.view.Chijoukou = 0;
    h.scene.frame.civilDaylight = true;
    astro::BodyState& sun = h.scene.bodies.bodies[astro::kSunIndex];
    sun.screenX = x;
    sun.screenY = y;
    sun.depth = 16000;
    sun.down = -11585;
    h.scene.bodies.sunRadius = 0.00465;
}

TEST(GlowBands, SunRingsFromFaintOutsideToBrightInsideWithRaysOnlyByDay) {
    GridHarness h;
    PutSunAt(h, 100, 50);
    h.Draw([](LayerContext& l) { DrawGlowBands(l, -15, 16); });
    const std::vector<CanvasOp> rings = h.canvas.OpsOf(Kind::Polygon);
    const std::vector<CanvasOp> brushes = h.canvas.OpsOf(Kind::SetBrush);
    ASSERT_EQ(rings.size(), 31u);
    ASSERT_EQ(brushes.size(), 31u);
    // From j = 15 to j = 0 and from j = -1 to j = -15.
    EXPECT_EQ(
        std::tuple(brushes.front().brush.colour, brushes[15].brush.colour, brushes[16].brush.colour,
                   brushes.back().brush.colour),
        std::tuple(Colour::Index(17), Colour::Index(32), Colour::Index(66), Colour::Index(52)));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen.style, PenStyle::Null);

    for (const CanvasOp& ring : rings)
        ASSERT_EQ(ring.points.size(), 122u);
    // Outermost ring: radii 34^2 and 33^2 of 1/1225 of about 96 x Zoom x the Sun's diameter.
    const double s = 96.0 * 80 * 2 * 0.00465;
    EXPECT_NEAR(Radius(rings[0].points[0], 100, 50), 34.0 * 34 * s / 1225, 1.5);
    EXPECT_NEAR(Radius(rings[0].points[61], 100, 50), 33.0 * 33 * s / 1225, 1.5);
    // Ring j = -6 (index 21) has rays: x3 at 36 degrees, x6 at 96 degrees; j = -5 has none.
    const CanvasOp& rayed = rings[21];
    const double plain = Radius(rayed.points[15], 100, 50);  // 90 degrees
    EXPECT_NEAR(Radius(rayed.points[6], 100, 50), 3 * plain, 1.5);
    EXPECT_NEAR(Radius(rayed.points[16], 100, 50), 6 * plain, 1.5);
    const CanvasOp& smooth = rings[20];
    EXPECT_NEAR(Radius(smooth.points[16], 100, 50), Radius(smooth.points[15], 100, 50), 1.5);

    // No glow below the ground, at night or without the Sun.
    h.scene.bodies.bodies[astro::kSunIndex].down = 100;  // just below the horizon
    // With no ground the glow of a Sun just set shows.
    for (const auto& [ground, daylight, count] :
         {std::tuple{1, true, 0u}, {0, true, 31u}, {0, false, 0u}}) {
        h.view.Jimen = ground;
        h.scene.frame.civilDaylight = daylight;
        h.Draw([](LayerContext& l) { DrawGlowBands(l, -15, 16); });
        EXPECT_EQ(h.canvas.OpsOf(Kind::Polygon).size(), count) << ground << daylight;
    }
}

// Odd-even membership of a point in the rings of a PolyPolygon.
bool InsideRings(const CanvasOp& op, double x, double y) {
    bool inside = false;
    std::size_t first = 0;
    for (int size : op.rings) {
        const auto n = static_cast<std::size_t>(size);
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const Point& p = op.points[first + i];
            const Point& q = op.points[first + j];
            if ((p.y > y) != (q.y > y) &&
                x < q.x + (p.x - q.x) * (y - q.y) / static_cast<double>(p.y - q.y))
                inside = !inside;
        }
        first += n;
    }
    return inside;
}

// Altitude in degrees under a pixel of the view (the radial law without its integer steps).
double AltitudeAt(const state::ViewState& view, double x, double y) {
    const double r = std::hypot(x, y);
    const double t = 2 * std::atan(r / (16.0 * view.Zoom));
    const double h0 = view.Koudo2 / 10.0 * kDegree;
    const double up = r > 0 ? -y / r : 0;
    return std::asin(std::sin(h0) * std::cos(t) + std::cos(h0) * std::sin(t) * up) / kDegree;
}

// At any zoom and view altitude the ground covers every pixel below the refracted horizon, and
// the glow band j = 5 every pixel between its altitudes, out to the picture's edges.
TEST(Ground, BelowTheHorizonAtEveryZoomAndAltitude) {
    constexpr double kRefraction = 54 * 360.0 / 32768;  // degrees
    std::vector<persist::YamaRecord> flat;              // a level landscape, a record a degree
    for (int az = 0; az < 360; ++az)
        flat.push_back({static_cast<uint16_t>(az * 50), 0});
    for (int zoom : {10, 15, 20, 40, 80}) {
        for (double altitude : {-0.3, 0.0, 29.0, 30.0, 60.0, 90.0}) {
            GridHarness h;
            SetBlock(h.data.block(persist::BlockId::YAMA), flat);
            h.view.Zoom = zoom;
            h.view.Koudo2 = altitude * 10;
            h.scene.frame.viewport = Viewport{800, 500};
            h.Draw(DrawHorizon);
            const std::vector<CanvasOp> ground = h.canvas.OpsOf(Kind::PolyPolygon);
            h.Draw([](LayerContext& l) { DrawGlowBands(l, 5, 6); });
            const std::vector<CanvasOp> band = h.canvas.OpsOf(Kind::PolyPolygon);
            ASSERT_EQ(ground.size(), 1u);
            ASSERT_EQ(band.size(), 1u);
            int wrong = 0;
            for (int y = -500; y <= 500; y += 40) {
                for (int x = -800; x <= 800; x += 40) {
                    auto below = [&](double edge, int dx = 0, int dy = 0) {
                        return AltitudeAt(h.view, x + dx, y + dy) < edge;
                    };
                    // Pixels within 3 of an edge are left to the integer projection.
                    auto clear = [&](double edge) {
                        const bool here = below(edge);
                        return below(edge, -3, 0) == here && below(edge, 3, 0) == here &&
                               below(edge, 0, -3) == here && below(edge, 0, 3) == here;
                    };
                    const double low = 3.0 - kRefraction, high = 3.6 - kRefraction;
                    if (clear(-kRefraction) && InsideRings(ground[0], x, y) != below(-kRefraction))
                        ++wrong;
                    if (clear(low) && clear(high) &&
                        InsideRings(band[0], x, y) != (below(high) && !below(low)))
                        ++wrong;
                }
            }
            EXPECT_EQ(wrong, 0) << "Zoom " << zoom << ", altitude " << altitude;
        }
    }
}

TEST(Ground, LandscapeSkylineAndItsAbsence) {
    GridHarness h;
    // Flat skyline every degree (azimuth from south through east) with a 10-degree peak due
    // south.
    std::vector<persist::YamaRecord> skyline;
    for (int az = 0; az < 360; ++az)
        skyline.push_back({static_cast<uint16_t>(az * 50), static_cast<uint16_t>(az ? 0 : 500)});
    SetBlock(h.data.block(persist::BlockId::YAMA), skyline);
    h.Draw(DrawHorizon);
    CanvasOp ground = h.canvas.OpsOf(Kind::PolyPolygon).at(0);
    const double peak = -1280 * std::tan((10 - 0.593) / 2 * kDegree);
    EXPECT_TRUE(InsideRings(ground, 0, peak + 30));
    EXPECT_FALSE(InsideRings(ground, 0, peak - 3));
    EXPECT_FALSE(InsideRings(ground, 40, peak + 30));

    // A block without a whole record: the ground ends at the plain horizon.
    h.data.block(persist::BlockId::YAMA).size = 3;
    h.Draw(DrawHorizon);
    ground = h.canvas.OpsOf(Kind::PolyPolygon).at(0);
    EXPECT_FALSE(InsideRings(ground, 0, peak + 30));
    EXPECT_TRUE(InsideRings(ground, 0, 10));
}

// The horizon line is drawn only without ground (and then no ground) or on monochrome paper,
// where the ground is white.
TEST(Horizon, LineOnlyWithoutGroundOrOnMonochromePaper) {
    for (const auto& [ground, target, line, polygons] : {std::tuple{1, kTargetScreen, false, 1u},
                                                         {1, kTargetMonochromePrint, true, 1u},
                                                         {0, kTargetScreen, true, 0u}}) {
        GridHarness h;
        h.view.Jimen = ground;
        h.Draw(DrawHorizon, target);
        EXPECT_EQ(h.canvas.OpsOf(Kind::LineTo).empty(), !line) << ground << target;
        EXPECT_EQ(h.canvas.OpsOf(Kind::PolyPolygon).size(), polygons) << ground << target;
        if (target == kTargetMonochromePrint) {
            EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush)[0].brush.colour, Colour::Rgb(255, 255, 255));
        }
    }
}

TEST(Horizon, DirectionNamesBelowTheHorizonOrOnItAtTheZenith) {
    GridHarness h;
    h.Draw(DrawHorizon);
    // South is centred 4 pixels below its point; north is behind the viewer and not drawn.
    const astro::ScreenPoint south =
        astro::ProjectHorizontal(h.scene.viewFrame, 8192, -h.scene.viewFrame.RefractionAngle);
    std::vector<CanvasOp> texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(std::tuple(texts[1].text, texts[1].x, texts[1].y),
              std::tuple("S", south.x - 3, south.y + 4));

    h.view.Koudo2 = 900;
    h.view.Zoom = 20;  // the whole horizon in view, each name centred on its point
    h.Draw(DrawHorizon);
    texts = h.canvas.OpsOf(Kind::DrawText);
    const std::vector<std::string> names = {"W", "SW", "S", "SE", "E", "NE", "N", "NW"};
    ASSERT_EQ(texts.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const astro::ScreenPoint p = astro::ProjectHorizontal(
            h.scene.viewFrame, static_cast<int>(i) * 4096, -h.scene.viewFrame.RefractionAngle);
        EXPECT_EQ(std::pair(texts[i].text, texts[i].y), std::pair(names[i], p.y - 5));
    }
}

}  // namespace
}  // namespace render

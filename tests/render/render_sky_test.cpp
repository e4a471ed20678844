#include "render/render_sky.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include <cstring>
#include "astro/projection_tables.h"
#include "render/fonts.h"
#include "star_fixture.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;

std::array<int, kStarLevelCount> Counts() {
    std::array<int, kStarLevelCount> counts{};
    std::iota(counts.begin(), counts.end(), 1000);
    return counts;
}

RenderFrame LevelsAt(int sunSine, double eclipse, const state::ViewState& view,
                     int target = kTargetScreen, bool yearInRange = true, bool gsc = false) {
    RenderFrame frame;
    frame.sunSine = sunSine;
    frame.eclipseFactor = eclipse;
    frame.gscMode = gsc;
    DeriveFrameLevels(frame, view, yearInRange, target, Counts());
    return frame;
}

TEST(FrameLevels, TwilightStarAndFigureLevelsByTheSun) {
    // The astronomical twilight boundary is -18 degrees (sine -5063): one unit above, the limit
    // is (2563 + 5062) / 80 = 95. At +9 degrees the day hides stars and figures; a total
    // eclipse shows stars to the sixth magnitude. Off, in equator mode, on paper or out of the
    // years, there is no twilight and the Sun counts as far below.
    const struct {
        int sunSine;
        double eclipse;
        int drawStars;
        std::function<void(state::ViewState&, int&, bool&)> variant;
        int twilight, star, count, deepSky, milkyWay;
        bool figures;
    } cases[] = {
        {-5063, 1.0, 55, {}, kNoTwilightLimit, 95, 1095, 10, 6, true},
        {-5062, 1.0, 55, {}, 95, 95, 1095, 10, 6, true},
        {2563, 1.0, 15, {}, 0, 0, 1000, 0, 0, false},
        {16000, 0.0, 55, {}, 60, 60, 1060, -1, -1, true},
        {16384, 1.0, 20, [](auto& v, int&, bool&) { v.Hakumei = 0; }, kNoTwilightLimit, 60, 1060,
         -1, -1, true},
        {16384, 1.0, 20, [](auto& v, int&, bool&) { v.SekidouMod = 1; }, kNoTwilightLimit, 60, 1060,
         -1, -1, true},
        {16384, 1.0, 20, [](auto&, int& t, bool&) { t = kTargetMonochromePrint; }, kNoTwilightLimit,
         60, 1060, -1, -1, true},
        {16384, 1.0, 20, [](auto&, int&, bool& inRange) { inRange = false; }, kNoTwilightLimit, 60,
         1060, -1, -1, true},
        {-16384, 1.0, 110, {}, kNoTwilightLimit, 95, 1095, -1, -1, true},
        {-16384, 1.0, -50, {}, kNoTwilightLimit, 0, 1000, -1, -1, true},
    };
    for (const auto& c : cases) {
        state::ViewState view;
        view.DrawStars = c.drawStars;
        int target = kTargetScreen;
        bool inRange = true;
        if (c.variant) c.variant(view, target, inRange);
        const RenderFrame f = LevelsAt(c.sunSine, c.eclipse, view, target, inRange);
        SCOPED_TRACE(std::to_string(c.sunSine) + " " + std::to_string(c.drawStars));
        EXPECT_EQ(std::tuple(f.twilightLevel, f.starLevel, f.starCount),
                  std::tuple(c.twilight, c.star, c.count));
        if (c.deepSky >= 0) {
            EXPECT_EQ(std::pair(f.deepSkyLevel, f.milkyWayLevel), std::pair(c.deepSky, c.milkyWay));
        }
        EXPECT_EQ(f.constellationVisible && f.asterismVisible && f.cometVisible &&
                      f.bodyVisibleBright && f.bodyVisibleFaint,
                  c.figures);
        if (c.variant) {
            EXPECT_EQ(f.sunSine, -16384);
        }
    }
    // Daylight: civil, and the figures and planets shown when asked.
    state::ViewState view;
    EXPECT_TRUE(LevelsAt(2563, 1.0, view).civilDaylight);
    view.SeizaHiruma = view.WakuseiHiruma = 1;
    const RenderFrame shown = LevelsAt(2563, 1.0, view);
    EXPECT_TRUE(shown.constellationVisible && shown.bodyVisibleFaint);
    // With the deep star catalogue the level reaches 150.
    view.DrawStars = 110;
    const RenderFrame f = LevelsAt(-16384, 1.0, view, kTargetScreen, true, true);
    EXPECT_EQ(std::pair(f.starLevel, f.starCount), std::pair(150, 1095));
}

TEST(FrameLevels, DeepStarsFromZoom500AndEclipsesWithinAMilliradian) {
    const struct {
        int zoom, drawStars, useGsc, target;
        bool available, expected;
    } cases[] = {{499, 55, 1, kTargetScreen, true, false},
                 {500, 55, 1, kTargetScreen, true, true},
                 {500, 55, 1, kTargetScreen, false, false},
                 {500, 55, 1, kTargetColourPrint, true, false},
                 {2500, 55, 1, kTargetMonochromePrint, true, true},
                 {2500, 55, 0, kTargetScreen, true, false},
                 {2500, 54, 1, kTargetScreen, true, false}};
    for (const auto& c : cases) {
        state::ViewState view;
        view.Zoom = c.zoom;
        view.DrawStars = c.drawStars;
        view.UseGsc = c.useGsc;
        EXPECT_EQ(DecideGscMode(view, c.available, c.target), c.expected) << c.zoom;
    }
    for (const auto& [separation, factor] :
         {std::pair{0.5, 1.0}, {0.001, 1.0}, {0.00075, 0.5}, {0.0005, 0.0}, {0.0, 0.0}})
        EXPECT_DOUBLE_EQ(EclipseFactorOf(separation), factor) << separation;
}

class RenderSkyTest : public ::testing::Test {
  protected:
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    state::ViewState view;
    state::AppOptions options;
    persist::DataSet data;
    SkyScene scene;
    RecordingCanvas canvas;
    std::vector<std::string> layers;

    void SetUp() override {
        view.clock = {2000, 1, 1, 0, 0};
        view.Koudo2 = 450;
        // Three thousand eighth-magnitude stars near the south pole of the ecliptic.
        std::vector<persist::StarRecord> stars(3000, Star(0, -8000, 100, 'A'));
        data = MakeDataSet(stars, 3000);
        scene.view = &view;
        scene.options = &options;
        scene.data = &data;
        scene.stars = BuildStarCatalog(data, {});
        scene.tables = tables.view();
        scene.palette = CreateSkyPalette({});
        scene.viewport = Viewport{640, 400};
        scene.bitmapCentreX = 640;
        scene.bitmapCentreY = 400;
        scene.onLayer = [this](std::string_view layer) { layers.emplace_back(layer); };
    }
};

TEST_F(RenderSkyTest, LayerOrderOfTheDefaultView) {
    view.SeiunImage = 0;
    view.Galaxy = 1;
    view.StarName = 2;
    view.Kisetu = 1;
    view.Koudou = 3;
    view.Sekidou = 1;
    RenderSky(canvas, kTargetScreen, scene);
    // clang-format off
    const std::vector<std::string> expected = {
        "background", "glow", "milky way 1", "glow", "milky way 2", "glow", "ecliptic grid",
        "horizontal grid", "ecliptic", "equator", "stars halo", "lines", "asterism lines",
        "stars", "comets", "deep-sky symbols", "star labels", "bodies", "constellation names",
        "asterism names", "labels kept", "horizon"};
    // clang-format on
    EXPECT_EQ(layers, expected);
    // The frame starts at the bitmap centre and ends back at the device origin.
    const auto origins = canvas.OpsOf(Kind::SetOrigin);
    ASSERT_EQ(origins.size(), 2u);
    EXPECT_EQ(std::pair(origins[0].x, origins[1].x), std::pair(640, 0));
}

TEST_F(RenderSkyTest, DaylightDropsTheNightLayers) {
    scene.computeSun = [](const state::ViewState&, const astro::ViewFrame&) {
        SunInputs sun;
        sun.sunSine = 16384;
        return sun;
    };
    RenderSky(canvas, kTargetScreen, scene);
    for (const char* night : {"stars", "lines", "milky way 1"})
        EXPECT_EQ(std::ranges::count(layers, night), 0) << night;
    EXPECT_EQ(scene.frame.twilightLevel, 0);
    // The palette was animated for the day sky before drawing.
    EXPECT_NE(scene.palette.rgb(16), 0u);
}

TEST_F(RenderSkyTest, MonochromePrintHasNoBackgroundNorGlow) {
    options.PrintInfo = 1;
    RenderSky(canvas, kTargetMonochromePrint, scene);
    ASSERT_FALSE(layers.empty());
    EXPECT_EQ(
        std::tuple(std::ranges::count(layers, "background"), std::ranges::count(layers, "glow"),
                   layers.back(), canvas.OpsOf(Kind::SetOrigin).size(), scene.frame.linePenWidth,
                   scene.frame.bodyColourMode),
        std::tuple(0, 0, "print footer", 0u, 0, 1));
}

// Star level zero draws no stars; at level 40, where no star of this catalogue is bright enough,
// the frame still projects the minimum number of stars.
TEST_F(RenderSkyTest, StarLevelsZeroAndForty) {
    view.DrawStars = -40;
    view.DrawStarMode3 = 0;
    RenderSky(canvas, kTargetScreen, scene);
    for (const std::string& layer : layers)
        EXPECT_EQ(layer.find("stars"), std::string::npos);
    view.DrawStars = 0;
    RenderSky(canvas, kTargetScreen, scene);
    EXPECT_EQ(scene.starScreen.size(), 2859u);
}

TEST_F(RenderSkyTest, TracingModeDrawsPastStarsAndRestoresTheClock) {
    view.AutoRunning = true;
    options.AutoType = 1;
    options.AutoRepeat = 3;
    options.AutoMinit = 30;
    options.AutoTaishou[4] = 1;
    const state::CivilClock before = view.clock;
    RenderSky(canvas, kTargetScreen, scene);
    EXPECT_EQ(view.clock, before);
    EXPECT_NE(std::find(layers.begin(), layers.end(), "trace history"), layers.end());
}

TEST_F(RenderSkyTest, TrackedStarIsBroughtToTheCentre) {
    std::vector<persist::StarRecord> stars(3000, Star(0, -8000, 100, 'A'));
    stars[0] = Star(8000, 2000, 20, 'A');
    data = MakeDataSet(stars, 3000);
    scene.stars = BuildStarCatalog(data, {});
    view.Tracking = true;
    view.TrackedKind = 1;  // a STAR2 record
    view.TrackedIndex = 0;
    view.SmoothIdou = 0;
    view.FindUnder = 1;
    view.UnderHorizon = 1;
    RenderSky(canvas, kTargetScreen, scene);
    ASSERT_FALSE(scene.starScreen.empty());
    EXPECT_LE(std::max(std::abs(scene.starScreen[0].x), std::abs(scene.starScreen[0].y)), 2);
    // While the view glides, tracking waits.
    view.Houi2 = 0;
    view.Koudo2 = 450;
    scene.smoothMoveRunning = true;
    RenderSky(canvas, kTargetScreen, scene);
    EXPECT_EQ(view.Houi2, 0.0);
}

SkyPalette AnimatedAt(int sunSine, bool sunlight, double eclipse = 1.0) {
    SkyPalette palette = CreateSkyPalette({});
    AnimateSkyPalette(palette, ComputeTwilightIntensities(sunSine, sunlight, true, eclipse));
    return palette;
}

TEST(SkyPalette, TwilightIntensitiesAndTheSkyGlowStarsAndRimsTheyGive) {
    // Sunlight raises the caps by a quarter, truncated: 258 and 160.
    const std::tuple<int, bool, bool, double, TwilightIntensities> intensities[] = {
        {-16384, true, true, 1.0, {0, 0, 0}},    {16384, false, true, 1.0, {207, 128, 0}},
        {16384, true, true, 1.0, {258, 160, 0}}, {0, false, true, 1.0, {140, 51, 255}},
        {0, false, false, 1.0, {140, 51, 0}},    {0, false, true, 0.5, {70, 25, 127}},
        {16384, true, true, 0.0, {0, 0, 0}}};
    for (const auto& [sine, sunlight, sunset, eclipse, expected] : intensities)
        EXPECT_EQ(ComputeTwilightIntensities(sine, sunlight, sunset, eclipse), expected)
            << sine << " " << sunlight << " " << sunset << " " << eclipse;

    const SkyPalette night = AnimatedAt(-16384, true), zenith = AnimatedAt(16384, false),
                     sunset = AnimatedAt(0, false);
    // Colours as 0xRRGGBB. The glow ramp runs from near white to the horizon colour 0x000060:
    // entry 51 is (4080 / 17, 4080 / 17, (4080 + 96) / 17), entry 66 (255 + 16 x channel) / 17.
    // Star colours by luminance rows: class 0 of row 0, class 3 of row 10 (L 86). Rims are at
    // least the horizon colour: row 0 (v 1275, w1 233, w2 212, w3 222) gives (212, 212, 233) for
    // class 0; row 8 class 2 is black raised to the horizon.
    const std::tuple<const SkyPalette*, int, uint32_t> cases[] = {
        {&night, 16, 0x000000},  {&night, 32, 0x000060},
        {&zenith, 16, 0x4080CF}, {&zenith, 32, 0x70B0FF},
        {&sunset, 16, 0x353C73}, {&sunset, 32, 0xFF9707},
        {&night, 51, 0xF0F0F5},  {&night, 66, 0x0F0F69},
        {&night, 67, 0xCFDFFF},  {&night, 67 + 6 * 10 + 3, 0x565035},
        {&night, 187, 0xD4D4E9}, {&night, 187 + 48 + 2, 0x000060}};
    for (const auto& [palette, index, rgb] : cases)
        EXPECT_EQ(palette->rgb(index), rgb) << index;
    EXPECT_EQ(night.skyColours[16], night.rgb(32));
    // A total eclipse at noon is night.
    EXPECT_EQ(AnimatedAt(16384, true, 0.0).entries, night.entries);
}

TEST(SkyPalette, LineSlotsGoToTheirFixedEntries) {
    std::array<state::LineSet, state::kLineSetCount> lines{};
    lines[0] = {10, 20, 30, 0};  // slot 1 -> 4
    lines[15] = {1, 2, 3, 0};    // slot 16 -> 49
    lines[22] = {7, 8, 9, 1};    // slot 23 -> 39
    const SkyPalette palette = CreateSkyPalette(lines);
    // Reserved entries start as (0, 0, 6 i) within their range until the first animation.
    const std::pair<int, uint32_t> cases[] = {{4, 0x0A141E},  {49, 0x010203},     {39, 0x070809},
                                              {15, 0x9FFFDF}, {50, 0x6CAD97},     {44, 0},
                                              {18, 0x00000C}, {67 + 10, 0x00003C}};
    for (const auto& [index, rgb] : cases)
        EXPECT_EQ(palette.rgb(index), rgb) << index;
}

// The pen moves and lines of a run of points (x, y, visibility flag): a first point or one after
// a lift moves; two hidden points only move; a point far behind (-1) or a flag of 0 lifts; long
// segments are cut into steps truncated toward zero and drawn only within the limit.
TEST(PolylineTo, PenRulesAndLongSegments) {
    using Op = std::tuple<Kind, int, int>;
    const Kind M = Kind::MoveTo, L = Kind::LineTo;
    const struct {
        std::vector<std::tuple<int, int, int>> points;
        std::vector<Op> ops;
    } cases[] = {
        {{{0, 0, 1}, {9000, 0, 1}},
         {{M, 0, 0}, {L, 1800, 0}, {L, 3600, 0}, {M, 5400, 0}, {M, 7200, 0}, {M, 9000, 0}}},
        {{{10, 10, 0}, {20, 20, 0}, {30, 30, 5}, {40, 40, -1}, {50, 50, 5}, {0, 0, 0}, {60, 60, 5}},
         {{M, 10, 10}, {M, 20, 20}, {L, 30, 30}, {M, 50, 50}, {M, 60, 60}}},
        {{{0, 0, 1}, {-4001, 1, 1}}, {{M, 0, 0}, {L, -1333, 0}, {L, -2667, 0}, {L, -4001, 1}}},
    };
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        PolylineState state;
        for (const auto& [x, y, flag] : c.points)
            PolylineTo(canvas, state, x, y, flag);
        std::vector<Op> ops;
        for (const CanvasOp& op : canvas.ops)
            ops.emplace_back(op.kind, op.x, op.y);
        EXPECT_EQ(ops, c.ops) << c.points.size();
    }
}

TEST(FormatGridLabel, DegreesAndHours) {
    const std::tuple<int, bool, const char*> cases[] = {
        {150, true, "1h"},       {225, true, "1h30m"},      {0, true, "0h"},
        {165, true, "1h06m"},    {15, false, "1.5\u00B0"},  {10, false, "1\u00B0"},
        {5, false, "0.5\u00B0"}, {-300, false, "-30\u00B0"}};
    for (const auto& [tenths, hours, text] : cases)
        EXPECT_EQ(FormatGridLabel(tenths, hours), text) << tenths;
    EXPECT_EQ(Utf16ToUtf8(u"\u89D2\u5BBF"), "\u89D2\u5BBF");
}

TEST(DrawPolygonClipped, RejectsPolygonsBeyondOneEdge) {
    RecordingCanvas canvas;
    const Viewport viewport{100, 100};
    const Point right[] = {{101, -500}, {500, 500}, {200, 0}};
    const Point across[] = {{-500, 0}, {500, 0}, {0, 500}};
    const Point corners[] = {{101, 0}, {0, 101}, {101, 101}};  // beyond two edges, not one
    DrawPolygonClipped(canvas, viewport, right);
    DrawPolygonClipped(canvas, viewport, across);
    DrawPolygonClipped(canvas, viewport, corners);
    DrawPolygonClipped(canvas, viewport, {});
    EXPECT_EQ(canvas.OpsOf(Kind::Polygon).size(), 2u);
    // The sky background covers the whole viewport, both edges included.
    canvas.Clear();
    FillSkyBackground(canvas, Viewport{640, 400});
    ASSERT_EQ(canvas.ops.size(), 1u);
    EXPECT_EQ(std::tuple(canvas.ops[0].x, canvas.ops[0].y, canvas.ops[0].right,
                         canvas.ops[0].bottom, canvas.ops[0].colour),
              std::tuple(-640, -400, 641, 401, Colour::Index(16)));
}

TEST(ResolveColour, ModesOfTheSolarSystemLayers) {
    SkyPalette palette = CreateSkyPalette({});
    palette.entries[5] = 0x204060;
    // The last: (r, g, b) = (32, 64, 96) -> (255 - 80, 255 - 64, 255 - 64).
    const std::tuple<int, int, Colour, Colour> cases[] = {
        {0, 0, Colour::Index(5), Colour::Index(5)},
        {1, 128, Colour::Index(5), Colour::Rgb(128, 128, 128)},
        {4, 0, Colour::Index(0x31), Colour::Rgb(0, 0, 0)},
        {4, 100, Colour::Index(0x18), Colour::Rgb(100, 177, 255)},
        {4, 7, Colour::Index(70), Colour::Rgb(7, 7, 7)},
        {4, 7, Colour::Rgb(1, 2, 3), Colour::Rgb(7, 7, 7)},
        {4, 0, Colour::Index(5), Colour::Rgb(175, 191, 191)}};
    for (const auto& [mode, grey, colour, resolved] : cases)
        EXPECT_EQ(ResolveColour(mode, grey, colour, palette), resolved) << mode << " " << grey;
}

TEST(SlotFont, SlotFaceAndPrintFactor) {
    state::ViewState view;
    std::strcpy(view.fontSets[4].face, "Times New Roman");
    view.fontSets[4].size = 11;
    view.fontSets[4].italic = 1;
    const FontSpec screen = SlotFont(view, 5, kTargetScreen);
    EXPECT_EQ(std::tuple(screen.face, screen.pixelHeight, screen.italic, screen.bold),
              std::tuple("Times New Roman", 11, true, false));
    // A face that fills all 32 bytes is not read past its end.
    std::memset(view.fontSets[22].face, 'A', sizeof view.fontSets[22].face);
    EXPECT_EQ(SlotFont(view, 99, kTargetScreen).face.size(), 32u);
}

}  // namespace
}  // namespace render

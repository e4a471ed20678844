#include "render/labels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "astro/projection_tables.h"
#include "layer_fixture.h"
#include "persist/paths.h"
#include "render/fonts.h"
#include "render/print_scaling.h"
#include "render/render_sky.h"
#include "render/text_formats.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;
using persist::BlockId;

// Four bright stars: alpha with Flamsteed 58, "b" with 12, Flamsteed 61 alone, gamma-2.
struct DesignatedSky : LayerHarness {
    DesignatedSky() {
        UseStars(RowOfStars(4), 4, 4);
        SetData(BlockId::ALPHA, std::vector<persist::DesignationRecord>{
                                    Designation("*a", 58), Designation("b", 12),
                                    Designation("", 61), Designation("*c", 0, "2")});
        view.StarName = 3;
    }
};

// Bayer letters (Greek from the Symbol layout, Latin) and Flamsteed numbers by AlphaMode, each in
// its font slot; record numbers for the diagnostic mode; only stars drawn this frame and in view.
TEST(ScientificLabels, DesignationsByModeEachInItsSlot) {
    const struct {
        int starName, alphaMode, starCount;
        std::vector<std::string> texts;
    } cases[] = {
        {3, 1, 4, {"\u03B1", "\u03B32", "b"}},
        {3, 2, 4, {"58", "12", "61"}},
        {3, 3, 4, {"\u03B1", "\u03B32", "b", "61"}},
        {3, 2, 2, {"58"}},  // star 1 at x = 100 is outside the 50-pixel view
        {4, 0, 4, {"0", "1", "2", "3"}},
    };
    for (const auto& c : cases) {
        DesignatedSky h;
        h.view.StarName = c.starName;
        h.view.AlphaMode = c.alphaMode;
        h.scene.frame.starCount = c.starCount;
        if (c.starCount == 2) h.scene.frame.viewport = Viewport{50, 50};
        h.Draw(DrawStarLabels);
        EXPECT_THAT(h.Texts(), ::testing::UnorderedElementsAreArray(c.texts))
            << c.starName << " " << c.alphaMode;
    }
    DesignatedSky h;
    h.view.fontSets[kFontStarBayerGreek - 1].size = 21;
    h.view.fontSets[kFontStarBayerLatin - 1].size = 22;
    h.view.fontSets[kFontStarFlamsteed - 1].size = 23;
    h.view.AlphaMode = 3;
    h.view.DrawStarMode3 = 4;  // label offset 4
    h.Draw(DrawStarLabels);
    // Each text in the font of its slot, told apart by their sizes.
    using Drawn = std::pair<std::string, int>;
    std::vector<Drawn> drawn;
    int height = 0;
    for (const CanvasOp& op : h.canvas.ops) {
        if (op.kind == Kind::SetFont) height = op.fontHeight;
        if (op.kind == Kind::DrawText) drawn.emplace_back(op.text, height);
    }
    EXPECT_THAT(drawn, ::testing::UnorderedElementsAre(Drawn{"\u03B1", 21}, Drawn{"\u03B32", 21},
                                                       Drawn{"b", 22}, Drawn{"61", 23}));
    // Centred below the star: "b" (6 x 10 pixels) under star 1 at (100, -10).
    const auto texts = h.canvas.OpsOf(Kind::DrawText);
    const auto b =
        std::find_if(texts.begin(), texts.end(), [](auto& op) { return op.text == "b"; });
    ASSERT_NE(b, texts.end());
    EXPECT_EQ(std::pair(b->x, b->y), std::pair(100 - 3, -10 + 4));
    EXPECT_EQ(std::pair(StarLabelOffset(3, kTargetScreen), StarLabelOffset(3, kTargetColourPrint)),
              std::pair(2, 4));
}

persist::StarNameRecord Named(uint32_t star, const std::string& first, const std::string& name) {
    persist::StarNameRecord record{};
    record.star = star;
    PutText(record.second, first);
    PutText(record.name, name);
    return record;
}

// Names of the stars within the limit, first names when asked, bounded by the name count; a star
// whose record number reaches StarCount is not drawn and not labelled; one below the ground is
// hidden only while the ground is shown.
TEST(NameLabels, LatinAndFirstNamesOfTheStarsDrawn) {
    std::vector<persist::StarRecord> stars = RowOfStars(3000);
    stars[2950] = Star(1500, 20, 90, 'K');
    stars[3] = Star(300, -4500, 60, 'A');
    const struct {
        int starName, starCount;
        std::size_t names;
        bool ground;
        std::vector<std::string> texts;
    } cases[] = {
        {2, 3000, 5, false, {"Sirius", "Faint One", "Canopus", "Low"}},
        {2, 3000, 5, true, {"Sirius", "Faint One", "Canopus"}},
        {2, 2, 5, false, {"Sirius"}},
        {1, 3000, 1, false, {"First"}},
    };
    for (const auto& c : cases) {
        LayerHarness h;
        h.UseStars(stars, 2900, 3000);
        h.SetData(BlockId::STARN, std::vector<persist::StarNameRecord>{
                                      Named(1, "First", "Sirius"), Named(2950, "", "Faint One"),
                                      Named(0xFFFFFFFF, "", "Removed"), Named(2, "", "Canopus"),
                                      Named(3, "", "Low")});
        h.data.starNameCount = c.names;
        h.view.StarName = c.starName;
        h.scene.frame.starCount = c.starCount;
        h.scene.projection.horizonShown = c.ground;
        h.Draw(DrawStarLabels);
        EXPECT_EQ(h.Texts(), c.texts) << c.starName << " " << c.starCount << " " << c.ground;
        if (c.texts.size() < 3) continue;
        // The faint star beyond the bright set is placed by its own projection.
        const CanvasOp faint = h.canvas.OpsOf(Kind::DrawText)[1];
        EXPECT_EQ(std::pair(faint.x, faint.y), std::pair(1500 - 27, -20 + 3));
    }
}

TEST(NameLabels, OldChineseStarNamesAboveTheStarWithWideTextOnly) {
    LayerHarness h;
    h.UseStars(RowOfStars(5), 5, 5);
    std::vector<persist::ChineseStarNameRecord> names(4);
    names[0].star = 3;
    PutText(names[0].name, u"\u5929\u72fc");
    names[1].star = -2;  // no such star
    names[2].star = static_cast<int16_t>(0xFFFF);
    names[3].star = 4;  // after the end record
    PutText(names[3].name, u"\u5341");
    h.SetData(BlockId::SKUSU, names);
    h.view.ShukuStar = 1;
    h.view.UnicodeText = false;
    h.Draw(DrawStarLabels);
    EXPECT_TRUE(h.canvas.ops.empty());

    h.view.UnicodeText = true;
    h.Draw(DrawStarLabels);
    const auto texts = h.canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    // The bottom 3 pixels above star 3, in the colour and font of slot 20.
    EXPECT_EQ(std::tuple(texts[0].text, texts[0].y, h.canvas.OpsOf(Kind::SetTextColour)[0].colour,
                         h.canvas.OpsOf(Kind::SetFont)[0].fontHeight),
              std::tuple("\xE5\xA4\xA9\xE7\x8B\xBC", -30 - 3 - 10, Colour::Index(38), 10));
}

// Bayer letters come through the Symbol font's layout; codes past its Greek letters give nothing.
TEST(Fonts, GreekLettersFromTheSymbolLayout) {
    // Gamma is the Symbol face's 'g', theta its 'q'; sigma follows rho.
    const std::pair<char, const char*> letters[] = {
        {'a', "\u03B1"}, {'c', "\u03B3"}, {'h', "\u03B8"}, {'r', "\u03C3"},
        {'x', "\u03C9"}, {'y', ""},       {'*', ""}};
    for (const auto& [letter, text] : letters)
        EXPECT_EQ(GreekLetterText(letter), text) << letter;
    EXPECT_EQ(SymbolCharacterToUnicode('c'), U'\u03C7');
    EXPECT_EQ(SymbolCharacterToUnicode('1'), U'1');
}

struct FooterSky : LayerHarness {
    FooterSky() {
        view.clock = state::CivilClock{2026, 12, 6, 22, 5};
        view.Ido2 = 407;
        view.Keido2 = 740;
        view.Keisanji = 0;
        std::vector<state::CityRecord> cities(2);
        PutText(cities[1].name, "New York");
        PutText(cities[1].country, "USA");
        SetData(BlockId::CITY, cities);
        scene.frame.viewport = Viewport{2000, 1500};
    }
};

TEST(PrintFooter, ZoneOfTheTimeModeAndTwoBoxedTextsInTheBottomCorners) {
    FooterSky h;
    h.view.TimeZone = -300;
    EXPECT_EQ(ObservationText(h.scene),
              "40.7\u00B0N\u00B774.0\u00B0W  Dec 06,  2026  22:05 (GMT-5)");
    h.view.TimeZone = 330;
    h.view.CurrentCity = 1;
    EXPECT_EQ(ObservationText(h.scene),
              "New York / USA  40.7\u00B0N\u00B774.0\u00B0W  Dec 06,  2026  22:05 (GMT+5:30)");
    h.view.Keisanji = 1;  // Greenwich time, with daylight saving
    h.view.Dst = 1;
    EXPECT_NE(ObservationText(h.scene).find("(GMT+1)"), std::string::npos);
    // Printed: two boxed texts in the bottom corners of the page.
    h.view = FooterSky().view;
    h.view.TimeZone = -300;
    h.scene.frame.bodyColourMode = 4;
    h.Draw(DrawPrintFooter, kTargetColourPrint);
    const auto texts = h.canvas.OpsOf(Kind::DrawText);
    const auto boxes = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(texts.size(), 2u);
    ASSERT_EQ(boxes.size(), 2u);
    // Slot 16 at k = 4, a black pen 4 wide, white boxes.
    EXPECT_EQ(
        std::tuple(h.canvas.OpsOf(Kind::SetFont)[0].fontHeight, h.canvas.OpsOf(Kind::SetPen)[0].pen,
                   h.canvas.OpsOf(Kind::SetBrush)[0].brush.colour),
        std::tuple(4 * 12, Pen{Colour::Rgb(0, 0, 0), 4, PenStyle::Solid},
                   Colour::Rgb(255, 255, 255)));

    // "Printed by Planetarium": 22 characters, 132 x 10 pixels on the recording canvas.
    EXPECT_EQ(std::tuple(texts[0].text, texts[0].x, texts[0].y),
              std::tuple("Printed by Planetarium", 2000 - 132 - 75, 1500 - 10 - 75));
    EXPECT_EQ(boxes[0].points,
              (std::vector<Point>{{1768, 1390}, {1949, 1390}, {1949, 1449}, {1768, 1449}}));

    const int w = static_cast<int>(texts[1].text.size()) * 6;
    EXPECT_NE(texts[1].text.find("(GMT-5)"), std::string::npos);
    EXPECT_EQ(std::tuple(texts[1].x, texts[1].y, boxes[1].points.front(), boxes[1].points[2]),
              std::tuple(75 - 2000, 1500 - 10 - 75, Point{50 - 2000, 1390},
                         Point{w - 2000 + 100 - 1, 1449}));

    h.Draw(DrawPrintFooter, kTargetScreen);
    EXPECT_TRUE(h.canvas.ops.empty());
}

// An 800 x 1000 screen at Zoom 80 has 2000 x 2500 half extents before fitting: on a landscape
// page it keeps its height and widens; a wide view on a portrait page keeps its width. A page of
// no size still gives a picture.
TEST(PrintScaling, TheViewKeepsItsShorterSideAndGrowsToThePage) {
    const std::tuple<int, int, int, int, int, int, int> cases[] = {
        {80, 800, 1000, 3000, 2000, 3750, 2500},
        {100, 1280, 800, 2000, 3000, 3200, 4800},
        {80, 1280, 800, 1280, 800, 3200, 2000}};
    for (const auto& [zoom, width, height, pageWidth, pageHeight, halfWidth, halfHeight] : cases) {
        const PrintScaling s = ComputePrintScaling(zoom, width, height, pageWidth, pageHeight);
        EXPECT_EQ(std::pair(s.halfWidth, s.halfHeight), std::pair(halfWidth, halfHeight)) << width;
    }
    EXPECT_EQ(ComputePrintScaling(80, 800, 1000, 3000, 2000).zoom, 400);
    const PrintScaling empty = ComputePrintScaling(80, 1280, 800, 0, 0);
    EXPECT_TRUE(empty.halfWidth > 0 && empty.halfHeight > 0);
}

TEST(TextFormats, ZonesDatesAndTimes) {
    for (const auto& [minutes, text] :
         {std::pair{-300, "GMT-5"}, {330, "GMT+5:30"}, {0, "GMT+0"}, {-45, "GMT-0:45"}})
        EXPECT_EQ(ZoneText(minutes), text);
    EXPECT_EQ(ZoneText(INT_MIN).substr(0, 4), "GMT-");  // no overflow
    // The zone of each time mode, the system's with its daylight hour.
    state::ViewState view;
    view.TimeZone = 540;
    view.SystemZone = -480;
    for (const auto& [mode, dst, zone] :
         {std::tuple{0, 0, 540}, {1, 0, 0}, {2, 0, -480}, {3, 1, -420}}) {
        view.Keisanji = mode;
        view.Dst = dst;
        EXPECT_EQ(TimeModeZone(view), zone) << mode;
    }
    EXPECT_EQ(ZoneText(view), "GMT-7");
    EXPECT_EQ(DateText(state::CivilClock{2026, 1, 5, 7, 5}), "Jan 05,  2026");
    EXPECT_EQ(DateText(state::CivilClock{-1200, 12, 31, 0, 0}), "Dec 31, -1200");
    EXPECT_EQ(TimeText(state::CivilClock{2026, 1, 5, 7, 5}), " 07:05");
}

// The built-in city by its index, a user place from 10000, nothing for indices not in the lists.
TEST(TextFormats, LocationWithCityOrUserPlaceAndHemispheres) {
    state::ViewState view;
    state::AppOptions options;
    view.Ido2 = -339;
    view.Keido2 = -1512;
    options.UserCitys = 1;
    std::strcpy(options.userCities[0].name, "Home");
    const BuiltinCityLookup lookup = [](int index) -> std::optional<state::CityRecord> {
        state::CityRecord sydney;
        std::strcpy(sydney.name, "Sydney");
        return index == 7 ? std::optional(sydney) : std::nullopt;
    };
    const std::string place = "33.9\u00B0S\u00B7151.2\u00B0E";
    for (const auto& [city, prefix] :
         {std::pair{-1, ""}, {7, "Sydney  "}, {8, ""}, {10000, "Home  "}, {10001, ""}}) {
        view.CurrentCity = city;
        EXPECT_EQ(LocationText(view, options, lookup), prefix + place) << city;
    }
}

TEST(TextFormats, CityNamesWithAndWithoutCountry) {
    state::CityRecord city;
    std::strcpy(city.name, "Paris");
    EXPECT_EQ(CityNameText(city), "Paris");
    std::strcpy(city.country, "France");
    EXPECT_EQ(CityNameText(city), "Paris / France");
    // A name that fills its field without a terminator stops at the field.
    std::memset(city.name, 'A', sizeof city.name);
    EXPECT_EQ(CityNameText(city), std::string(32, 'A') + " / France");
    // The built-in cities come from the CITY block, bounds checked.
    persist::DataSet data;
    EXPECT_FALSE(CityBlockLookup(&data));
    EXPECT_FALSE(CityBlockLookup(nullptr));
    std::vector<char> cityBytes(80 + 40);  // one record and a half
    std::strcpy(cityBytes.data(), "Oslo");
    SetBlock(data.block(persist::BlockId::CITY), cityBytes);
    const BuiltinCityLookup lookup = CityBlockLookup(&data);
    ASSERT_TRUE(lookup);
    ASSERT_TRUE(lookup(0).has_value());
    EXPECT_STREQ(lookup(0)->name, "Oslo");
    EXPECT_FALSE(lookup(1).has_value());
    EXPECT_FALSE(lookup(-1).has_value());
}

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
    std::vector<std::string> expected;
    for (const Case& c : cases)
        if (c.kept) expected.push_back(c.text);
    EXPECT_EQ(TextsOf(canvas), expected);
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
        for (const CanvasOp& op : canvas.OpsOf(Kind::DrawText))
            boxes.push_back({op.x, op.y, op.x + static_cast<int>(op.text.size()) * 6, op.y + 10});
        const std::vector<std::string> texts = TextsOf(canvas);
        int overlaps = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                overlaps += boxes[i].overlaps(boxes[j]) ? 1 : 0;
        return std::tuple<int, int, int>(overlaps, std::ranges::count(texts, "Rigil Kentaurus"),
                                         std::ranges::count(texts, "Toliman"));
    };
    EXPECT_EQ(std::get<0>(frame(838, 0, 160)), 0);
    EXPECT_EQ(frame(2199, -608, 300), std::tuple(0, 1, 0));
    view.KasanariYoke = 0;
    EXPECT_GT(std::get<0>(frame(838, 0, 160)), 10);
}

}  // namespace
}  // namespace render

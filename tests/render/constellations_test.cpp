#include "render/constellations.h"

#include <gtest/gtest.h>

#include <random>

#include "layer_fixture.h"
#include "persist/records/sky_records.h"
#include "render/labels.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;
using persist::BlockId;
using Segment = std::pair<Point, Point>;

std::vector<int16_t> Path(std::initializer_list<int> values) {
    std::vector<int16_t> path;
    for (int v : values)
        path.push_back(static_cast<int16_t>(v));
    return path;
}

std::vector<persist::SkyPoint> Pairs(std::initializer_list<std::pair<int, int>> values) {
    std::vector<persist::SkyPoint> pairs;
    for (auto [lon, lat] : values)
        pairs.push_back(persist::SkyPoint{static_cast<int16_t>(lon), static_cast<int16_t>(lat)});
    return pairs;
}

TEST(StarPaths, PenUpSplitsTheFigureAndTheEndMarkStopsIt) {
    LayerHarness h;
    h.UseStars(RowOfStars(30), 30, 30);
    h.SetData(BlockId::LINE, Path({5, 9, 10000, 12, 14, 20000, 3, 4}));
    LayerContext layer = h.layer();
    DrawConstellationLines(layer);
    EXPECT_EQ(h.Segments(),
              (std::vector<Segment>{{StarAt(5), StarAt(9)}, {StarAt(12), StarAt(14)}}));
}

TEST(StarPaths, EachBlockHasItsSlotPenAndWidth) {
    LayerHarness h;
    h.UseStars(RowOfStars(10), 10, 10);
    h.view.lineSets[17].style = 1;  // asterism lines dotted
    h.scene.frame.linePenWidth = 4;
    const auto path = Path({1, 2, 20000});
    h.SetData(BlockId::LINE, path);
    h.SetData(BlockId::KISETU, path);
    h.SetData(BlockId::SKULI, path);
    LayerContext layer = h.layer(kTargetColourPrint);
    DrawConstellationLines(layer);
    DrawAsterismLines(layer);
    DrawOldChineseLines(layer);
    const auto pens = h.canvas.OpsOf(Kind::SetPen);
    ASSERT_EQ(pens.size(), 3u);
    EXPECT_EQ(pens[0].pen, (Pen{Colour::Index(4), 4, PenStyle::Solid}));
    EXPECT_EQ(pens[1].pen, (Pen{Colour::Index(34), 4, PenStyle::Dot}));
    EXPECT_EQ(pens[2].pen, (Pen{Colour::Index(36), 4, PenStyle::Solid}));
    EXPECT_EQ(h.Segments().size(), 3u);

    // Monochrome paper draws black.
    h.canvas.Clear();
    LayerContext paper = h.layer(kTargetMonochromePrint);
    DrawConstellationLines(paper);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen.colour, Colour::Rgb(0, 0, 0));
}

TEST(StarPaths, FaintStarOutsideTheProjectedSetIsPlacedWithProperMotion) {
    LayerHarness h;
    std::vector<persist::StarRecord> stars = RowOfStars(3000);
    stars[2950] = Star(1000, 500, 80, 'G', 5000, -3000);
    h.view.KoyuKeisan = 1;
    h.scene.projection.properMotionDecades = -10;  // the year 1900
    // Magnitude 4 limit: the frame projects the first 2859 stars only.
    h.UseStars(stars, 3000, 480);
    // A stale entry from an earlier, deeper frame must not be used.
    h.scene.starScreen.resize(3000);
    h.scene.starScreen[2950] = StarScreen{7, 7, 100};
    h.SetData(BlockId::LINE, Path({1, 2950, 20000}));
    LayerContext layer = h.layer();
    DrawConstellationLines(layer);
    // lon - 5000 x (-10) / 10000 = 1005, lat - (-3000) x (-10) / 10000 = 497.
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{StarAt(1), Point{1005, -497}}}));
}

TEST(StarPaths, StarsProjectedThisFrameComeFromTheStarScreen) {
    LayerHarness h;
    h.UseStars(RowOfStars(10), 10, 10);
    h.scene.starScreen[3] = StarScreen{-42, 17, 100};
    h.SetData(BlockId::LINE, Path({2, 3, 20000}));
    LayerContext layer = h.layer();
    DrawConstellationLines(layer);
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{StarAt(2), Point{-42, 17}}}));
}

TEST(StarPaths, BadStarNumbersLiftThePenAndAnUnendedBlockStopsAtItsEnd) {
    LayerHarness h;
    h.UseStars(RowOfStars(10), 10, 10);
    // 32000 and -7 are no STAR2 records; no 20000 at the end; a stray odd byte.
    std::vector<int16_t> path = Path({1, 2, 32000, 3, 4, -7, 5, 6});
    h.SetData(BlockId::SKULI, path);
    h.data.block(BlockId::SKULI).size += 1;
    LayerContext layer = h.layer();
    DrawOldChineseLines(layer);
    EXPECT_EQ(h.Segments(),
              (std::vector<Segment>{
                  {StarAt(1), StarAt(2)}, {StarAt(3), StarAt(4)}, {StarAt(5), StarAt(6)}}));
}

TEST(StarPaths, PointsBehindTheViewerLiftThePenButBelowTheHorizonAreDrawn) {
    LayerHarness h;
    std::vector<persist::StarRecord> stars = RowOfStars(10);
    stars[2] = Star(25000, 0, 60, 'A');    // behind
    stars[4] = Star(400, -4100, 60, 'A');  // below the horizon
    h.UseStars(stars, 10, 10);
    h.scene.projection.horizonShown = true;
    h.SetData(BlockId::LINE, Path({1, 2, 3, 4, 20000}));
    LayerContext layer = h.layer();
    DrawConstellationLines(layer);
    // Nothing joins star 1 to the point behind or that point to star 3; the long segment down
    // to star 4 is drawn (in steps of at most 2000 pixels).
    const auto segments = h.Segments();
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().first, StarAt(3));
    EXPECT_EQ(segments.back().second, (Point{400, 4100}));
    for (const Segment& s : segments)
        EXPECT_NE(s.first, StarAt(1));
}

TEST(StarPaths, AFigureNeverContinuesThePreviousLayersLine) {
    LayerHarness h;
    h.UseStars(RowOfStars(10), 10, 10);
    h.scene.polyline = PolylineState{Point{-300, -300}, 100, true};
    h.SetData(BlockId::LINE, Path({1, 2, 20000}));
    LayerContext layer = h.layer();
    DrawConstellationLines(layer);
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{StarAt(1), StarAt(2)}}));
}

TEST(StarPaths, MissingBlockOrDataSetDrawsNothing) {
    LayerHarness h;
    h.UseStars(RowOfStars(10), 10, 10);
    LayerContext layer = h.layer();
    DrawConstellationLines(layer);
    h.scene.data = nullptr;
    DrawAsterismLines(layer);
    EXPECT_TRUE(h.canvas.ops.empty());
}

TEST(Outlines, TwoPenUpPairsLiftOnceAndEndTheBlock) {
    LayerHarness h;
    h.SetData(BlockId::KAI, Pairs({{100, 0},
                                   {200, 0},
                                   {-1, 0},
                                   {300, 0},
                                   {400, 10},
                                   {-1, 0},
                                   {-1, 0},
                                   {500, 0},
                                   {600, 0}}));
    LayerContext layer = h.layer();
    DrawConstellationBoundaries(layer);
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{Point{100, 0}, Point{200, 0}},
                                                  {Point{300, 0}, Point{400, -10}}}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen, (Pen{Colour::Index(3), 0, PenStyle::Dot}));
}

TEST(Outlines, PicturesWithoutEndMarksStopAtTheBlockEnd) {
    LayerHarness h;
    h.SetData(BlockId::PIC, Pairs({{100, 0}, {200, 0}, {-1, 0}, {300, 0}, {400, 0}}));
    h.data.block(BlockId::PIC).size -= 2;  // the last pair cut in half
    LayerContext layer = h.layer();
    DrawConstellationPictures(layer);
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{Point{100, 0}, Point{200, 0}}}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen, (Pen{Colour::Index(0), 0, PenStyle::Dot}));
}

// Three constellations: one in front, one below the horizon, one behind the viewer.
void AddWesternNames(LayerHarness& h) {
    std::vector<persist::ConstellationNameRecord> names(3);
    PutText(names[0].popular, "Hunter");
    PutText(names[0].scientific, "Orion");
    PutText(names[0].code, "Ori");
    PutText(names[1].popular, "Whale");
    PutText(names[1].scientific, "Cetus");
    PutText(names[1].code, "Cet");
    PutText(names[2].popular, "Twins");
    PutText(names[2].scientific, "Gemini");
    PutText(names[2].code, "Gem");
    h.SetData(BlockId::SEIZA, names);
    h.SetData(BlockId::SEIZAZ, Pairs({{100, 200}, {300, -5000}, {25000, 0}}));
}

TEST(FigureNames, ConstellationNamesFollowTheNamingModeAndItsFontSlot) {
    LayerHarness h;
    AddWesternNames(h);
    h.view.fontSets[2].size = 15;  // slot 3, the code names
    h.view.Constella = 3;
    LayerContext layer = h.layer();
    DrawConstellationNames(layer);
    const auto fonts = h.canvas.OpsOf(Kind::SetFont);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].text, "Arial");
    EXPECT_EQ(fonts[0].fontHeight, 15);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetTextColour)[0].colour, Colour::Index(7));
    // Centred on the point: 3 characters of 6 x 10 pixels.
    const auto texts = h.canvas.OpsOf(Kind::DrawText);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Ori", "Cet"}));
    EXPECT_EQ(texts[0].x, 100 - 9);
    EXPECT_EQ(texts[0].y, -200 - 5);

    h.canvas.Clear();
    h.view.Constella = 2;
    DrawConstellationNames(layer);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Orion", "Cetus"}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont)[0].fontHeight, 13);

    h.canvas.Clear();
    h.view.Constella = 0;
    DrawConstellationNames(layer);
    EXPECT_TRUE(h.canvas.ops.empty());
}

TEST(FigureNames, LabelBelowTheHorizonIsHiddenOnlyWhileTheGroundIsShown) {
    LayerHarness h;
    AddWesternNames(h);
    h.view.Constella = 1;
    h.scene.projection.horizonShown = true;
    LayerContext layer = h.layer();
    DrawConstellationNames(layer);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Hunter"}));
    h.canvas.Clear();
    h.scene.projection.horizonShown = false;
    DrawConstellationNames(layer);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Hunter", "Whale"}));
}

TEST(FigureNames, AsterismNamesEndAtTheEndRecordOrTheBlockEnd) {
    LayerHarness h;
    std::vector<persist::AsterismNameRecord> names(3);
    names[0] = {100, 0, {}};
    PutText(names[0].name, "Summer Triangle");
    names[1] = {static_cast<int16_t>(0xFFFF), 0, {}};
    names[2] = {200, 0, {}};
    PutText(names[2].name, "After The End");
    h.SetData(BlockId::KISEN, names);
    h.view.KisetuName = 1;
    LayerContext layer = h.layer();
    DrawAsterismNames(layer);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Summer Triangle"}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetTextColour)[0].colour, Colour::Index(35));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont)[0].fontHeight, 13);  // slot 18

    // Without its end record the list stops with the block; a 20-character name is cut at its
    // field.
    h.canvas.Clear();
    names.resize(1);
    PutText(names[0].name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    h.SetData(BlockId::KISEN, names);
    DrawAsterismNames(layer);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"ABCDEFGHIJKLMNOPQRST"}));
}

TEST(FigureNames, OldChineseNamesNeedWideTextAndAreDrawnFromUtf16) {
    LayerHarness h;
    std::vector<persist::ChineseAsterismNameRecord> names(2);
    names[0] = {100, 0, {}};
    PutText(names[0].name, u"\u5929\u6d25");  // Tianjin
    names[1] = {200, -5000, {}};
    PutText(names[1].name, u"\u5341");
    h.SetData(BlockId::SKUNU, names);  // no end record
    h.view.ShukuName = 1;
    h.view.UnicodeText = false;
    LayerContext layer = h.layer();
    DrawOldChineseNames(layer);
    EXPECT_TRUE(h.canvas.ops.empty());

    h.view.UnicodeText = true;
    DrawOldChineseNames(layer);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"\xE5\xA4\xA9\xE6\xB4\xA5", "\xE5\x8D\x81"}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont)[0].text, "Tahoma");  // slot 19
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetTextColour)[0].colour, Colour::Index(37));
}

TEST(FigureNames, NamesUseFourfoldFontsOnPaper) {
    LayerHarness h;
    AddWesternNames(h);
    h.view.Constella = 1;
    LayerContext layer = h.layer(kTargetColourPrint);
    DrawConstellationNames(layer);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont)[0].fontHeight, 4 * 13);
}

TEST(BadBlocks, RandomBytesInEveryFigureAndLabelBlockAreDrawnSafely) {
    std::mt19937 rng(3);
    for (int round = 0; round < 60; ++round) {
        LayerHarness h;
        h.UseStars(RowOfStars(40), 30, 35);
        for (BlockId id : {BlockId::LINE, BlockId::KISETU, BlockId::SKULI, BlockId::PIC,
                           BlockId::KAI, BlockId::SEIZA, BlockId::SEIZAZ, BlockId::KISEN,
                           BlockId::SKUNU, BlockId::SKUSU, BlockId::STARN, BlockId::ALPHA}) {
            std::vector<uint8_t> bytes(rng() % 400);
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(rng());
            h.SetData(id, bytes);
        }
        h.data.starNameCount = 1000;  // more than the block holds
        h.view.Constella = 1 + round % 3;
        h.view.ShukuName = 1;
        h.view.ShukuStar = 1;
        h.view.StarName = round % 5;
        h.view.AlphaMode = round % 4;
        LayerContext layer = h.layer();
        DrawConstellationPictures(layer);
        DrawConstellationBoundaries(layer);
        DrawConstellationLines(layer);
        DrawOldChineseLines(layer);
        DrawAsterismLines(layer);
        DrawOldChineseNames(layer);
        DrawConstellationNames(layer);
        DrawAsterismNames(layer);
        DrawStarLabels(layer);
        for (const CanvasOp& op : h.canvas.OpsOf(Kind::LineTo)) {
            ASSERT_LE(std::abs(op.x), 4999);
            ASSERT_LE(std::abs(op.y), 4999);
        }
    }
}

}  // namespace
}  // namespace render

#include "render/constellations.h"

#include <gtest/gtest.h>

#include <functional>

#include "layer_fixture.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;
using persist::BlockId;
using Segment = std::pair<Point, Point>;

using Path = std::vector<int16_t>;

// Star paths over a row of thirty stars: pen-ups split a figure and the end mark stops it; stars
// projected this frame come from the star screen; numbers that are no STAR2 record lift the pen;
// a block without its end mark (and with a stray odd byte) stops at its end; a figure never
// continues the previous layer's line; no block or no data set draws nothing.
TEST(StarPaths, PenUpsEndMarksAndBadStarNumbers) {
    const struct {
        persist::BlockId block;
        std::vector<int16_t> path;
        std::function<void(LayerHarness&)> setUp;
        std::vector<Segment> segments;
    } cases[] = {
        {BlockId::LINE,
         Path{5, 9, 10000, 12, 14, 20000, 3, 4},
         {},
         {{StarAt(5), StarAt(9)}, {StarAt(12), StarAt(14)}}},
        {BlockId::LINE,
         Path{2, 3, 20000},
         [](LayerHarness& h) {
             h.scene.starScreen[3] = StarScreen{-42, 17, 100};
         },
         {{StarAt(2), Point{-42, 17}}}},
        {BlockId::SKULI,
         Path{1, 2, 32000, 3, 4, -7, 5, 6},
         [](LayerHarness& h) { h.data.block(BlockId::SKULI).size += 1; },
         {{StarAt(1), StarAt(2)}, {StarAt(3), StarAt(4)}, {StarAt(5), StarAt(6)}}},
        {BlockId::LINE,
         Path{1, 2, 20000},
         [](LayerHarness& h) {
             h.scene.polyline = PolylineState{Point{-300, -300}, 100, true};
         },
         {{StarAt(1), StarAt(2)}}},
        {BlockId::KISETU, Path{1, 2, 20000}, {}, {}},
        {BlockId::LINE, Path{1, 2, 20000}, [](LayerHarness& h) { h.scene.data = nullptr; }, {}},
    };
    for (const auto& c : cases) {
        LayerHarness h;
        h.UseStars(RowOfStars(30), 30, 30);
        h.SetData(c.block, c.path);
        if (c.setUp) c.setUp(h);
        LayerContext layer = h.layer();
        DrawConstellationLines(layer);
        DrawOldChineseLines(layer);
        EXPECT_EQ(h.Segments(), c.segments) << persist::BlockKey(c.block);
    }
}

TEST(StarPaths, EachBlockHasItsSlotPenAndWidth) {
    LayerHarness h;
    h.UseStars(RowOfStars(10), 10, 10);
    h.view.lineSets[17].style = 1;  // asterism lines dotted
    h.scene.frame.linePenWidth = 4;
    const auto path = Path{1, 2, 20000};
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
    h.Draw(DrawConstellationLines, kTargetMonochromePrint);
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
    h.SetData(BlockId::LINE, Path{1, 2950, 20000});
    h.Draw(DrawConstellationLines);
    // lon - 5000 x (-10) / 10000 = 1005, lat - (-3000) x (-10) / 10000 = 497.
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{StarAt(1), Point{1005, -497}}}));
}

TEST(StarPaths, PointsBehindTheViewerLiftThePenButBelowTheHorizonAreDrawn) {
    LayerHarness h;
    std::vector<persist::StarRecord> stars = RowOfStars(10);
    stars[2] = Star(25000, 0, 60, 'A');    // behind
    stars[4] = Star(400, -4100, 60, 'A');  // below the horizon
    h.UseStars(stars, 10, 10);
    h.scene.projection.horizonShown = true;
    h.SetData(BlockId::LINE, Path{1, 2, 3, 4, 20000});
    h.Draw(DrawConstellationLines);
    // Nothing joins star 1 to the point behind or that point to star 3; the long segment down
    // to star 4 is drawn (in steps of at most 2000 pixels).
    const auto segments = h.Segments();
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().first, StarAt(3));
    EXPECT_EQ(segments.back().second, (Point{400, 4100}));
    for (const Segment& s : segments)
        EXPECT_NE(s.first, StarAt(1));
}

// Boundaries: two pen-up pairs lift once and end the block. Pictures without end marks stop at
// the block's end (here cut in the middle of its last pair).
TEST(Outlines, PenUpPairsAndTheBlockEnd) {
    LayerHarness h;
    const std::vector<std::pair<int, int>> boundaries = {
        {100, 0}, {200, 0}, {-1, 0}, {300, 0}, {400, 10}, {-1, 0}, {-1, 0}, {500, 0}, {600, 0}};
    h.SetData(BlockId::KAI, Pairs(boundaries));
    h.SetData(BlockId::PIC, Pairs({{100, 0}, {200, 0}, {-1, 0}, {300, 0}, {400, 0}}));
    h.data.block(BlockId::PIC).size -= 2;
    h.Draw(DrawConstellationBoundaries);
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{Point{100, 0}, Point{200, 0}},
                                                  {Point{300, 0}, Point{400, -10}}}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen, (Pen{Colour::Index(3), 0, PenStyle::Dot}));
    h.Draw(DrawConstellationPictures);
    EXPECT_EQ(h.Segments(), (std::vector<Segment>{{Point{100, 0}, Point{200, 0}}}));
}

// Three constellations: one in front, one below the horizon, one behind the viewer.
void AddWesternNames(LayerHarness& h) {
    h.SetData(BlockId::SEIZA, std::vector{ConstellationName("Hunter", "Orion", "Ori"),
                                          ConstellationName("Whale", "Cetus", "Cet"),
                                          ConstellationName("Twins", "Gemini", "Gem")});
    h.SetData(BlockId::SEIZAZ, Pairs({{100, 200}, {300, -5000}, {25000, 0}}));
}

// Centred on the point (3 characters of 6 x 10 pixels), in the slot of the naming mode, four
// times taller on paper; a label below the horizon is hidden only while the ground is shown.
TEST(FigureNames, ConstellationNamesFollowTheNamingModeAndItsFontSlot) {
    LayerHarness h;
    AddWesternNames(h);
    h.view.fontSets[2].size = 15;  // slot 3, the code names
    const struct {
        int mode, target;
        bool ground;
        std::vector<std::string> texts;
        int fontHeight;
    } cases[] = {
        {3, kTargetScreen, false, {"Ori", "Cet"}, 15},
        {2, kTargetScreen, false, {"Orion", "Cetus"}, 13},
        {1, kTargetScreen, true, {"Hunter"}, 13},
        {1, kTargetColourPrint, false, {"Hunter", "Whale"}, 4 * 13},
        {0, kTargetScreen, false, {}, 0},
    };
    for (const auto& c : cases) {
        h.view.Constella = c.mode;
        h.scene.projection.horizonShown = c.ground;
        h.Draw(DrawConstellationNames, c.target);
        EXPECT_EQ(h.Texts(), c.texts) << c.mode;
        if (c.texts.empty()) continue;
        EXPECT_EQ(h.canvas.OpsOf(Kind::SetFont).at(0).fontHeight, c.fontHeight) << c.mode;
    }
    h.view.Constella = 3;
    h.Draw(DrawConstellationNames);
    const CanvasOp ori = h.canvas.OpsOf(Kind::DrawText).at(0);
    EXPECT_EQ(std::pair(ori.x, ori.y), std::pair(100 - 9, -200 - 5));
}

TEST(FigureNames, AsterismNamesEndAtTheEndRecordOrTheBlockEndAndChineseNamesNeedWideText) {
    LayerHarness h;
    std::vector<persist::AsterismNameRecord> names(3);
    names[0] = {100, 0, {}};
    PutText(names[0].name, "Summer Triangle");
    names[1] = {static_cast<int16_t>(0xFFFF), 0, {}};
    names[2] = {200, 0, {}};
    PutText(names[2].name, "After The End");
    h.SetData(BlockId::KISEN, names);
    h.view.KisetuName = 1;
    h.Draw(DrawAsterismNames);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"Summer Triangle"}));

    // Without its end record the list stops with the block; a 20-character name is cut at its
    // field.
    names.resize(1);
    PutText(names[0].name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    h.SetData(BlockId::KISEN, names);
    h.Draw(DrawAsterismNames);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"ABCDEFGHIJKLMNOPQRST"}));
    // Old Chinese names need wide text and are drawn from UTF-16.
    std::vector<persist::ChineseAsterismNameRecord> chinese(2);
    chinese[0] = {100, 0, {}};
    PutText(chinese[0].name, u"\u5929\u6d25");  // Tianjin
    chinese[1] = {200, -5000, {}};
    PutText(chinese[1].name, u"\u5341");
    h.SetData(BlockId::SKUNU, chinese);  // no end record
    h.view.ShukuName = 1;
    h.view.UnicodeText = false;
    h.Draw(DrawOldChineseNames);
    EXPECT_TRUE(h.canvas.ops.empty());

    h.view.UnicodeText = true;
    h.Draw(DrawOldChineseNames);
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"\xE5\xA4\xA9\xE6\xB4\xA5", "\xE5\x8D\x81"}));
}

}  // namespace
}  // namespace render

#include "render/primitives.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "render/fonts.h"
#include "render/palette.h"
#include "render/recording_canvas.h"

namespace render {
namespace {

using Kind = CanvasOp::Kind;

TEST(PolylineTo, LongSegmentIsSubdividedAndDrawnOnlyInsideTheLimit) {
    RecordingCanvas canvas;
    PolylineState state;
    PolylineTo(canvas, state, 0, 0, 1);
    PolylineTo(canvas, state, 9000, 0, 1);
    ASSERT_EQ(canvas.ops.size(), 6u);
    EXPECT_EQ(canvas.ops[0].kind, Kind::MoveTo);
    const int xs[] = {1800, 3600, 5400, 7200, 9000};
    const Kind kinds[] = {Kind::LineTo, Kind::LineTo, Kind::MoveTo, Kind::MoveTo, Kind::MoveTo};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(canvas.ops[i + 1].kind, kinds[i]) << i;
        EXPECT_EQ(canvas.ops[i + 1].x, xs[i]);
        EXPECT_EQ(canvas.ops[i + 1].y, 0);
    }
}

TEST(PolylineTo, PenUpRulesAndHiddenPairs) {
    RecordingCanvas canvas;
    PolylineState state;
    PolylineTo(canvas, state, 10, 10, 0);   // first point: move
    PolylineTo(canvas, state, 20, 20, 0);   // both hidden: move only
    PolylineTo(canvas, state, 30, 30, 5);   // one visible: line
    PolylineTo(canvas, state, 40, 40, -1);  // far behind: lift, remember
    PolylineTo(canvas, state, 50, 50, 5);   // after a lift: move
    PolylineTo(canvas, state, 0, 0, 0);     // explicit lift
    PolylineTo(canvas, state, 60, 60, 5);   // move again
    ASSERT_EQ(canvas.ops.size(), 5u);
    EXPECT_EQ(canvas.ops[0].kind, Kind::MoveTo);
    EXPECT_EQ(canvas.ops[1].kind, Kind::MoveTo);
    EXPECT_EQ(canvas.ops[2].kind, Kind::LineTo);
    EXPECT_EQ(canvas.ops[2].x, 30);
    EXPECT_EQ(canvas.ops[3].kind, Kind::MoveTo);
    EXPECT_EQ(canvas.ops[3].x, 50);
    EXPECT_EQ(canvas.ops[4].kind, Kind::MoveTo);
    EXPECT_EQ(canvas.ops[4].x, 60);
}

TEST(PolylineTo, NegativeStepsTruncateTowardZero) {
    RecordingCanvas canvas;
    PolylineState state;
    PolylineTo(canvas, state, 0, 0, 1);
    PolylineTo(canvas, state, -4001, 1, 1);  // three steps: -1333, -2667, -4001
    ASSERT_EQ(canvas.ops.size(), 4u);
    EXPECT_EQ(canvas.ops[1].x, -1333);
    EXPECT_EQ(canvas.ops[1].y, 0);
    EXPECT_EQ(canvas.ops[2].x, -2667);
    EXPECT_EQ(canvas.ops[3].x, -4001);
    EXPECT_EQ(canvas.ops[3].y, 1);
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

TEST(DrawText8, AnchorsAndRejection) {
    RecordingCanvas canvas;  // measures 6 x 10 per character
    const Viewport viewport{100, 50};
    DrawText8(canvas, viewport, 10, 20, 3, "abcd");   // top 3 below
    DrawText8(canvas, viewport, 10, 20, 0, "abcd");   // centred
    DrawText8(canvas, viewport, 10, 20, -3, "abcd");  // bottom 3 above
    DrawText8(canvas, viewport, 101, 0, 0, "x");      // anchor outside
    DrawText8(canvas, viewport, 0, 0, 0, "");
    const auto texts = canvas.OpsOf(Kind::DrawText);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].x, -2);
    EXPECT_EQ(texts[0].y, 23);
    EXPECT_EQ(texts[1].y, 15);
    EXPECT_EQ(texts[2].y, 7);
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
    EXPECT_EQ(ResolveColour(0, 0, Colour::Index(5), palette), Colour::Index(5));
    EXPECT_EQ(ResolveColour(1, 128, Colour::Index(5), palette), Colour::Rgb(128, 128, 128));
    EXPECT_EQ(ResolveColour(4, 0, Colour::Index(0x31), palette), Colour::Rgb(0, 0, 0));
    EXPECT_EQ(ResolveColour(4, 100, Colour::Index(0x18), palette), Colour::Rgb(100, 177, 255));
    EXPECT_EQ(ResolveColour(4, 7, Colour::Index(70), palette), Colour::Rgb(7, 7, 7));
    EXPECT_EQ(ResolveColour(4, 7, Colour::Rgb(1, 2, 3), palette), Colour::Rgb(7, 7, 7));
    // (r, g, b) = (32, 64, 96) -> (255 - 80, 255 - 64, 255 - 64).
    EXPECT_EQ(ResolveColour(4, 0, Colour::Index(5), palette), Colour::Rgb(175, 191, 191));
}

TEST(SlotFont, SlotFaceAndPrintFactor) {
    state::ViewState view;
    std::strcpy(view.fontSets[4].face, "Times New Roman");
    view.fontSets[4].size = 11;
    view.fontSets[4].italic = 1;
    const FontSpec screen = SlotFont(view, 5, kTargetScreen);
    EXPECT_EQ(screen.face, "Times New Roman");
    EXPECT_EQ(screen.pixelHeight, 11);
    EXPECT_TRUE(screen.italic);
    EXPECT_FALSE(screen.bold);
    EXPECT_EQ(SlotFont(view, 5, kTargetColourPrint).pixelHeight, 44);
    // A face that fills all 32 bytes is not read past its end.
    std::memset(view.fontSets[22].face, 'A', sizeof view.fontSets[22].face);
    EXPECT_EQ(SlotFont(view, 99, kTargetScreen).face.size(), 32u);
}

}  // namespace
}  // namespace render

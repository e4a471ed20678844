#include "render/primitives.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

#include "render/fonts.h"
#include "render/palette.h"
#include "render/recording_canvas.h"

namespace render {
namespace {

using Kind = CanvasOp::Kind;

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
    EXPECT_EQ(std::tuple(texts[0].x, texts[0].y, texts[1].y, texts[2].y),
              std::tuple(-2, 23, 15, 7));
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
    EXPECT_EQ(std::tuple(screen.face, screen.pixelHeight, screen.italic, screen.bold),
              std::tuple("Times New Roman", 11, true, false));
    EXPECT_EQ(SlotFont(view, 5, kTargetColourPrint).pixelHeight, 44);
    // A face that fills all 32 bytes is not read past its end.
    std::memset(view.fontSets[22].face, 'A', sizeof view.fontSets[22].face);
    EXPECT_EQ(SlotFont(view, 99, kTargetScreen).face.size(), 32u);
}

}  // namespace
}  // namespace render

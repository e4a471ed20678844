// Drawing primitives shared by the sky layers: colour per render target, the spectral colours,
// the subdivided polyline, anchored text, the trivially rejected polygon, the sky background
// and the grid-label text. Coordinates are centred drawing coordinates.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "render/canvas.h"
#include "render/frame_state.h"

namespace render {

class SkyPalette;

// Colour for a render target (0, 2: unchanged; 1: the caller's print grey) or for colour mode
// 4 of the solar-system layers (a light version of the screen colour on white paper).
Colour ResolveColour(int mode, int grey, Colour colour, const SkyPalette& palette);

// Colour of spectral class 0..5 (blue .. red) for a render target; pale for the trace pass.
// Monochrome print and classes outside 0..5 give black.
Colour SpectralColour(int target, int colourClass, bool pale);

// The pen state of PolylineTo; it persists between calls (and between frames).
struct PolylineState {
    Point last;
    int lastVisible = 0;
    bool penDown = false;
};

// The line primitive of every curve layer. visible is the projection flag of the point:
// (0, 0, 0) lifts the pen; visible < 0 lifts the pen and remembers the point; the first point
// after a lift is moved to; two consecutive points with visible 0 are joined by a move only;
// otherwise the segment is drawn in (|dx| + |dy|) / 2000 + 1 equal steps, each step drawn only
// when its end lies within +-4999 on both axes (moved to otherwise).
void PolylineTo(Canvas& canvas, PolylineState& state, int x, int y, int visible);

// Text anchored at (x, y), centred horizontally; offset >= 1 puts its top offset pixels below
// y, 0 centres it on y, a negative offset puts its bottom -offset pixels above y. Nothing is
// drawn for empty text or an anchor outside the viewport.
void DrawText8(Canvas& canvas, const Viewport& viewport, int x, int y, int offset,
               std::string_view utf8);
// The top of a text of the given height anchored at y with that offset.
int TextTop(int y, int offset, int height);
// UTF-16 text (unpaired surrogates become U+FFFD) as UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);

// A filled polygon, unless every vertex lies beyond one and the same edge of the viewport.
void DrawPolygonClipped(Canvas& canvas, const Viewport& viewport, std::span<const Point> points);

// Fills the viewport with palette entry 16, the animated sky colour.
void FillSkyBackground(Canvas& canvas, const Viewport& viewport);

// Grid scale text for value in tenths of a degree: degrees ("15°", "0.5°") or hours of 150
// tenths ("1h", "1h30m"). UTF-8.
std::string FormatGridLabel(int value, bool hours);

}  // namespace render

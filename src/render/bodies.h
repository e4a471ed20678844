// The Sun, Moon, planets, minor bodies and comets on the sky, with their labels, for the screen,
// for paper and for the trace passes of the Tracing Mode (which draw only the chosen kinds, in
// the palette block 30 entries further on).
#pragma once

#include <array>
#include <span>

#include "render/glyph_sheet.h"
#include "render/sky_scene.h"

namespace render {

// Palette entries per trace pass: a traced position is drawn 30 entries further on (dimmer).
inline constexpr int kTracePaletteShift = 30;

enum class BodyGlyph {
    Sun,
    Mercury,
    Venus,
    Mars,
    Jupiter,
    Saturn,
    Uranus,
    Neptune,
    Minor,  // Pluto and the minor bodies
    Comet,
    MercuryTransit,  // drawn black against the Sun
    VenusTransit,
};

// A glyph at pixel (x, y): the pixel patterns of the program in the palette colours (shifted by
// kTracePaletteShift when trace), or, with a loaded sheet, its bitmap cells (the dim variant in
// a trace pass) for the bright planets and comets and small point patterns for the others.
void DrawBodyGlyph(Canvas& canvas, int x, int y, BodyGlyph glyph, const GlyphSheet* sheet,
                   bool trace);

// The pixel glyph's parts: offsets and palette index (before any trace shift; -1 = black).
struct GlyphPart {
    std::span<const PatternOffset> offsets;
    int colour;
};
std::span<const GlyphPart> PixelGlyphParts(BodyGlyph glyph);

// Painting order of the bodies: 2..24 from the farthest to the nearest (by geocentric distance;
// equal distances keep their index order before the reversal, distances that are not numbers
// stay where they are), then the Sun, then the Moon.
std::array<int, astro::kBodyCount> BodyPaintOrder(const astro::SolarSystemState& bodies);

// Mercury (index 2) or Venus (3) nearer than the Sun and within the Sun's radius plus its own of
// the Sun's centre.
bool InTransit(const astro::SolarSystemState& bodies, int index);

// Pixel diameter of a disc of apparent radius `radius` (radians) at the frame's zoom:
// trunc(Zoom 16384 sin 2R / D(16384 cos 2R)), at least `minimum`.
int DiscDiameter(const astro::ViewFrame& frame, double radius, int minimum);

// The screen angle (radians) of the axis the Moon's phase polygons are built on: the ecliptic's
// westward direction at the Moon, so that the lit limb faces the Sun.
double MoonPhaseAxis(const SkyScene& scene);

// trace: drawn as one step of the Tracing Mode history.
void DrawComets(LayerContext& layer, bool trace);
void DrawBodies(LayerContext& layer, bool trace);

}  // namespace render

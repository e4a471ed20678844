// The Moon's phase as one large disc, the picture of the Moon window: the dark disc, then the
// lit part, both outlined.
#pragma once

#include "render/canvas.h"

namespace render {

struct MoonDiscColours {
    Colour lit = Colour::Rgb(255, 255, 128);
    Colour edge = Colour::Rgb(128, 128, 0);
    Colour dark = Colour::Rgb(0, 0, 0);
};

// The axis of the phase polygons for the Moon as seen facing south from the northern
// hemisphere, as the sky shows it there: a waxing Moon is lit on its right (western) side.
inline constexpr double kMoonDiscAxis = 0.0;

// elongation: the Moon's longitude minus the Sun's, radians (wrapped into -pi..pi here; a value
// that is not a number draws the new Moon). Nothing for a diameter below 1.
void DrawMoonDisc(Canvas& canvas, Point centre, int diameter, double elongation,
                  const MoonDiscColours& colours = {});

}  // namespace render

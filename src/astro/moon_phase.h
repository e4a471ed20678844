// The Moon's phase as two polygons in screen pixels: the whole disc and its lit part (the
// bright limb, a half circle, joined to the terminator, a half ellipse).
#pragma once

#include <vector>

namespace astro {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct MoonPhaseShape {
    std::vector<PixelPoint> disc;  // 2N points, a full circle
    std::vector<PixelPoint> lit;   // 2N points
};

// centre: the Moon's pixel; diameter in pixels; elongation E = Moon longitude - Sun longitude
// (radians, -pi..pi; E >= 0 waxing); tilt: screen angle of the ecliptic's eastward direction
// at the Moon (radians). N = trunc(3 (diameter / 2 - 0.25)), at most 60; no points when N < 1.
MoonPhaseShape MoonPhasePolygons(PixelPoint centre, double diameter, double elongation,
                                 double tilt);

}  // namespace astro

// The sky below a skyline, as rings of screen points for Canvas::PolyPolygon: the ground under
// the horizon or the landscape, and the sky below one altitude for a glow band. A skyline is a
// closed curve round the horizon. The view's projection may show it as a closed curve inside
// the picture, as a curve round the picture, or (looking nearly level) as a line running out to
// the point behind the viewer, which the projection sends to infinity. The outline is exact
// within a reach of the view centre that lies well beyond any picture; what lies beyond the
// reach is closed round the outside.
#pragma once

#include <span>
#include <vector>

#include "astro/view_frame.h"
#include "render/canvas.h"
#include "render/frame_state.h"

namespace render {

// One point of a skyline: the horizontal angle as ProjectHorizontal takes it (90 degrees minus
// the azimuth from the south) and the altitude, both binary angles.
struct SkylinePoint {
    int a = 0;
    int altitude = 0;
};

struct SkylineOutline {
    // The region below the skyline: rings for PolyPolygon.
    std::vector<Point> points;
    std::vector<int> rings;
    // The skyline as seen, in pieces within the reach (a piece that goes all round repeats its
    // first point at the end).
    std::vector<std::vector<Point>> pieces;
};

// skyline: one turn of points by increasing horizontal angle, starting anywhere; the curve runs
// on from the last point to the first. Segments that show in the viewport are subdivided until
// they are a few pixels long.
SkylineOutline OutlineBelowSkyline(const astro::ViewFrame& frame, const Viewport& viewport,
                                   std::span<const SkylinePoint> skyline);

// A skyline at one altitude (binary angle): count points evenly round, the first of them
// behind the viewer.
std::vector<SkylinePoint> LevelSkyline(const astro::ViewFrame& frame, int altitude, int count);

// The horizontal angle straight behind the viewer (binary angle).
int HorizontalAngleBehind(const astro::ViewFrame& frame);

}  // namespace render

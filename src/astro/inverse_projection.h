// From the screen back to the sky: the horizontal direction under a pixel, and the two mouse
// operations built on it (dragging the sky and centring on a clicked point). Screen offsets are
// pixels from the centre of the sky view, x to the right, y downward.
#pragma once

#include <cstdint>

#include "astro/projection_tables.h"
#include "astro/view_frame.h"
#include "state/view_state.h"

namespace astro {

// A direction in tenths of a degree in the frame's internal horizontal convention (the a, b of
// ProjectHorizontal): a = 900 minus the azimuth from the south, b = the altitude. In equator
// mode the frame turns the same pair into a = right ascension - 900 and b = declination.
struct HorizontalTenths {
    double a = 0.0;
    double b = 0.0;
};

// The direction whose projection lies nearest (Manhattan distance) to (sx, sy), found by a
// coarse, medium and fine search; results are multiples of 0.05 tenths. Only directions within
// 150 degrees of the view centre are considered.
HorizontalTenths ScreenToHorizontal(const ViewFrame& frame, int32_t sx, int32_t sy);

// Turns the view so that the sky point under (x1, y1) moves to (x2, y2). Altitude is held to
// -90..90 degrees and, in horizon mode unless UnderHorizon is set, to no lower than the
// refraction allowance. Returns 1 when Houi2 or Koudo2 changed, else 0.
int32_t DragView(state::ViewState& view, const ProjectionTables& tables, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2);

// Makes the sky point under (sx, sy) the view centre. With SmoothIdou set the direction is
// handed to the main window as a pending smooth move (PendingMoves, MoveTargetHoui2/Koudo2) and
// Houi2/Koudo2 stay as they were. Returns 1 when the direction changes, else 0.
int32_t CenterViewOn(state::ViewState& view, const ProjectionTables& tables, int32_t sx,
                     int32_t sy);

// Reduces tenths of a degree into 0..3600 the way the view commands always have: subtract
// 3600 * trunc(value / 3600).
double ReduceTenths(double value);

// Holds an altitude in tenths of a degree to -900..900.
double ClampAltitude(double tenths);

// Hands a new view direction to the main window as a smooth move, or sets it at once when
// smooth movement is off. Returns 1 when it differs from the current direction.
int32_t RequestViewDirection(state::ViewState& view, double houi2, double koudo2, bool smooth);

}  // namespace astro

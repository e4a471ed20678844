// What the main window needs from the astronomy layer: the clock rules and the view turns that
// follow the mouse. Kept in one place so that the window and its commands name no astronomy
// internals.
#pragma once

#include "state/view_state.h"

namespace shell {

// Amounts added to the clock fields by one time step.
struct ClockStep {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// The step of the Increment Time index 0..20 (other indices give no step).
ClockStep TimeStepOf(int incTime);

// Carries out-of-range clock fields into their neighbours.
void NormalizeClock(state::CivilClock& clock);

// Minutes east of UT of a time mode (0 location zone, 1 UT, 2 and 3 the computer's zone).
int ZoneOf(const state::ViewState& view, int mode);

// The computer's local date and time to the minute.
state::CivilClock ReadComputerClock();

// The stored city matching the current place: user cities 10000 + i, then built-in, else -1.
int FindCurrentCity(const state::ViewState& view, const state::AppOptions& options);

// Turns the view so that the sky point under (x1, y1) moves to (x2, y2); sky coordinates
// (pixels from the centre of a width x height drawing area). True when the view changed.
bool DragView(state::ViewState& view, int width, int height, int x1, int y1, int x2, int y2);

// The sky point under (x, y) as the new view direction (azimuth, altitude in tenths), or false
// when the point is not on the sky.
bool DirectionAt(const state::ViewState& view, int width, int height, int x, int y, double& azimuth,
                 double& altitude);

}  // namespace shell

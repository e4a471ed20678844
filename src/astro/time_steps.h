// The fixed time steps of the Time menu and the clock operations that keep the UT instant while
// changing how it is expressed: switching the time mode, toggling daylight saving and taking
// the computer's clock. Every operation writes the raw sum and then normalises.
#pragma once

#include <array>
#include <cstdint>

#include "state/view_state.h"

namespace astro {

inline constexpr int kTimeStepCount = 21;
inline constexpr int32_t kFirstTimeStepCommand = 40071;  // command = 40071 + index

// One step: amounts added to each field (the sidereal day adds to two fields).
struct TimeStep {
    int32_t command;
    const char* menuText;  // nullptr for the indices without a menu item
    int32_t years, months, days, hours, minutes;
};

const std::array<TimeStep, kTimeStepCount>& TimeSteps();

// Adds (direction +1) or subtracts (-1) step `index` (IncTime, out-of-range values count as 0)
// to the clock and normalises. Returns false without change in Real Time mode.
bool StepClock(state::ViewState& view, int32_t index, int32_t direction);

// Adds the given amounts to the clock fields and normalises (the single-field step commands and
// the automatic mode). Returns false without change in Real Time mode.
bool AddToClock(state::ViewState& view, int32_t years, int32_t months, int32_t days, int32_t hours,
                int32_t minutes);

// Commands 300..303: selects mode 0..3, keeping the UT instant. Returns false when the mode is
// already selected or out of range. Selecting Real Time also stops the automatic mode; the
// caller then takes the computer's clock (ObtainCurrentTime).
bool SwitchTimeMode(state::ViewState& view, int32_t newMode);

// Command 311: toggles daylight saving; the clock moves by an hour so the instant is unchanged.
void ToggleDaylightSaving(state::ViewState& view);

// Command 321: the computer clock, taken as its zone's standard time, expressed in the current
// mode. Returns true when the displayed clock changed.
bool ObtainCurrentTime(state::ViewState& view, const state::CivilClock& computerClock);
// The same with the computer's standard clock at the present instant: the one way command 321,
// the Real Time clock and start-up take the time, whatever daylight saving the computer is on.
bool ObtainCurrentTime(state::ViewState& view);

// Start-up: SystemZone from the computer's standard offset; in System Time mode the
// daylight-saving flag follows the computer; the clock is the present instant expressed in the
// view's time mode (as command 321 takes it).
void SetClockAtStartup(state::ViewState& view);

}  // namespace astro

#include "astro/time_steps.h"

#include "astro/clock.h"

namespace astro {

const std::array<TimeStep, kTimeStepCount>& TimeSteps() {
    static const std::array<TimeStep, kTimeStepCount> steps{{
        {40071, "1 minute", 0, 0, 0, 0, 1},
        {40072, "3 minutes", 0, 0, 0, 0, 3},
        {40073, "5 minutes", 0, 0, 0, 0, 5},
        {40074, "10 minutes", 0, 0, 0, 0, 10},
        {40075, "30 minutes", 0, 0, 0, 0, 30},
        {40076, "1 hour", 0, 0, 0, 1, 0},
        {40077, "3 hours", 0, 0, 0, 3, 0},
        {40078, nullptr, 0, 0, 0, 6, 0},
        {40079, "1 day", 0, 0, 1, 0, 0},
        {40080, "5 days", 0, 0, 5, 0, 0},
        {40081, "10 days", 0, 0, 10, 0, 0},
        {40082, "1 month", 0, 1, 0, 0, 0},
        {40083, "3 months", 0, 2, 0, 0, 0},  // two months, as the program has always stepped
        {40084, "1 year", 1, 0, 0, 0, 0},
        {40085, "5 years", 5, 0, 0, 0, 0},
        {40086, "10 years", 10, 0, 0, 0, 0},
        {40087, "50 years", 50, 0, 0, 0, 0},
        {40088, "100 years", 100, 0, 0, 0, 0},
        {40089, nullptr, 500, 0, 0, 0, 0},
        {40090, nullptr, 1000, 0, 0, 0, 0},
        {40091, "23 h 56 min", 0, 0, 0, 23, 56},  // one sidereal day to the minute
    }};
    return steps;
}

bool AddToClock(state::ViewState& view, int32_t years, int32_t months, int32_t days, int32_t hours,
                int32_t minutes) {
    if (view.Keisanji == kRealTime) return false;
    state::CivilClock& c = view.clock;
    c.year += years;
    c.month += months;
    c.day += days;
    c.hour += hours;
    c.minute += minutes;
    NormalizeClock(c);
    return true;
}

bool StepClock(state::ViewState& view, int32_t index, int32_t direction) {
    if (index < 0 || index >= kTimeStepCount) index = 0;
    const TimeStep& s = TimeSteps()[index];
    int32_t d = direction < 0 ? -1 : 1;
    return AddToClock(view, d * s.years, d * s.months, d * s.days, d * s.hours, d * s.minutes);
}

bool SwitchTimeMode(state::ViewState& view, int32_t newMode) {
    if (newMode < kLocalTime || newMode > kRealTime || newMode == view.Keisanji) return false;
    view.clock.minute += ZoneOf(view, newMode) - ZoneOf(view, view.Keisanji);
    view.Keisanji = newMode;
    NormalizeClock(view.clock);
    if (newMode == kRealTime) view.AutoRunning = false;
    return true;
}

void ToggleDaylightSaving(state::ViewState& view) {
    view.Dst = view.Dst ? 0 : 1;
    view.clock.hour += view.Dst ? 1 : -1;
    NormalizeClock(view.clock);
}

bool ObtainCurrentTime(state::ViewState& view, const state::CivilClock& computerClock) {
    state::CivilClock c = computerClock;
    c.minute += (view.Dst ? 60 : 0) - view.SystemZone + ZoneOf(view, view.Keisanji);
    NormalizeClock(c);
    if (c == view.clock) return false;
    view.clock = c;
    return true;
}

bool ObtainCurrentTime(state::ViewState& view) {
    return ObtainCurrentTime(view, ReadComputerStandardClock());
}

void SetClockAtStartup(state::ViewState& view) {
    SystemZoneInfo zone = ReadSystemZone();
    view.SystemZone = zone.standardMinutesEast;
    if (view.Keisanji == kSystemTime) view.Dst = zone.daylightInForce ? 1 : 0;
    // The present instant in the zone of the view's time mode, not the computer's wall clock
    // taken for the location's time.
    ObtainCurrentTime(view);
}

}  // namespace astro

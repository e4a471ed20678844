// The civil clock: calendar arithmetic on the five integer fields of state::CivilClock, the
// Modified Julian Day, Universal Time minutes, zones of the time modes and the computer's clock.
// All arithmetic is 32-bit integer with division truncating toward zero; the calendar is the
// proleptic Gregorian one for every year (year 0 exists, negative years allowed).
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>

#include "state/view_state.h"

namespace astro {

using state::CivilClock;

inline constexpr int32_t kMinYear = -99998;
inline constexpr int32_t kMaxYear = 99999;

// Time modes (ViewState::Keisanji).
inline constexpr int32_t kLocalTime = 0;
inline constexpr int32_t kGreenwichTime = 1;
inline constexpr int32_t kSystemTime = 2;
inline constexpr int32_t kRealTime = 3;

// Month lengths: entry 0 is December of the previous year (31), entries 1..12 the months of the
// given year (February 28 or 29).
std::array<int32_t, 13> MonthLengths(int32_t year);
bool IsLeapYear(int32_t year);

// Integer MJD of 0 h of a Gregorian calendar date (1858-11-17 is 0, 2000-01-01 is 51544).
int32_t ModifiedJulianDay(int32_t year, int32_t month, int32_t day);

// Carries out-of-range fields into their neighbours until the clock is a valid date and time,
// then clamps the year to -99998..99999. The moment is kept except for that clamp.
void NormalizeClock(int32_t& year, int32_t& month, int32_t& day, int32_t& hour, int32_t& minute);
void NormalizeClock(CivilClock& clock);

// Zone of a time mode in minutes east of UT: the location's zone, 0, or the computer's zone.
int32_t ZoneOf(const state::ViewState& view, int32_t mode);

// Minutes of the clock's day in UT: hour * 60 + minute - zone of the current mode - 60 with
// daylight saving. Never folded into a day: may be negative or exceed 1440.
int32_t UtMinutesOf(const state::ViewState& view);

// The present instant, seconds since 1970 UT, from the computer's clock. Every reading of the
// computer's time goes through it; a test may fix it to a known instant (std::nullopt returns
// to the computer's clock).
std::time_t ComputerInstant();
void FixComputerInstant(std::optional<std::time_t> instant);

// The computer's local date and time (wall clock, daylight saving included) to the minute.
CivilClock ReadComputerClock();

// The computer's clock as its zone's standard time: the local clock with the daylight-saving
// hour taken off while daylight saving is in force. This is the computer time that start-up,
// "Obtain Current Time" and the Real Time clock take (UT = this clock - SystemZone).
CivilClock ReadComputerStandardClock();
void ReadComputerClock(int32_t& year, int32_t& month, int32_t& day, int32_t& hour, int32_t& minute);

// The computer's zone: the standard offset in minutes east of UT (daylight saving not added)
// and whether daylight saving is in force at the present instant.
struct SystemZoneInfo {
    int32_t standardMinutesEast = 0;
    bool daylightInForce = false;
};
SystemZoneInfo ReadSystemZone();

}  // namespace astro

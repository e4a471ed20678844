#include "astro/clock.h"

#include <chrono>
#include <ctime>

namespace astro {

bool IsLeapYear(int32_t year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

std::array<int32_t, 13> MonthLengths(int32_t year) {
    return {31, 31, IsLeapYear(year) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

int32_t ModifiedJulianDay(int32_t year, int32_t month, int32_t day) {
    int32_t y = year;
    int32_t m = month;
    if (month < 3) {
        y = year - 1;
        m = month + 12;
    }
    return (1461 * y) / 4 + y / 400 - y / 100 + (3059 * (m - 2)) / 100 + day - 678912;
}

namespace {

// One correction of the carry rules; false when the clock is already valid.
bool NormalizeOnce(int32_t& year, int32_t& month, int32_t& day, int32_t& hour, int32_t& minute) {
    const std::array<int32_t, 13> lengths = MonthLengths(year);
    if (minute >= 60) {
        int32_t q = minute / 60;
        minute -= 60 * q;
        hour += q;
        return true;
    }
    if (minute < 0) {
        int32_t q = (59 - minute) / 60;
        minute += 60 * q;
        hour -= q;
        return true;
    }
    if (hour >= 24) {
        int32_t q = hour / 24;
        hour -= 24 * q;
        day += q;
        return true;
    }
    if (hour < 0) {
        int32_t q = (23 - hour) / 24;
        hour += 24 * q;
        day -= q;
        return true;
    }
    if (month > 12) {
        int32_t q = (month - 1) / 12;
        month -= 12 * q;
        year += q;
        return true;
    }
    if (month < 1) {
        int32_t q = (12 - month) / 12;
        month += 12 * q;
        year -= q;
        return true;
    }
    if (day > 370 || day < -370) {
        // Large day counts: move whole years into the year field, keeping the moment.
        int32_t m0 = ModifiedJulianDay(year, month, day);
        year += day / 365;
        day += m0 - ModifiedJulianDay(year, month, day);
        return true;
    }
    if (day > lengths[month]) {
        day -= lengths[month];
        month += 1;
        return true;
    }
    if (day < 1) {
        month -= 1;
        day += lengths[month];
        return true;
    }
    return false;
}

// Bounds on the raw fields that keep every intermediate value of the carries inside 32 bits
// (at most about a million years in all). Anything beyond them lies far outside the clamped year
// range anyway; the bounds only matter for absurd values read from damaged files.
int32_t Bound(int32_t v, int32_t limit) {
    return v < -limit ? -limit : (v > limit ? limit : v);
}

}  // namespace

void NormalizeClock(int32_t& year, int32_t& month, int32_t& day, int32_t& hour, int32_t& minute) {
    year = Bound(year, 250000);
    month = Bound(month, 3000000);
    day = Bound(day, 90000000);
    hour = Bound(hour, 2000000000);
    minute = Bound(minute, 2000000000);
    while (NormalizeOnce(year, month, day, hour, minute)) {
    }
    if (year < kMinYear || year > kMaxYear) {
        year = year < kMinYear ? kMinYear : kMaxYear;
        // A 29 February carried into a clamped year that has none becomes 1 March; nothing
        // else can be out of range here, so the year stays clamped.
        while (NormalizeOnce(year, month, day, hour, minute)) {
        }
    }
}

void NormalizeClock(CivilClock& clock) {
    NormalizeClock(clock.year, clock.month, clock.day, clock.hour, clock.minute);
}

int32_t ZoneOf(const state::ViewState& view, int32_t mode) {
    switch (mode) {
        case kLocalTime:
            return view.TimeZone;
        case kGreenwichTime:
            return 0;
        default:
            return view.SystemZone;
    }
}

int32_t UtMinutesOf(const state::ViewState& view) {
    return view.clock.hour * 60 + view.clock.minute - ZoneOf(view, view.Keisanji) -
           (view.Dst ? 60 : 0);
}

namespace {

std::optional<std::time_t>& FixedInstant() {
    static std::optional<std::time_t> instant;
    return instant;
}

}  // namespace

std::time_t ComputerInstant() {
    if (FixedInstant()) return *FixedInstant();
    return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}

void FixComputerInstant(std::optional<std::time_t> instant) {
    FixedInstant() = instant;
}

CivilClock ReadComputerClock() {
    tzset();  // pick up the zone as it is set now
    std::time_t now = ComputerInstant();
    std::tm local{};
    CivilClock clock{};
    if (localtime_r(&now, &local) == nullptr) {
        // Zeros carried into a valid date, as an unreadable clock always gave.
        clock = CivilClock{0, 0, 0, 0, 0};
        NormalizeClock(clock);
        return clock;
    }
    clock.year = local.tm_year + 1900;
    clock.month = local.tm_mon + 1;
    clock.day = local.tm_mday;
    clock.hour = local.tm_hour;
    clock.minute = local.tm_min;
    return clock;
}

CivilClock ReadComputerStandardClock() {
    CivilClock clock = ReadComputerClock();
    if (ReadSystemZone().daylightInForce) {
        clock.minute -= 60;
        NormalizeClock(clock);
    }
    return clock;
}

void ReadComputerClock(int32_t& year, int32_t& month, int32_t& day, int32_t& hour,
                       int32_t& minute) {
    CivilClock clock = ReadComputerClock();
    year = clock.year;
    month = clock.month;
    day = clock.day;
    hour = clock.hour;
    minute = clock.minute;
}

SystemZoneInfo ReadSystemZone() {
    tzset();  // pick up the zone as it is set now
    std::time_t now = ComputerInstant();
    std::tm local{};
    SystemZoneInfo info;
    if (localtime_r(&now, &local) == nullptr) return info;
    info.daylightInForce = local.tm_isdst > 0;
    // tm_gmtoff includes the daylight shift in force; the standard offset is the zone's offset
    // in the half of the year without it. Probe January and July of this year and take the one
    // that is not daylight time.
    long standard = local.tm_gmtoff;
    if (info.daylightInForce) {
        for (int month : {0, 6}) {
            std::tm probe{};
            probe.tm_year = local.tm_year;
            probe.tm_mon = month;
            probe.tm_mday = 15;
            probe.tm_hour = 12;
            probe.tm_isdst = -1;
            std::time_t t = std::mktime(&probe);
            std::tm seen{};
            if (t != static_cast<std::time_t>(-1) && localtime_r(&t, &seen) != nullptr &&
                seen.tm_isdst == 0) {
                standard = seen.tm_gmtoff;
                break;
            }
        }
        if (standard == local.tm_gmtoff) standard -= 3600;
    }
    info.standardMinutesEast = static_cast<int32_t>(standard / 60);
    return info;
}

}  // namespace astro

#include "astro/clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <tuple>

#include "astro/sidereal.h"
#include "astro/time_steps.h"

namespace {

using astro::CivilClock;
using astro::ModifiedJulianDay;

// Known answers from J. Meeus, "Astronomical Algorithms" (2nd ed.), chapter 7: Example 7.a
// gives JD 2436116.31 for 1957 October 4.81, Example 12.a JD 2446895.5 for 1987 April 10, 0h,
// and 2000 January 1.5 is JD 2451545.0. The MJD of a date is JD - 2400000.5 at 0h. Before March
// of the year 1 the quotients truncate toward zero rather than down, as the program has always
// computed them: 29 February -4 is one day later than the floor rule.
TEST(ModifiedJulianDay, KnownDaysAndConsecutiveDaysOverCenturies) {
    const std::tuple<int, int, int, int32_t> days[] = {
        {1858, 11, 17, 0},   {1970, 1, 1, 40587},  {1957, 10, 4, 36115}, {1987, 4, 10, 46895},
        {2000, 1, 1, 51544}, {-4, 2, 29, -680342}, {0, 1, 1, -678940}};
    for (const auto& [y, m, d, mjd] : days)
        EXPECT_EQ(ModifiedJulianDay(y, m, d), mjd) << y << "-" << m << "-" << d;
    // Walking day by day through normalised dates, the day number rises by exactly one,
    // across leap days and the non-leap century years.
    for (int32_t startYear : {1, 1599, 1899, 2099}) {
        CivilClock c{startYear, 1, 1, 0, 0};
        int32_t previous = ModifiedJulianDay(c.year, c.month, c.day);
        for (int i = 0; i < 3 * 366; ++i) {
            c.day += 1;
            astro::NormalizeClock(c);
            const int32_t mjd = ModifiedJulianDay(c.year, c.month, c.day);
            ASSERT_EQ(mjd, previous + 1) << c.year << "-" << c.month << "-" << c.day;
            previous = mjd;
        }
    }
}

TEST(NormalizeClock, CarriesEveryFieldAndClampsTheYear) {
    const std::pair<CivilClock, CivilClock> cases[] = {
        // Leap days.
        {{2000, 2, 29, 0, 0}, {2000, 2, 29, 0, 0}},
        {{1900, 2, 29, 0, 0}, {1900, 3, 1, 0, 0}},
        {{-4, 2, 29, 0, 0}, {-4, 2, 29, 0, 0}},
        {{-100, 2, 29, 0, 0}, {-100, 3, 1, 0, 0}},
        // Backwards across the year's end.
        {{2001, 1, 1, 0, -1}, {2000, 12, 31, 23, 59}},
        {{2001, 1, 1, -25, 0}, {2000, 12, 30, 23, 0}},
        {{2001, 0, 1, 0, 0}, {2000, 12, 1, 0, 0}},
        {{2001, -12, 1, 0, 0}, {1999, 12, 1, 0, 0}},
        {{2001, 3, 0, 0, 0}, {2001, 2, 28, 0, 0}},
        // Forwards, and large day counts moving whole years.
        {{2000, 12, 31, 23, 60}, {2001, 1, 1, 0, 0}},
        {{2000, 1, 1, 0, 1500}, {2000, 1, 2, 1, 0}},
        {{2000, 25, 1, 0, 0}, {2002, 1, 1, 0, 0}},
        {{2001, 1, 400, 0, 0}, {2002, 2, 4, 0, 0}},
        {{2001, 1, -400, 0, 0}, {1999, 11, 27, 0, 0}},
        // The year is clamped and the other fields still move; a leap day carried into the
        // clamped year, which has none, stays a valid date.
        {{99999, 12, 31, 23, 60}, {99999, 1, 1, 0, 0}},
        {{99996 + 4, 2, 29, 0, 0}, {99999, 3, 1, 0, 0}},
        {{-99998 - 2, 2, 29, 0, 0}, {-99998, 3, 1, 0, 0}},
    };
    for (auto [given, expected] : cases) {
        const CivilClock before = given;
        astro::NormalizeClock(given);
        EXPECT_EQ(given, expected) << before.year << "-" << before.month << "-" << before.day << " "
                                   << before.hour << ":" << before.minute;
    }
    // A big step keeps the moment: the day number moves by exactly the step.
    CivilClock c{2026, 6, 15 + 100000, 12, 0};
    astro::NormalizeClock(c);
    EXPECT_EQ(ModifiedJulianDay(c.year, c.month, c.day), ModifiedJulianDay(2026, 6, 15) + 100000);
}

TEST(UtMinutes, ZoneOfTheModeAndDaylightSaving) {
    state::ViewState v;
    v.clock = {2000, 1, 1, 20, 0};
    v.TimeZone = -300;
    v.SystemZone = 60;
    const struct {
        int32_t mode, dst, ut;
    } cases[] = {{astro::kLocalTime, 0, 1200 + 300},
                 {astro::kLocalTime, 1, 1200 + 300 - 60},
                 {astro::kGreenwichTime, 0, 1200},
                 {astro::kSystemTime, 0, 1140}};
    for (const auto& c : cases) {
        v.Keisanji = c.mode;
        v.Dst = c.dst;
        EXPECT_EQ(astro::UtMinutesOf(v), c.ut) << c.mode << " " << c.dst;
    }
    EXPECT_EQ(astro::ZoneOf(v, astro::kRealTime), 60);
}

TEST(ReadSystemZone, StandardOffsetWithoutTheDaylightHour) {
    // Daylight saving all year round still gives the standard offset, with the flag set.
    const std::tuple<const char*, int, bool> zones[] = {
        {"JST-9", 540, false}, {"EST5EDT,J1/0,J365/25", -300, true}, {"IST-5:30", 330, false}};
    // POSIX rule strings need no zone database; the zone is put back afterwards.
    const char* before = std::getenv("TZ");
    const std::optional<std::string> saved = before ? std::optional(before) : std::nullopt;
    for (const auto& [rule, minutes, daylight] : zones) {
        setenv("TZ", rule, 1);
        tzset();
        const astro::SystemZoneInfo info = astro::ReadSystemZone();
        EXPECT_EQ(std::pair(info.standardMinutesEast, info.daylightInForce),
                  std::pair(minutes, daylight))
            << rule;
    }
    saved ? setenv("TZ", saved->c_str(), 1) : unsetenv("TZ");
    tzset();
}

state::ViewState ViewAt(CivilClock clock) {
    state::ViewState v;
    v.clock = clock;
    return v;
}

// The month steps, the sidereal day forwards, Real Time and the instant kept across the modes
// and daylight saving are driven through the time commands in the command tests.
TEST(TimeSteps, StepsCarryAtTheEdges) {
    const struct {
        CivilClock from;
        int32_t index, direction;
        CivilClock to;
    } cases[] = {
        {{2000, 1, 1, 0, 0}, 20, -1, {1999, 12, 31, 0, 4}},  // a sidereal day
        {{2000, 1, 1, 0, 0}, 0, -1, {1999, 12, 31, 23, 59}},
        {{-99500, 6, 1, 0, 0}, 19, -1, {-99998, 6, 1, 0, 0}},
        {{2000, 1, 1, 0, 0}, 99, +1, {2000, 1, 1, 0, 1}},  // unknown steps count as a minute
    };
    for (const auto& c : cases) {
        state::ViewState v = ViewAt(c.from);
        EXPECT_TRUE(astro::StepClock(v, c.index, c.direction));
        EXPECT_EQ(v.clock, c.to) << c.index << " " << c.direction;
    }
}

TEST(TimeModes, SwitchingAndDaylightSavingAcrossTheYear) {
    state::ViewState v = ViewAt({2000, 1, 1, 20, 0});
    v.TimeZone = -300;
    ASSERT_TRUE(astro::SwitchTimeMode(v, astro::kGreenwichTime));
    EXPECT_EQ(v.clock, (CivilClock{2000, 1, 2, 1, 0}));
    EXPECT_FALSE(astro::SwitchTimeMode(v, astro::kGreenwichTime));
    EXPECT_FALSE(astro::SwitchTimeMode(v, 7));
    v.AutoRunning = true;
    ASSERT_TRUE(astro::SwitchTimeMode(v, astro::kRealTime) && !v.AutoRunning);
    // Daylight saving moves the clock, not the instant.
    v = ViewAt({2000, 12, 31, 23, 30});
    astro::ToggleDaylightSaving(v);
    EXPECT_EQ(std::pair(v.Dst, v.clock), std::pair(1, CivilClock{2001, 1, 1, 0, 30}));
    astro::ToggleDaylightSaving(v);
    EXPECT_EQ(std::pair(v.Dst, v.clock), std::pair(0, CivilClock{2000, 12, 31, 23, 30}));
}

// Difference of two binary angles, folded into -16384..16383.
int32_t AngleDifference(int32_t a, int32_t b) {
    int32_t d = (a - b) & 32767;
    return d >= 16384 ? d - 32768 : d;
}

// Local mean sidereal time in hours to the program's angle: plus 12 hours, 32768 per turn.
int32_t ExpectedAngle(double siderealHours) {
    double turns = siderealHours / 24.0 + 0.5;
    return static_cast<int32_t>(std::lround((turns - std::floor(turns)) * 32768.0)) & 32767;
}

// One binary unit is 2.6 seconds of time. The program's constants run about 23 units (one
// minute of time, the clock's own resolution) behind the IAU expression around 2000, drifting
// to -18 in 1800 and -29 in 2200; 30 units is 80 seconds of time or 0.33 degrees.
constexpr int32_t kTolerance = 30;

// Meeus Examples 12.a and 12.b: 1987 April 10, 0h UT and 19h21m00s UT, mean sidereal time at
// Greenwich 13h10m46.3668s and 8h34m57.0896s. West longitudes subtract: 74.0 degrees west (New
// York, the default place) is 4h56m earlier; 139.5 degrees east is stored as -1395.
TEST(SiderealAngle, MeeusExamplesAndTheIauExpressionFrom1800To2200) {
    const int32_t mjd = astro::ModifiedJulianDay(1987, 4, 10);
    const double at0h = 13.0 + 10.0 / 60.0 + 46.3668 / 3600.0;
    const double at19h21 = 8.0 + 34.0 / 60.0 + 57.0896 / 3600.0;
    const std::tuple<int32_t, int32_t, double> cases[] = {
        {0, 0, at0h},
        {19 * 60 + 21, 0, at19h21},
        {19 * 60 + 21, 740, at19h21 - 74.0 / 15.0},
        {19 * 60 + 21, -1395, at19h21 + 139.5 / 15.0}};
    for (const auto& [ut, west, hours] : cases) {
        EXPECT_NEAR(AngleDifference(astro::SiderealAngle(mjd, ut, west), ExpectedAngle(hours)), 0,
                    kTolerance)
            << ut << " " << west;
    }
    // Across four centuries (day numbers negative before 1858), with UT minutes outside the day,
    // against Meeus's formula 12.4 (the IAU 1982 expression).
    for (int32_t year : {1800, 1857, 1900, 2000, 2100, 2200}) {
        for (int32_t ut : {-300, 0, 1439, 1800}) {
            const int32_t day = astro::ModifiedJulianDay(year, 5, 13);
            const double jd = day + 2400000.5 + ut / 1440.0, t = (jd - 2451545.0) / 36525.0;
            const double degrees = 280.46061837 + 360.98564736629 * (jd - 2451545.0) +
                                   0.000387933 * t * t - t * t * t / 38710000.0;
            const double hours = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0) / 15.0;
            EXPECT_NEAR(AngleDifference(astro::SiderealAngle(day, ut, 0), ExpectedAngle(hours)), 0,
                        kTolerance)
                << year << " ut " << ut;
        }
    }
}

}  // namespace

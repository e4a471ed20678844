#include "astro/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

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
        {{2400, 2, 29, 0, 0}, {2400, 2, 29, 0, 0}},
        {{1900, 2, 29, 0, 0}, {1900, 3, 1, 0, 0}},
        {{2100, 2, 29, 0, 0}, {2100, 3, 1, 0, 0}},
        {{-4, 2, 29, 0, 0}, {-4, 2, 29, 0, 0}},
        {{-100, 2, 29, 0, 0}, {-100, 3, 1, 0, 0}},
        {{-400, 2, 29, 0, 0}, {-400, 2, 29, 0, 0}},
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
        {{2001, 1, 31 + 28 + 1, 0, 0}, {2001, 3, 1, 0, 0}},
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
    // Absurd fields from damaged files still give a valid clock.
    for (int32_t v : {INT32_MIN, INT32_MIN + 1, -1000000000, 0, 1000000000, INT32_MAX}) {
        for (int field = 0; field < 5; ++field) {
            c = {2000, 1, 1, 0, 0};
            int32_t* fields[] = {&c.year, &c.month, &c.day, &c.hour, &c.minute};
            *fields[field] = v;
            astro::NormalizeClock(c);
            EXPECT_TRUE(c.year >= astro::kMinYear && c.year <= astro::kMaxYear && c.month >= 1 &&
                        c.month <= 12 && c.day >= 1 &&
                        c.day <= astro::MonthLengths(c.year)[c.month] && c.hour >= 0 &&
                        c.hour <= 23 && c.minute >= 0 && c.minute <= 59)
                << v << " in field " << field;
        }
    }
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

// Sets TZ for the lifetime of the object (POSIX rule strings need no zone database).
class ScopedZone {
  public:
    explicit ScopedZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) saved_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedZone() {
        if (saved_) {
            setenv("TZ", saved_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    std::optional<std::string> saved_;
};

TEST(ReadSystemZone, StandardOffsetWithoutTheDaylightHour) {
    // Daylight saving all year round still gives the standard offset, with the flag set.
    const std::tuple<const char*, int, bool> zones[] = {
        {"JST-9", 540, false}, {"EST5EDT,J1/0,J365/25", -300, true}, {"IST-5:30", 330, false}};
    for (const auto& [rule, minutes, daylight] : zones) {
        ScopedZone zone(rule);
        const astro::SystemZoneInfo info = astro::ReadSystemZone();
        EXPECT_EQ(info.standardMinutesEast, minutes) << rule;
        EXPECT_EQ(info.daylightInForce, daylight) << rule;
    }
}

}  // namespace

#include "astro/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

using astro::CivilClock;
using astro::ModifiedJulianDay;

CivilClock Normalized(int32_t y, int32_t mo, int32_t d, int32_t h, int32_t mi) {
    CivilClock c{y, mo, d, h, mi};
    astro::NormalizeClock(c);
    return c;
}

TEST(ModifiedJulianDay, FixedPoints) {
    EXPECT_EQ(ModifiedJulianDay(1858, 11, 17), 0);
    EXPECT_EQ(ModifiedJulianDay(2000, 1, 1), 51544);
    EXPECT_EQ(ModifiedJulianDay(1970, 1, 1), 40587);  // the Unix epoch
}

// Known answers from J. Meeus, "Astronomical Algorithms" (2nd ed.), chapter 7: Example 7.a
// gives JD 2436116.31 for 1957 October 4.81 and Example 12.a JD 2446895.5 for 1987 April 10,
// 0h. The MJD of a date is JD - 2400000.5 at 0h.
TEST(ModifiedJulianDay, AgreesWithPublishedJulianDays) {
    EXPECT_EQ(ModifiedJulianDay(1957, 10, 4), 2436115.5 - 2400000.5);
    EXPECT_EQ(ModifiedJulianDay(1987, 4, 10), 2446895.5 - 2400000.5);
    // Meeus Example 7.a also: 2000 January 1.5 is JD 2451545.0.
    EXPECT_EQ(ModifiedJulianDay(2000, 1, 1), 2451544.5 - 2400000.5);
}

TEST(ModifiedJulianDay, ConsecutiveDaysOverCenturies) {
    // Walking day by day through normalised dates, the day number rises by exactly one,
    // across leap days and the non-leap century years.
    for (int32_t startYear : {1, 1599, 1899, 2099}) {
        CivilClock c{startYear, 1, 1, 0, 0};
        int32_t previous = ModifiedJulianDay(c.year, c.month, c.day);
        for (int i = 0; i < 3 * 366; ++i) {
            c.day += 1;
            astro::NormalizeClock(c);
            int32_t mjd = ModifiedJulianDay(c.year, c.month, c.day);
            ASSERT_EQ(mjd, previous + 1) << c.year << "-" << c.month << "-" << c.day;
            previous = mjd;
        }
    }
}

TEST(ModifiedJulianDay, NegativeYearsUseTruncatedQuotients) {
    // Before March of the year 1 the quotients truncate toward zero rather than down, as the
    // program has always computed them: 29 February -4 is one day later than the floor rule.
    EXPECT_EQ(ModifiedJulianDay(-4, 2, 29), -680342);
    EXPECT_EQ(ModifiedJulianDay(0, 1, 1), -678940);
}

TEST(NormalizeClock, LeapDays) {
    EXPECT_EQ(Normalized(2000, 2, 29, 0, 0), (CivilClock{2000, 2, 29, 0, 0}));
    EXPECT_EQ(Normalized(2400, 2, 29, 0, 0), (CivilClock{2400, 2, 29, 0, 0}));
    EXPECT_EQ(Normalized(1900, 2, 29, 0, 0), (CivilClock{1900, 3, 1, 0, 0}));
    EXPECT_EQ(Normalized(2100, 2, 29, 0, 0), (CivilClock{2100, 3, 1, 0, 0}));
    EXPECT_EQ(Normalized(-4, 2, 29, 0, 0), (CivilClock{-4, 2, 29, 0, 0}));
    EXPECT_EQ(Normalized(-100, 2, 29, 0, 0), (CivilClock{-100, 3, 1, 0, 0}));
    EXPECT_EQ(Normalized(-400, 2, 29, 0, 0), (CivilClock{-400, 2, 29, 0, 0}));
}

TEST(NormalizeClock, CarriesBackwardsAcrossYearEnd) {
    EXPECT_EQ(Normalized(2001, 1, 1, 0, -1), (CivilClock{2000, 12, 31, 23, 59}));
    EXPECT_EQ(Normalized(2001, 1, 1, -25, 0), (CivilClock{2000, 12, 30, 23, 0}));
    EXPECT_EQ(Normalized(2001, 0, 1, 0, 0), (CivilClock{2000, 12, 1, 0, 0}));
    EXPECT_EQ(Normalized(2001, -12, 1, 0, 0), (CivilClock{1999, 12, 1, 0, 0}));
    EXPECT_EQ(Normalized(2001, 3, 0, 0, 0), (CivilClock{2001, 2, 28, 0, 0}));
}

TEST(NormalizeClock, CarriesForward) {
    EXPECT_EQ(Normalized(2000, 12, 31, 23, 60), (CivilClock{2001, 1, 1, 0, 0}));
    EXPECT_EQ(Normalized(2000, 1, 1, 0, 1500), (CivilClock{2000, 1, 2, 1, 0}));
    EXPECT_EQ(Normalized(2000, 25, 1, 0, 0), (CivilClock{2002, 1, 1, 0, 0}));
    EXPECT_EQ(Normalized(2001, 1, 31 + 28 + 1, 0, 0), (CivilClock{2001, 3, 1, 0, 0}));
}

TEST(NormalizeClock, LargeDayCountsMoveWholeYears) {
    EXPECT_EQ(Normalized(2001, 1, 400, 0, 0), (CivilClock{2002, 2, 4, 0, 0}));
    EXPECT_EQ(Normalized(2001, 1, -400, 0, 0), (CivilClock{1999, 11, 27, 0, 0}));
    // A big step keeps the moment: the day number moves by exactly the step.
    CivilClock c = Normalized(2026, 6, 15 + 100000, 12, 0);
    EXPECT_EQ(ModifiedJulianDay(c.year, c.month, c.day), ModifiedJulianDay(2026, 6, 15) + 100000);
    EXPECT_EQ(c.hour, 12);
}

TEST(NormalizeClock, YearIsClampedAndTheOtherFieldsStillMove) {
    EXPECT_EQ(Normalized(-99500 - 1000, 5, 5, 5, 5).year, -99998);
    EXPECT_EQ(Normalized(99999 + 1, 5, 5, 5, 5).year, 99999);
    CivilClock c = Normalized(99999, 12, 31, 23, 60);
    EXPECT_EQ(c, (CivilClock{99999, 1, 1, 0, 0}));
    // A leap day carried into the clamped year, which has none, stays a valid date.
    EXPECT_EQ(Normalized(99996 + 4, 2, 29, 0, 0), (CivilClock{99999, 3, 1, 0, 0}));
    EXPECT_EQ(Normalized(-99998 - 2, 2, 29, 0, 0), (CivilClock{-99998, 3, 1, 0, 0}));
}

TEST(NormalizeClock, AbsurdFieldsFromDamagedFilesStillGiveAValidClock) {
    const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1000000000, 0, 1000000000, INT32_MAX};
    for (int32_t v : extremes) {
        for (int field = 0; field < 5; ++field) {
            CivilClock c{2000, 1, 1, 0, 0};
            int32_t* fields[] = {&c.year, &c.month, &c.day, &c.hour, &c.minute};
            *fields[field] = v;
            astro::NormalizeClock(c);
            EXPECT_GE(c.year, astro::kMinYear);
            EXPECT_LE(c.year, astro::kMaxYear);
            EXPECT_TRUE(c.month >= 1 && c.month <= 12);
            EXPECT_TRUE(c.day >= 1 && c.day <= astro::MonthLengths(c.year)[c.month]);
            EXPECT_TRUE(c.hour >= 0 && c.hour <= 23);
            EXPECT_TRUE(c.minute >= 0 && c.minute <= 59);
        }
    }
}

TEST(UtMinutes, ZoneOfTheModeAndDaylightSaving) {
    state::ViewState v;
    v.clock = {2000, 1, 1, 20, 0};
    v.TimeZone = -300;
    v.SystemZone = 60;
    v.Keisanji = astro::kLocalTime;
    EXPECT_EQ(astro::UtMinutesOf(v), 1200 + 300);
    v.Dst = 1;
    EXPECT_EQ(astro::UtMinutesOf(v), 1200 + 300 - 60);
    v.Dst = 0;
    v.Keisanji = astro::kGreenwichTime;
    EXPECT_EQ(astro::UtMinutesOf(v), 1200);
    v.Keisanji = astro::kSystemTime;
    EXPECT_EQ(astro::UtMinutesOf(v), 1140);
    v.Keisanji = astro::kRealTime;
    EXPECT_EQ(astro::ZoneOf(v, v.Keisanji), 60);
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
    {
        ScopedZone zone("JST-9");
        EXPECT_EQ(astro::ReadSystemZone().standardMinutesEast, 540);
        EXPECT_FALSE(astro::ReadSystemZone().daylightInForce);
    }
    {
        // Daylight saving all year round: still the standard offset, with the flag set.
        ScopedZone zone("EST5EDT,J1/0,J365/25");
        astro::SystemZoneInfo info = astro::ReadSystemZone();
        EXPECT_EQ(info.standardMinutesEast, -300);
        EXPECT_TRUE(info.daylightInForce);
    }
    {
        ScopedZone zone("IST-5:30");
        EXPECT_EQ(astro::ReadSystemZone().standardMinutesEast, 330);
    }
}

}  // namespace

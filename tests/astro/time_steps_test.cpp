#include "astro/time_steps.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "astro/clock.h"

namespace {

using state::CivilClock;

state::ViewState ViewAt(CivilClock clock) {
    state::ViewState v;
    v.clock = clock;
    return v;
}

TEST(TimeSteps, MonthStepKeepsTheDayNumberAndCarries) {
    state::ViewState v = ViewAt({2001, 1, 31, 12, 0});
    // The "3 months" item steps two months, as it always has.
    astro::StepClock(v, 12, +1);
    EXPECT_EQ(v.clock, (CivilClock{2001, 3, 31, 12, 0}));
    v.clock = {2001, 1, 31, 12, 0};
    ASSERT_TRUE(astro::StepClock(v, 11, +1));
    EXPECT_EQ(v.clock, (CivilClock{2001, 3, 3, 12, 0}));
    v.clock = {2004, 1, 31, 12, 0};
    astro::StepClock(v, 11, +1);
    EXPECT_EQ(v.clock, (CivilClock{2004, 3, 2, 12, 0}));
}

TEST(TimeSteps, SiderealDayAndDecrements) {
    state::ViewState v = ViewAt({2000, 1, 1, 0, 0});
    astro::StepClock(v, 20, -1);
    EXPECT_EQ(v.clock, (CivilClock{1999, 12, 31, 0, 4}));
    astro::StepClock(v, 0, -1);
    EXPECT_EQ(v.clock, (CivilClock{1999, 12, 31, 0, 3}));
    v.clock = {-99500, 6, 1, 0, 0};
    astro::StepClock(v, 19, -1);
    EXPECT_EQ(v.clock.year, -99998);
    // Unknown step indices from a damaged settings file count as one minute.
    astro::StepClock(v, 99, +1);
    EXPECT_EQ(v.clock.minute, 1);
}

TEST(TimeSteps, NothingStepsInRealTime) {
    state::ViewState v = ViewAt({2000, 1, 1, 0, 0});
    v.Keisanji = astro::kRealTime;
    EXPECT_FALSE(astro::StepClock(v, 8, +1));
    EXPECT_FALSE(astro::AddToClock(v, 0, 0, 1, 0, 0));
    EXPECT_EQ(v.clock, (CivilClock{2000, 1, 1, 0, 0}));
}

TEST(TimeModes, SwitchingKeepsTheInstant) {
    state::ViewState v = ViewAt({2000, 1, 1, 20, 0});
    v.TimeZone = -300;
    v.SystemZone = 60;
    int32_t mjd = astro::ModifiedJulianDay(2000, 1, 1);
    int32_t instant = mjd * 1440 + astro::UtMinutesOf(v);

    ASSERT_TRUE(astro::SwitchTimeMode(v, astro::kGreenwichTime));
    EXPECT_EQ(v.clock, (CivilClock{2000, 1, 2, 1, 0}));
    EXPECT_FALSE(astro::SwitchTimeMode(v, astro::kGreenwichTime));
    EXPECT_FALSE(astro::SwitchTimeMode(v, 7));

    for (int32_t mode : {astro::kSystemTime, astro::kLocalTime, astro::kSystemTime}) {
        ASSERT_TRUE(astro::SwitchTimeMode(v, mode));
        int32_t now = astro::ModifiedJulianDay(v.clock.year, v.clock.month, v.clock.day) * 1440 +
                      astro::UtMinutesOf(v);
        EXPECT_EQ(now, instant) << mode;
    }
    v.AutoRunning = true;
    ASSERT_TRUE(astro::SwitchTimeMode(v, astro::kRealTime));
    EXPECT_FALSE(v.AutoRunning);
}

TEST(TimeModes, DaylightSavingMovesTheClockNotTheInstant) {
    state::ViewState v = ViewAt({2000, 12, 31, 23, 30});
    astro::ToggleDaylightSaving(v);
    EXPECT_EQ(v.Dst, 1);
    EXPECT_EQ(v.clock, (CivilClock{2001, 1, 1, 0, 30}));
    astro::ToggleDaylightSaving(v);
    EXPECT_EQ(v.Dst, 0);
    EXPECT_EQ(v.clock, (CivilClock{2000, 12, 31, 23, 30}));
}

TEST(TimeModes, ObtainCurrentTimeExpressesTheComputerClockInTheMode) {
    state::ViewState v = ViewAt({1990, 1, 1, 0, 0});
    v.SystemZone = 60;  // the computer runs on UT+1
    v.TimeZone = -300;  // the location is New York
    v.Keisanji = astro::kLocalTime;
    CivilClock computer{2026, 12, 6, 19, 5};
    ASSERT_TRUE(astro::ObtainCurrentTime(v, computer));
    EXPECT_EQ(v.clock, (CivilClock{2026, 12, 6, 13, 5}));
    EXPECT_FALSE(astro::ObtainCurrentTime(v, computer));  // unchanged: no redraw

    v.Keisanji = astro::kGreenwichTime;
    v.Dst = 1;
    astro::ObtainCurrentTime(v, computer);
    EXPECT_EQ(v.clock, (CivilClock{2026, 12, 6, 19, 5}));  // UT 18:05, shown an hour ahead
}

TEST(TimeModes, StartupTakesTheComputerZoneAndClock) {
    state::ViewState v = ViewAt({1990, 1, 1, 0, 0});
    v.Keisanji = astro::kSystemTime;
    v.Dst = 1;
    astro::SetClockAtStartup(v);
    astro::SystemZoneInfo zone = astro::ReadSystemZone();
    EXPECT_EQ(v.SystemZone, zone.standardMinutesEast);
    EXPECT_EQ(v.Dst, zone.daylightInForce ? 1 : 0);
    EXPECT_GE(v.clock.year, 2020);
}

TEST(TimeModes, StartupShowsThePresentInstantInTheLocationZone) {
    // The computer runs on UT; the view is in New York's Local Time: the clock shows UT - 5 h.
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    state::ViewState v = ViewAt({1990, 1, 1, 0, 0});
    v.Keisanji = astro::kLocalTime;
    v.TimeZone = -300;
    astro::SetClockAtStartup(v);
    CivilClock expected = astro::ReadComputerClock();
    expected.minute -= 300;
    astro::NormalizeClock(expected);
    if (expected.minute != v.clock.minute) {  // the minute turned between the two reads
        expected = astro::ReadComputerClock();
        expected.minute -= 300;
        astro::NormalizeClock(expected);
    }
    EXPECT_EQ(v.clock, expected);
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

}  // namespace

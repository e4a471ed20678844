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

}  // namespace

#include "astro/time_steps.h"

#include <gtest/gtest.h>

#include <string>

#include "astro/clock.h"

namespace {

using state::CivilClock;

state::ViewState ViewAt(CivilClock clock) {
    state::ViewState v;
    v.clock = clock;
    return v;
}

TEST(TimeSteps, StepsCarryAndNothingStepsInRealTime) {
    const struct {
        CivilClock from;
        int32_t index, direction;
        CivilClock to;
    } cases[] = {
        {{2001, 1, 31, 12, 0}, 12, +1, {2001, 3, 31, 12, 0}},  // "3 months" steps two
        {{2001, 1, 31, 12, 0}, 11, +1, {2001, 3, 3, 12, 0}},   // the day number is kept
        {{2004, 1, 31, 12, 0}, 11, +1, {2004, 3, 2, 12, 0}},
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

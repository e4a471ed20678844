#include "astro/sidereal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "astro/clock.h"

namespace {

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

// Mean sidereal time at Greenwich in hours, J. Meeus, "Astronomical Algorithms" (2nd ed.),
// formula 12.4 (the IAU 1982 expression).
double MeeusGreenwichHours(double jd) {
    double t = (jd - 2451545.0) / 36525.0;
    double degrees = 280.46061837 + 360.98564736629 * (jd - 2451545.0) + 0.000387933 * t * t -
                     t * t * t / 38710000.0;
    degrees = std::fmod(degrees, 360.0);
    if (degrees < 0) degrees += 360.0;
    return degrees / 15.0;
}

// One binary unit is 2.6 seconds of time. The program's constants run about 23 units (one
// minute of time, the clock's own resolution) behind the IAU expression around 2000, drifting
// to -18 in 1800 and -29 in 2200; 30 units is 80 seconds of time or 0.33 degrees.
constexpr int32_t kTolerance = 30;

// Meeus Examples 12.a and 12.b: 1987 April 10, 0h UT and 19h21m00s UT, mean sidereal time at
// Greenwich 13h10m46.3668s and 8h34m57.0896s. West longitudes subtract: 74.0 degrees west (New
// York, the default place) is 4h56m earlier; 139.5 degrees east is stored as -1395.
TEST(SiderealAngle, MeeusExamplesAtGreenwichAndEitherSide) {
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
}

// Over four centuries, at many minutes of the day, and with UT minutes outside the day.
TEST(SiderealAngle, FollowsTheIauExpressionFrom1800To2200) {
    for (int32_t year = 1800; year <= 2200; year += 7) {
        for (int32_t month : {1, 5, 9}) {
            int32_t mjd = astro::ModifiedJulianDay(year, month, 13);
            for (int32_t ut : {-300, 0, 437, 1439, 1800}) {
                double jd = mjd + 2400000.5 + ut / 1440.0;
                int32_t got = astro::SiderealAngle(mjd, ut, 0);
                ASSERT_NEAR(AngleDifference(got, ExpectedAngle(MeeusGreenwichHours(jd))), 0,
                            kTolerance)
                    << year << "-" << month << " ut " << ut;
            }
        }
    }
}

}  // namespace

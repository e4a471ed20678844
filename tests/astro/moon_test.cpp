// The Moon's age, phase polygons, parallax vector and the Earth's shadow.
#include "astro/moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "astro/clock.h"
#include "astro/moon_phase.h"
#include "astro/planets.h"

namespace astro {
namespace {

constexpr double kPi = 3.141592653589793;

double Days(int year, int month, int day, int hour, int minute) {
    return DaysFromJ2000(ModifiedJulianDay(year, month, day), hour * 60 + minute);
}

// New moons (UT): 2024-03-10 09:00, 2024-04-08 18:21, 2024-05-08 03:22; 2000-01-06 18:14.
TEST(MoonAge, FromTheLastNewMoonAndInRangeAtTheYearLimits) {
    const std::tuple<int, int, int, int, int, double> ages[] = {
        {2024, 4, 8, 18, 30, 9.0 / 1440.0},  // just after a new moon
        {2024, 4, 8, 18, 21, 0.0},
        {2000, 1, 7, 18, 14, 1.0},
        {2024, 4, 8, 18, 11, 29.381},  // just before one: from 2024-03-10 09:00
        {2024, 5, 8, 3, 0, 29.360}};
    for (const auto& [y, m, d, h, mi, age] : ages) {
        const double got = MoonAgeSearch(Days(y, m, d, h, mi), y);
        EXPECT_GE(got, 0.0);
        EXPECT_NEAR(got, age, 0.006) << y << "-" << m << "-" << d << " " << h << ":" << mi;
    }
    double previous = -1.0;
    for (int hour = 0; hour < 29 * 24; hour += 7) {
        const double age = MoonAgeSearch(Days(2024, 4, 9, 0, 0) + hour / 24.0, 2024);
        EXPECT_NEAR(age, previous < 0 ? age : previous + 7.0 / 24.0, 0.01) << hour;
        previous = age;
    }
    for (int year : {-99998, 1799, 2201, 99999}) {
        const double age = MoonAgeSearch(Days(year, 1, 1, 0, 0), year);
        EXPECT_TRUE(age >= 0.0 && age < 40.0) << year;
    }
}

double Area(const std::vector<PixelPoint>& points) {
    double twice = 0;
    for (size_t k = 0; k < points.size(); ++k) {
        const PixelPoint& a = points[k];
        const PixelPoint& b = points[(k + 1) % points.size()];
        twice += double(a.x) * b.y - double(b.x) * a.y;
    }
    return std::fabs(twice) / 2;
}

TEST(MoonPhase, LitPartOfTheDiscByElongation) {
    const PixelPoint centre{100, 50};
    const MoonPhaseShape newMoon = MoonPhasePolygons(centre, 41.0, 0.0, 0.3);
    ASSERT_EQ(newMoon.disc.size(), 120u);  // rho = 20.25, N = trunc(60.75) capped at 60
    EXPECT_NEAR(Area(newMoon.disc), kPi * 20.25 * 20.25, 0.03 * kPi * 20.25 * 20.25);
    EXPECT_EQ(Area(newMoon.lit), 0.0);
    const MoonPhaseShape full = MoonPhasePolygons(centre, 41.0, kPi, 0.3);
    EXPECT_EQ(full.lit, full.disc);
    const MoonPhaseShape fullWaning = MoonPhasePolygons(centre, 41.0, -kPi, 0.3);
    EXPECT_EQ(fullWaning.lit, fullWaning.disc);
    // At first quarter the terminator (points N..2N-1) is a straight line through the centre and
    // the limb half (points 0..N-1) is lit; last quarter lights the other side.
    const MoonPhaseShape quarter = MoonPhasePolygons(centre, 21.0, kPi / 2, 0.0);
    const MoonPhaseShape last = MoonPhasePolygons(centre, 21.0, -kPi / 2, 0.0);
    const int N = static_cast<int>(quarter.lit.size()) / 2;
    ASSERT_EQ(N, 30);  // trunc(3 x 10.25)
    for (int j = 0; j < 2 * N; ++j) {
        EXPECT_TRUE(j < N ? quarter.lit[j].x >= centre.x : quarter.lit[j].x == centre.x) << j;
        EXPECT_TRUE(j < N ? last.lit[j].x == centre.x : last.lit[j].x <= centre.x) << j;
    }
    EXPECT_NEAR(Area(quarter.lit), Area(quarter.disc) / 2, 0.05 * Area(quarter.disc));
}

TEST(MoonPhase, RotatesWithTheTiltAndDegenerateDiametersGiveNoPoints) {
    // rho = 2.25: point j = 0 is (0, 2.25) -> (0, 2); with tilt pi/2 it is (-2.25, 0) -> (-2, 0).
    EXPECT_EQ(MoonPhasePolygons({0, 0}, 5.0, 1.0, 0.0).disc[0], (PixelPoint{0, 2}));
    EXPECT_EQ(MoonPhasePolygons({0, 0}, 5.0, 1.0, kPi / 2).disc[0], (PixelPoint{-2, 0}));
    EXPECT_TRUE(MoonPhasePolygons({0, 0}, 0.5, 1.0, 0.0).disc.empty());
    EXPECT_TRUE(MoonPhasePolygons({0, 0}, -10.0, 1.0, 0.0).lit.empty());
    EXPECT_TRUE(MoonPhasePolygons({0, 0}, std::nan(""), 1.0, 0.0).disc.empty());
    EXPECT_EQ(MoonPhasePolygons({0, 0}, 1e12, 1.0, 0.0).disc.size(), 120u);
}

TEST(EarthShadow, RadiiAtMeanDistances) {
    ShadowInput in;
    in.sunDistance = 1.0;
    in.moonDistance = 60.27;  // 384400 km
    in.sunLongitude = 1.0;
    in.moonLongitude = in.moonGeoLongitude = 1.0 + kPi;
    in.moonRadius = 0.0045;
    const EarthShadow shadow = ComputeEarthShadow(in);
    // The umbra is about 0.70 degrees and the penumbra about 1.24 degrees in radius.
    EXPECT_NEAR(shadow.umbraRadius * 180 / kPi, 0.70, 0.02);
    EXPECT_NEAR(shadow.penumbraRadius * 180 / kPi, 1.24, 0.02);
    EXPECT_NEAR(shadow.separation, 0.0, 1e-12);
    EXPECT_TRUE(shadow.reachesMoon);
    // Far from the anti-solar point (also across 0/2pi) nothing is drawn.
    in.moonLongitude = in.moonGeoLongitude = 1.0 + kPi + 0.05;
    EXPECT_FALSE(ComputeEarthShadow(in).reachesMoon);
    in.sunLongitude = 3.2;
    in.moonLongitude = in.moonGeoLongitude = 0.01;  // anti-solar point at 6.34 = 0.058
    EXPECT_NEAR(ComputeEarthShadow(in).separation, 0.0484, 1e-3);
}

}  // namespace
}  // namespace astro

// Known answers for the series and the position routine: J2000.0, the worked examples of the
// standard astronomical-algorithms textbook, and the switch of theory at 1800 and 2200.
#include "astro/planets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "astro/body_table.h"
#include "astro/clock.h"
#include "astro/series.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;

double Degrees360(double radians) {
    double d = std::fmod(radians / kDegree, 360.0);
    return d < 0 ? d + 360.0 : d;
}

double Days(int year, int month, int day, int minutes = 0) {
    return DaysFromJ2000(ModifiedJulianDay(year, month, day), minutes);
}

struct Geo {
    double longitude, latitude, distance;  // degrees, degrees, AU (Moon: Earth radii)
};

Geo Geocentric(int index, double t, int year) {
    MeanArguments memory;
    const BodyPosition earth = ComputeBodyPosition(kSunIndex, t, year, memory);
    double x = -earth.x, y = -earth.y, z = -earth.z;
    if (index == kMoonIndex) {
        const BodyPosition moon = ComputeBodyPosition(kMoonIndex, t, year, memory);
        x = moon.x, y = moon.y, z = moon.z;
    } else if (index != kSunIndex) {
        const BodyPosition p = ComputeBodyPosition(index, t, year, memory);
        x = p.x - earth.x, y = p.y - earth.y, z = p.z - earth.z;
    }
    return {Degrees360(std::atan2(y, x)), std::atan2(z, std::hypot(x, y)) / kDegree,
            std::sqrt(x * x + y * y + z * z)};
}

TEST(Series, EarthLongitudeAtJ2000) {
    // 460.4659 + 1.9147 cos 267.52 + 0.02 cos 265.1 + ... : about 100.38 degrees.
    EXPECT_NEAR(SunLongitudeSeries(0.0) - 360.0, 100.38, 0.01);
    EXPECT_NEAR(SunDistanceSeries(0.0), 0.98333, 0.0001);  // perihelion season
    MeanArguments memory;
    const BodyPosition earth = ComputeBodyPosition(kSunIndex, 0.0, 2000, memory);
    EXPECT_NEAR(earth.longitude / kDegree, SunLongitudeSeries(0.0) - 360.0, 1e-12);
    EXPECT_EQ(earth.latitude, 0.0);
    // The Sun seen from the Earth: about 280.38 degrees.
    EXPECT_NEAR(Geocentric(kSunIndex, 0.0, 2000).longitude, 280.38, 0.01);
}

TEST(Series, MoonSeriesKnownSums) {
    // Sums of all 49 longitude and 35 latitude terms, evaluated apart from the program from
    // the published term list: a dropped or mistyped term shows here.
    EXPECT_NEAR(MoonLongitudeSeries(0.0), 223.31381446929805, 1e-9);
    EXPECT_NEAR(MoonLatitudeSeries(0.0), 5.172028532170124, 1e-9);
    EXPECT_NEAR(MoonLongitudeSeries(0.5), 240858.66494502657, 1e-7);
    EXPECT_NEAR(MoonLatitudeSeries(0.5), 3.388674657660894, 1e-9);
    EXPECT_NEAR(MoonLongitudeSeries(-1.3), -625426.1278796213, 1e-7);
    EXPECT_NEAR(MoonLatitudeSeries(-1.3), 3.6894647059253147, 1e-9);
}

// Worked examples of the textbook at 0h TD (UT 59 s earlier): 25.a, the Sun on 1992 October 13,
// geometric longitude 199.90988 (mean equinox of date), R = 0.99766 AU; 47.a, the Moon on 1992
// April 12, apparent longitude 133.162655 (with 0.0046 of nutation), latitude -3.229126,
// distance 368409.7 km (57.76 Earth radii; a plain ellipse here, hence 2.5 %); 33.a, Venus on
// 1992 December 20, apparent longitude 313.08102, latitude -2.08474, distance 0.910947 AU (light
// time and aberration included, about 0.005 degrees).
TEST(Series, WorkedExamplesOf1992) {
    const struct {
        int index, month, day;
        Geo expected, tolerance;
    } cases[] = {
        {kSunIndex, 10, 13, {199.90988, 0.0, 0.99766}, {0.02, 1e-9, 0.0002}},
        {kMoonIndex, 4, 12, {133.1627 - 0.0046, -3.229126, 368409.7 / 6378.14}, {0.03, 0.01, 1.5}},
        {kVenusIndex, 12, 20, {313.08102, -2.08474, 0.910947}, {0.03, 0.01, 0.001}},
    };
    for (const auto& c : cases) {
        const Geo g = Geocentric(c.index, Days(1992, c.month, c.day, -1), 1992);
        EXPECT_NEAR(g.longitude, c.expected.longitude, c.tolerance.longitude) << c.index;
        EXPECT_NEAR(g.latitude, c.expected.latitude, c.tolerance.latitude) << c.index;
        EXPECT_NEAR(g.distance, c.expected.distance, c.tolerance.distance) << c.index;
    }
}

TEST(Planets, TheorySwitchesAt1800And2200) {
    EXPECT_FALSE(UsesSeries(1799));
    EXPECT_TRUE(UsesSeries(1800));
    EXPECT_TRUE(UsesSeries(2200));
    EXPECT_FALSE(UsesSeries(2201));
    for (int year : {1800, 2200}) {
        const double t = Days(year, 1, 1);
        for (int index : {kSunIndex, kMoonIndex}) {
            const Geo series = Geocentric(index, t, year);
            const Geo elements = Geocentric(index, t, year == 1800 ? 1799 : 2201);
            const double difference =
                std::fabs(std::remainder(series.longitude - elements.longitude, 360.0));
            // Different theories: not identical, but describing the same sky.
            EXPECT_GT(difference, 1e-6) << year << " " << index;
            EXPECT_LT(difference, index == kSunIndex ? 0.05 : 1.0) << year << " " << index;
        }
        // The planets do not change theory.
        const Geo a = Geocentric(4, t, year), b = Geocentric(4, t, year == 1800 ? 1799 : 2201);
        EXPECT_NEAR(a.longitude - b.longitude, 0.0, 0.05);
    }
}

TEST(Planets, LongitudesAreNormalisedAndPositionsFiniteAtTheYearLimits) {
    for (int year : {-99998, -4000, 0, 1799, 2201, 9999, 99999}) {
        const double t = Days(year, 6, 30, 720);
        MeanArguments memory;
        for (int k = 0; k < kBodyCount; ++k) {
            const BodyPosition p = ComputeBodyPosition(k, t, year, memory);
            ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z))
                << year << " body " << k;
            if (k < 10) {
                EXPECT_GE(p.longitude, 0.0) << year << " body " << k;
                EXPECT_LT(p.longitude, 6.283185307179586) << year << " body " << k;
            }
        }
    }
    // Out-of-range indices give a zero vector rather than reading past the table.
    MeanArguments memory;
    EXPECT_EQ(ComputeBodyPosition(25, 0.0, 2000, memory).x, 0.0);
    EXPECT_EQ(ComputeBodyPosition(-1, 0.0, 2000, memory).x, 0.0);
}

TEST(BodyTable, LevelsAndTheirToggles) {
    // WakuseiLevel 2 hides Pluto, Eris and Ceres; 3 shows them but not the other minor bodies;
    // 5 shows all.
    for (int index : {9, 18, 20})
        EXPECT_EQ(std::tuple(BodyShownAtLevel(index, 2), BodyShownAtLevel(index, 3)),
                  std::tuple(false, true))
            << index;
    EXPECT_FALSE(BodyShownAtLevel(19, 3) || BodyShownAtLevel(21, 3));
    for (int k = 0; k < kBodyCount; ++k)
        EXPECT_TRUE(BodyShownAtLevel(k, 5)) << k;
    const std::tuple<int, int, int> toggles[] = {{2, 3, 5}, {3, 2, 5}, {5, 2, 3}};
    for (const auto& [level, dwarfs, asteroids] : toggles)
        EXPECT_EQ(std::tuple(ToggleDwarfPlanets(level), TogglePrincipalAsteroids(level)),
                  std::tuple(dwarfs, asteroids))
            << level;
    EXPECT_NEAR(OrbitalPeriods()[5] / 365.25, 11.86, 0.01);
    EXPECT_GT(OrbitalPeriods()[kSednaIndex], 730500.0);  // drawn as an open arc
}

}  // namespace
}  // namespace astro

// The per-frame body state: geocentric shift, the Moon's parallax, radii, separations, screen
// positions and the horizon marker, checked against real eclipses and transits.
#include "astro/bodies.h"

#include <gtest/gtest.h>

#include <cmath>

#include <tuple>
#include <vector>
#include "astro/clock.h"
#include "astro/moon.h"
#include "astro/moon_phase.h"
#include "astro/planets.h"
#include "astro/projection.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace astro {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180;

class Bodies : public ::testing::Test {
  protected:
    // A Greenwich-time clock at the place (latitude north, longitude east in degrees).
    SolarSystemState At(int year, int month, int day, int hour, int minute, double north = 41.0,
                        double east = -74.0) {
        view.clock = {year, month, day, hour, minute};
        view.Keisanji = 1;
        view.Dst = 0;
        view.Ido2 = static_cast<int>(std::lround(north * 10));
        view.Keido2 = static_cast<int>(std::lround(-east * 10));
        frame = ComputeViewFrame(view, store.view());
        SolarSystemState state;
        ComputeAllBodies(view, frame, state);
        return state;
    }

    ProjectionTableStore store = BuildProjectionTables();
    state::ViewState view;
    ViewFrame frame;
};

TEST_F(Bodies, SunIsTheNegatedEarthWithItsApparentRadius) {
    view.SeimitsuKeisan = 0;  // the described series, without aberration
    const SolarSystemState s = At(2000, 1, 1, 12, 0);
    const BodyState& sun = s.bodies[kSunIndex];
    EXPECT_NEAR(sun.geoLongitude / kDegree + 360, 280.38, 0.01);
    EXPECT_NEAR(sun.helioLongitude / kDegree, 100.38, 0.01);
    EXPECT_DOUBLE_EQ(sun.geoDistance, sun.helioDistance);
    EXPECT_NEAR(sun.helioX, -std::cos(sun.geoLongitude) * sun.geoDistance, 1e-12);
    // 16.3 arc minutes in early January.
    EXPECT_NEAR(s.sunRadius / kDegree * 60, 16.26, 0.03);
}

TEST_F(Bodies, MoonParallaxMakesTheTotalEclipseOf2024April8Central) {
    // Near Dallas (32.8 N, 96.8 W) totality peaked at about 18:42 UT. Geocentrically the
    // Moon was well off the Sun's centre; seen from the place it covered it, whichever way the
    // view is oriented.
    view.SekidouMod = 1;
    EXPECT_LT(At(2024, 4, 8, 18, 42, 32.8, -96.8).sunMoonSeparation / kDegree, 0.05);
    view.SekidouMod = 0;
    const SolarSystemState s = At(2024, 4, 8, 18, 42, 32.8, -96.8);
    EXPECT_LT(s.sunMoonSeparation / kDegree, 0.05);
    EXPECT_GT(s.moonRadius, s.sunRadius);
    // Venus stood west of the eclipsed Sun and Jupiter east: right and left of it looking south.
    EXPECT_GT(s.bodies[kVenusIndex].screenX, s.bodies[kSunIndex].screenX + 100);
    EXPECT_LT(s.bodies[5].screenX, s.bodies[kSunIndex].screenX - 100);
    const BodyState& moon = s.bodies[kMoonIndex];
    const double geocentric =
        EclipticSeparation(moon.helioLongitude, moon.helioLatitude,
                           s.bodies[kSunIndex].geoLongitude, s.bodies[kSunIndex].geoLatitude);
    EXPECT_GT(geocentric / kDegree, 0.4);
    // Topocentric distance is less than geocentric by nearly an Earth radius (Sun high).
    EXPECT_NEAR(moon.helioDistance - moon.geoDistance, 0.85, 0.15);
    EXPECT_NEAR(s.MoonElongation, 0.0, 0.002);
}

TEST_F(Bodies, EclipseAtTheEquinoxIsNotLostAcrossLongitudeZero) {
    // Total eclipse of 2015 March 20 at the Faroe Islands (62.0 N, 6.8 W), 09:41 UT; the Sun
    // was at longitude 359.5 degrees and the Moon just past 0.
    const SolarSystemState s = At(2015, 3, 20, 9, 41, 62.0, -6.8);
    EXPECT_LT(s.sunMoonSeparation / kDegree, 0.1);
    EXPECT_NEAR(EclipticSeparation(6.2, 0.0, 0.05, 0.0), 6.2832 - 6.15, 1e-3);
}

TEST_F(Bodies, TransitsOfVenusAndMercury) {
    const SolarSystemState venus = At(2012, 6, 6, 1, 30);
    EXPECT_LT(venus.sunVenusSeparation, venus.sunRadius + venus.venusRadius);
    EXPECT_LT(venus.bodies[kVenusIndex].geoDistance, venus.bodies[kSunIndex].geoDistance);
    EXPECT_NEAR(venus.venusRadius / kDegree * 3600, 29.0, 1.0);  // 58" across
    const SolarSystemState mercury = At(2019, 11, 11, 15, 20);
    EXPECT_LT(mercury.sunMercurySeparation, mercury.sunRadius);
    // A month later neither is near the Sun.
    const SolarSystemState later = At(2019, 12, 11, 15, 20);
    EXPECT_GT(later.sunMercurySeparation, later.sunRadius * 5);
}

TEST_F(Bodies, TotalLunarEclipseOf2022November8) {
    // Greatest eclipse 10:59 UT with gamma 0.257: the Moon's centre 0.24 degrees from the
    // shadow axis, the whole Moon inside the umbra.
    const SolarSystemState s = At(2022, 11, 8, 10, 59);
    EXPECT_NEAR(s.moonShadowSeparation / kDegree, 0.24, 0.03);
    const BodyState& moon = s.bodies[kMoonIndex];
    const BodyState& sun = s.bodies[kSunIndex];
    const EarthShadow shadow = EarthShadowOf(s);
    EXPECT_TRUE(shadow.reachesMoon);
    // The shadow centre is the anti-solar point moved by the Moon's parallax.
    EXPECT_NEAR(std::remainder(shadow.centreLongitude - sun.geoLongitude - kPi -
                                   (moon.geoLongitude - moon.helioLongitude),
                               2 * kPi),
                0.0, 1e-12);
    EXPECT_LT(shadow.separation + s.moonRadius, shadow.umbraRadius);
    // A full moon without an eclipse: 2024 January 25, 17:54 UT.
    const SolarSystemState plain = At(2024, 1, 25, 17, 54);
    EXPECT_GT(plain.moonShadowSeparation / kDegree, 1.5);
    EXPECT_FALSE(EarthShadowOf(plain).reachesMoon);
    // Full moon: 14.25 days after the new moon of January 11, 11:57 UT.
    EXPECT_NEAR(MoonAgeOf(frame, view.clock.year), 14.25, 0.02);  // new moon 01-11 11:57
}

TEST_F(Bodies, BodiesBelowTheHorizonCarryTheMarker) {
    // Local midnight in June at 41 N looking north at the horizon: the Sun is about 26
    // degrees below the view centre.
    view.Houi2 = 1800.0;
    view.Koudo2 = 0.0;
    const SolarSystemState s = At(2024, 6, 21, 4, 56);  // 00:00 local mean time at 74 W
    const BodyState& sun = s.bodies[kSunIndex];
    // Below: y grows downward.
    EXPECT_EQ(std::tuple(sun.depth, sun.down > 0.0, std::fabs(sun.screenX) < 30, sun.screenY > 200),
              std::tuple(20000.0, true, true, true));
}

TEST_F(Bodies, MoonTiltFollowsTheEclipticOnScreen) {
    view.SekidouMod = 1;
    view.Houi2 = 0.0;
    view.Koudo2 = 0.0;
    SolarSystemState s = At(2000, 1, 1, 0, 0);
    // A Moon placed at the equinox: eastward along the ecliptic runs 23.44 degrees north of
    // east, and the equator view has east to the left and north up.
    s.bodies[kMoonIndex].geoLongitude = 0.0;
    s.bodies[kMoonIndex].geoLatitude = 0.0;
    EXPECT_NEAR(MoonTilt(frame, s) / kDegree, -180 + 23.44, 0.3);
}

// The precise theories hold from 1000 to 3000; outside, every body and the sidereal angle
// fall back to the described model, and at the clock's limits nothing is lost or hangs.
TEST_F(Bodies, EveryFieldIsFiniteAndPreciseTheoriesFallBackOutsideTheirYears) {
    for (const auto& [year, month, day, hour] : {std::tuple{-99998, 1, 1, 0},
                                                 {999, 6, 1, 12},
                                                 {1000, 6, 1, 12},
                                                 {1799, 12, 31, 23},
                                                 {1800, 1, 1, 0},
                                                 {2200, 12, 31, 23},
                                                 {2201, 1, 1, 0},
                                                 {3000, 6, 1, 12},
                                                 {3001, 6, 1, 12},
                                                 {99999, 12, 31, 23}}) {
        view.SeimitsuKeisan = 1;
        const SolarSystemState precise = At(year, month, day, hour, 59, -89.9, 179.9);
        const BinAngle preciseSidereal = frame.SiderealAngle;
        view.SeimitsuKeisan = 0;
        const SolarSystemState described = At(year, month, day, hour, 59, -89.9, 179.9);
        const bool covered = year >= 1000 && year <= 3000;
        EXPECT_EQ(preciseSidereal == frame.SiderealAngle, !covered) << year;
        for (const SolarSystemState* s : {&precise, &described}) {
            for (int k = 0; k < kBodyCount; ++k) {
                const BodyState& b = s->bodies[k];
                ASSERT_TRUE(std::isfinite(b.geoLongitude) && std::isfinite(b.geoLatitude) &&
                            std::isfinite(b.geoDistance) && std::isfinite(b.depth) &&
                            std::fabs(b.screenX) <= 32000.0 && std::fabs(b.screenY) <= 32000.0)
                    << year << " body " << k;
                if (!covered) {
                    EXPECT_EQ(b.geoLongitude, described.bodies[k].geoLongitude) << year << k;
                }
            }
            EXPECT_TRUE(std::isfinite(s->moonRadius) && std::fabs(s->MoonElongation) <= kPi);
        }
    }
}

// The Moon's age, phase polygons, parallax vector and the Earth's shadow.

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
    for (double elongation : {kPi, -kPi}) {
        const MoonPhaseShape full = MoonPhasePolygons(centre, 41.0, elongation, 0.3);
        EXPECT_EQ(full.lit, full.disc);
    }
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
    EXPECT_EQ(std::pair(shadow.separation, shadow.reachesMoon), std::pair(0.0, true));
    // Far from the anti-solar point (also across 0/2pi) nothing is drawn.
    in.moonLongitude = in.moonGeoLongitude = 1.0 + kPi + 0.05;
    EXPECT_FALSE(ComputeEarthShadow(in).reachesMoon);
    in.sunLongitude = 3.2;
    in.moonLongitude = in.moonGeoLongitude = 0.01;  // anti-solar point at 6.34 = 0.058
    EXPECT_NEAR(ComputeEarthShadow(in).separation, 0.0484, 1e-3);
}

}  // namespace
}  // namespace astro

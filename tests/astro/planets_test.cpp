// The described series, the switch of theory at 1800 and 2200, the position routine at the
// year limits and the levels of the body table. (The positions themselves are checked against
// an outside ephemeris in ephemeris_accuracy_test.cpp.)
#include "astro/planets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include <string>
#include "astro/body_table.h"
#include "astro/clock.h"
#include "astro/minor_planet_file.h"
#include "astro/series.h"

namespace astro {
namespace {

double Days(int year, int month, int day, int minutes = 0) {
    return DaysFromJ2000(ModifiedJulianDay(year, month, day), minutes);
}

TEST(Series, MoonSeriesKnownSums) {
    // Sums of all 49 longitude and 35 latitude terms, evaluated apart from the program from
    // the published term list: a dropped or mistyped term shows here.
    const std::tuple<double, double, double> sums[] = {
        {0.0, 223.31381446929805, 5.172028532170124},
        {0.5, 240858.66494502657, 3.388674657660894},
        {-1.3, -625426.1278796213, 3.6894647059253147}};
    for (const auto& [t, longitude, latitude] : sums) {
        EXPECT_NEAR(MoonLongitudeSeries(t), longitude, 1e-7) << t;
        EXPECT_NEAR(MoonLatitudeSeries(t), latitude, 1e-9) << t;
    }
}

TEST(Planets, TheorySwitchesAt1800And2200) {
    EXPECT_EQ(std::tuple(UsesSeries(1799), UsesSeries(1800), UsesSeries(2200), UsesSeries(2201)),
              std::tuple(false, true, true, false));
    for (int year : {1800, 2200}) {
        const int outside = year == 1800 ? 1799 : 2201;
        // Different theories for the Sun and the Moon, describing the same sky; the planets do
        // not change theory.
        for (const auto& [index, worst] :
             {std::pair{kSunIndex, 0.05}, {kMoonIndex, 1.0}, {4, 0.0}}) {
            MeanArguments memory, other;  // the Sun first, as the frame computes them
            ComputeBodyPosition(kSunIndex, Days(year, 1, 1), year, memory);
            ComputeBodyPosition(kSunIndex, Days(year, 1, 1), outside, other);
            const BodyPosition p = ComputeBodyPosition(index, Days(year, 1, 1), year, memory);
            const BodyPosition q = ComputeBodyPosition(index, Days(year, 1, 1), outside, other);
            const double a = std::atan2(p.y, p.x), b = std::atan2(q.y, q.x);
            const double difference = std::fabs(std::remainder(a - b, 2 * 3.141592653589793));
            EXPECT_LE(difference, worst * 0.017453292519943295) << year << " " << index;
            EXPECT_EQ(difference > 1e-8, worst > 0) << year << " " << index;
        }
    }
}

// Positions at the clock's limits are checked through the frame's bodies in bodies_test.cpp.
TEST(Planets, OutOfRangeIndicesGiveAZeroVector) {
    MeanArguments memory;
    EXPECT_EQ(ComputeBodyPosition(25, 0.0, 2000, memory).x, 0.0);
    EXPECT_EQ(ComputeBodyPosition(-1, 0.0, 2000, memory).x, 0.0);
}

// The data set's minor-planet elements: written, read back, and refused when implausible.

TEST(MinorPlanetFile, ReadsBackWhatItWritesAndRefusesBadValues) {
    MinorPlanetElements elements = BuiltInMinorPlanetElements();
    elements.epochMjd = 59800.0;
    elements.bodies[3].meanAnomaly = 61.19229900418838;
    const std::string text = MinorPlanetFileText(elements);
    const auto back = ParseMinorPlanetFile(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->epochMjd, 59800.0);
    EXPECT_NEAR(back->bodies[3].meanAnomaly, 61.19229900418838, 1e-9);

    struct Case {
        const char* from;
        const char* to;
    };
    const Case kBad[] = {
        {"Epoch=59800.000000", "Epoch=12000"},                   // before the integrated years
        {"Epoch=59800.000000", "Epoch=soon"},                    // not a number
        {"Juno=", "Junior="},                                    // a body missing
        {"Vesta=2.3612187, 0.0891723", "Vesta=2.3612187, 1.5"},  // not an ellipse
        {"Ceres=2.7655605, 0.0799046,", "Ceres=2.7655605 0.0799046,"},  // a field lost
    };
    for (const Case& c : kBad) {
        std::string changed = text;
        const std::size_t at = changed.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        changed.replace(at, std::string(c.from).size(), c.to);
        EXPECT_FALSE(ParseMinorPlanetFile(changed).has_value()) << c.to;
    }
}

}  // namespace
}  // namespace astro

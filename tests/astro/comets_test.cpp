// Comets on the sky: geocentric geometry, magnitude and the two visibility limits.
#include "astro/comets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "astro/clock.h"
#include "astro/orbit.h"
#include "astro/projection_tables.h"
#include "persist/comet_file.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;

class Comets : public ::testing::Test {
  protected:
    void SetUp() override {
        view.clock = {2024, 10, 12, 6, 0};
        view.Keisanji = 1;
        view.SeimitsuKeisan = 0;  // the geometry of the described Earth, without aberration
        frame = ComputeViewFrame(view, store.view());
        ComputeAllBodies(view, frame, bodies);
    }
    ProjectionTableStore store = BuildProjectionTables();
    state::ViewState view;
    ViewFrame frame;
    SolarSystemState bodies;
};

TEST_F(Comets, ACometAtOppositionLiesOppositeTheSun) {
    // Perihelion now, 2 AU from the Sun in the ecliptic, straight behind the Earth.
    const double earthLongitude = bodies.bodies[kSunIndex].helioLongitude / kDegree;
    state::CometRecord comet;
    comet.TY = 2024, comet.TM = 10, comet.TD = 12.25;
    comet.q = 2.0, comet.e = 1.0, comet.i = 0.0, comet.Node = 0.0;
    comet.Peri = earthLongitude;
    const CometPosition p = ComputeCometPosition(comet, FrameMjd(frame), bodies);
    EXPECT_NEAR(p.r, 2.0, 1e-12);
    EXPECT_NEAR(p.delta, 2.0 - bodies.bodies[kSunIndex].helioDistance, 1e-9);
    EXPECT_NEAR(std::remainder(p.longitude / kDegree - earthLongitude, 360.0), 0.0, 1e-9);
    EXPECT_NEAR(p.latitude, 0.0, 1e-12);
    // The Sun is on the other side: elongation 180 degrees.
    EXPECT_NEAR(std::fabs(std::remainder(p.longitude - bodies.bodies[kSunIndex].geoLongitude,
                                         2 * 3.141592653589793)),
                3.141592653589793, 1e-9);
}

TEST(CometMagnitude, FollowsTheTwoTermLaw) {
    state::CometRecord comet;
    comet.H1 = 5.0f;
    comet.K1 = 10.0f;
    EXPECT_NEAR(CometMagnitude(comet, 2.0, 1.0), 5.0 + 10 * std::log10(2.0), 1e-12);
    EXPECT_NEAR(CometMagnitude(comet, 1.0, 10.0), 10.0, 1e-12);
}

TEST(CometVisibility, MagnitudeAndDistanceLimits) {
    // Magnitude 6.05 is hidden at CometBright 60 and shown at 61.
    EXPECT_TRUE(CometHidden(6.05, 1.0, 1.0, 60, 20));
    EXPECT_FALSE(CometHidden(6.05, 1.0, 1.0, 61, 20));
    EXPECT_FALSE(CometHidden(6.0, 1.0, 1.0, 60, 20));
    // Far from both the Earth and the Sun (beyond 2.0 AU each) it is hidden; near either, not.
    EXPECT_TRUE(CometHidden(3.0, 2.1, 2.1, 60, 20));
    EXPECT_FALSE(CometHidden(3.0, 2.1, 1.9, 60, 20));
    EXPECT_FALSE(CometHidden(3.0, 1.9, 2.1, 60, 20));
    EXPECT_FALSE(CometHidden(3.0, 2.0, 2.0, 60, 20));
    EXPECT_TRUE(CometHidden(std::nan(""), 1.0, 1.0, 60, 20));
}

TEST_F(Comets, HiddenCometsGetTheHiddenDepth) {
    state::CometRecord comet;
    comet.TY = 2024, comet.TM = 10, comet.TD = 1.0;
    comet.q = 0.5, comet.e = 0.99, comet.H1 = 20.0f, comet.K1 = 10.0f;
    const CometState faint = ComputeCometState(comet, frame, bodies, 60, 20);
    EXPECT_TRUE(faint.hidden);
    EXPECT_EQ(faint.depth, kHiddenCometDepth);
    comet.H1 = -5.0f;
    const CometState bright = ComputeCometState(comet, frame, bodies, 60, 20);
    EXPECT_FALSE(bright.hidden);
    EXPECT_NE(bright.depth, kHiddenCometDepth);
    EXPECT_LE(std::fabs(bright.screenX), 32000.0);
    // Elements that give no position at all (a corrupted file) hide the comet.
    comet.q = std::numeric_limits<double>::quiet_NaN();
    const CometState broken = ComputeCometState(comet, frame, bodies, 60, 20);
    EXPECT_TRUE(broken.hidden);
    EXPECT_EQ(broken.depth, kHiddenCometDepth);
}

TEST_F(Comets, TheBuiltInLawsShowTheGreatCometsWhenEveryoneSawThem) {
    // Elements of the two apparitions (JPL small-body database), magnitude terms from the
    // loader's built-in laws; Halley is 5.03 by its law on that day (7.7 with the terms swapped).
    // clang-format off
    const std::tuple<state::CometRecord, state::CivilClock, double> apparitions[] = {
        {{.NAMEE = "Hale-Bopp", .TY = 1997, .TM = 4, .TD = 1.1373, .q = 0.91413353,
          .e = 0.99508172, .Peri = 130.58949, .Node = 282.47085, .i = 89.43015},
         {1997, 4, 1, 0, 0}, 0.0},
        {{.NAMEE = "Halley", .TY = 1986, .TM = 2, .TD = 9.4589, .q = 0.587104, .e = 0.967277,
          .Peri = 111.8466, .Node = 58.1434, .i = 162.2392},
         {1986, 3, 10, 0, 0}, 5.1},
    };
    // clang-format on
    for (const auto& [record, seen, brighterThan] : apparitions) {
        state::CometTable table;
        persist::ParseComets({reinterpret_cast<const uint8_t*>(&record), sizeof record}, table);
        view.clock = seen;
        frame = ComputeViewFrame(view, store.view());
        ComputeAllBodies(view, frame, bodies);
        const CometState state = ComputeCometState(table.records[0], frame, bodies, 60, 20);
        EXPECT_LT(state.magnitude, brighterThan) << record.NAMEE;
        EXPECT_FALSE(state.hidden) << record.NAMEE;  // at the default limits
    }
}

}  // namespace
}  // namespace astro

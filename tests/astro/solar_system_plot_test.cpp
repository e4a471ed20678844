// The Solar System window's geometry: the plot commands and drag at their limits, the rotation,
// the depth pens, the orbit cache and the comet orbit curves.
#include <gtest/gtest.h>

#include <cmath>

#include <sys/stat.h>
#include <clocale>
#include "../persist/test_world.h"
#include "astro/planets.h"
#include "astro/planets_location.h"
#include "astro/solar_system_plot.h"
#include "persist/profile.h"

namespace astro {
namespace {

struct CommandCase {
    int zoom, turn, tilt, command;
    int wantZoom, wantTurn, wantTilt;
};

// The plain zoom, tilt and home steps and a half-width drag are driven through the keys and the
// mouse in the tool window tests.
TEST(PlotCommands, KeepScaleTurnAndTiltInRange) {
    const CommandCase cases[] = {
        {2, 0, 0, 411, 2, 0, 0},           // the smallest scale stays
        {200, 0, 0, 410, 256, 0, 0},       // 288 is cut to 256
        {100, 0, 0, 411, 69, 0, 0},        // round(69.44)
        {9, 0, 0, 410, 13, 0, 0},          // round(12.96)
        {2, 0, 850, 603, 2, 0, 900},       // no step beyond edge-on
        {2, 3550, 0, 605, 2, 25, 0},       // turns wrap round
        {2, 0, 0, 607, 2, 3525, 0},        //
        {9999, -75, -40, 605, 256, 0, 0},  // settings out of range are brought in first
    };
    for (const CommandCase& c : cases) {
        state::AppOptions o;
        o.PlanetZoom = c.zoom;
        o.PlanetK1 = c.turn;
        o.PlanetK2 = c.tilt;
        ASSERT_TRUE(ApplyPlotCommand(o, c.command));
        const PlotSettings s = PlotSettingsOf(o);
        EXPECT_EQ(s, (PlotSettings{c.wantZoom, c.wantTurn, c.wantTilt}))
            << c.zoom << " " << c.turn << " " << c.tilt << " command " << c.command;
    }
    state::AppOptions o;
    EXPECT_TRUE(ApplyPlotCommand(o, 609) && o.PlaCometKidou == 1);
    EXPECT_FALSE(ApplyPlotCommand(o, 502));
}

TEST(PlotDrag, TurnsHalfARoundPerHalfWidthAndHoldsTheTilt) {
    struct Case {
        int turn, tilt, dx, dyUp, wantTurn, wantTilt;
    } const cases[] = {
        {0, 0, 0, -50, 0, 0},        // tilt 0 dragged downward stays 0
        {0, 900, 0, 50, 0, 900},     // 900 tilted further stays 900
        {100, 300, -1, 1, 96, 306},  // one pixel: 1800 / 400 and 1800 / 300, truncated
        {0, 0, -400, 300, 1800, 900},
    };
    for (const Case& c : cases) {
        state::AppOptions o;
        o.PlanetK1 = c.turn;
        o.PlanetK2 = c.tilt;
        DragPlot(o, c.dx, c.dyUp, 400, 300);
        EXPECT_EQ(std::pair(o.PlanetK1, o.PlanetK2), std::pair(c.wantTurn, c.wantTilt))
            << c.dx << " " << c.dyUp;
    }
}

TEST(PlotPosition, LooksDownFromTheNorthPoleAndTiltsItTowardsTheViewer) {
    struct Case {
        int turn, tilt;
        double x, y, z;
        PlotPoint want;
    } const cases[] = {
        {0, 0, 1, 0, 0, {10, 0, 0}},     // the equinox to the right
        {0, 0, 0, 1, 0, {0, -10, 0}},    // longitude 90 degrees up: anticlockwise
        {0, 0, 0, 0, 1, {0, 0, 10}},     // the north pole faces the viewer
        {900, 0, 1, 0, 0, {0, 10, 0}},   // turned a quarter
        {0, 900, 0, 0, 1, {0, -10, 0}},  // edge-on, north is up
        {0, 900, 0, 1, 0, {0, 0, -10}},  // and longitude 90 degrees lies behind
    };
    for (const Case& c : cases) {
        const PlotPoint p = PlotPosition(PlotRotationOf({10, c.turn, c.tilt}), c.x, c.y, c.z);
        EXPECT_LT(std::hypot(p.x - c.want.x, p.y - c.want.y, p.z - c.want.z), 1e-9)
            << c.turn << " " << c.tilt << " " << c.x << c.y << c.z;
    }
}

TEST(DepthPen, ByTheSummedDepthWithinThirteenPens) {
    // -150 gives trunc(-1.5).
    EXPECT_EQ(std::tuple(DepthPen(0, 0), DepthPen(-150, 0), DepthPen(99, 0), DepthPen(300, 300),
                         DepthPen(-700, -700), DepthPen(NAN, 0)),
              std::tuple(6, 5, 6, 12, 0, 0));
}

TEST(OrbitCache, SednaIsAnOpenArcOverTwoThousandYears) {
    OrbitCache cache;
    const double t = 9000.0;
    const OrbitTrack& sedna = cache.Orbit(kSednaIndex, t, 60544, 2024, {2, 0, 0});
    EXPECT_TRUE(sedna.open);
    MeanArguments memory;
    for (int k : {0, 71}) {
        const BodyPosition p =
            ComputeBodyPosition(kSednaIndex, t + (k - 36) * 730500.0 * 0.01375, 2024, memory);
        EXPECT_DOUBLE_EQ(sedna.heliocentric[static_cast<std::size_t>(k)].x, p.x) << k;
    }
    EXPECT_FALSE(cache.Orbit(5, t, 60544, 2024, {2, 0, 0}).open);  // Jupiter closes
}

TEST(CometOrbitPoints, WholeEllipseWithinReachElseTheArcWithinIt) {
    OrbitElements ellipse;
    ellipse.q = 1.0;
    ellipse.e = 0.5;  // aphelion 3 AU
    const CometOrbitCurve whole = CometOrbitPoints(ellipse, 10);
    EXPECT_EQ(std::pair(whole.open, whole.points.size()), std::pair(false, std::size_t{72}));

    for (double e : {0.5, 1.0, 1.5}) {
        OrbitElements comet;
        comet.q = 1.0;
        comet.e = e;
        const CometOrbitCurve curve = CometOrbitPoints(comet, 2.0);
        ASSERT_TRUE(curve.open) << e;
        for (const PlotPoint& end : {curve.points.front(), curve.points.back()})
            EXPECT_NEAR(std::hypot(end.x, end.y), 2.0, 1e-9) << e;
    }
    for (const auto& [q, e] : {std::pair{double(NAN), 0.5}, {1.0, -1.0}}) {
        OrbitElements broken;
        broken.q = q;
        broken.e = e;
        EXPECT_TRUE(CometOrbitPoints(broken, 10).points.empty()) << q << " " << e;
    }
}

// The "Planets Location" section: values, units, and no rewrite of unchanged values.

using namespace persist_test;

SolarSystemState Sample() {
    SolarSystemState s;
    for (int k = 0; k < kBodyCount; ++k) {
        s.bodies[k].helioX = k + 0.5;
        s.bodies[k].helioY = -k;
        s.bodies[k].helioZ = 0.001 * k;
    }
    s.bodies[kSunIndex].helioX = 1.0;
    s.bodies[kMoonIndex].helioX = 60.0;  // Earth radii, geocentric
    s.bodies[kMoonIndex].helioY = 0.0;
    s.bodies[kMoonIndex].helioZ = -1.0;
    return s;
}

// In half Earth radii, with a decimal point whatever the locale: the test runs under one with a
// decimal comma, which set-up generates.
TEST(PlanetsLocation, ValuesInHalfEarthRadiiWithADecimalPoint) {
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        << "the de_DE.UTF-8 locale is missing (./setup.sh generates it)";
    const ProfileValues values = PlanetsLocationValues(Sample());
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(values.size(), 25u);
    EXPECT_EQ((ProfileValues{values[0], values[1], values[4], {values[24].first, ""}}),
              (ProfileValues{{"Earth", "46909.559840, 0.000000, 0.000000"},
                             {"Moon", "47029.559840, 0.000000, -2.000000"},
                             {"Mars", "211093.019280, -187638.239360, 187.638239"},
                             {"Hygiea", ""}}));
}

class PlanetsLocationFile : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(path, "[Tavilo Pro v7]\nZoom=120\n"); }
    TempFolder dir;
    std::string path = (dir.path() / "TAVILO.INI").string();
};

TEST_F(PlanetsLocationFile, AnAnimationWritesOnceASecondAndOnceAfterItsLastFrame) {
    PlanetsLocationMemory memory;
    SolarSystemState s = Sample();
    int writes = 0;
    // Fast Clocking at 40 frames a second for three seconds, every frame a new position, and
    // the window's timer every 100 ms.
    for (int64_t t = 0; t < 3000; t += 25) {
        s.bodies[4].helioX += 0.01;
        KeepPlanetsLocation(s, memory, path);
        if (t % 100 == 0) writes += FlushPlanetsLocation(memory, t, false);
    }
    EXPECT_EQ(writes, 3);
    const persist::Profile written = persist::Profile::Load(path);
    EXPECT_EQ(written.ReadInt("Tavilo Pro v7", "Zoom", 0), 120);  // other sections kept
    const std::string last = PlanetsLocationValues(s)[4].second;
    EXPECT_NE(written.ReadText("Planets Location", "Mars", "", 100), last);
    // The run has stopped: its last frame is written once its second is up, and only once.
    EXPECT_FALSE(FlushPlanetsLocation(memory, 2990, false));
    EXPECT_TRUE(FlushPlanetsLocation(memory, 3000, false));
    EXPECT_EQ(persist::Profile::Load(path).ReadText("Planets Location", "Mars", "", 100), last);
    // Nothing new, or a change below the sixth decimal: the file is not replaced.
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    EXPECT_FALSE(FlushPlanetsLocation(memory, 9000, true));
    s.bodies[4].helioX += 1e-13;
    KeepPlanetsLocation(s, memory, path);
    EXPECT_FALSE(FlushPlanetsLocation(memory, 9000, true));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);  // an atomic write would make a new inode
    // Closing the window writes what waits without waiting.
    s.bodies[4].helioX += 0.01;
    KeepPlanetsLocation(s, memory, path);
    EXPECT_FALSE(FlushPlanetsLocation(memory, 3100, false));
    EXPECT_TRUE(FlushPlanetsLocation(memory, 3101, true));
}

TEST_F(PlanetsLocationFile, AFailedWriteIsTriedAgain) {
    PlanetsLocationMemory memory;
    const std::string blocked = (dir.path() / "file").string();
    WriteFile(blocked, "x");
    KeepPlanetsLocation(Sample(), memory, blocked + "/TAVILO.INI");
    EXPECT_FALSE(FlushPlanetsLocation(memory, 0, false));
    EXPECT_TRUE(memory.written.empty());
    KeepPlanetsLocation(Sample(), memory, path);
    EXPECT_TRUE(FlushPlanetsLocation(memory, 0, false));
}

}  // namespace
}  // namespace astro

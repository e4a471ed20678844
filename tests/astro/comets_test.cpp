// Comets on the sky: geocentric geometry, magnitude and the two visibility limits.
#include "astro/comets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "astro/body_table.h"
#include "astro/clock.h"
#include "astro/kepler.h"
#include "astro/orbit.h"
#include "astro/planets.h"
#include "astro/projection_tables.h"

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
    // The Sun is on the other side.
    EXPECT_NEAR(std::remainder(p.longitude / kDegree - earthLongitude, 360.0), 0.0, 1e-9);
    EXPECT_NEAR(p.latitude, 0.0, 1e-12);
}

TEST(CometMagnitude, FollowsTheTwoTermLaw) {
    state::CometRecord comet;
    comet.H1 = 5.0f;
    comet.K1 = 10.0f;
    EXPECT_NEAR(CometMagnitude(comet, 2.0, 1.0), 5.0 + 10 * std::log10(2.0), 1e-12);
    EXPECT_NEAR(CometMagnitude(comet, 1.0, 10.0), 10.0, 1e-12);
}

TEST(CometVisibility, MagnitudeAndDistanceLimits) {
    // Magnitude 6.05 is hidden at CometBright 60 and shown at 61. Far from both the Earth and
    // the Sun (beyond 2.0 AU each) it is hidden; near either, not.
    const std::tuple<double, double, double, int, bool> cases[] = {
        {6.05, 1.0, 1.0, 60, true}, {6.05, 1.0, 1.0, 61, false},   {6.0, 1.0, 1.0, 60, false},
        {3.0, 2.1, 2.1, 60, true},  {3.0, 2.1, 1.9, 60, false},    {3.0, 1.9, 2.1, 60, false},
        {3.0, 2.0, 2.0, 60, false}, {std::nan(""), 1, 1, 60, true}};
    for (const auto& [magnitude, delta, r, bright, hidden] : cases)
        EXPECT_EQ(CometHidden(magnitude, delta, r, bright, 20), hidden) << magnitude << " " << r;
}

TEST_F(Comets, HiddenCometsGetTheHiddenDepth) {
    state::CometRecord comet;
    comet.TY = 2024, comet.TM = 10, comet.TD = 1.0;
    comet.q = 0.5, comet.e = 0.99, comet.H1 = 20.0f, comet.K1 = 10.0f;
    const CometState faint = ComputeCometState(comet, frame, bodies, 60, 20);
    EXPECT_EQ(std::pair(faint.hidden, faint.depth), std::pair(true, kHiddenCometDepth));
    comet.H1 = -5.0f;
    const CometState bright = ComputeCometState(comet, frame, bodies, 60, 20);
    EXPECT_FALSE(bright.hidden || bright.depth == kHiddenCometDepth);
    EXPECT_LE(std::fabs(bright.screenX), 32000.0);
    // Elements that give no position at all (a corrupted file) hide the comet.
    comet.q = std::numeric_limits<double>::quiet_NaN();
    const CometState broken = ComputeCometState(comet, frame, bodies, 60, 20);
    EXPECT_EQ(std::pair(broken.hidden, broken.depth), std::pair(true, kHiddenCometDepth));
}

// The general orbit solver: the three orbit kinds, perihelion, the near-parabolic edges, and
// termination with finite results over the whole range of elements a comet file may hold.

state::CometRecord Comet(double q, double e, double peri = 0, double node = 0, double i = 0) {
    state::CometRecord r;
    r.TY = 2020, r.TM = 3, r.TD = 15.25;
    r.q = q, r.e = e, r.Peri = peri, r.Node = node, r.i = i;
    return r;
}

// The point at distance r along the perihelion direction by explicit rotations
// Rz(node) Rx(i) Rz(peri) applied to (1, 0, 0).
OrbitPoint AlongPerihelion(double r, double peri, double node, double inc) {
    const double w = peri * kDegree, n = node * kDegree, i = inc * kDegree;
    const double x1 = std::cos(w), y1 = std::sin(w);                     // Rz(peri)
    const double x2 = x1, y2 = y1 * std::cos(i), z2 = y1 * std::sin(i);  // Rx(i)
    OrbitPoint p;
    p.x = r * (x2 * std::cos(n) - y2 * std::sin(n));  // Rz(node)
    p.y = r * (x2 * std::sin(n) + y2 * std::cos(n));
    p.z = r * z2;
    p.r = r;
    return p;
}

double Apart(const OrbitPoint& a, const OrbitPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z) + std::fabs(a.r - b.r);
}

TEST(Orbit, PerihelionInstantComesFromTheCalendar) {
    EXPECT_DOUBLE_EQ(PerihelionMjd(2000, 1, 1.5), 51544.5);
    EXPECT_DOUBLE_EQ(PerihelionMjd(2000, 3, 1.0), ModifiedJulianDay(2000, 3, 1));
    // Day counts beyond the month are accepted (minor bodies carry them).
    EXPECT_DOUBLE_EQ(PerihelionMjd(2006, 9, 40.0), ModifiedJulianDay(2006, 10, 10));
    EXPECT_DOUBLE_EQ(PerihelionMjd(2006, 9, -100.0), ModifiedJulianDay(2006, 9, 1) - 101);
}

TEST(Orbit, AtPerihelionEveryKindIsAtDistanceQAlongThePerihelionDirection) {
    for (double e : {0.0, 0.3, 0.999999, 1.0, 1.000001, 2.5}) {
        const state::CometRecord r = Comet(0.7, e, 130.0, 47.0, 162.0);
        const double tp = PerihelionMjd(r.TY, r.TM, r.TD);
        EXPECT_LT(Apart(SolveOrbit(tp, r), AlongPerihelion(0.7, 130.0, 47.0, 162.0)), 3e-12)
            << "e=" << e;
    }
    EXPECT_EQ(ParabolicTrueAnomaly(0.0), 0.0);
    EXPECT_EQ(HyperbolicAnomaly(0.0, 1.5), 0.0);
}

TEST(Orbit, NearParabolicOrbitsOfAllThreeKindsAgree) {
    // e = 0.999999 takes the elliptic path with a huge a, e = 1 the parabola and
    // e = 1.000001 the hyperbola; near perihelion they must describe almost the same orbit.
    for (double days : {-200.0, -20.0, -0.5, 0.5, 3.0, 40.0, 300.0}) {
        const state::CometRecord parabola = Comet(0.9, 1.0, 10, 20, 30);
        const state::CometRecord hyperbola = Comet(0.9, 1.000001, 10, 20, 30);
        const double tp = PerihelionMjd(2020, 3, 15.25);
        const OrbitPoint a = SolveOrbit(tp + days, Comet(0.9, 0.999999, 10, 20, 30));
        const OrbitPoint b = SolveOrbit(tp + days, parabola);
        const OrbitPoint c = SolveOrbit(tp + days, hyperbola);
        EXPECT_LT(Apart(a, b), 2e-4 * b.r) << days;
        EXPECT_LT(Apart(c, b), 2e-4 * b.r) << days;
        // Before perihelion the body comes from the other side: mirror symmetry in r.
        EXPECT_NEAR(SolveOrbit(tp - days, parabola).r, b.r, 1e-12 * b.r);
        EXPECT_NEAR(SolveOrbit(tp - days, hyperbola).r, c.r, 1e-9 * c.r);
    }
}

// Each anomaly solver satisfies its equation over the eccentricities and mean anomalies it is
// given: Kepler's for the ellipse (the general solver and the planets' fixed-point iteration),
// the hyperbolic one on both sides of perihelion, and Barker's for the parabola (with
// M = k (t - T) / (sqrt 2 q^1.5): s + s^3 / 3 = M, s = tan(nu / 2)).
TEST(Orbit, AnomalySolversSatisfyTheirEquations) {
    for (double e : {0.0, 0.0167, 0.2056, 0.5, 0.85, 0.97, 0.999, 0.999999}) {
        for (double M = -3.14159; M <= 3.1416; M += 0.0523) {
            const double E = EllipticEccentricAnomaly(M, e);
            EXPECT_NEAR(E - e * std::sin(E), M, 1e-9) << "e=" << e << " M=" << M;
            if (e > 0.85) continue;
            const double F = SolveKeplerFixedPoint(M, e);
            EXPECT_NEAR(F - e * std::sin(F), M, 1e-8) << "e=" << e << " M=" << M;
        }
        for (double M : {1e-12, -1e-9, 1e-6, 3.141592653589793, -3.141592653589793}) {
            const double E = EllipticEccentricAnomaly(M, e);
            EXPECT_NEAR(E - e * std::sin(E), M, 1e-9) << "e=" << e << " M=" << M;
        }
    }
    for (double e : {1.000001, 1.01, 1.5, 3.36, 50.0}) {
        for (double M : {1e-9, 0.001, 0.5, 3.0, 80.0, 1e4, 1e9, -1e-9, -0.5, -80.0, -1e9}) {
            const double H = HyperbolicAnomaly(M, e);
            ASSERT_TRUE(std::isfinite(H));
            EXPECT_NEAR(e * std::sinh(H) - H, M, 1e-9 * std::fmax(1.0, std::fabs(M)))
                << "e=" << e << " M=" << M;
        }
    }
    for (double M : {-50.0, -1.0, -0.01, 0.01, 1.0, 50.0}) {
        const double s = std::tan(ParabolicTrueAnomaly(M) / 2);
        EXPECT_NEAR(s + s * s * s / 3, M, 1e-9 * std::fmax(1.0, std::fabs(M)));
    }
}

TEST(Orbit, AbsurdElementsReturnWithoutHanging) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double e : {1e300, inf, nan, -5.0})
        for (double q : {1e-7, 1e300, nan, 0.0, -1.0})
            SolveOrbit(51544.5 + 1e5, Comet(q, e));
    SolveOrbit(nan, Comet(1.0, 1.5));
    SolveOrbit(inf, Comet(1.0, 0.5));
    EXPECT_TRUE(std::isfinite(HyperbolicAnomaly(1e308, 1e300)));
    EXPECT_TRUE(std::isfinite(SolveKeplerFixedPoint(1.0, 0.999)));
    SolveKeplerFixedPoint(nan, 0.5);  // capped: returns
}

TEST(Orbit, SednaConvergesNearItsEpochDistance) {
    // Sedna (e = 0.844) was about 88.6 AU from the Sun at the 2006 epoch, approaching
    // perihelion (about 76 AU, around 2076); aphelion is beyond 900 AU.
    MeanArguments memory;
    const double epoch = DaysFromJ2000(ModifiedJulianDay(2006, 9, 22), 0);
    const BodyPosition now = ComputeBodyPosition(kSednaIndex, epoch, 2006, memory);
    EXPECT_NEAR(std::hypot(now.x, now.y, now.z), 88.6, 0.3);
    const PlanetElements& el = BodyTable()[kSednaIndex];
    const double q = el.a * (1 - el.e), Q = el.a * (1 + el.e);
    for (double years = -12000; years <= 12000; years += 250) {
        const BodyPosition p =
            ComputeBodyPosition(kSednaIndex, epoch + years * 365.25, 2006, memory);
        const double d = std::hypot(p.x, p.y, p.z);
        EXPECT_TRUE(d >= q - 1e-6 && d <= Q + 1e-6) << years;
    }
}

}  // namespace
}  // namespace astro

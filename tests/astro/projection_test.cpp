#include "astro/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <tuple>

#include "astro/bin_angle.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace {

using astro::BinAngle;
using astro::ProjectEcliptic;
using astro::ProjectHorizontal;
using astro::ViewFrame;

class ProjectionTest : public ::testing::Test {
  protected:
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    astro::ProjectionTables tables = store.view();

    state::ViewState HorizonView(double houi2, double koudo2) {
        state::ViewState v;
        v.clock = {2000, 1, 1, 0, 0};
        v.Houi2 = houi2;
        v.Koudo2 = koudo2;
        return v;
    }
};

TEST_F(ProjectionTest, ViewCentreProjectsToTheOrigin) {
    for (double houi2 : {0.0, 450.0, 900.0, 1800.0, 3150.0}) {
        for (double koudo2 : {-450.0, 0.0, 300.0, 900.0}) {
            ViewFrame f = astro::ComputeViewFrame(HorizonView(houi2, koudo2), tables);
            // The centre in the horizontal frame: a = 90 degrees - azimuth, b = altitude.
            BinAngle a = astro::kBinQuarterTurn - f.ViewAzimuthAngle;
            BinAngle b = f.ViewTiltAngle + astro::kBinQuarterTurn;
            astro::ScreenPoint p = ProjectHorizontal(f, a, b);
            EXPECT_EQ(p.x, 0) << houi2 << " " << koudo2;
            EXPECT_EQ(p.y, 0) << houi2 << " " << koudo2;
            EXPECT_GE(p.flag, 16383);
        }
    }
}

TEST_F(ProjectionTest, VernalEquinoxIsAtTheCentreInEquatorMode) {
    state::ViewState v = HorizonView(0.0, 0.0);
    v.SekidouMod = 1;
    ViewFrame f = astro::ComputeViewFrame(v, tables);
    EXPECT_EQ(f.SiderealAngle, 0);
    EXPECT_EQ(f.LatitudeAngle, 8192);
    EXPECT_EQ(f.PrecessionAngle, 0);
    astro::ScreenPoint p = ProjectEcliptic(f, 0, 0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.flag, 16384);
    astro::PreciseScreenPoint q = astro::ProjectEclipticPrecise(f, 0.0, 0.0);
    EXPECT_NEAR(q.x, 0.0, 1e-9);
    EXPECT_NEAR(q.y, 0.0, 1e-9);
    EXPECT_NEAR(q.depth, 16384.0, 1e-6);
}

TEST_F(ProjectionTest, ZenithViewMakesTheDepthTheSineOfTheAltitudeAndBeyond) {
    ViewFrame f = astro::ComputeViewFrame(HorizonView(0.0, 900.0), tables);
    EXPECT_EQ(f.ViewTiltAngle, 0);
    for (BinAngle alt : {8192, 6000, 2731, 100}) {
        astro::ScreenPoint p = ProjectHorizontal(f, 1234, alt);
        EXPECT_EQ(p.flag, astro::Sin15(tables, alt)) << alt;
    }
    // Beyond the view plane: a point at altitude -30 degrees is 120 degrees from the centre and
    // one at -70 degrees is 160 degrees away.
    astro::ScreenPoint at120 = ProjectHorizontal(f, 0, -2731);
    EXPECT_EQ(at120.flag, 1);
    // Drawn through the divisor of depth -8192: radius 80 * 14189 / ZBI2[8192] pixels.
    double r = std::hypot(at120.x, at120.y);
    EXPECT_NEAR(r, 80.0 * 16384 * std::sin(120 * std::numbers::pi / 180) / store.zbi2[8192], 2.0);
    astro::ScreenPoint at160 = ProjectHorizontal(f, 0, -6372);
    EXPECT_LT(at160.flag, -14189);
}

TEST_F(ProjectionTest, EclipticAndHorizontalFramesAgree) {
    // A star's ecliptic projection equals the horizontal projection of its altitude and
    // azimuth, which we take from the frame's own direction cosines (P, R, -U).
    state::ViewState v = HorizonView(300.0, 250.0);
    v.clock = {2024, 3, 20, 21, 30};
    v.Zoom = 300;
    ViewFrame f = astro::ComputeViewFrame(v, tables);
    for (BinAngle lon = 0; lon < 32768; lon += 1111) {
        for (BinAngle lat : {-5000, -800, 0, 1200, 6000}) {
            astro::PreciseScreenPoint q =
                astro::ProjectEclipticPrecise(f, lon + f.PrecessionAngle, lat);
            astro::ScreenPoint p = ProjectEcliptic(f, lon, lat);
            if (q.depth < 2000.0) continue;  // compare in front of the view only
            EXPECT_NEAR(p.x, q.x, 3.0) << lon << " " << lat;
            EXPECT_NEAR(p.y, q.y, 3.0) << lon << " " << lat;
            EXPECT_EQ(p.flag == astro::kBelowHorizonFlag, q.down > 0.0) << lon << " " << lat;
        }
    }
}

TEST_F(ProjectionTest, WestIsRightInHorizonModeAndEastIsLeftInEquatorMode) {
    const ViewFrame h = astro::ComputeViewFrame(HorizonView(0.0, 200.0), tables);
    const BinAngle centreA = astro::kBinQuarterTurn - h.ViewAzimuthAngle;
    const BinAngle centreB = h.ViewTiltAngle + astro::kBinQuarterTurn;
    // Larger azimuth from the south (towards the west) means smaller a; lower is down.
    EXPECT_GT(ProjectHorizontal(h, centreA - 500, centreB).x, 0);
    EXPECT_GT(ProjectHorizontal(h, centreA, centreB - 500).y, 0);
    state::ViewState v = HorizonView(0.0, 0.0);
    v.SekidouMod = 1;
    const ViewFrame e = astro::ComputeViewFrame(v, tables);
    // A little east along the ecliptic (larger longitude) is to the left, north is up. The
    // frame's "horizon" is then the celestial equator: southern points carry the marker, which
    // callers ignore because no horizon is shown in this mode.
    EXPECT_LT(ProjectEcliptic(e, 300, 0).x, 0);
    EXPECT_LT(ProjectEcliptic(e, 0, 300).y, 0);
    EXPECT_EQ(ProjectEcliptic(e, 0, -300).flag, astro::kBelowHorizonFlag);
    EXPECT_EQ(e.HorizonShown, 0);
}

TEST_F(ProjectionTest, OffsetsAreClampedAndUnusablePositionsSkipped) {
    state::ViewState v = HorizonView(0.0, 450.0);
    v.Zoom = 7700;
    const ViewFrame f = astro::ComputeViewFrame(v, tables);
    const BinAngle a = astro::kBinQuarterTurn - f.ViewAzimuthAngle;
    EXPECT_EQ(std::abs(ProjectHorizontal(f, a + 6000, 0).x), 32000);
    EXPECT_LT(astro::ProjectEclipticPrecise(f, std::nan(""), 0.0).depth, 0.0);
}

// A century of precession and ten decades of proper motion in 2100; the ground is shown down to
// a view altitude of -0.5 degrees; the options and the years beyond 10000 switch the
// corrections off.
TEST(ViewFrame, CorrectionsAndTheirSwitches) {
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    state::ViewState v;
    v.clock = {2100, 1, 1, 0, 0};
    v.Koudo2 = -4.0;
    ViewFrame f = astro::ComputeViewFrame(v, store.view());
    EXPECT_EQ(std::tuple(f.PrecessionAngle, f.ProperMotionDecades, f.RefractionAngle,
                         f.HorizonShown, f.YearInRange),
              std::tuple(100 * 16384 / 12885, 10, 54, 1, 1));
    EXPECT_EQ(astro::ComputeViewFrame(v, store.view(), true).ProperMotionDecades, 0);
    v.Koudo2 = -6.0;
    EXPECT_EQ(astro::ComputeViewFrame(v, store.view()).HorizonShown, 0);
    v.TaikisaKeisan = v.SaisaKeisan = 0;
    v.clock.year = 10001;
    f = astro::ComputeViewFrame(v, store.view());
    EXPECT_EQ(std::tuple(f.RefractionTenths, f.PrecessionAngle, f.YearInRange),
              std::tuple(0.0, 0, 0));
}

TEST(ViewFrame, ZoomIn) {
    for (const auto& [zoom, in] :
         {std::pair{7700, 7700}, {80, 100}, {10, 10}, {7000, 7700}, {600, 720}})
        EXPECT_EQ(astro::ZoomIn(zoom), in) << zoom;
}

}  // namespace

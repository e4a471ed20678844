#include "astro/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

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

}  // namespace

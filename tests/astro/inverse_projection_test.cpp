#include "astro/inverse_projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "astro/projection.h"

namespace {

class InverseProjectionTest : public ::testing::Test {
  protected:
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    astro::ProjectionTables tables = store.view();
    state::ViewState view;

    void SetUp() override {
        view.clock = {2010, 7, 1, 22, 0};
        view.Houi2 = 400.0;
        view.Koudo2 = 300.0;
        view.Zoom = 200;
        view.SmoothIdou = 0;
    }
};

TEST_F(InverseProjectionTest, FindsTheDirectionUnderAPixel) {
    astro::ViewFrame f = astro::ComputeViewFrame(view, tables);
    // The centre is at azimuth Houi2, altitude Koudo2: a = 900 - 400 = 500 tenths.
    astro::HorizontalTenths c = astro::ScreenToHorizontal(f, 0, 0);
    // Within a pixel: at Zoom 200 one pixel is about 0.36 tenths.
    EXPECT_NEAR(c.a, 500.0, 0.4);
    EXPECT_NEAR(c.b, 300.0, 0.4);
    // A pixel off-centre maps back onto itself through the forward projection.
    for (auto [sx, sy] : {std::pair{250, -120}, {-400, 300}, {17, 5}}) {
        astro::HorizontalTenths h = astro::ScreenToHorizontal(f, sx, sy);
        astro::ScreenPoint p =
            astro::ProjectHorizontal(f, astro::TenthsToBinAngle(h.a), astro::TenthsToBinAngle(h.b));
        EXPECT_LE(std::abs(p.x - sx) + std::abs(p.y - sy), 2) << sx << "," << sy;
        // Multiples of 0.05 tenths.
        EXPECT_NEAR(std::remainder(h.a, 0.05), 0.0, 1e-6);
    }
}

TEST_F(InverseProjectionTest, DraggingMovesTheGrabbedPointUnderTheCursor) {
    ASSERT_EQ(astro::DragView(view, tables, 100, 50, 0, 0), 1);
    astro::ViewFrame f = astro::ComputeViewFrame(view, tables);
    state::ViewState before;
    before.clock = view.clock;
    before.Houi2 = 400.0;
    before.Koudo2 = 300.0;
    before.Zoom = 200;
    astro::HorizontalTenths grabbed =
        astro::ScreenToHorizontal(astro::ComputeViewFrame(before, tables), 100, 50);
    astro::HorizontalTenths now = astro::ScreenToHorizontal(f, 0, 0);
    EXPECT_NEAR(now.a, grabbed.a, 1.0);
    EXPECT_NEAR(now.b, grabbed.b, 1.0);
    EXPECT_EQ(astro::DragView(view, tables, 10, 10, 10, 10), 0);
}

// Dragging or centring never carries the centre past the zenith, nor below the refraction
// allowance unless the view may go under the horizon.
TEST_F(InverseProjectionTest, DraggingAndCentringStopAtTheZenithAndTheHorizon) {
    view.Koudo2 = 850.0;
    ASSERT_EQ(astro::DragView(view, tables, 0, -300, 0, 300), 1);
    EXPECT_EQ(view.Koudo2, 900.0);
    view.UnderHorizon = 0;
    view.Koudo2 = 20.0;
    astro::DragView(view, tables, 0, 300, 0, -300);
    EXPECT_EQ(view.Koudo2, -5.0);
    view.Koudo2 = 20.0;
    astro::CenterViewOn(view, tables, 0, 350);
    EXPECT_EQ(view.Koudo2, -5.0);
    view.UnderHorizon = 1;
    view.Koudo2 = 20.0;
    astro::DragView(view, tables, 0, 300, 0, -300);
    EXPECT_LT(view.Koudo2, -50.0);
}

TEST_F(InverseProjectionTest, DraggingInEquatorModeTurnsTheOtherWay) {
    view.SekidouMod = 1;
    view.Houi2 = 100.0;
    view.Koudo2 = 0.0;
    // Dragging the sky to the right shows what lay to the left: east, larger right ascension.
    astro::DragView(view, tables, 0, 0, 200, 0);
    EXPECT_GT(view.Houi2, 100.0);
    EXPECT_LT(view.Houi2, 3600.0);
    view.SekidouMod = 0;
    view.Houi2 = 100.0;
    // In horizon mode the view turns east, from the south towards 2700 through 0: about 7
    // degrees for 200 pixels at Zoom 200, and twice that wraps below 0 to 3500 and more.
    astro::DragView(view, tables, 0, 0, 200, 0);
    EXPECT_NEAR(view.Houi2, 100.0 - 71.5, 3.0);
    astro::DragView(view, tables, 0, 0, 200, 0);
    EXPECT_NEAR(view.Houi2, 3600.0 + 100.0 - 143.0, 5.0);
}

TEST_F(InverseProjectionTest, CentringOnAPointMovesAtOnceOrHandsTheTargetToTheWindow) {
    const astro::HorizontalTenths target =
        astro::ScreenToHorizontal(astro::ComputeViewFrame(view, tables), -300, -200);
    ASSERT_EQ(astro::CenterViewOn(view, tables, -300, -200), 1);
    EXPECT_NEAR(view.Houi2, astro::ReduceTenths(8100.0 - target.a), 1e-9);
    EXPECT_NEAR(view.Koudo2, target.b, 1e-9);
    EXPECT_EQ(view.PendingMoves, 0);
    // With smooth moves the view stays and the main window gets the target.
    view.SmoothIdou = 1;
    view.Houi2 = 400.0;
    view.Koudo2 = 300.0;
    ASSERT_EQ(astro::CenterViewOn(view, tables, 300, 100), 1);
    EXPECT_EQ(std::tuple(view.Houi2, view.Koudo2, view.PendingMoves),
              std::tuple(400.0, 300.0, state::kMoveAzimuth | state::kMoveAltitude));
    EXPECT_GT(view.MoveTargetHoui2, 400.0);  // right of the centre is west
    EXPECT_LT(view.MoveTargetKoudo2, 300.0);
}

}  // namespace

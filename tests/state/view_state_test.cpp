#include "state/view_state.h"

#include <gtest/gtest.h>

namespace {

TEST(ViewStateDefaults, MomentPlaceAndViewMatchTheSettingsDefaults) {
    state::ViewState v;
    EXPECT_EQ(v.Ido2, 410);
    EXPECT_EQ(v.Keido2, 740);
    EXPECT_EQ(v.TimeZone, -300);
    EXPECT_EQ(v.Zoom, 80);
    EXPECT_EQ(v.DrawStars, 15);
    EXPECT_EQ(v.DrawStarMode3, 1);
    EXPECT_EQ(v.DblClick, 3);
    EXPECT_TRUE(v.ViewChanged);
}

TEST(ViewStateDefaults, DialogSlotTenHasItsOwnPosition) {
    state::AppOptions o;
    EXPECT_EQ(o.DlgPosX[9], 40);
    EXPECT_EQ(o.DlgPosY[9], 100);
    EXPECT_EQ(o.DlgPosX[12], 20);
    EXPECT_EQ(o.DlgPosY[12], 80);
}

}  // namespace

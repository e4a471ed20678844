#include "render/print_scaling.h"

#include <gtest/gtest.h>

namespace render {
namespace {

TEST(PrintScaling, TallViewOnALandscapePageKeepsItsHeightAndWidens) {
    // 800 x 1000 screen: 2000 x 2500 half extents before fitting; the page is 3000 x 2000.
    const PrintScaling s = ComputePrintScaling(80, 800, 1000, 3000, 2000);
    EXPECT_EQ(s.zoom, 400);
    EXPECT_EQ(s.halfHeight, 2500);
    EXPECT_EQ(s.halfWidth, 3750);
}

TEST(PrintScaling, WideViewOnAPortraitPageKeepsItsWidthAndHeightens) {
    const PrintScaling s = ComputePrintScaling(100, 1280, 800, 2000, 3000);
    EXPECT_EQ(s.halfWidth, 3200);
    EXPECT_EQ(s.halfHeight, 4800);
}

TEST(PrintScaling, SameShapeAndDegeneratePages) {
    const PrintScaling same = ComputePrintScaling(80, 1280, 800, 1280, 800);
    EXPECT_EQ(same.halfWidth, 3200);
    EXPECT_EQ(same.halfHeight, 2000);
    const PrintScaling empty = ComputePrintScaling(80, 1280, 800, 0, 0);
    EXPECT_GT(empty.halfWidth, 0);
    EXPECT_GT(empty.halfHeight, 0);
}

}  // namespace
}  // namespace render

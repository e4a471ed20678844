#include "render/print_scaling.h"

#include <gtest/gtest.h>

#include <tuple>

namespace render {
namespace {

// An 800 x 1000 screen at Zoom 80 has 2000 x 2500 half extents before fitting: on a landscape
// page it keeps its height and widens; a wide view on a portrait page keeps its width. A page of
// no size still gives a picture.
TEST(PrintScaling, TheViewKeepsItsShorterSideAndGrowsToThePage) {
    const std::tuple<int, int, int, int, int, int, int> cases[] = {
        {80, 800, 1000, 3000, 2000, 3750, 2500},
        {100, 1280, 800, 2000, 3000, 3200, 4800},
        {80, 1280, 800, 1280, 800, 3200, 2000}};
    for (const auto& [zoom, width, height, pageWidth, pageHeight, halfWidth, halfHeight] : cases) {
        const PrintScaling s = ComputePrintScaling(zoom, width, height, pageWidth, pageHeight);
        EXPECT_EQ(std::pair(s.halfWidth, s.halfHeight), std::pair(halfWidth, halfHeight)) << width;
    }
    EXPECT_EQ(ComputePrintScaling(80, 800, 1000, 3000, 2000).zoom, 400);
    const PrintScaling empty = ComputePrintScaling(80, 1280, 800, 0, 0);
    EXPECT_TRUE(empty.halfWidth > 0 && empty.halfHeight > 0);
}

}  // namespace
}  // namespace render

#include "render/picture_warp.h"

#include <gtest/gtest.h>

namespace render {
namespace {

// 16 x 16: a sky background of (20, 24, 30) with a bright 8 x 8 middle of (200, 150, 100).
DeepSkyPicture NebulaPicture() {
    DeepSkyPicture p;
    p.width = p.height = 16;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool middle = x >= 4 && x < 12 && y >= 4 && y < 12;
            p.rgb.insert(p.rgb.end(), {uint8_t(middle ? 200 : 20), uint8_t(middle ? 150 : 24),
                                       uint8_t(middle ? 100 : 30)});
        }
    }
    return p;
}

uint32_t Alpha(uint32_t argb) {
    return argb >> 24;
}

// At every magnification the quadrilateral is filled without gaps where the picture has light,
// its background and everything beyond it stay clear, and its light adds a third of itself.
TEST(PictureWarp, FilledAtEveryMagnificationWithoutItsBackground) {
    const DeepSkyPicture picture = NebulaPicture();
    EXPECT_EQ(PictureBackground(picture), (std::array<int, 3>{20, 24, 30}));
    for (int size : {8, 16, 48, 160, 1000}) {
        // Corners 1 and 2 along the top from (-size/2, -size/2), 3 and 4 along the bottom.
        const int h = size / 2;
        const WarpedPicture warped = WarpPicture(
            picture, {Point{-h, -h}, Point{h, -h}, Point{-h, h}, Point{h, h}}, Viewport{400, 300});
        ASSERT_GT(warped.width, 0);
        int gaps = 0, boxed = 0;
        for (int y = 0; y < warped.height; ++y) {
            for (int x = 0; x < warped.width; ++x) {
                // The pixel's place in the picture, 0..1 across.
                const double u = (warped.left + x + 0.5 + h) / size;
                const double v = (warped.top + y + 0.5 + h) / size;
                const uint32_t pixel = warped.argb[static_cast<std::size_t>(y) * warped.width + x];
                const bool middle = u > 0.3 && u < 0.7 && v > 0.3 && v < 0.7;
                const bool background = u < 0.2 || u > 0.8 || v < 0.2 || v > 0.8;
                if (middle && Alpha(pixel) == 0) ++gaps;
                if (background && pixel != 0) ++boxed;
            }
        }
        EXPECT_EQ(gaps, 0) << size;
        EXPECT_EQ(boxed, 0) << size;
        if (size == 160) {
            // The middle: (180, 126, 70) / 3 over the sky, an alpha of the brightest channel.
            const uint32_t centre =
                warped.argb[static_cast<std::size_t>(-warped.top) * warped.width - warped.left];
            EXPECT_EQ(Alpha(centre), 60u);
            EXPECT_EQ(centre & 0xFFFFFF, 0xFFB363u);
        }
    }
    // Beyond the viewport nothing is made.
    EXPECT_EQ(WarpPicture(picture, {Point{500, 0}, Point{600, 0}, Point{500, 90}, Point{600, 90}},
                          Viewport{400, 300})
                  .width,
              0);
}

// The interpolation follows the corners: a picture sheared to the right puts its top-right
// light at corner 2.
TEST(PictureWarp, FollowsTheCorners) {
    DeepSkyPicture picture;
    picture.width = picture.height = 4;
    picture.rgb.assign(4 * 4 * 3, 0);
    for (int c = 0; c < 3; ++c)
        picture.rgb[3 * 3 + c] = 255;  // column 3 of row 0
    const WarpedPicture warped =
        WarpPicture(picture, {Point{0, 0}, Point{200, 40}, Point{40, 200}, Point{240, 240}},
                    Viewport{400, 300});
    auto at = [&](int x, int y) {
        return Alpha(
            warped.argb[static_cast<std::size_t>(y - warped.top) * warped.width + x - warped.left]);
    };
    EXPECT_GT(at(166, 62), 0u);  // towards corner 2: 0.8 along the top, 0.15 down
    EXPECT_EQ(at(62, 166), 0u);  // the same towards corner 3
    EXPECT_EQ(at(200, 200), 0u);
}

}  // namespace
}  // namespace render

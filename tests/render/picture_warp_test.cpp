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

// At every magnification, straight or sheared, the quadrilateral is filled without gaps where
// the picture has light, its background and everything beyond it stay clear, and its light adds
// a third of itself.
TEST(PictureWarp, FilledAtEveryMagnificationWithoutItsBackground) {
    const DeepSkyPicture picture = NebulaPicture();
    EXPECT_EQ(PictureBackground(picture), (std::array<int, 3>{20, 24, 30}));
    for (int size : {8, 48, 160, 1000}) {
        for (int shear : {0, size / 2}) {
            // Corners 1 and 2 along the top from (-h, -h); the bottom edge shifted right.
            const int h = size / 2;
            const WarpedPicture warped = WarpPicture(
                picture, {Point{-h, -h}, Point{h, -h}, Point{shear - h, h}, Point{shear + h, h}},
                Viewport{300, 200});
            ASSERT_GT(warped.width, 0);
            int gaps = 0, boxed = 0;
            for (int y = 0; y < warped.height; ++y) {
                for (int x = 0; x < warped.width; ++x) {
                    // The pixel's place in the picture, 0..1 across.
                    const double v = (warped.top + y + 0.5 + h) / size;
                    const double u = (warped.left + x + 0.5 + h - v * shear) / size;
                    const uint32_t pixel =
                        warped.argb[static_cast<std::size_t>(y) * warped.width + x];
                    if (u > 0.3 && u < 0.7 && v > 0.3 && v < 0.7 && Alpha(pixel) == 0) ++gaps;
                    if ((u < 0.2 || u > 0.8 || v < 0.2 || v > 0.8) && pixel != 0) ++boxed;
                }
            }
            EXPECT_EQ(gaps, 0) << size << " " << shear;
            EXPECT_EQ(boxed, 0) << size << " " << shear;
            if (size == 160 && shear == 0) {
                // The middle: (180, 126, 70) / 3 over the sky, an alpha of the brightest channel.
                const uint32_t centre =
                    warped.argb[static_cast<std::size_t>(-warped.top) * warped.width - warped.left];
                EXPECT_EQ(Alpha(centre), 60u);
                EXPECT_EQ(centre & 0xFFFFFF, 0xFFB363u);
            }
        }
    }
}

}  // namespace
}  // namespace render

#include "render/palette.h"

#include <gtest/gtest.h>

namespace render {
namespace {

struct Rgb {
    int r, g, b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

Rgb Entry(const SkyPalette& palette, int index) {
    return Rgb{palette.red(index), palette.green(index), palette.blue(index)};
}

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

SkyPalette AnimatedAt(int sunSine, bool sunlight, double eclipse = 1.0) {
    SkyPalette palette = CreateSkyPalette({});
    AnimateSkyPalette(palette, ComputeTwilightIntensities(sunSine, sunlight, true, eclipse));
    return palette;
}

TEST(TwilightIntensities, NightHasNoLight) {
    EXPECT_EQ(ComputeTwilightIntensities(-16384, true, true, 1.0), (TwilightIntensities{0, 0, 0}));
}

TEST(TwilightIntensities, SunAtZenithWithAndWithoutSunlight) {
    EXPECT_EQ(ComputeTwilightIntensities(16384, false, true, 1.0),
              (TwilightIntensities{207, 128, 0}));
    // Sunlight raises the caps by a quarter, truncated: 258 and 160.
    EXPECT_EQ(ComputeTwilightIntensities(16384, true, true, 1.0),
              (TwilightIntensities{258, 160, 0}));
}

TEST(TwilightIntensities, SunOnHorizonAndSunsetSwitch) {
    EXPECT_EQ(ComputeTwilightIntensities(0, false, true, 1.0), (TwilightIntensities{140, 51, 255}));
    EXPECT_EQ(ComputeTwilightIntensities(0, false, false, 1.0), (TwilightIntensities{140, 51, 0}));
}

TEST(TwilightIntensities, EclipseScalesEveryIntensity) {
    EXPECT_EQ(ComputeTwilightIntensities(0, false, true, 0.5), (TwilightIntensities{70, 25, 127}));
    EXPECT_EQ(ComputeTwilightIntensities(16384, true, true, 0.0), (TwilightIntensities{0, 0, 0}));
}

TEST(SkyPalette, NightSky) {
    const SkyPalette palette = AnimatedAt(-16384, true);
    EXPECT_EQ(Entry(palette, 16), (Rgb{0, 0, 0}));
    EXPECT_EQ(Entry(palette, 32), (Rgb{0, 0, 96}));
    EXPECT_EQ(palette.skyColours[16], palette.rgb(32));
}

TEST(SkyPalette, SunAtZenithWithoutSunlight) {
    const SkyPalette palette = AnimatedAt(16384, false);
    EXPECT_EQ(Entry(palette, 16), (Rgb{64, 128, 207}));
    EXPECT_EQ(Entry(palette, 32), (Rgb{112, 176, 255}));
}

TEST(SkyPalette, SunOnHorizonWithoutSunlight) {
    const SkyPalette palette = AnimatedAt(0, false);
    EXPECT_EQ(Entry(palette, 16), (Rgb{53, 60, 115}));
    EXPECT_EQ(Entry(palette, 32), (Rgb{255, 151, 7}));
}

TEST(SkyPalette, TotalEclipseAtNoonIsNight) {
    EXPECT_EQ(AnimatedAt(16384, true, 0.0).entries, AnimatedAt(-16384, true).entries);
}

TEST(SkyPalette, SunGlowRampRunsFromNearWhiteToTheHorizonColour) {
    const SkyPalette palette = AnimatedAt(-16384, true);
    // Horizon (0, 0, 96): entry 51 = (4080 / 17, 4080 / 17, (4080 + 96) / 17).
    EXPECT_EQ(Entry(palette, 51), (Rgb{240, 240, 245}));
    // Entry 66: (255 + 16 x channel) / 17.
    EXPECT_EQ(Entry(palette, 66), (Rgb{15, 15, 105}));
}

TEST(SkyPalette, StarColoursFollowTheLuminanceRows) {
    const SkyPalette palette = AnimatedAt(-16384, true);
    EXPECT_EQ(Entry(palette, 67), (Rgb{207, 223, 255}));            // class 0, row 0
    EXPECT_EQ(Entry(palette, 69), (Rgb{255, 255, 255}));            // class 2, row 0
    EXPECT_EQ(Entry(palette, 67 + 6 * 19 + 5), (Rgb{32, 20, 22}));  // class 5, row 19
    EXPECT_EQ(Entry(palette, 67 + 6 * 10 + 3), (Rgb{86, 80, 53}));  // class 3, row 10 (L 86)
}

TEST(SkyPalette, StarRimsAreAtLeastTheHorizonColour) {
    const SkyPalette night = AnimatedAt(-16384, true);
    // Row 0: v 1275, w1 233, w2 212, w3 222 -> class 0 = (212, 212, 233).
    EXPECT_EQ(Entry(night, 187), (Rgb{212, 212, 233}));
    // Row 8: v -765, w1 63, w2 and w3 0; class 2 is (0, 0, 0) raised to the horizon (0, 0, 96).
    EXPECT_EQ(Entry(night, 187 + 48 + 2), (Rgb{0, 0, 96}));
    const SkyPalette sunset = AnimatedAt(0, false);
    EXPECT_EQ(Entry(sunset, 187 + 48 + 2), (Rgb{255, 151, 7}));
}

TEST(SkyPalette, LineSlotsGoToTheirFixedEntries) {
    std::array<state::LineSet, state::kLineSetCount> lines{};
    lines[0] = {10, 20, 30, 0};  // slot 1 -> 4
    lines[15] = {1, 2, 3, 0};    // slot 16 -> 49
    lines[22] = {7, 8, 9, 1};    // slot 23 -> 39
    const SkyPalette palette = CreateSkyPalette(lines);
    EXPECT_EQ(Entry(palette, 4), (Rgb{10, 20, 30}));
    EXPECT_EQ(Entry(palette, 49), (Rgb{1, 2, 3}));
    EXPECT_EQ(Entry(palette, 39), (Rgb{7, 8, 9}));
    EXPECT_EQ(Entry(palette, 15), (Rgb{159, 255, 223}));
    EXPECT_EQ(Entry(palette, 50), (Rgb{108, 173, 151}));
    EXPECT_EQ(Entry(palette, 44), (Rgb{0, 0, 0}));
    // Reserved entries start as (0, 0, 6 i) within their range until the first animation.
    EXPECT_EQ(Entry(palette, 18), (Rgb{0, 0, 12}));
    EXPECT_EQ(Entry(palette, 67 + 10), (Rgb{0, 0, 60}));
}

TEST(SkyPalette, UnchangedIntensitiesDoNotAnimate) {
    SkyPalette palette = AnimatedAt(0, false);
    palette.entries[20] = 0x123456;
    AnimateSkyPalette(palette, ComputeTwilightIntensities(0, false, true, 1.0));
    EXPECT_EQ(palette.rgb(20), 0x123456u);
    AnimateSkyPalette(palette, ComputeTwilightIntensities(-100, false, true, 1.0));
    EXPECT_NE(palette.rgb(20), 0x123456u);
}

}  // namespace
}  // namespace render

#include "render/palette.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(TwilightIntensities, ByTheSunsHeightSunlightSunsetAndEclipse) {
    // Sunlight raises the caps by a quarter, truncated: 258 and 160.
    const std::tuple<int, bool, bool, double, TwilightIntensities> cases[] = {
        {-16384, true, true, 1.0, {0, 0, 0}},    {16384, false, true, 1.0, {207, 128, 0}},
        {16384, true, true, 1.0, {258, 160, 0}}, {0, false, true, 1.0, {140, 51, 255}},
        {0, false, false, 1.0, {140, 51, 0}},    {0, false, true, 0.5, {70, 25, 127}},
        {16384, true, true, 0.0, {0, 0, 0}}};
    for (const auto& [sine, sunlight, sunset, eclipse, expected] : cases)
        EXPECT_EQ(ComputeTwilightIntensities(sine, sunlight, sunset, eclipse), expected)
            << sine << " " << sunlight << " " << sunset << " " << eclipse;
}

TEST(SkyPalette, SkyGlowStarsAndRimsFollowTheSun) {
    const SkyPalette night = AnimatedAt(-16384, true), zenith = AnimatedAt(16384, false),
                     sunset = AnimatedAt(0, false);
    const std::tuple<const SkyPalette*, int, Rgb> cases[] = {
        {&night, 16, {0, 0, 0}},
        {&night, 32, {0, 0, 96}},
        {&zenith, 16, {64, 128, 207}},
        {&zenith, 32, {112, 176, 255}},
        {&sunset, 16, {53, 60, 115}},
        {&sunset, 32, {255, 151, 7}},
        // The glow ramp from near white to the horizon colour (0, 0, 96): entry 51 is
        // (4080 / 17, 4080 / 17, (4080 + 96) / 17), entry 66 (255 + 16 x channel) / 17.
        {&night, 51, {240, 240, 245}},
        {&night, 66, {15, 15, 105}},
        // Star colours by luminance rows: class 0 of row 0, class 3 of row 10 (L 86).
        {&night, 67, {207, 223, 255}},
        {&night, 67 + 6 * 10 + 3, {86, 80, 53}},
        // Rims are at least the horizon colour. Row 0: v 1275, w1 233, w2 212, w3 222 gives
        // (212, 212, 233) for class 0; row 8 class 2 is (0, 0, 0) raised to the horizon.
        {&night, 187, {212, 212, 233}},
        {&night, 187 + 48 + 2, {0, 0, 96}},
    };
    for (const auto& [palette, index, rgb] : cases)
        EXPECT_EQ(Entry(*palette, index), rgb) << index;
    EXPECT_EQ(night.skyColours[16], night.rgb(32));
    // A total eclipse at noon is night.
    EXPECT_EQ(AnimatedAt(16384, true, 0.0).entries, night.entries);
}

TEST(SkyPalette, LineSlotsGoToTheirFixedEntries) {
    std::array<state::LineSet, state::kLineSetCount> lines{};
    lines[0] = {10, 20, 30, 0};  // slot 1 -> 4
    lines[15] = {1, 2, 3, 0};    // slot 16 -> 49
    lines[22] = {7, 8, 9, 1};    // slot 23 -> 39
    const SkyPalette palette = CreateSkyPalette(lines);
    // Reserved entries start as (0, 0, 6 i) within their range until the first animation.
    const std::pair<int, Rgb> cases[] = {
        {4, {10, 20, 30}},     {49, {1, 2, 3}}, {39, {7, 8, 9}},  {15, {159, 255, 223}},
        {50, {108, 173, 151}}, {44, {0, 0, 0}}, {18, {0, 0, 12}}, {67 + 10, {0, 0, 60}}};
    for (const auto& [index, rgb] : cases)
        EXPECT_EQ(Entry(palette, index), rgb) << index;
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

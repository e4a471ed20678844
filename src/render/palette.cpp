#include "render/palette.h"

#include <algorithm>
#include <cstdlib>

namespace render {
namespace {

constexpr uint32_t PackRgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
}

int Clamp255(int value) {
    return std::clamp(value, 0, 255);
}

// Luminance of the star colour rows 0 (brightest) .. 19: 32 at row 19, each row above it
// 1.115 times the one below, rounded.
constexpr std::array<int, 20> kStarRowLuminance = {255, 229, 205, 184, 165, 148, 133, 119, 107, 96,
                                                   86,  77,  69,  62,  56,  50,  45,  40,  36,  32};

// Star colour of class c at luminance L, in sixteenths of L per channel.
constexpr int kStarClassSixteenths[6][3] = {
    {13, 14, 16}, {12, 15, 16}, {16, 16, 16}, {16, 15, 10}, {16, 12, 10}, {16, 10, 11},
};

void SetReservedRange(SkyPalette& palette, int first, int last) {
    for (int i = 0; i <= last - first; ++i) {
        palette.entries[static_cast<std::size_t>(first + i)] = PackRgb(0, 0, Clamp255(6 * i));
    }
}

void AnimateSkyGradient(SkyPalette& palette, TwilightIntensities t) {
    for (int i = 0; i <= 16; ++i) {
        const int red = i * t.day / 42 + (2 + i) * t.dusk / 18 + t.day / 2;
        const int green = i * t.day / 42 + (2 + i) * t.dusk / 56 + t.day;
        const int blue = 6 * i - (2 + i) * t.dusk / 20 + t.dawn;
        const uint32_t rgb = PackRgb(Clamp255(red), Clamp255(green), Clamp255(blue));
        palette.entries[static_cast<std::size_t>(kSkyGradientFirst + i)] = rgb;
        palette.skyColours[static_cast<std::size_t>(i)] = rgb;
    }
}

void AnimateSunGlow(SkyPalette& palette) {
    const int horizon[3] = {palette.red(kSkyGradientLast), palette.green(kSkyGradientLast),
                            palette.blue(kSkyGradientLast)};
    for (int k = 0; k < 16; ++k) {
        int channel[3];
        for (int c = 0; c < 3; ++c)
            channel[c] = ((4080 - 255 * k) + (k + 1) * horizon[c]) / 17;
        palette.entries[static_cast<std::size_t>(kSunGlowFirst + k)] =
            PackRgb(Clamp255(channel[0]), Clamp255(channel[1]), Clamp255(channel[2]));
    }
}

void AnimateStarRims(SkyPalette& palette) {
    const int horizon[3] = {palette.red(kSkyGradientLast), palette.green(kSkyGradientLast),
                            palette.blue(kSkyGradientLast)};
    for (int r = 0; r < 9; ++r) {
        const int v = 1275 - 255 * r;
        const int w1Raw = (v + 1530) / 12;
        const int w2Raw = v / 6;
        const int w1 = Clamp255(w1Raw);
        const int w2 = Clamp255(w2Raw);
        const int w3 = Clamp255((w1Raw + w2Raw) / 2);
        const int w4 = (w3 + w1) / 2;
        const int w5 = (w2 + w3) / 2;
        const int byClass[6][3] = {
            {w2, w2, w1}, {w5, w5, w1}, {w3, w3, w3}, {w1, w4, w2}, {w1, w3, w2}, {w1, w2, w2},
        };
        for (int c = 0; c < 6; ++c) {
            palette.entries[static_cast<std::size_t>(kStarRimFirst + 6 * r + c)] =
                PackRgb(std::max(horizon[0], byClass[c][0]), std::max(horizon[1], byClass[c][1]),
                        std::max(horizon[2], byClass[c][2]));
        }
    }
}

void AnimateStarColours(SkyPalette& palette) {
    for (int r = 0; r < 20; ++r) {
        const int lum = Clamp255(kStarRowLuminance[static_cast<std::size_t>(r)]);
        for (int c = 0; c < 6; ++c) {
            const int* f = kStarClassSixteenths[c];
            palette.entries[static_cast<std::size_t>(kStarColourFirst + 6 * r + c)] =
                PackRgb(f[0] * lum / 16, f[1] * lum / 16, f[2] * lum / 16);
        }
    }
}

}  // namespace

SkyPalette CreateSkyPalette(const std::array<state::LineSet, state::kLineSetCount>& lineSets) {
    SkyPalette palette;
    for (std::size_t slot = 0; slot < lineSets.size(); ++slot) {
        const state::LineSet& line = lineSets[slot];
        palette.entries[static_cast<std::size_t>(kLineSlotPaletteIndex[slot])] =
            PackRgb(line.red, line.green, line.blue);
    }
    palette.entries[15] = PackRgb(159, 255, 223);
    palette.entries[50] = PackRgb(108, 173, 151);
    SetReservedRange(palette, kSkyGradientFirst, kSkyGradientLast);
    SetReservedRange(palette, kSunGlowFirst, 66);
    SetReservedRange(palette, kStarColourFirst, 186);
    SetReservedRange(palette, kStarRimFirst, kPaletteSize - 1);
    for (int i = 0; i < 17; ++i) {
        palette.skyColours[static_cast<std::size_t>(i)] =
            palette.entries[static_cast<std::size_t>(kSkyGradientFirst + i)];
    }
    return palette;
}

TwilightIntensities ComputeTwilightIntensities(int sunSine, bool sunlight, bool sunset,
                                               double eclipseFactor) {
    const double k = sunlight ? 1.25 : 1.0;
    TwilightIntensities t;
    t.dawn = std::clamp((sunSine + 5063) / 36, 0, static_cast<int>(207 * k));
    t.day = std::clamp((sunSine + 1713) / 33, 0, static_cast<int>(128 * k));
    t.dusk = sunset ? std::max(0, 255 - std::abs(sunSine) / 12) : 0;
    t.dawn = static_cast<int>(t.dawn * eclipseFactor);
    t.day = static_cast<int>(t.day * eclipseFactor);
    t.dusk = static_cast<int>(t.dusk * eclipseFactor);
    return t;
}

void AnimateSkyPalette(SkyPalette& palette, TwilightIntensities intensities) {
    if (palette.lastAnimation && *palette.lastAnimation == intensities) return;
    palette.lastAnimation = intensities;
    AnimateSkyGradient(palette, intensities);
    AnimateSunGlow(palette);
    AnimateStarRims(palette);
    AnimateStarColours(palette);
}

void SetTwilightColours(SkyPalette& palette, int sunSine, const state::ViewState& view,
                        double eclipseFactor) {
    AnimateSkyPalette(palette, ComputeTwilightIntensities(sunSine, view.Taiyoukou != 0,
                                                          view.Yuuyake != 0, eclipseFactor));
}

}  // namespace render

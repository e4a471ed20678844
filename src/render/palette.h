// The sky palette: 241 colours that every sky layer names by index. Fixed entries hold the 23
// user line colours; reserved entries hold the sky gradient (16..32), the Sun-glow ramp (51..66),
// the star colours (67..186: 20 brightness rows x 6 colour classes) and the star rims and halos
// (187..240: 9 rows x 6 classes). The reserved entries follow the Sun's altitude every frame;
// the canvas resolves indices through this table when it draws, so a frame drawn after an
// animation shows the new colours.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "state/view_state.h"

namespace render {

inline constexpr int kPaletteSize = 241;
inline constexpr int kSkyGradientFirst = 16;  // sky background
inline constexpr int kSkyGradientLast = 32;   // brightest, at the horizon
inline constexpr int kSunGlowFirst = 51;
inline constexpr int kStarColourFirst = 67;
inline constexpr int kStarRimFirst = 187;

// Palette index of each line colour slot 1..23 (index 0 of the table is slot 1).
inline constexpr std::array<int, state::kLineSetCount> kLineSlotPaletteIndex = {
    4, 0, 3, 12, 1, 5, 2, 6, 13, 7, 8, 9, 10, 11, 14, 49, 33, 34, 35, 36, 37, 38, 39};

// The three twilight intensities that the reserved entries are computed from.
struct TwilightIntensities {
    int dawn = 0;
    int day = 0;
    int dusk = 0;
    friend bool operator==(const TwilightIntensities&, const TwilightIntensities&) = default;
};

class SkyPalette {
  public:
    // 0x00RRGGBB per entry.
    std::array<uint32_t, kPaletteSize> entries{};
    // The 17 sky-gradient colours after the last animation (read for the image base colour).
    std::array<uint32_t, 17> skyColours{};

    uint32_t rgb(int index) const {
        return index >= 0 && index < kPaletteSize ? entries[static_cast<std::size_t>(index)] : 0;
    }
    int red(int index) const { return static_cast<int>((rgb(index) >> 16) & 0xFF); }
    int green(int index) const { return static_cast<int>((rgb(index) >> 8) & 0xFF); }
    int blue(int index) const { return static_cast<int>(rgb(index) & 0xFF); }

    // The intensities of the last animation; empty until the first one.
    std::optional<TwilightIntensities> lastAnimation;
};

// Builds the palette from the line colours: fixed entries from the slots and the two fixed
// greens; reserved entries start as (0, 0, 6 i) for the i-th entry of their range.
SkyPalette CreateSkyPalette(const std::array<state::LineSet, state::kLineSetCount>& lineSets);

// The intensities for sunSine (16384 x sine of the Sun's altitude): dawn from astronomical
// twilight, day from civil twilight, dusk peaking with the Sun on the horizon; each scaled by
// eclipseFactor (1.0 normally, 0.0 in a total solar eclipse).
TwilightIntensities ComputeTwilightIntensities(int sunSine, bool sunlight, bool sunset,
                                               double eclipseFactor);

// Recomputes every reserved entry; does nothing when the intensities equal the last ones.
void AnimateSkyPalette(SkyPalette& palette, TwilightIntensities intensities);

// ComputeTwilightIntensities with the view's Taiyoukou and Yuuyake, then AnimateSkyPalette.
void SetTwilightColours(SkyPalette& palette, int sunSine, const state::ViewState& view,
                        double eclipseFactor);

}  // namespace render

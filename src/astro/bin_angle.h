// The sky frame's binary angle: 32768 units per turn (8192 = 90 degrees, 1 unit = 0.010986
// degrees). Held in a signed 32-bit integer of which only the low 15 bits count; sums may run
// outside 0..32767 and are reduced where they are looked up.
#pragma once

#include <cstdint>

namespace astro {

using BinAngle = int32_t;

inline constexpr BinAngle kBinTurn = 32768;
inline constexpr BinAngle kBinHalfTurn = 16384;
inline constexpr BinAngle kBinQuarterTurn = 8192;
inline constexpr BinAngle kBinMask = 32767;

// Binary units per tenth of a degree (32768 / 3600), as the program has always written it.
inline constexpr double kBinPerTenth = 9.102222222222222;
// Radians per binary unit (2 pi / 32768) and binary units per radian.
inline constexpr double kRadiansPerBin = 0.00019174759848570515;
inline constexpr double kBinPerRadian = 5215.189175235227;

// Tenths of a degree (double) to a binary angle: multiplied and truncated toward zero.
inline BinAngle TenthsToBinAngle(double tenths) {
    return static_cast<BinAngle>(tenths * kBinPerTenth);
}

// Tenths of a degree (integer) to a binary angle in integers: v * 2048 / 225, truncated.
inline constexpr BinAngle TenthsToBinAngleExact(int32_t tenths) {
    return tenths * 2048 / 225;
}

// The angle reduced to 0..32767.
inline constexpr BinAngle ReduceBinAngle(BinAngle a) {
    return a & kBinMask;
}

}  // namespace astro

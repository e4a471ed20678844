// Projection of sky directions to pixel offsets from the centre of the sky view, x to the right
// and y downward, both clamped to -32000..32000. The integer routines are the inner loop of every
// frame: 32-bit fixed point with the quarter-wave table, no floating point, no allocation, the
// table folds written out inline. The precise routine is their double-precision twin for the
// solar-system bodies and the object search.
//
// Depths: z = 16384 cos(angle from the view centre). Points up to 90 degrees away report their
// depth (1..16385), points 90..150 degrees away report 1, points farther away keep a negative
// depth so that callers skip them.
#pragma once

#include <cstdint>

#include "astro/bin_angle.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace astro {

inline constexpr int32_t kScreenLimit = 32000;
inline constexpr int32_t kFarthestDepth = -14189;  // 16384 cos 150 degrees
inline constexpr int16_t kBelowHorizonFlag = 20000;

// Obliquity of the ecliptic, 23.4395 degrees, as fractions of 65536.
inline constexpr int32_t kCosObliquity65536 = 60128;
inline constexpr int32_t kSinObliquity65536 = 26069;

struct ScreenPoint {
    int16_t x = 0;
    int16_t y = 0;
    // ProjectEcliptic: the depth as above, or 20000 for a point below the horizon within
    // 150 degrees of the centre. ProjectHorizontal: the depth alone.
    int16_t flag = 0;
};

struct PreciseScreenPoint {
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;  // as above; 1.0 for points 90..150 degrees away
    double down = 0.0;   // minus the sine of the altitude, scale 16384 (> 0 below the horizon)
};

namespace detail {

inline int32_t ClampScreen(int32_t v) {
    return v < -kScreenLimit ? -kScreenLimit : (v > kScreenLimit ? kScreenLimit : v);
}

// Step shared by both integer routines: the divisor for depth z, the pixel offsets and the
// reported depth.
inline ScreenPoint DivideByDepth(const ViewFrame& f, int32_t sx, int32_t sy, int32_t z) {
    if (z > 16385) z = 16385;
    if (z < -16385) z = -16385;
    int32_t divisor;
    int32_t depth = z;
    if (z >= 1) {
        divisor = f.tables.zbi[z];
    } else {
        divisor = f.tables.zbi2[-z];
        if (z >= kFarthestDepth) depth = 1;
    }
    ScreenPoint p;
    p.x = static_cast<int16_t>(ClampScreen(f.Zoom * sx / divisor));
    p.y = static_cast<int16_t>(ClampScreen(f.Zoom * sy / divisor));
    p.flag = static_cast<int16_t>(depth);
    return p;
}

}  // namespace detail

// A point of ecliptic longitude lon and latitude lat of epoch 2000 (binary angles). The frame's
// precession shift is added to lon here.
inline ScreenPoint ProjectEcliptic(const ViewFrame& f, BinAngle lon, BinAngle lat) {
    const int16_t* t = f.tables.sincos;
    int32_t l = (lon + f.PrecessionAngle) & kBinMask;
    int32_t b = lat & kBinMask;

    int32_t sinL, cosL, sinB, cosB;
    if (l < 8192) {
        sinL = t[l];
        cosL = t[8192 - l];
    } else if (l < 16384) {
        sinL = t[16384 - l];
        cosL = -t[l - 8192];
    } else if (l < 24576) {
        sinL = -t[l - 16384];
        cosL = -t[24576 - l];
    } else {
        sinL = -t[32768 - l];
        cosL = t[l - 24576];
    }
    if (b < 8192) {
        sinB = t[b];
        cosB = t[8192 - b];
    } else if (b < 16384) {
        sinB = t[16384 - b];
        cosB = -t[b - 8192];
    } else if (b < 24576) {
        sinB = -t[b - 16384];
        cosB = -t[24576 - b];
    } else {
        sinB = -t[32768 - b];
        cosB = t[b - 24576];
    }

    // Ecliptic to equatorial (W is minus the equatorial Z).
    int32_t xe = cosL * cosB / 16384;
    int32_t ye = sinL * cosB / 16384;
    int32_t ze = sinB;
    int32_t yq = (kCosObliquity65536 * ye - kSinObliquity65536 * ze) / 65536;
    int32_t wq = -((kCosObliquity65536 * ze + kSinObliquity65536 * ye) / 65536);
    int32_t xq = xe;

    const FrameSines<int32_t>& s = f.fixed;
    // Sidereal rotation, then latitude: (P, R, -U) are the horizontal direction cosines.
    int32_t p = (s.cosSidereal * yq - s.sinSidereal * xq) / 16384;
    int32_t q = (s.sinSidereal * yq + s.cosSidereal * xq) / 16384;
    int32_t r = (s.cosLatitude * wq - s.sinLatitude * q) / 16384;
    int32_t u = (s.sinLatitude * wq + s.cosLatitude * q) / 16384;
    // View azimuth, then tilt.
    int32_t sx = (s.cosAzimuth * p - s.sinAzimuth * r) / 16384;
    int32_t v = (s.cosAzimuth * r + s.sinAzimuth * p) / 16384;
    int32_t sy = (s.cosTilt * v - s.sinTilt * u) / 16384;
    int32_t z = -((s.sinTilt * v + s.cosTilt * u) / 16384);

    ScreenPoint point = detail::DivideByDepth(f, sx, sy, z);
    if (u > 0 && point.flag > 0) point.flag = kBelowHorizonFlag;
    return point;
}

// A point of the horizontal frame: b the altitude, a = 8192 minus the azimuth from the south
// (binary angles). Reports the depth without the below-horizon marker.
inline ScreenPoint ProjectHorizontal(const ViewFrame& f, BinAngle a, BinAngle b) {
    const int16_t* t = f.tables.sincos;
    int32_t c = (a + f.ViewAzimuthAngle) & kBinMask;
    int32_t bb = b & kBinMask;

    int32_t sinC, cosC, sinB, cosB;
    if (c < 8192) {
        sinC = t[c];
        cosC = t[8192 - c];
    } else if (c < 16384) {
        sinC = t[16384 - c];
        cosC = -t[c - 8192];
    } else if (c < 24576) {
        sinC = -t[c - 16384];
        cosC = -t[24576 - c];
    } else {
        sinC = -t[32768 - c];
        cosC = t[c - 24576];
    }
    if (bb < 8192) {
        sinB = t[bb];
        cosB = t[8192 - bb];
    } else if (bb < 16384) {
        sinB = t[16384 - bb];
        cosB = -t[bb - 8192];
    } else if (bb < 24576) {
        sinB = -t[bb - 16384];
        cosB = -t[24576 - bb];
    } else {
        sinB = -t[32768 - bb];
        cosB = t[bb - 24576];
    }

    int32_t x = cosB * cosC / 16384;
    int32_t y = cosB * sinC / 16384;
    int32_t zz = sinB;
    const FrameSines<int32_t>& s = f.fixed;
    int32_t sy = (s.cosTilt * y + s.sinTilt * zz) / 16384;
    int32_t z = (s.cosTilt * zz - s.sinTilt * y) / 16384;
    return detail::DivideByDepth(f, x, sy, z);
}

// The double-precision twin of ProjectEcliptic for lon and lat in binary-angle units (doubles),
// WITHOUT the precession shift (callers add it when the position is of epoch 2000).
PreciseScreenPoint ProjectEclipticPrecise(const ViewFrame& f, double lon, double lat);

}  // namespace astro

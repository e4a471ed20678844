// The sidereal angle of the observing place, in binary angles (32768 per turn). It equals the
// local mean sidereal time plus 12 hours (16384 units) to within about 20 units; the frame
// transform is built on this offset, so that the sky's rotation carries the meridian to the
// south of the view.
#pragma once

#include <cstdint>

#include "astro/bin_angle.h"

namespace astro {

// mjd: day number of the clock's date; utMinutes: minutes of that day in UT (any value);
// keido2: observer longitude in tenths of a degree, positive WEST. Evaluated in double precision
// and truncated toward zero; only the value modulo 32768 is meaningful.
BinAngle SiderealAngle(int32_t mjd, int32_t utMinutes, int32_t keido2);

// The same angle on the true sky: Greenwich apparent sidereal time (IAU 2006 precession, IAU
// 2000B nutation) plus 12 hours, minus the west longitude; in binary units, unrounded and
// reduced to 0..32768. Used by the precise-positions option inside the years its theories hold.
double ApparentSiderealAngle(int32_t mjd, int32_t utMinutes, int32_t keido2);

}  // namespace astro

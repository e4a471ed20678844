#include "astro/sidereal.h"

#include <erfa.h>

#include <cmath>

#include "astro/planets.h"
#include "astro/precise_time.h"

namespace astro {

namespace {

constexpr int32_t kDaysOf400Years = 146097;  // the remainder keeps the product small
constexpr double kSolarDayExcess =
    89.71573680499942;                             // binary units a mean solar day exceeds a turn
constexpr double kAdvancePerMinute = 22.81785813;  // binary units per UT minute
constexpr double kAngleAtEpoch = 21440.0;          // at MJD 0 (and multiples of 146097), 0 h UT

}  // namespace

BinAngle SiderealAngle(int32_t mjd, int32_t utMinutes, int32_t keido2) {
    double theta = (mjd % kDaysOf400Years) * kSolarDayExcess - keido2 * kBinPerTenth +
                   utMinutes * kAdvancePerMinute + kAngleAtEpoch;
    return static_cast<BinAngle>(theta);
}

double ApparentSiderealAngle(int32_t mjd, int32_t utMinutes, int32_t keido2) {
    const PreciseInstant instant = PreciseInstantOf(DaysFromJ2000(mjd, utMinutes));
    double rnpb[3][3];
    TrueEquatorMatrix(instant.mjdTt, rnpb);
    const double gast = eraGst06(kMjdZeroJd, instant.mjdUt, kMjdZeroJd, instant.mjdTt, rnpb);
    const double units = gast * kBinPerRadian + kBinHalfTurn - keido2 * kBinPerTenth;
    const double reduced = std::fmod(units, static_cast<double>(kBinTurn));
    return reduced < 0 ? reduced + kBinTurn : reduced;
}

}  // namespace astro

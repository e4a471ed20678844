#include "astro/sidereal.h"

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

}  // namespace astro

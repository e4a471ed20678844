#include "astro/precise_time.h"

#include <erfa.h>

#include "astro/delta_t.h"

namespace astro {
namespace {

constexpr double kJ2000Mjd = 51544.5;
constexpr double kDaysPerJulianYear = 365.25;

}  // namespace

PreciseInstant PreciseInstantOf(double daysFromJ2000) {
    PreciseInstant instant;
    instant.mjdUt = kJ2000Mjd + daysFromJ2000;
    instant.mjdTt = instant.mjdUt + DeltaTSeconds(daysFromJ2000) / 86400.0;
    return instant;
}

double YearOf(double daysFromJ2000) {
    return 2000.0 + daysFromJ2000 / kDaysPerJulianYear;
}

bool PreciseTheoriesCover(double daysFromJ2000) {
    const double year = YearOf(daysFromJ2000);
    return year >= kPreciseFirstYear && year < kPreciseLastYear + 1.0;
}

void TrueEquatorMatrix(double mjdTt, double rnpb[3][3]) {
    double dpsi = 0.0, deps = 0.0, epsa = 0.0;
    double rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
    eraNut00b(kMjdZeroJd, mjdTt, &dpsi, &deps);
    eraPn06(kMjdZeroJd, mjdTt, dpsi, deps, &epsa, rb, rp, rbp, rn, rnpb);
}

}  // namespace astro

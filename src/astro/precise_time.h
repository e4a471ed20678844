// The instant and the Earth's orientation as the precise theories need them: Universal Time
// for the Earth's rotation, Terrestrial Time (UT + Delta T) for the ephemerides, and the
// rotation from the celestial reference frame (J2000 mean equator) to the true equator and
// equinox of date.
#pragma once

namespace astro {

struct PreciseInstant {
    double mjdUt = 0.0;  // Modified Julian Day, UT (taken as UT1: the clock has no seconds)
    double mjdTt = 0.0;  // Modified Julian Day, TT
};

// Julian Date of MJD 0; ERFA takes dates as two parts, this one and the MJD.
inline constexpr double kMjdZeroJd = 2400000.5;

// The years in which the precise theories hold: the planetary theory's range (1000 to 3000,
// both whole).
// Outside it each body falls back to the described model, and so does the sidereal angle.
inline constexpr double kPreciseFirstYear = 1000.0;
inline constexpr double kPreciseLastYear = 3000.0;

// An instant given as days from J2000.0 (UT), with its TT.
PreciseInstant PreciseInstantOf(double daysFromJ2000);

// The (Julian) year of an instant given as days from J2000.0.
double YearOf(double daysFromJ2000);

// Whether the precise theories cover an instant (days from J2000.0, UT).
bool PreciseTheoriesCover(double daysFromJ2000);

// The matrix from the J2000 mean equator (GCRS) to the true equator and equinox of date: frame
// bias, IAU 2006 precession and IAU 2000B nutation (within a milliarcsecond of the full
// nutation series, at a fiftieth of its cost).
void TrueEquatorMatrix(double mjdTt, double rnpb[3][3]);

}  // namespace astro

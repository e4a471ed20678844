// The precise positions: apparent geocentric places of date of the Sun, the Moon, the planets,
// Pluto and the minor bodies, for the precise-positions option (SeimitsuKeisan).
//
// Theories: the Earth from the simplified VSOP2000 solution (eraEpv00), the Moon from the
// Meeus/ELP series (eraMoon98), Mercury, Venus, Mars and Neptune from eraPlan94, Jupiter, Saturn
// and Uranus from eraPlan94 corrected to VSOP87 (libnova), as eraPlan94 alone errs by up to 90"
// there, Pluto from
// the Chapront-Francou series (libnova, 1885-2099), the five principal minor planets from their
// integrated orbits (minor_planets.h) and the other minor bodies from their elements.
// Positions are at TT = UT + Delta T, corrected for light time and annual aberration (the
// Moon, which moves with the Earth, is geometric), and turned to the true equator and equinox
// of date.
#pragma once

#include <array>

#include "astro/body_table.h"

namespace astro {

struct PrecisePlace {
    bool valid = false;  // false where no precise theory covers the instant
    // The apparent geocentric place as a vector: the direction in which the body is seen, the
    // length its distance (AU; the Moon: Earth radii). Axes: the program's ecliptic of date, that
    // is the true equator of date turned by the projection's fixed obliquity, so that the sky
    // transform puts the body at its apparent right ascension and declination.
    double x = 0.0, y = 0.0, z = 0.0;
    // Geometric heliocentric position, mean ecliptic and equinox of date (AU); for the Sun the
    // Earth's, for the Moon the same vector as x, y, z.
    double helioX = 0.0, helioY = 0.0, helioZ = 0.0;
};

// VSOP87 less eraPlan94 for Jupiter, Saturn and Uranus at one node (MJD, TT; AU, J2000 mean
// equator). The difference changes so slowly that nodes a year apart, interpolated, give it to
// 5" (Jupiter; Saturn 3", Uranus 0.6"), so that a step of the clock by a year costs one node;
// the two nodes around the last instant are kept.
struct SeriesCorrection {
    double mjdTt = -1e300;
    double delta[3][3] = {};
};

struct PrecisePlaces {
    double daysFromJ2000 = -1e300;  // instant of the places; a repeated instant is not redone
    std::array<PrecisePlace, kBodyCount> bodies{};
    std::array<SeriesCorrection, 2> corrections{};
};

// The places at an instant (days from J2000.0, UT). Bodies whose theory does not hold then
// (see PreciseTheoriesCover, and Pluto's and the minor planets' own years) stay invalid.
void ComputePrecisePlaces(double daysFromJ2000, PrecisePlaces& places);

// Earth radii per AU for the Moon's distance (an Earth radius of 6378.14 km).
inline constexpr double kEarthRadiiPerAu = 149597870.7 / 6378.14;

}  // namespace astro

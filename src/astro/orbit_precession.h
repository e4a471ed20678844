// The orientation of an orbit carried from the mean ecliptic and equinox of one instant to those
// of another. The comet table keeps each comet's elements in the equinox of its perihelion
// passage, while published elements are of J2000; the data-set builder and the comet import
// both convert with this one routine.
#pragma once

namespace astro {

inline constexpr double kJ2000Jd = 2451545.0;

// Argument of perihelion, longitude of the ascending node and inclination, degrees.
struct OrbitAngles {
    double peri = 0.0;
    double node = 0.0;
    double inclination = 0.0;
};

// The angles of the ecliptic and equinox of fromJd referred to those of toJd (Julian Days, TT;
// IAU 1976 precession and mean obliquity). Perihelion and node come back in 0 .. 360.
OrbitAngles PrecessOrbitAngles(const OrbitAngles& angles, double fromJd, double toJd);

}  // namespace astro

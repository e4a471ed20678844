// The five principal minor planets (bodies 20..24: Ceres, Pallas, Juno, Vesta, Hygiea) for the
// precise positions: their osculating elements at one epoch, integrated numerically with the
// gravity of the Sun and the planets, so that Jupiter's pull does not carry them off their
// ellipses over the years.
//
// The integrated tracks are one process-wide table, filled lazily as the clock reaches new
// years (a few milliseconds per decade of coverage) and kept; the program has one thread.
#pragma once

#include <array>

namespace astro {

inline constexpr int kMinorPlanetCount = 5;
inline constexpr int kFirstMinorPlanetIndex = 20;  // body index of the first of them

// Heliocentric osculating elements, ecliptic and equinox of J2000: a in AU, angles in degrees.
struct OsculatingElements {
    double a = 0.0;
    double e = 0.0;
    double i = 0.0;
    double node = 0.0;
    double perihelion = 0.0;  // argument of perihelion
    double meanAnomaly = 0.0;
};

struct MinorPlanetElements {
    double epochMjd = 0.0;  // MJD, TT (TDB)
    std::array<OsculatingElements, kMinorPlanetCount> bodies{};
};

// The years the integration covers; outside them the described elements are used.
inline constexpr double kMinorPlanetFirstYear = 1900.0;
inline constexpr double kMinorPlanetLastYear = 2100.0;

// Whether an instant (MJD, TT) lies in the covered years.
bool WithinMinorPlanetYears(double mjdTt);

// The elements of the built-in body table (epoch 2006 September 22).
MinorPlanetElements BuiltInMinorPlanetElements();

// Replaces the elements in use (the data set's, when newer) and forgets the integrated tracks.
void SetMinorPlanetElements(const MinorPlanetElements& elements);
const MinorPlanetElements& CurrentMinorPlanetElements();

// Position (AU) and velocity (AU per day), heliocentric, J2000 mean equator.
struct HelioState {
    double p[3] = {0.0, 0.0, 0.0};
    double v[3] = {0.0, 0.0, 0.0};
};

// The state of minor planet slot (0..4) at mjdTt; false outside the covered years.
bool MinorPlanetState(int slot, double mjdTt, HelioState& out);

// Heliocentric state from osculating elements after dt days (two-body motion).
HelioState KeplerState(const OsculatingElements& elements, double dt);

}  // namespace astro

// The general orbit solver: one set of perihelion-time elements and an instant give the
// heliocentric ecliptic rectangular position (AU) on an elliptic (e < 1), parabolic (e = 1
// exactly) or hyperbolic (e > 1) orbit. Serves the comets and the minor bodies of the body
// table. No precession: the elements are of the same ecliptic and equinox as the rest.
#pragma once

#include "state/comet_record.h"

namespace astro {

struct OrbitElements {
    double perihelionMjd = 0.0;  // instant of perihelion passage, MJD (UT) with fraction
    double q = 1.0;              // perihelion distance, AU
    double e = 1.0;              // eccentricity
    double peri = 0.0;           // argument of perihelion, degrees
    double node = 0.0;           // longitude of the ascending node, degrees
    double inclination = 0.0;    // degrees
};

struct OrbitPoint {
    double x = 0.0, y = 0.0, z = 0.0;  // heliocentric ecliptic, AU
    double r = 0.0;                    // distance from the Sun, AU
};

// Gauss's constant in degrees per day: the mean motion of a body at 1 AU.
inline constexpr double kGaussDegreesPerDay = 0.985607669;

// The perihelion instant of year, month and day-with-fraction: MJD(year, month, 1) - 1 + day.
// Any day count is accepted (minor bodies carry day counts far outside the month).
double PerihelionMjd(int year, int month, double day);

// The elements of a comet record (perihelion instant from TY, TM, TD).
OrbitElements OrbitElementsOf(const state::CometRecord& record);

// The heliocentric ecliptic position of the point (xp, yp) of the orbit's plane (AU; x towards
// perihelion, y in the direction of motion there).
OrbitPoint OrbitPlaneToEcliptic(const OrbitElements& elements, double xp, double yp);

// Position at mjd (MJD with fraction, UT).
OrbitPoint SolveOrbitElements(double mjd, const OrbitElements& elements);
OrbitPoint SolveOrbit(double mjd, const state::CometRecord& record);

// The three kinds' anomalies, exposed for tests (M in radians; returns E, nu or H in radians).
double EllipticEccentricAnomaly(double meanAnomaly, double e);
double ParabolicTrueAnomaly(double meanAnomaly);
double HyperbolicAnomaly(double meanAnomaly, double e);

// Bounds of the hyperbolic bracketing (halvings plus doublings) and of each Newton refinement.
inline constexpr int kBracketStepLimit = 4400;
inline constexpr int kNewtonStepLimit = 10;

}  // namespace astro

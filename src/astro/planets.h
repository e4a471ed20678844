// Heliocentric positions of the bodies of the built-in table (the Moon: geocentric).
//
// Time argument t: days from J2000.0 (MJD 51544.5), UT; T = t / 36525 Julian centuries.
// The instant is Universal Time throughout: no light time, aberration, nutation or Delta T.
// Between the years 1800 and 2200 (of the clock) the Earth's orbit and the Moon use short
// series instead of their mean elements.
#pragma once

#include "astro/body_table.h"

namespace astro {

// The Sun's mean longitude and mean perigee (radians) of the latest index-0 computation,
// and the Moon's mean longitude, perigee and node (radians) of the latest index-1
// computation. The Moon's perturbations read the solar values, so index 0 is always
// computed before index 1 with the same memory.
struct MeanArguments {
    double sunMeanLongitude = 0.0;
    double sunMeanPerigee = 0.0;
    double moonMeanLongitude = 0.0;
    double moonMeanPerigee = 0.0;
    double moonNode = 0.0;
};

struct BodyPosition {
    double x = 0.0, y = 0.0, z = 0.0;  // ecliptic of date, AU (Moon: Earth radii, geocentric)
    double longitude = 0.0;            // radians; 0..2pi for the planet form
    double latitude = 0.0;             // radians
};

// Julian centuries per day (1 / 36525).
inline constexpr double kCenturiesPerDay = 2.7378507871321012e-5;
inline constexpr double kJ2000Mjd = 51544.5;

// Whether the clock year selects the series for the Sun (Earth) and the Moon.
bool UsesSeries(int year);

// Position of body index (0..24) at t. year is the clock's year (it picks the theory of the
// Sun and the Moon). Index 0 gives the Earth's heliocentric vector; index 1 the Moon's
// geocentric vector in Earth radii.
BodyPosition ComputeBodyPosition(int index, double t, int year, MeanArguments& memory);

// Days from J2000.0 of an instant given as MJD and UT minutes.
double DaysFromJ2000(int mjd, int utMinutes);

}  // namespace astro

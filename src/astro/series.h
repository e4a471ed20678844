// Short trigonometric series for the Sun (the Earth's heliocentric orbit) and the Moon, used
// between the years 1800 and 2200. T is Julian centuries from J2000.0 (UT). Each term is
// A cos(w T + phi) with w and phi in degrees.
#pragma once

namespace astro {

// The Earth's heliocentric ecliptic longitude of date, degrees (not reduced to 0..360).
double SunLongitudeSeries(double T);
// The Sun-Earth distance, AU.
double SunDistanceSeries(double T);
// The Moon's geocentric ecliptic longitude of date, degrees (not reduced).
double MoonLongitudeSeries(double T);
// The Moon's geocentric ecliptic latitude, degrees.
double MoonLatitudeSeries(double T);

}  // namespace astro

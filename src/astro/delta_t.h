// Delta T = TT - UT: how far the Earth's rotation (which the clock counts) lags behind the
// uniform time of the ephemerides.
#pragma once

namespace astro {

// Delta T in seconds for an instant given as days from J2000.0 (UT), from the polynomials of
// Espenak and Meeus (2006): fitted to the observed values from -500 to 2005, extrapolated
// with a parabola beyond. Finite for every instant the clock can hold.
double DeltaTSeconds(double daysFromJ2000);

}  // namespace astro

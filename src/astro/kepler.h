// Kepler's equation for the mean-element bodies of the built-in table.
#pragma once

namespace astro {

// Eccentric anomaly E (radians) of E - e sin E = M by the fixed-point iteration
// E <- M + e sin E from E = M until a step is at most 1e-9 rad. The table's eccentricities
// stay below 0.45 over the whole clock range, where this converges in a few dozen steps; the
// iteration is still capped (at kKeplerIterationLimit) so that no input can keep it running.
double SolveKeplerFixedPoint(double meanAnomaly, double e);

inline constexpr int kKeplerIterationLimit = 10000;

}  // namespace astro

#include "astro/kepler.h"

#include <cmath>

namespace astro {

double SolveKeplerFixedPoint(double meanAnomaly, double e) {
    double E = meanAnomaly;
    for (int step = 0; step < kKeplerIterationLimit; ++step) {
        const double next = meanAnomaly + e * std::sin(E);
        const double change = next - E;
        E = next;
        if (std::fabs(change) <= 1e-9) break;
    }
    return E;
}

}  // namespace astro

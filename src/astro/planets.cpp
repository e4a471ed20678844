#include "astro/planets.h"

#include <cmath>

#include "astro/kepler.h"
#include "astro/orbit.h"
#include "astro/series.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kTwoPi = 6.283185307179586;

// Into 0..2pi. A negative angle gets one turn more than the whole turns it holds (a
// longitude of -20 rad, reached when the node has regressed for millennia, becomes 5.13).
double NormaliseLongitude(double lambda) {
    if (lambda >= kTwoPi) lambda -= kTwoPi * std::trunc(lambda / kTwoPi);
    if (lambda < 0) lambda += kTwoPi * (1 + std::trunc(-lambda / kTwoPi));
    if (lambda >= kTwoPi) lambda = 0.0;  // -2pi exactly, or a rounding to 2pi
    return lambda;
}

BodyPosition FromSpherical(double r, double lambda, double beta) {
    BodyPosition p;
    p.longitude = lambda;
    p.latitude = beta;
    p.x = r * std::cos(beta) * std::cos(lambda);
    p.y = r * std::cos(beta) * std::sin(lambda);
    p.z = r * std::sin(beta);
    return p;
}

BodyPosition PlanetForm(int index, double t, int year, const PlanetElements& el,
                        MeanArguments& memory) {
    const double T = t * kCenturiesPerDay;
    const double e = el.e + el.eRate * T;
    const double i = el.i + el.iRate * T;
    const double node = el.node + el.nodeRate * T + el.nodeAccel * T * T;
    const double peri = el.perihelion + el.perihelionRate * T + el.perihelionAccel * T * T;
    const double omega = peri - node;
    const double L = el.meanLongitude + el.dailyMotion * t + el.meanLongitudeAccel * T * T;
    const double a = el.a + el.aRate * T;

    if (index == kSunIndex) {
        memory.sunMeanLongitude = (L + 180.0) * kDegree;
        memory.sunMeanPerigee = (peri + 180.0) * kDegree;
    } else if (index == kMoonIndex) {
        memory.moonMeanLongitude = L * kDegree;
        memory.moonMeanPerigee = peri * kDegree;
        memory.moonNode = node * kDegree;
    }

    double M = L - peri;
    M -= 360.0 * std::trunc(M / 360.0);
    const double E = SolveKeplerFixedPoint(M * kDegree, e);
    const double xp = a * (std::cos(E) - e);
    const double yp = a * std::sqrt(1 - e * e) * std::sin(E);
    double r = std::sqrt(xp * xp + yp * yp);

    double lambda = 0.0, beta = 0.0;
    if (!UsesSeries(year) || index > kMoonIndex) {
        const double ir = i * kDegree;
        const double u = std::atan2(yp, xp) + omega * kDegree;
        const double su = std::sin(u), cu = std::cos(u);
        beta = std::atan2(std::sin(ir) * su,
                          std::sqrt((su * std::cos(ir)) * (su * std::cos(ir)) + cu * cu));
        lambda = std::atan2(su * std::cos(ir), cu) + node * kDegree;
        if (index == kMoonIndex) {
            const double Lm = memory.moonMeanLongitude, Pm = memory.moonMeanPerigee;
            const double Om = memory.moonNode;
            const double Ls = memory.sunMeanLongitude, Ps = memory.sunMeanPerigee;
            const double dLambda =
                1.27 * std::sin(Lm - 2 * Ls + Pm) + 0.66 * std::sin(2 * (Lm - Ls)) -
                0.19 * std::sin(Ls - Ps) - 0.11 * std::sin(2 * (Lm - Om)) +
                0.06 * std::sin(Pm + Lm - 3 * Ls + Ps) + 0.06 * std::sin(2 * (Pm - Ls));
            const double dBeta =
                0.06 * std::sin(2 * Lm - 2 * Ls - Om + Pm) + 0.173 * std::sin(Lm - 2 * Ls + Om);
            lambda += dLambda * kDegree;
            beta += dBeta * kDegree;
        }
    } else if (index == kSunIndex) {
        lambda = SunLongitudeSeries(T) * kDegree;
        beta = 0.0;
        r = SunDistanceSeries(T);
    } else {
        lambda = MoonLongitudeSeries(T) * kDegree;
        beta = MoonLatitudeSeries(T) * kDegree;
    }
    return FromSpherical(r, NormaliseLongitude(lambda), beta);
}

BodyPosition MinorBodyForm(double t, const PlanetElements& el) {
    OrbitElements orbit;
    double perihelionDay = el.epochDay;
    if (el.meanAnomaly != 0) {
        const double n = kGaussDegreesPerDay / std::sqrt(el.a * el.a * el.a);
        perihelionDay = el.epochDay - el.meanAnomaly / n;
    }
    orbit.perihelionMjd = PerihelionMjd(el.epochYear, el.epochMonth, perihelionDay);
    orbit.q = el.a * (1 - el.e);
    orbit.e = el.e;
    orbit.peri = el.argumentOfPerihelion;
    orbit.node = el.node;
    orbit.inclination = el.i;
    const OrbitPoint point = SolveOrbitElements(t + kJ2000Mjd, orbit);

    BodyPosition p;
    p.x = point.x;
    p.y = point.y;
    p.z = point.z;
    p.longitude = std::atan2(point.y, point.x);
    p.latitude = std::atan2(point.z, std::sqrt(point.x * point.x + point.y * point.y));
    return p;
}

}  // namespace

bool UsesSeries(int year) {
    return year >= 1800 && year <= 2200;
}

BodyPosition ComputeBodyPosition(int index, double t, int year, MeanArguments& memory) {
    if (index < 0 || index >= kBodyCount) return {};
    const PlanetElements& el = BodyTable()[index];
    if (el.epochYear == 0) return PlanetForm(index, t, year, el, memory);
    return MinorBodyForm(t, el);
}

double DaysFromJ2000(int mjd, int utMinutes) {
    return utMinutes / 1440.0 + mjd - kJ2000Mjd;
}

}  // namespace astro

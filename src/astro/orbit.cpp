#include "astro/orbit.h"

#include <cfloat>
#include <cmath>
#include <utility>

#include "astro/clock.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;

// The first seven orders of the series solution of Kepler's equation: a starting value that
// leaves Newton's method little to do for moderate eccentricities.
double EllipticSeriesStart(double M, double e) {
    const double e2 = e * e, e3 = e2 * e, e4 = e3 * e, e5 = e4 * e, e6 = e5 * e, e7 = e6 * e;
    return M + (e - e3 / 8 + e5 / 192 - e7 / 9216) * std::sin(M) +
           (e2 / 2 - e4 / 6 + e6 / 48) * std::sin(2 * M) +
           (3 * e3 / 8 - 27 * e5 / 128 + 243 * e7 / 5120) * std::sin(3 * M) +
           (e4 / 3 - 4 * e6 / 15) * std::sin(4 * M) +
           (125 * e5 / 384 - 3125 * e7 / 9216) * std::sin(5 * M) +
           (27 * e6 / 80) * std::sin(6 * M) + (16807 * e7 / 46080) * std::sin(7 * M);
}

// Newton's method is stopped on the size of its correction, not on the residual of the
// equation: near e = 1 the derivative (1 - e cos E, or e cosh H - 1) is tiny just after
// perihelion, and a residual below 1e-10 there still leaves the anomaly wrong by 1e-4 rad
// (0.01 AU on a sun-grazer). A correction below this is the anomaly to double precision.
bool Converged(double correction, double x) {
    return std::fabs(correction) <= 1e-13 * std::fmax(1.0, std::fabs(x));
}

// Newton steps with bisection whenever a step would leave the bracket [lo, hi], in which
// f(x) - M changes sign; the fallback for the rare inputs where ten plain Newton steps have not
// settled (near-parabolic orbits far from perihelion, hyperbolas with enormous anomalies).
template <typename F, typename D>
double SafeguardedRoot(double M, double lo, double hi, F f, D derivative) {
    double x = 0.5 * (lo + hi);
    for (int step = 0; step < 400; ++step) {
        const double residual = f(x) - M;
        if (residual == 0 || !(hi - lo > 0.0)) break;
        if (residual < 0)
            lo = x;
        else
            hi = x;
        const double next = x - residual / derivative(x);
        x = (next > lo && next < hi) ? next : 0.5 * (lo + hi);
        if (Converged(hi - lo, x) || x == lo || x == hi) break;
    }
    return x;
}

}  // namespace

double PerihelionMjd(int year, int month, double day) {
    return ModifiedJulianDay(year, month, 1) - 1 + day;
}

OrbitElements OrbitElementsOf(const state::CometRecord& record) {
    OrbitElements elements;
    elements.perihelionMjd = PerihelionMjd(record.TY, record.TM, record.TD);
    elements.q = record.q;
    elements.e = record.e;
    elements.peri = record.Peri;
    elements.node = record.Node;
    elements.inclination = record.i;
    return elements;
}

double EllipticEccentricAnomaly(double M, double e) {
    double E = EllipticSeriesStart(M, e);
    for (int step = 0; step < kNewtonStepLimit; ++step) {
        const double residual = M - (E - e * std::sin(E));
        if (residual == 0) return E;
        const double correction = residual / (1 - e * std::cos(E));
        E += correction;
        if (Converged(correction, E)) return E;
    }
    if (!std::isfinite(M) || !(e >= 0.0 && e < 1.0)) return E;
    // E - M = e sin E has the sign of M on -pi..pi, and |E - M| <= e.
    const double lo = M >= 0 ? M : M - e;
    const double hi = M >= 0 ? M + e : M;
    return SafeguardedRoot(
        M, lo, hi, [e](double x) { return x - e * std::sin(x); },
        [e](double x) { return 1 - e * std::cos(x); });
}

double ParabolicTrueAnomaly(double M) {
    if (M == 0) return 0.0;
    const double beta = std::atan2(2.0, 3.0 * M);
    const double s = std::cbrt(std::fabs(std::tan(beta / 2)));
    return 2 * std::atan2(1 - s * s, s);
}

double HyperbolicAnomaly(double M, double e) {
    if (M == 0 || std::isnan(M)) return 0.0;
    // f is odd: solve for |M| and restore the sign, so that the bracketing below (written
    // for a positive anomaly) also serves the approach before perihelion.
    const double sign = M < 0 ? -1.0 : 1.0;
    const double target = std::fabs(M);
    auto f = [e](double H) { return e * std::sinh(H) - H; };
    auto derivative = [e](double H) { return e * std::cosh(H) - 1; };

    double H = target, fH = f(H);
    double previous = H, fPrevious = fH;
    for (int step = 0; step < kBracketStepLimit; ++step) {
        if (fH > target) {
            if (previous < H) break;
            previous = H;
            fPrevious = fH;
            H *= 0.5;
        } else if (fH <= target) {
            if (previous > H) break;
            previous = H;
            fPrevious = fH;
            H *= 2;
        } else {
            break;  // not a number
        }
        fH = f(H);
    }
    const double lo = std::fmin(H, previous), hi = std::fmax(H, previous);
    double x = (target - fPrevious) * (H - previous) / (fH - fPrevious) + previous;
    if (!std::isfinite(x)) x = lo;

    for (int step = 0; step < kNewtonStepLimit; ++step) {
        const double residual = target - f(x);
        if (residual == 0) return sign * x;
        const double correction = residual / derivative(x);
        x += correction;
        if (Converged(correction, x)) return sign * x;
    }
    if (!(f(lo) <= target && f(hi) > target)) return sign * (std::isfinite(x) ? x : lo);
    return sign * SafeguardedRoot(target, lo, hi, f, derivative);
}

OrbitPoint SolveOrbitElements(double mjd, const OrbitElements& el) {
    const double q = el.q, e = el.e;
    double a = 0.0, n = 0.0;
    if (e < 1) {
        a = q / (1 - e);
        n = kGaussDegreesPerDay / std::pow(a, 1.5);
    } else if (e > 1) {
        a = q / (e - 1);
        n = kGaussDegreesPerDay / std::pow(a, 1.5);
    } else {
        n = kGaussDegreesPerDay / (1.414213562 * std::pow(q, 1.5));
    }

    double M = (mjd - el.perihelionMjd) * n;  // degrees
    if (std::isnan(M)) M = 0.0;               // 0 x infinity: at perihelion
    if (std::isinf(M)) M = std::copysign(DBL_MAX, M);
    if (e < 1) {
        M -= 360.0 * std::trunc(M / 360.0);
        if (M < -180) M += 360;
        if (M > 180) M -= 360;
    }
    M *= kDegree;

    double xp = 0.0, yp = 0.0;
    if (e < 1) {
        const double E = EllipticEccentricAnomaly(M, e);
        xp = a * (std::cos(E) - e);
        yp = a * std::sqrt(1 - e * e) * std::sin(E);
    } else if (e == 1) {
        const double nu = ParabolicTrueAnomaly(M);
        xp = 2 * q * std::cos(nu) / (1 + std::cos(nu));
        yp = 2 * q * std::sin(nu) / (1 + std::cos(nu));
    } else {
        const double H = HyperbolicAnomaly(M, e);
        xp = a * (e - std::cosh(H));
        yp = a * std::sqrt(e * e - 1) * std::sinh(H);
    }

    return OrbitPlaneToEcliptic(el, xp, yp);
}

OrbitPoint OrbitPlaneToEcliptic(const OrbitElements& el, double xp, double yp) {
    const double w = el.peri * kDegree, node = el.node * kDegree, inc = el.inclination * kDegree;
    const double cw = std::cos(w), sw = std::sin(w), cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(inc), si = std::sin(inc);
    OrbitPoint point;
    point.r = std::sqrt(xp * xp + yp * yp);
    point.x = (cw * cn - ci * sw * sn) * xp - (ci * cw * sn + sw * cn) * yp;
    point.y = (ci * sw * cn + cw * sn) * xp - (sw * sn - ci * cw * cn) * yp;
    point.z = (sw * xp + cw * yp) * si;
    return point;
}

OrbitPoint SolveOrbit(double mjd, const state::CometRecord& record) {
    return SolveOrbitElements(mjd, OrbitElementsOf(record));
}

}  // namespace astro

#include "astro/orbit_precession.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;

// From the J2000 mean equator to the mean ecliptic and equinox of jd.
void EclipticMatrix(double jd, double matrix[3][3]) {
    eraPmat76(jd, 0.0, matrix);
    eraRx(eraObl80(jd, 0.0), matrix);
}

double Wrap360(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

}  // namespace

OrbitAngles PrecessOrbitAngles(const OrbitAngles& angles, double fromJd, double toJd) {
    const double w = angles.peri * kDegree, n = angles.node * kDegree;
    const double i = angles.inclination * kDegree;
    // The perihelion direction and the orbit's pole, turned through the J2000 equator.
    double perihelion[3] = {std::cos(w) * std::cos(n) - std::sin(w) * std::sin(n) * std::cos(i),
                            std::cos(w) * std::sin(n) + std::sin(w) * std::cos(n) * std::cos(i),
                            std::sin(w) * std::sin(i)};
    double pole[3] = {std::sin(i) * std::sin(n), -std::sin(i) * std::cos(n), std::cos(i)};
    double from[3][3], to[3][3], back[3][3], turn[3][3];
    EclipticMatrix(fromJd, from);
    EclipticMatrix(toJd, to);
    eraTr(from, back);
    eraRxr(to, back, turn);
    double p[3], h[3];
    eraRxp(turn, perihelion, p);
    eraRxp(turn, pole, h);

    const double node = std::atan2(h[0], -h[1]);
    double ascending[3] = {std::cos(node), std::sin(node), 0.0};
    double towardsMotion[3];  // in the orbit's plane, 90 degrees past the node
    eraPxp(h, ascending, towardsMotion);
    OrbitAngles out;
    out.inclination = std::acos(std::clamp(h[2], -1.0, 1.0)) / kDegree;
    out.node = Wrap360(node / kDegree);
    out.peri = Wrap360(std::atan2(eraPdp(p, towardsMotion), eraPdp(p, ascending)) / kDegree);
    return out;
}

}  // namespace astro

#include "astro/minor_planets.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/body_table.h"
#include "astro/clock.h"
#include "astro/precise_time.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kGaussK = 0.01720209895;  // AU^1.5 per day: sqrt(GM of the Sun)
constexpr double kSunGm = kGaussK * kGaussK;
// Steps of 2 days, a 650th of Vesta's period, the shortest; over 2020-2030 the integration stays
// within 6" of an independent one.
constexpr double kStepDays = 2.0;
// A node every 8 days: cubic Hermite interpolation between them errs by about 1e-8 AU.
constexpr int kStepsPerNode = 4;
constexpr double kNodeDays = kStepDays * kStepsPerNode;
constexpr int kExtensionNodes = 46;  // grow a track by about a year at a time
// The J2000 obliquity (IAU 2006), from the ecliptic of the elements to the mean equator.
constexpr double kObliquityJ2000 = 84381.406 / 3600.0 * kDegree;

// The perturbing planets as the planetary theory numbers them (Venus, Earth-Moon barycentre,
// Mars, Jupiter, Saturn, Uranus, Neptune) and their masses as fractions of the Sun's.
struct Perturber {
    int theoryNumber;
    double massRatio;
};
constexpr Perturber kPerturbers[] = {{2, 1.0 / 408523.5}, {3, 1.0 / 328900.5}, {4, 1.0 / 3098710.0},
                                     {5, 1.0 / 1047.355}, {6, 1.0 / 3498.5},   {7, 1.0 / 22869.0},
                                     {8, 1.0 / 19314.0}};

using Snapshot = std::array<HelioState, kMinorPlanetCount>;

struct Tracks {
    MinorPlanetElements elements = BuiltInMinorPlanetElements();
    // Nodes every kNodeDays from the epoch: forward[k] at epoch + k nodes, backward[k] at
    // epoch - k nodes; both start with the state at the epoch.
    std::vector<Snapshot> forward, backward;
};

Tracks& SharedTracks() {
    static Tracks tracks;
    return tracks;
}

constexpr double MjdOfYear(double year) {
    return 51544.5 + (year - 2000.0) * 365.25;
}

constexpr double kFirstMjd = MjdOfYear(kMinorPlanetFirstYear);
constexpr double kLastMjd = MjdOfYear(kMinorPlanetLastYear + 1.0);

// Accelerations (AU/day^2) of every body of a snapshot at mjdTt.
void Accelerate(double mjdTt, const Snapshot& s, double acc[kMinorPlanetCount][3]) {
    double planet[std::size(kPerturbers)][3];
    for (std::size_t k = 0; k < std::size(kPerturbers); ++k) {
        double pv[2][3];
        eraPlan94(kMjdZeroJd, mjdTt, kPerturbers[k].theoryNumber, pv);
        for (int c = 0; c < 3; ++c)
            planet[k][c] = pv[0][c];
    }
    for (int b = 0; b < kMinorPlanetCount; ++b) {
        const double* r = s[b].p;
        const double r2 = r[0] * r[0] + r[1] * r[1] + r[2] * r[2];
        const double sun = -kSunGm / (r2 * std::sqrt(r2));
        for (int c = 0; c < 3; ++c)
            acc[b][c] = sun * r[c];
        for (std::size_t k = 0; k < std::size(kPerturbers); ++k) {
            const double* q = planet[k];
            const double d[3] = {q[0] - r[0], q[1] - r[1], q[2] - r[2]};
            const double d2 = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
            const double q2 = q[0] * q[0] + q[1] * q[1] + q[2] * q[2];
            const double gm = kSunGm * kPerturbers[k].massRatio;
            // The planet's direct pull, less its pull on the Sun (the frame's acceleration).
            const double direct = gm / (d2 * std::sqrt(d2)), indirect = gm / (q2 * std::sqrt(q2));
            for (int c = 0; c < 3; ++c)
                acc[b][c] += direct * d[c] - indirect * q[c];
        }
    }
}

// One Runge-Kutta-Nystrom step of h days (the fourth-order scheme for x'' = f(t, x)).
Snapshot Step(double mjdTt, const Snapshot& s, double h) {
    double k1[kMinorPlanetCount][3], k2[kMinorPlanetCount][3], k3[kMinorPlanetCount][3],
        k4[kMinorPlanetCount][3];
    // The positions after f h days with acceleration acc (velocities do not enter the forces).
    auto moved = [&](const double(*acc)[3], double f) {
        Snapshot m = s;
        for (int b = 0; b < kMinorPlanetCount; ++b)
            for (int c = 0; c < 3; ++c)
                m[b].p[c] = s[b].p[c] + f * h * s[b].v[c] + 0.5 * f * f * h * h * acc[b][c];
        return m;
    };
    Accelerate(mjdTt, s, k1);
    Accelerate(mjdTt + 0.5 * h, moved(k1, 0.5), k2);
    Accelerate(mjdTt + 0.5 * h, moved(k2, 0.5), k3);
    Accelerate(mjdTt + h, moved(k3, 1.0), k4);
    Snapshot next = s;
    for (int b = 0; b < kMinorPlanetCount; ++b)
        for (int c = 0; c < 3; ++c) {
            next[b].p[c] =
                s[b].p[c] + h * s[b].v[c] + h * h / 6.0 * (k1[b][c] + k2[b][c] + k3[b][c]);
            next[b].v[c] =
                s[b].v[c] + h / 6.0 * (k1[b][c] + 2 * k2[b][c] + 2 * k3[b][c] + k4[b][c]);
        }
    return next;
}

// Grows one direction of the tracks until it holds node `wanted` (counted from the epoch).
void Extend(Tracks& tracks, std::vector<Snapshot>& nodes, int direction, std::size_t wanted) {
    if (nodes.empty()) {
        Snapshot start;
        for (int b = 0; b < kMinorPlanetCount; ++b)
            start[b] = KeplerState(tracks.elements.bodies[b], 0.0);
        nodes.push_back(start);
    }
    const double h = direction * kStepDays;
    while (nodes.size() <= wanted) {
        const std::size_t k = nodes.size() - 1;
        double mjd = tracks.elements.epochMjd + direction * kNodeDays * static_cast<double>(k);
        Snapshot s = nodes.back();
        for (int step = 0; step < kStepsPerNode; ++step, mjd += h)
            s = Step(mjd, s, h);
        nodes.push_back(s);
    }
}

// Cubic Hermite interpolation between two states h days apart, at fraction u of the way.
HelioState Interpolate(const HelioState& a, const HelioState& b, double h, double u) {
    const double u2 = u * u, u3 = u2 * u;
    const double h00 = 2 * u3 - 3 * u2 + 1, h10 = u3 - 2 * u2 + u, h01 = -2 * u3 + 3 * u2,
                 h11 = u3 - u2;
    const double d00 = 6 * u2 - 6 * u, d10 = 3 * u2 - 4 * u + 1, d01 = -d00, d11 = 3 * u2 - 2 * u;
    HelioState out;
    for (int c = 0; c < 3; ++c) {
        out.p[c] = h00 * a.p[c] + h10 * h * a.v[c] + h01 * b.p[c] + h11 * h * b.v[c];
        out.v[c] = (d00 * a.p[c] + d01 * b.p[c]) / h + d10 * a.v[c] + d11 * b.v[c];
    }
    return out;
}

}  // namespace

MinorPlanetElements BuiltInMinorPlanetElements() {
    MinorPlanetElements out;
    const PlanetElements& first = BodyTable()[kFirstMinorPlanetIndex];
    out.epochMjd = ModifiedJulianDay(first.epochYear, first.epochMonth, 1) + first.epochDay - 1.0;
    for (int slot = 0; slot < kMinorPlanetCount; ++slot) {
        const PlanetElements& el = BodyTable()[kFirstMinorPlanetIndex + slot];
        out.bodies[slot] = {el.a, el.e, el.i, el.node, el.argumentOfPerihelion, el.meanAnomaly};
    }
    return out;
}

void SetMinorPlanetElements(const MinorPlanetElements& elements) {
    Tracks& tracks = SharedTracks();
    tracks.elements = elements;
    tracks.forward.clear();
    tracks.backward.clear();
}

const MinorPlanetElements& CurrentMinorPlanetElements() {
    return SharedTracks().elements;
}

bool WithinMinorPlanetYears(double mjdTt) {
    return mjdTt >= kFirstMjd && mjdTt < kLastMjd;
}

bool MinorPlanetState(int slot, double mjdTt, HelioState& out) {
    Tracks& tracks = SharedTracks();
    const double epoch = tracks.elements.epochMjd;
    if (slot < 0 || slot >= kMinorPlanetCount || !WithinMinorPlanetYears(mjdTt) ||
        !WithinMinorPlanetYears(epoch))
        return false;
    const int direction = mjdTt >= epoch ? 1 : -1;
    std::vector<Snapshot>& nodes = direction > 0 ? tracks.forward : tracks.backward;
    const double offset = std::fabs(mjdTt - epoch) / kNodeDays;
    const auto k = static_cast<std::size_t>(offset);
    if (k + 1 >= nodes.size()) {
        const double limit =
            std::fabs((direction > 0 ? kLastMjd : kFirstMjd) - epoch) / kNodeDays + 1;
        const std::size_t wanted = std::min(k + kExtensionNodes, static_cast<std::size_t>(limit));
        Extend(tracks, nodes, direction, std::max(wanted, k + 1));
    }
    out = Interpolate(nodes[k][slot], nodes[k + 1][slot], direction * kNodeDays,
                      offset - static_cast<double>(k));
    return true;
}

HelioState KeplerState(const OsculatingElements& el, double dt) {
    const double n = kGaussK / std::sqrt(el.a * el.a * el.a);  // radians per day
    const double M = std::remainder(el.meanAnomaly * kDegree + n * dt, 2 * 3.141592653589793);
    double E = M;
    for (int k = 0; k < 50; ++k) {  // Newton's method; e < 0.9 converges in a few steps
        const double dE = (E - el.e * std::sin(E) - M) / (1 - el.e * std::cos(E));
        E -= dE;
        if (std::fabs(dE) < 1e-14) break;
    }
    const double b = el.a * std::sqrt(1 - el.e * el.e);
    const double edot = n / (1 - el.e * std::cos(E));
    const double xp = el.a * (std::cos(E) - el.e), yp = b * std::sin(E);
    const double vxp = -el.a * std::sin(E) * edot, vyp = b * std::cos(E) * edot;
    // Perifocal to ecliptic, then ecliptic to equator.
    double rotation[3][3];
    eraIr(rotation);
    eraRz(-el.perihelion * kDegree, rotation);
    eraRx(-el.i * kDegree, rotation);
    eraRz(-el.node * kDegree, rotation);
    eraRx(-kObliquityJ2000, rotation);
    double perifocalP[3] = {xp, yp, 0.0}, perifocalV[3] = {vxp, vyp, 0.0};
    HelioState out;
    eraRxp(rotation, perifocalP, out.p);
    eraRxp(rotation, perifocalV, out.v);
    return out;
}

}  // namespace astro

#include "astro/precise_places.h"

#include <erfa.h>
#include <libnova/jupiter.h>
#include <libnova/pluto.h>
#include <libnova/saturn.h>
#include <libnova/uranus.h>

#include <cmath>

#include "astro/minor_planets.h"
#include "astro/planets.h"
#include "astro/precise_time.h"
#include "astro/projection.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;
constexpr double kLightAuPerDay = 173.1446326846693;
constexpr double kObliquityJ2000 = 84381.406 / 3600.0 * kDegree;
// The years of Pluto's series: published for 1885-2099, still within 12" through 2100.
constexpr double kPlutoFirstYear = 1885.0;
constexpr double kPlutoLastYear = 2101.0;

// The Earth as the observing platform at one instant, and the rotations of that instant.
struct Observer {
    double earth[3];              // heliocentric position, AU, J2000 mean equator
    double velocity[3];           // barycentric velocity in units of the speed of light
    double contraction;           // sqrt(1 - v^2)
    double sunDistance;           // AU
    double trueEquator[3][3];     // J2000 mean equator to the true equator of date
    double eclipticOfDate[3][3];  // J2000 mean equator to the mean ecliptic of date
};

// A heliocentric vector of the J2000 ecliptic on the J2000 mean equator.
void EquatorFromEcliptic(double x, double y, double z, double out[3]) {
    const double ce = std::cos(kObliquityJ2000), se = std::sin(kObliquityJ2000);
    out[0] = x;
    out[1] = ce * y - se * z;
    out[2] = se * y + ce * z;
}

using HelioFunction = void (*)(double jd, ln_helio_posn* position);

void FromSeries(HelioFunction series, double mjdTt, double out[3]) {
    ln_helio_posn p;  // ecliptic of J2000: degrees, AU
    series(kMjdZeroJd + mjdTt, &p);
    const double l = p.L * kDegree, b = p.B * kDegree;
    EquatorFromEcliptic(p.R * std::cos(b) * std::cos(l), p.R * std::cos(b) * std::sin(l),
                        p.R * std::sin(b), out);
}

// A state from a position routine, the velocity from positions half a day either side.
template <class Position>
HelioState Differentiated(Position position, double mjdTt) {
    HelioState out;
    double before[3], after[3];
    position(mjdTt, out.p);
    position(mjdTt - 0.5, before);
    position(mjdTt + 0.5, after);
    for (int c = 0; c < 3; ++c)
        out.v[c] = after[c] - before[c];
    return out;
}

// eraPlan94's numbers of the planets by body index (Mercury 2 .. Neptune 8).
constexpr int kTheoryNumber[] = {0, 0, 1, 2, 4, 5, 6, 7, 8};
constexpr double kCorrectionNodeDays = 365.25;
constexpr int kFirstCorrectedIndex = 5;  // Jupiter, Saturn, Uranus

// The correction of the three planets at a node.
void ComputeCorrection(double node, SeriesCorrection& c) {
    static constexpr HelioFunction kSeries[] = {
        ln_get_jupiter_helio_coords, ln_get_saturn_helio_coords, ln_get_uranus_helio_coords};
    c.mjdTt = node;
    for (int k = 0; k < 3; ++k) {
        double series[3], pv[2][3];
        FromSeries(kSeries[k], node, series);
        eraPlan94(kMjdZeroJd, node, kTheoryNumber[kFirstCorrectedIndex + k], pv);
        for (int axis = 0; axis < 3; ++axis)
            c.delta[k][axis] = series[axis] - pv[0][axis];
    }
}

// Adds the correction, interpolated between the nodes around mjdTt, to Jupiter's, Saturn's or
// Uranus's position. A node already at hand is not computed again.
void Correct(int index, double mjdTt, std::array<SeriesCorrection, 2>& nodes, double p[3]) {
    const double first = std::floor(mjdTt / kCorrectionNodeDays) * kCorrectionNodeDays;
    const double wanted[2] = {first, first + kCorrectionNodeDays};
    auto held = [&](const SeriesCorrection& c) {
        return c.mjdTt == wanted[0] || c.mjdTt == wanted[1];
    };
    for (double node : wanted) {
        if (nodes[0].mjdTt == node || nodes[1].mjdTt == node) continue;
        ComputeCorrection(node, held(nodes[0]) ? nodes[1] : nodes[0]);
    }
    const SeriesCorrection& a = nodes[0].mjdTt == first ? nodes[0] : nodes[1];
    const SeriesCorrection& b = nodes[0].mjdTt == first ? nodes[1] : nodes[0];
    const double u = (mjdTt - first) / kCorrectionNodeDays;
    const int k = index - kFirstCorrectedIndex;
    for (int axis = 0; axis < 3; ++axis)
        p[axis] += a.delta[k][axis] + u * (b.delta[k][axis] - a.delta[k][axis]);
}

// Heliocentric state of body index (2..24) at mjdTt; false where no theory covers it.
bool HelioStateOf(int index, double mjdTt, std::array<SeriesCorrection, 2>& corrections,
                  HelioState& out) {
    if (index >= kMercuryIndex && index < kPlutoIndex) {
        double pv[2][3];
        eraPlan94(kMjdZeroJd, mjdTt, kTheoryNumber[index], pv);
        for (int c = 0; c < 3; ++c)
            out.p[c] = pv[0][c], out.v[c] = pv[1][c];
        if (index >= kFirstCorrectedIndex && index < kFirstCorrectedIndex + 3)
            Correct(index, mjdTt, corrections, out.p);
        return true;
    }
    const double year = YearOf(mjdTt - kJ2000Mjd);
    if (index == kPlutoIndex) {
        if (year < kPlutoFirstYear || year > kPlutoLastYear) return false;
        out = Differentiated(
            [](double mjd, double p[3]) { FromSeries(ln_get_pluto_helio_coords, mjd, p); }, mjdTt);
        return true;
    }
    if (index >= kFirstMinorPlanetIndex) {
        return MinorPlanetState(index - kFirstMinorPlanetIndex, mjdTt, out);
    }
    // The other minor bodies keep their two-body orbits, whose elements are of J2000.
    out = Differentiated(
        [index](double mjd, double p[3]) {
            MeanArguments unused;
            const BodyPosition q = ComputeBodyPosition(index, mjd - kJ2000Mjd, 2000, unused);
            EquatorFromEcliptic(q.x, q.y, q.z, p);
        },
        mjdTt);
    return true;
}

// A vector of the true equator of date in the program's ecliptic axes: turned by the fixed
// obliquity of the sky transform, which turns it back.
void SetProgramAxes(const double q[3], double scale, PrecisePlace& place) {
    const double c = kCosObliquity65536 / 65536.0, s = kSinObliquity65536 / 65536.0;
    place.x = scale * q[0];
    place.y = scale * (c * q[1] + s * q[2]);
    place.z = scale * (-s * q[1] + c * q[2]);
}

// (ERFA 2.0 takes its arguments without const.)
void SetHelio(Observer& o, double p[3], PrecisePlace& place) {
    double e[3];
    eraRxp(o.eclipticOfDate, p, e);
    place.helioX = e[0], place.helioY = e[1], place.helioZ = e[2];
}

// The apparent place of a body with heliocentric state h: seen where it was when the light
// left it (the position moved back along the velocity; the light time converges in two
// passes), displaced by the aberration of the Earth's motion.
PrecisePlace ApparentPlace(HelioState h, Observer& o) {
    double g[3];
    double lightTime = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        for (int c = 0; c < 3; ++c)
            g[c] = h.p[c] - h.v[c] * lightTime - o.earth[c];
        lightTime = eraPm(g) / kLightAuPerDay;
    }
    double distance = 0.0, direction[3], apparent[3], ofDate[3];
    eraPn(g, &distance, direction);
    eraAb(direction, o.velocity, o.sunDistance, o.contraction, apparent);
    eraRxp(o.trueEquator, apparent, ofDate);
    PrecisePlace place;
    place.valid = true;
    SetProgramAxes(ofDate, distance, place);
    SetHelio(o, h.p, place);
    return place;
}

Observer ObserverAt(double mjdTt) {
    Observer o;
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(kMjdZeroJd, mjdTt, heliocentric, barycentric);
    for (int c = 0; c < 3; ++c) {
        o.earth[c] = heliocentric[0][c];
        o.velocity[c] = barycentric[1][c] / kLightAuPerDay;
    }
    o.contraction = std::sqrt(1.0 - eraPdp(o.velocity, o.velocity));
    o.sunDistance = eraPm(o.earth);
    TrueEquatorMatrix(mjdTt, o.trueEquator);
    eraEcm06(kMjdZeroJd, mjdTt, o.eclipticOfDate);
    return o;
}

}  // namespace

void ComputePrecisePlaces(double daysFromJ2000, PrecisePlaces& places) {
    if (places.daysFromJ2000 == daysFromJ2000) return;
    places.daysFromJ2000 = daysFromJ2000;
    places.bodies = {};
    if (!PreciseTheoriesCover(daysFromJ2000)) return;
    const double mjdTt = PreciseInstantOf(daysFromJ2000).mjdTt;
    Observer o = ObserverAt(mjdTt);

    places.bodies[kSunIndex] = ApparentPlace(HelioState{}, o);
    SetHelio(o, o.earth, places.bodies[kSunIndex]);

    // The Moon moves with the Earth: no annual aberration; its light time (1.3 s) moves it by
    // under an arc second.
    double moon[2][3], ofDate[3];
    eraMoon98(kMjdZeroJd, mjdTt, moon);
    eraRxp(o.trueEquator, moon[0], ofDate);
    PrecisePlace& m = places.bodies[kMoonIndex];
    m.valid = true;
    SetProgramAxes(ofDate, kEarthRadiiPerAu, m);
    m.helioX = m.x, m.helioY = m.y, m.helioZ = m.z;

    for (int index = kMercuryIndex; index < kBodyCount; ++index) {
        HelioState h;
        if (HelioStateOf(index, mjdTt, places.corrections, h)) {
            places.bodies[index] = ApparentPlace(h, o);
        }
    }
}

}  // namespace astro

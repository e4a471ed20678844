#include "astro/bodies.h"

#include <cmath>

#include "astro/moon.h"
#include "astro/projection.h"
#include "astro/sidereal.h"

namespace astro {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

double Length(double x, double y, double z) {
    return std::sqrt(x * x + y * y + z * z);
}

double WrapToPi(double angle) {
    if (angle > kPi) angle -= kTwoPi;
    if (angle < -kPi) angle += kTwoPi;
    return angle;
}

// Binary-angle copy of an angle in radians (truncated toward zero; NaN gives 0).
BinAngle ToBinAngle(double radians) {
    const double units = radians * kBinPerRadian;
    if (!(std::fabs(units) < 2e9)) return 0;
    return static_cast<BinAngle>(units);
}

void Project(const ViewFrame& frame, BodyState& body) {
    const PreciseScreenPoint p = ProjectEclipticPrecise(frame, body.geoLongitude * kBinPerRadian,
                                                        body.geoLatitude * kBinPerRadian);
    body.screenX = p.x;
    body.screenY = p.y;
    body.down = p.down;
    // As the integer projection marks it: within 150 degrees of the centre but below the
    // horizon, so that the layers can skip it where the ground is drawn.
    body.depth = (p.down > 0 && p.depth > 0) ? kBelowHorizonFlag : p.depth;
}

}  // namespace

double EclipticSeparation(double lambda1, double beta1, double lambda2, double beta2) {
    // The longitude difference is taken the short way round, so that two bodies on either
    // side of the equinox (359 and 1 degrees) are 2 degrees apart, not 358.
    const double dLambda = std::remainder(lambda1 - lambda2, kTwoPi);
    const double dBeta = beta1 - beta2;
    return std::sqrt(dLambda * dLambda + dBeta * dBeta);
}

void ComputeAllBodies(const state::ViewState& view, const ViewFrame& frame, SolarSystemState& out) {
    const double t = DaysFromJ2000(frame.CurrentMjd, frame.UtMinutes);
    const int year = view.clock.year;
    if (view.SeimitsuKeisan) ComputePrecisePlaces(t, out.precise);
    auto preciseOf = [&](int k) -> const PrecisePlace* {
        const PrecisePlace& place = out.precise.bodies[k];
        return view.SeimitsuKeisan && place.valid ? &place : nullptr;
    };

    std::array<BodyPosition, kBodyCount> positions;
    for (int k = 0; k < kBodyCount; ++k) {
        positions[k] = ComputeBodyPosition(k, t, year, out.meanArguments);
        if (const PrecisePlace* place = preciseOf(k)) {
            BodyPosition& p = positions[k];
            p.x = place->helioX, p.y = place->helioY, p.z = place->helioZ;
            p.longitude = std::atan2(p.y, p.x);
            p.latitude = std::atan2(p.z, std::sqrt(p.x * p.x + p.y * p.y));
        }
        BodyState& body = out.bodies[k];
        body.helioX = positions[k].x;
        body.helioY = positions[k].y;
        body.helioZ = positions[k].z;
        body.helioLongitude = positions[k].longitude;
        body.helioLatitude = positions[k].latitude;
    }

    const double earthX = positions[kSunIndex].x, earthY = positions[kSunIndex].y,
                 earthZ = positions[kSunIndex].z;
    for (int k = 0; k < kBodyCount; ++k) {
        BodyState& body = out.bodies[k];
        double x = positions[k].x, y = positions[k].y, z = positions[k].z;
        body.helioDistance = Length(x, y, z);
        if (const PrecisePlace* place = preciseOf(k)) {
            x = place->x, y = place->y, z = place->z;  // already geocentric and apparent
        } else if (k == kSunIndex) {
            x = -x, y = -y,
            z = -z;  // the Earth seen from the Sun becomes the Sun seen from the Earth
        } else if (k != kMoonIndex) {
            x -= earthX, y -= earthY, z -= earthZ;
        }
        if (k == kMoonIndex) {
            // The observer's own sidereal angle: the frame's is 0 in equator mode.
            const double latitude = view.Ido2 * 0.0017453292519943296;
            const BinAngle sidereal =
                frame.EquatorMode ? ObserverSiderealAngle(view, frame.CurrentMjd, frame.UtMinutes)
                                  : frame.SiderealAngle;
            const Vector3 observer = ObserverEclipticVector(latitude, sidereal * kRadiansPerBin);
            x -= observer.x, y -= observer.y, z -= observer.z;
        }
        body.geoDistance = Length(x, y, z);
        body.geoLongitude = std::atan2(y, x);
        body.geoLatitude = std::atan2(z, std::sqrt(x * x + y * y));
        body.longitudeAngle = ToBinAngle(body.geoLongitude);
        body.latitudeAngle = ToBinAngle(body.geoLatitude);
        Project(frame, body);
        if (k == kSunIndex) out.sunRadius = std::atan(0.0046524726588687395 / body.geoDistance);
        if (k == kMoonIndex) out.moonRadius = std::atan(0.27250765897267853 / body.geoDistance);
    }

    const BodyState& sun = out.bodies[kSunIndex];
    const BodyState& moon = out.bodies[kMoonIndex];
    const BodyState& mercury = out.bodies[kMercuryIndex];
    const BodyState& venus = out.bodies[kVenusIndex];
    out.mercuryRadius = std::atan(1.4973475223945367e-05 / mercury.geoDistance);
    out.venusRadius = std::atan(4.045512145326668e-05 / venus.geoDistance);
    out.MoonElongation = WrapToPi((moon.longitudeAngle - sun.longitudeAngle) * kRadiansPerBin);
    out.sunMoonSeparation =
        EclipticSeparation(moon.geoLongitude, moon.geoLatitude, sun.geoLongitude, sun.geoLatitude);
    out.moonShadowSeparation = EclipticSeparation(moon.helioLongitude, moon.helioLatitude,
                                                  sun.geoLongitude + kPi, -sun.geoLatitude);
    out.sunMercurySeparation = EclipticSeparation(mercury.geoLongitude, mercury.geoLatitude,
                                                  sun.geoLongitude, sun.geoLatitude);
    out.sunVenusSeparation = EclipticSeparation(venus.geoLongitude, venus.geoLatitude,
                                                sun.geoLongitude, sun.geoLatitude);
}

EarthShadow EarthShadowOf(const SolarSystemState& state) {
    const BodyState& sun = state.bodies[kSunIndex];
    const BodyState& moon = state.bodies[kMoonIndex];
    ShadowInput in;
    in.sunDistance = sun.geoDistance;
    in.moonDistance = moon.geoDistance;
    in.sunLongitude = sun.geoLongitude;
    in.sunLatitude = sun.geoLatitude;
    in.moonLongitude = moon.geoLongitude;
    in.moonLatitude = moon.geoLatitude;
    in.moonGeoLongitude = moon.helioLongitude;
    in.moonGeoLatitude = moon.helioLatitude;
    in.moonRadius = state.moonRadius;
    return ComputeEarthShadow(in);
}

double MoonAgeOf(const ViewFrame& frame, int year) {
    return MoonAgeSearch(DaysFromJ2000(frame.CurrentMjd, frame.UtMinutes), year);
}

double MoonTilt(const ViewFrame& frame, const SolarSystemState& state) {
    const BodyState& moon = state.bodies[kMoonIndex];
    const double lambda = moon.geoLongitude * kBinPerRadian;
    const double beta = moon.geoLatitude * kBinPerRadian;
    const PreciseScreenPoint east = ProjectEclipticPrecise(frame, lambda + 1000, beta);
    const PreciseScreenPoint west = ProjectEclipticPrecise(frame, lambda - 1000, beta);
    if (east.x == west.x && east.y == west.y) return 0.0;
    return std::atan2(east.y - west.y, east.x - west.x);
}

}  // namespace astro

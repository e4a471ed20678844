#include "astro/moon.h"

#include <cmath>

#include "astro/planets.h"

namespace astro {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kCosObliquity = 0.917481159;
constexpr double kSinObliquity = 0.397779237;

// Moon longitude minus Sun longitude (radians, 0..2pi) at t, from fresh positions.
double Elongation(double t, int year) {
    MeanArguments memory;
    const BodyPosition earth = ComputeBodyPosition(kSunIndex, t, year, memory);
    const BodyPosition moon = ComputeBodyPosition(kMoonIndex, t, year, memory);
    double d = moon.longitude - earth.longitude - kPi;
    for (int k = 0; k < 3 && d < 0; ++k)
        d += kTwoPi;
    return d;
}

}  // namespace

Vector3 ObserverEclipticVector(double latitude, double siderealAngle) {
    const double x = -std::cos(latitude) * std::cos(siderealAngle);
    const double y = -std::cos(latitude) * std::sin(siderealAngle);
    const double z = 0.99330561508 * std::sin(latitude);
    return Vector3{x, kCosObliquity * y + kSinObliquity * z,
                   -kSinObliquity * y + kCosObliquity * z};
}

double MoonAgeSearch(double t, int year) {
    double a = 0.0, step = 1.0, result = 0.0;
    while (step >= 0.0009) {
        double previous = 100000.0;
        while (a < 40) {
            const double d = Elongation(t - a + 0.003, year);
            if (!(d < previous)) break;
            previous = d;
            result = a - 0.003;
            a += step;
        }
        a -= step;
        step *= 0.1;
    }
    return result < 0 ? 0.0 : result;
}

EarthShadow ComputeEarthShadow(const ShadowInput& in) {
    const double sunKm = in.sunDistance * 149597870.0;
    const double moonKm = in.moonDistance * 6378.14;
    EarthShadow shadow;
    shadow.umbraRadius =
        std::atan2(6498.42 - std::tan(std::atan2(689501.58, sunKm)) * moonKm, moonKm);
    shadow.penumbraRadius =
        std::atan2(std::tan(std::atan2(702498.42, sunKm)) * moonKm + 6498.42, moonKm);
    shadow.centreLongitude = in.sunLongitude + kPi + (in.moonLongitude - in.moonGeoLongitude);
    shadow.centreLatitude = in.sunLatitude + (in.moonLatitude - in.moonGeoLatitude);

    double dLambda = shadow.centreLongitude - in.moonLongitude;
    dLambda = std::remainder(dLambda, kTwoPi);  // into -pi..pi
    const double dBeta = shadow.centreLatitude - in.moonLatitude;
    shadow.separation = std::sqrt(dBeta * dBeta + dLambda * dLambda);
    shadow.reachesMoon = shadow.separation < shadow.penumbraRadius + in.moonRadius;
    return shadow;
}

}  // namespace astro

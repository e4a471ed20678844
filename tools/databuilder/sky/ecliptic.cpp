#include "sky/ecliptic.h"

#include <algorithm>
#include <cmath>

namespace databuilder {

namespace {

constexpr double kDeg = kPi / 180.0;

int16_t clamp16(double v) {
    return static_cast<int16_t>(std::clamp(std::lround(v), -32767L, 32767L));
}

}  // namespace

Vec3 equatorialVector(double raDeg, double decDeg) {
    const double ra = raDeg * kDeg, dec = decDeg * kDeg;
    return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

Vec3 equatorialToEcliptic(Vec3 v) {
    const double e = kObliquityJ2000Deg * kDeg;
    const double c = std::cos(e), s = std::sin(e);
    return {v.x, c * v.y + s * v.z, -s * v.y + c * v.z};
}

void eclipticLonLat(Vec3 e, double& lonDeg, double& latDeg) {
    lonDeg = std::atan2(e.y, e.x) / kDeg;
    if (lonDeg < 0) lonDeg += 360.0;
    latDeg = std::atan2(e.z, std::hypot(e.x, e.y)) / kDeg;
}

BinPoint toBinPoint(Vec3 ecliptic) {
    double lon, lat;
    eclipticLonLat(ecliptic, lon, lat);
    long l = std::lround(lon / 360.0 * kBinAnglePerTurn) % 32768;
    if (l < 0) l += 32768;
    BinPoint p;
    p.lon = static_cast<int16_t>(l);
    p.lat = static_cast<int16_t>(std::lround(lat / 360.0 * kBinAnglePerTurn));
    return p;
}

BinPoint equatorialToBinPoint(double raDeg, double decDeg) {
    return toBinPoint(equatorialToEcliptic(equatorialVector(raDeg, decDeg)));
}

void properMotionToRecord(Vec3 v, double pmRaCosDec, double pmDec, int16_t& pmLon, int16_t& pmLat) {
    // Velocity on the sphere in mas/yr, then resolved along the ecliptic east and north.
    const Vec3 pole{0, 0, 1};
    Vec3 east = cross(pole, v);
    if (dot(east, east) < 1e-24) east = {0, 1, 0};
    east = normalized(east);
    const Vec3 north = cross(v, east);
    const Vec3 velocity = equatorialToEcliptic(east * pmRaCosDec + north * pmDec);
    const Vec3 e = equatorialToEcliptic(v);
    Vec3 eclEast = cross(pole, e);
    const double cosLat = std::sqrt(dot(eclEast, eclEast));
    if (cosLat < 1e-12) {
        pmLon = pmLat = 0;
        return;
    }
    eclEast = eclEast * (1.0 / cosLat);
    const Vec3 eclNorth = cross(e, eclEast);
    const double perCentury = 1e5 / kMasPerBinAngle;  // mas/yr -> binary angles per 100 000 yr
    pmLon = clamp16(-dot(velocity, eclEast) / cosLat * perCentury);
    pmLat = clamp16(-dot(velocity, eclNorth) * perCentury);
}

namespace {

// IAU 1976 precession from J2000 to `t` Julian centuries after it, applied to `v`.
Vec3 precessJ2000(Vec3 v, double t) {
    const double as = kDeg / 3600.0;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * as;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * as;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * as;
    const double cz = std::cos(zeta), sz = std::sin(zeta);
    const double cZ = std::cos(z), sZ = std::sin(z);
    const double ct = std::cos(theta), st = std::sin(theta);
    const double m[3][3] = {
        {cZ * ct * cz - sZ * sz, -cZ * ct * sz - sZ * cz, -cZ * st},
        {sZ * ct * cz + cZ * sz, -sZ * ct * sz + cZ * cz, -sZ * st},
        {st * cz, -st * sz, ct},
    };
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

double centuriesFromJ2000(double jd) {
    return (jd - 2451545.0) / 36525.0;
}

}  // namespace

Vec3 precessFromJ2000(Vec3 v, double besselYear) {
    const double jd = 2415020.31352 + (besselYear - 1900.0) * 365.242198781;
    return precessJ2000(v, centuriesFromJ2000(jd));
}

}  // namespace databuilder

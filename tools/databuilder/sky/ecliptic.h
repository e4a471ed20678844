// Conversion of J2000 equatorial directions and proper motions to the program's catalogue frame:
// ecliptic longitude and latitude of J2000 in binary angles (32768 per turn), with the J2000 mean
// obliquity.
#pragma once

#include <cstdint>

#include "sky/vec3.h"

namespace databuilder {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kObliquityJ2000Deg = 84381.406 / 3600.0;  // IAU 2006 mean obliquity
inline constexpr double kBinAnglePerTurn = 32768.0;
// One binary angle in milliarcseconds.
inline constexpr double kMasPerBinAngle = 1296000000.0 / kBinAnglePerTurn;

struct BinPoint {
    int16_t lon = 0;  // 0 .. 32767
    int16_t lat = 0;  // -8192 .. 8192
};

Vec3 equatorialVector(double raDeg, double decDeg);
Vec3 equatorialToEcliptic(Vec3 v);
// Rounded to the nearest binary angle; longitude wrapped into 0 .. 32767.
BinPoint toBinPoint(Vec3 ecliptic);
BinPoint equatorialToBinPoint(double raDeg, double decDeg);

// Longitude and latitude in degrees of an ecliptic vector.
void eclipticLonLat(Vec3 ecliptic, double& lonDeg, double& latDeg);

// Proper motion (pmRA cos dec, pmDec, mas/yr) at equatorial direction `v`, as the stored pair of
// the star record: the rates of ecliptic longitude (not multiplied by cos lat) and latitude in
// binary angles per 100 000 years, negated because the program subtracts them times the decades
// since 2000; clamped to 16 bits.
void properMotionToRecord(Vec3 v, double pmRaCosDec, double pmDec, int16_t& pmLon, int16_t& pmLat);

// Precesses a J2000 equatorial direction to the mean equator of Besselian epoch `besselYear`
// (IAU 1976 angles), as used by the B1875 constellation boundary tables.
Vec3 precessFromJ2000(Vec3 v, double besselYear);

}  // namespace databuilder

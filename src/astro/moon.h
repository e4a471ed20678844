// What is particular to the Moon: the observer's parallax, the age since new moon and the
// Earth's shadow for lunar eclipses. Angles in radians, the Moon's distances in Earth radii.
#pragma once

namespace astro {

struct Vector3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

// The observer's position on the Earth in ecliptic axes (Earth radii), from the geodetic
// latitude (radians) and the sidereal angle of the place (radians). Subtracted from the
// Moon's geocentric vector it gives the topocentric vector.
Vector3 ObserverEclipticVector(double latitude, double siderealAngle);

// The age of the Moon in days (0 <= age < 40): the time since the last new moon before the
// instant t (days from J2000.0, UT), found by stepping back with steps of 1, 0.1, 0.01 and
// 0.001 days. year is the clock's year (it selects the theory of the Sun and the Moon).
double MoonAgeSearch(double t, int year);

struct EarthShadow {
    double umbraRadius = 0.0;     // apparent radius at the Moon's distance, radians
    double penumbraRadius = 0.0;  // radians
    double centreLongitude = 0.0;
    double centreLatitude = 0.0;
    double separation = 0.0;   // from the Moon's topocentric position, radians
    bool reachesMoon = false;  // separation < penumbra radius + Moon's radius
};

struct ShadowInput {
    double sunDistance = 1.0;    // AU
    double moonDistance = 60.0;  // topocentric, Earth radii
    double sunLongitude = 0.0, sunLatitude = 0.0;
    double moonLongitude = 0.0, moonLatitude = 0.0;        // topocentric
    double moonGeoLongitude = 0.0, moonGeoLatitude = 0.0;  // geocentric
    double moonRadius = 0.0;                               // apparent, radians
};

// The umbra and penumbra of the Earth (radius enlarged to 6498.42 km for the atmosphere) at
// the Moon, centred on the anti-solar point carried with the Moon's parallax.
EarthShadow ComputeEarthShadow(const ShadowInput& input);

}  // namespace astro

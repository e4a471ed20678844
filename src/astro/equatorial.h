// Ecliptic to equatorial coordinates for the information displays, and their text form.
#pragma once

#include <string>

namespace astro {

struct Equatorial {
    double ra = 0.0;   // right ascension, radians, -pi..pi
    double dec = 0.0;  // declination, radians
};

// lon, lat: ecliptic longitude and latitude in radians; the obliquity is that of J2000
// (0.40909961098701914 rad).
Equatorial EclipticToEquatorial(double lon, double lat);

// "5h34.5m  +22°01'": hours and minutes of right ascension with one decimal, two blanks, the
// sign, whole degrees and arc minutes of declination. The degree sign is UTF-8. Rounded values
// carry into the next unit, so the text never shows 60.0 minutes.
std::string FormatEquatorial(double ra, double dec);

}  // namespace astro

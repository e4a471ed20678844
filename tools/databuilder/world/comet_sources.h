// Readers of the comet element lists: the solar-system INI files of the Stellarium data package
// (recent and historical comets) and the two lists of the KStars data package (the Minor Planet
// Center's comet elements and a query of JPL's small-body database). Each comet becomes a
// CometSource with its elements in the ecliptic and equinox that its list uses.
#pragma once

#include <string>

#include "sky_units.h"

namespace databuilder::world {

inline constexpr double kB1950Jd = 2433282.4235;
inline constexpr double kJ2000Jd = 2451545.0;

struct CometSource {
    std::string name;  // designation and name, e.g. "C/1995 O1 (Hale-Bopp)"
    double perihelionJd = 0;
    double q = 0, e = 0, peri = 0, node = 0, incl = 0;  // AU, degrees
    double H = 0;
    double K = 10.0;  // m = H + 5 log D + K log r
    bool hasMagnitude = true;
    double epochJd = 0;  // osculation epoch, 0 when the list does not give it
    double equinoxJd = kJ2000Jd;
    std::string list;  // which list it came from, for the record of sources
};

// Comets (type=comet) of a Stellarium solar-system INI file; K = 2.5 n of its magnitude law.
// Designations of the old style ("P/Halley (1982i=1986III)") come from catalogues in the
// equinox B1950; those of the current style ("C/1995 O1", "67P/...") are of J2000.
std::vector<CometSource> ParseCometIni(const std::string& text, const std::string& inputName);
// The Minor Planet Center's elements as KStars keeps them (cometels.json: a JSON array), J2000;
// K = 2.5 G.
std::vector<CometSource> ParseMpcComets(const Bytes& json, const std::string& inputName);
// JPL small-body database query (comets.dat: {"fields": [...], "data": [[...], ...]}), J2000. It
// gives the total absolute magnitude M1 without its slope; the usual K = 10 goes with it.
std::vector<CometSource> ParseJplComets(const Bytes& json, const std::string& inputName);

}  // namespace databuilder::world

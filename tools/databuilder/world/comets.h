// The distributed comet list "QELCOMET.DAT": at most 200 records of 168 bytes. Halley,
// Hale-Bopp and Hyakutake carry the names the program recognises and the initialised flag 0, so
// that the program applies its own magnitude terms to them; every other comet carries the
// catalogue's magnitude law m = H + 5 log D + 2.5 n log r as H1 = H, K1 = 2.5 n, and flag 1.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sky_units.h"
#include "state/comet_record.h"

namespace databuilder::world {

struct CometSource {
    std::string name;  // catalogue designation and name, e.g. "C/1995 O1 (Hale-Bopp)"
    double perihelionJd;
    double q, e, peri, node, incl;  // AU, degrees
    double H = 0.0;
    double n = 4.0;  // slope parameter of the magnitude law
};

// Reads the comets (type=comet) of a solar-system INI file of the Stellarium data package.
std::vector<CometSource> ParseCometIni(const std::string& text, const std::string& inputName);

// Calendar date (UT) of a Julian Day: year, month and day with fraction.
void JulianDayToCalendar(double jd, int& year, int& month, double& day);

// The comet file: the three named comets first, then the recent list, then the historic comets
// brightest first, up to limit records; duplicates (same designation) are dropped.
std::vector<state::CometRecord> SelectComets(const std::vector<CometSource>& recent,
                                             const std::vector<CometSource>& historic,
                                             size_t limit = state::kCometFileLimit);
Bytes CometFileBytes(const std::vector<state::CometRecord>& comets);

}  // namespace databuilder::world

// The distributed comet list "QELCOMET.DAT": one record per comet, at most 80, so that a user
// can still add and import comets. Halley, Hale-Bopp and Hyakutake carry the names the program
// recognises and the initialised flag 0, so that the program applies its own magnitude terms to
// them; every other comet carries its list's magnitude law m = H + 5 log D + K log r as H1 = H,
// K1 = K, and flag 1. The program computes comets in the ecliptic and equinox of date, so each
// record's elements are precessed to the equinox of its perihelion passage.
#pragma once

#include <string>
#include <vector>

#include "comet_sources.h"
#include "sky_units.h"
#include "state/comet_record.h"

namespace databuilder::world {

inline constexpr size_t kShippedCometLimit = 80;
// The present of this data set (2026 July 1): a periodic comet is shipped at the apparition
// nearest to it.
inline constexpr double kPresentJd = 2461222.5;

// Calendar date (UT) of a Julian Day: year, month and day with fraction.
void JulianDayToCalendar(double jd, int& year, int& month, double& day);

// The elements of `comet` referred to the mean ecliptic and equinox of `toJd` instead of its own.
CometSource PrecessElements(const CometSource& comet, double toJd);

// Which comet a list entry is: "12P" for every entry of a numbered periodic comet (also its
// old-style entries "P/Pons-Brooks (1953c=1954VII)"), the designation without fragment letter
// for the other current-style entries ("D/1993 F2"), the whole name for the rest.
struct CometIdentity {
    std::string key;
    bool defunct = false;  // a D/ comet: broken up or lost
};
std::vector<CometIdentity> IdentifyComets(const std::vector<CometSource>& comets);

struct ShippedComet {
    state::CometRecord record;
    CometSource source;  // the entry it came from, with its own equinox
};

// One entry per comet (lost and broken-up comets and those without a magnitude law left out):
// the apparition nearest `presentJd`, from the entry osculating nearest that perihelion (the
// newest on a tie). The three named comets first, then the comets that pass perihelion from three
// years before the present to ten years after it bright enough for binoculars, then the great
// comets of the past, then those since 1900, then the others, each group brightest at perihelion
// first, up to `limit`.
std::vector<ShippedComet> SelectComets(const std::vector<CometSource>& comets,
                                       double presentJd = kPresentJd,
                                       size_t limit = kShippedCometLimit);
Bytes CometFileBytes(const std::vector<ShippedComet>& comets);
// "C/1995 O1 (Hale-Bopp): perihelion 1997-04-01.14, epoch 1997-01-06, equinox J2000".
std::string DescribeCometSource(const ShippedComet& comet);

}  // namespace databuilder::world

// The star catalogue in STAR2 order: the bright part sorted by magnitude, then the faint part by
// the 432 ecliptic zones, each zone sorted by magnitude; with the STIDX zone index and lookups by
// Hipparcos number for the blocks that refer to stars by STAR2 number.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "persist/records/star_records.h"
#include "sky/star_file.h"
#include "sky/star_merging.h"

namespace databuilder {

inline constexpr int kBrightLimitMilli = 6500;  // every star to V 6.5 is in the bright part
inline constexpr int kFaintLimitMilli = 9500;   // STAR2 holds every star to V 9.5
// Star-path blocks hold STAR2 numbers in 16 bits; these two values are their marks.
inline constexpr int kPenUpMark = 10000;
inline constexpr int kEndMark = 20000;
inline constexpr int kMaxPathStarNumber = 32767;

struct CatalogueStar {
    persist::StarRecord record{};
    int hip = 0;
    int component = 0;
    Vec3 position;  // J2000 equatorial unit vector
    int magMilli = 0;
};

struct SkyCatalogue {
    std::vector<CatalogueStar> stars;         // STAR2 order
    size_t brightCount = 0;                   // records of the bright part (= ALPHA records)
    std::vector<uint32_t> stidx;              // 432 x 30 + 1 entries, absolute STAR2 numbers
    std::unordered_map<int, uint32_t> byHip;  // brightest record of each Hipparcos number
    std::set<int> mergedHips;  // Hipparcos numbers whose light went into another star's record

    // STAR2 number of a Hipparcos star, -1 when it is not in the catalogue.
    int numberOfHip(int hip) const;
};

// Magnitude code of the star records: tenths of a magnitude (rounded half up) + 20.
uint8_t magnitudeCode(int magMilli);
// Spectral class letter: the first class letter of the spectral type, else derived from B-V.
uint8_t spectralLetter(const std::string& spectralType, double bMinusV);
// Zone 0..431 of an ecliptic position: 15 degrees of longitude by 10 degrees of latitude.
int starZone(int16_t lon, int16_t lat);

// Builds the catalogue from decoded stars: repeated (HIP, component) pairs are reduced to their
// brightest record, stars closer than the record's resolution merged (see mergeCloseStars, with
// `hipparcos` for the light of the entries), and those to V 9.5 kept. `lowNumberHips` are stars
// that 16-bit star references (lines, asterisms, Old Chinese names) must reach: those fainter
// than 6.5 join the bright part, and no referenced star is placed at a number that is one of the
// path marks.
SkyCatalogue buildSkyCatalogue(const std::vector<DecodedStar>& decoded,
                               const std::vector<std::string>& spectralTypes,
                               const std::set<int>& lowNumberHips,
                               const HipparcosMagnitudes& hipparcos = {});

std::vector<uint8_t> star2Bytes(const SkyCatalogue& catalogue);
std::vector<uint8_t> stidxBytes(const SkyCatalogue& catalogue);

}  // namespace databuilder

// Stars closer together than the star record can tell apart (one binary angle, about 40") are
// drawn as one point, so they are stored as one star with their combined light: the components
// of close doubles, and the extra records that the input files keep for some Hipparcos stars.
#pragma once

#include <unordered_map>
#include <vector>

#include "sky/star_file.h"

namespace databuilder {

inline constexpr double kMergeRadiusArcsec = 1296000.0 / 32768.0;

// Hipparcos number -> V of the Hipparcos entry in milli-magnitudes: the light of all the
// components that the entry covers.
using HipparcosMagnitudes = std::unordered_map<int, int>;

struct MergedStars {
    std::vector<DecodedStar> stars;
    std::unordered_map<int, int> hipAliases;  // Hipparcos number merged away -> the kept one
};

// Groups each star with the fainter stars within the merge radius, brightest first. A group
// keeps the position, colour and designations of its brightest star and the proper motion of its
// brightest star that has one. Its light: the Hipparcos magnitudes of the entries in it (records
// without a Hipparcos number add nothing where the group has one, since the entries already hold
// their light), else the sum of its records.
MergedStars mergeCloseStars(const std::vector<DecodedStar>& stars,
                            const HipparcosMagnitudes& hipparcos);

// Milli-magnitude of the combined light of stars of the given milli-magnitudes.
int combinedMagnitude(const std::vector<int>& magMilli);

}  // namespace databuilder

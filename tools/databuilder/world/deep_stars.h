// The deep star catalogue in the Guide Star Catalog layout: the index "QELGAIDX.DAT" of
// 96 x 72 zones (3.75 degrees of ecliptic longitude by 2.5 degrees of latitude, zone = a * 72 + d,
// a eastward from longitude 0, d northward from -90) of {first, count}, and "QELGSA.DAT", the
// 5-byte records (ecliptic J2000 binary angles, magnitude code x 10 + 20) zone after zone, each
// zone brightest first. Zoomed in, the program draws its stars from this catalogue alone, so
// it holds the bright stars as well.
#pragma once

#include <set>
#include <utility>
#include <vector>

#include "sky/star_file.h"
#include "world/sky_units.h"

namespace databuilder::world {

struct DeepStarCatalogue {
    Bytes index;    // 6912 x 8 bytes
    Bytes records;  // 5 bytes each
    size_t count = 0;
};

// GSC zone of an ecliptic position in binary angles.
int DeepStarZone(int16_t lon, int16_t lat);

// Keeps the stars fainter than faintLimitMilli; a Hipparcos star (hip, component) listed in
// `alreadyShown` (stars that the built-in catalogue holds) is left out, and repeated
// (hip, component) pairs keep their brightest record.
DeepStarCatalogue BuildDeepStarCatalogue(const std::vector<DecodedStar>& stars,
                                         const std::set<std::pair<int, int>>& alreadyShown,
                                         int faintLimitMilli);

}  // namespace databuilder::world

// The Milky Way block (MILKY): filled outlines in two brightness bands. The source gives each
// brightness level as a multi-ring region (the faint level is an annulus around the whole sky,
// which no single polygon can fill), so each level is re-cut into compact strips along galactic
// longitude: every strip is a simple polygon a few degrees long, well inside the 150-degree
// reach of the projection, and far below the 1000-vertex limit.
#pragma once

#include <string>
#include <vector>

#include "sky_units.h"

namespace databuilder::world {

struct SkyPoint {
    double ra;   // degrees, J2000
    double dec;  // degrees
};
using Ring = std::vector<SkyPoint>;
// A region: every ring of every polygon of one level, even-odd filled.
using Region = std::vector<Ring>;

// Reads one level ("ol1".."ol5") of the d3-celestial Milky Way file (GeoJSON MultiPolygon in
// [RA -180..180, Dec] degrees).
Region ParseMilkyWayLevel(const Bytes& json, const std::string& levelId,
                          const std::string& inputName);

// A strip of a region: a closed polygon in galactic longitude and latitude (degrees).
struct GalacticPolygon {
    std::vector<double> l, b;
};

// Cuts an even-odd region into strips, sampling galactic longitude every columnStep degrees and
// closing each strip after at most maxColumns columns.
std::vector<GalacticPolygon> CutIntoStrips(const Region& region, double columnStep = 0.5,
                                           int maxColumns = 16);

// The MILKY block: band 1 (faint outer glow), band 2 (bright core), end mark.
Bytes BuildMilkyBlock(const Region& band1, const Region& band2);

// Galactic longitude and latitude (degrees) of a J2000 position, and back.
void EquatorialToGalactic(double ra, double dec, double& l, double& b);
void GalacticToEquatorial(double l, double b, double& ra, double& dec);

}  // namespace databuilder::world

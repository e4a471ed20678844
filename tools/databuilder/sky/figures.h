// Serialisation of the figure blocks: star paths (LINE, KISETU, SKULI) and outlines (KAI, PIC).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sky/ecliptic.h"
#include "sky/sky_catalogue.h"
#include "sky/sky_inputs.h"

namespace databuilder {

// Star paths: each polyline's star numbers, a pen-up after each polyline, the end mark last.
// Throws BuildError when a star number cannot be stored (above 32767 or equal to a mark).
std::vector<uint8_t> starPathBytes(const std::vector<std::vector<int>>& polylines,
                                   const std::string& blockName);

// Polylines of STAR2 numbers for figures given as HIP pairs; segments whose stars are not in the
// catalogue are dropped (their HIP numbers are added to `missing`).
std::vector<std::vector<int>> figurePolylines(const std::vector<FigureLines>& figures,
                                              const SkyCatalogue& catalogue,
                                              std::vector<int>& missing);

// Outlines: each polyline's points, a pen-up pair after each, and a second pen-up to end.
std::vector<uint8_t> outlineBytes(const std::vector<std::vector<BinPoint>>& polylines);

// Stellarium constellation_boundaries.dat: `n ra dec ... 2 C1 C2` (RA hours, Dec degrees, J2000).
std::vector<std::vector<BinPoint>> parseBoundaries(const std::string& text,
                                                   const std::string& inputName);

}  // namespace databuilder

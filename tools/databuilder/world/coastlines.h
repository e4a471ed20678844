// The coastline block (EARTH) of the location dialog's globe: polylines of points on the unit
// sphere scaled by 4096, each line opened by a pen-up triple, the block closed by the end triple.
#pragma once

#include <string>
#include <vector>

#include "sky_units.h"

namespace databuilder::world {

struct GeoPoint {
    double lon;  // degrees, east positive
    double lat;  // degrees
};
using Polyline = std::vector<GeoPoint>;

// Decodes the arcs of a TopoJSON topology (quantized and delta-encoded, or plain).
std::vector<Polyline> ParseTopoJsonArcs(const Bytes& json, const std::string& inputName);

Bytes BuildEarthBlock(const std::vector<Polyline>& lines);

}  // namespace databuilder::world

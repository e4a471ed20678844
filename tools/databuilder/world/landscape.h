// The landscape silhouette (YAMA): the skyline as 4-byte records of azimuth and altitude, both in
// fiftieths of a degree, one record per degree. The azimuth is counted from south through east,
// so that the program's 18000 - az is the azimuth from south through west of its view frame.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sky_units.h"

namespace databuilder::world {

// A polygonal horizon file: "azimuth altitude" lines in degrees (azimuth from north through
// east), '#' comments.
std::vector<std::pair<double, double>> ParseHorizonPolygon(const std::string& text,
                                                           const std::string& inputName);

// Altitude of the skyline (sorted by azimuth from north) at an azimuth from north, interpolated
// linearly and wrapping across north.
double SkylineAltitude(const std::vector<std::pair<double, double>>& sorted, double azimuth);

// Records for every whole degree of azimuth from south through east, 0..359.
Bytes BuildYamaBlock(std::vector<std::pair<double, double>> skyline);

}  // namespace databuilder::world

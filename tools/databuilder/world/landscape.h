// The landscape silhouette (YAMA): the skyline as 4-byte records of azimuth (from north through
// east) and altitude, both in fiftieths of a degree, one record per degree of azimuth.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sky_units.h"

namespace databuilder::world {

// A polygonal horizon file: "azimuth altitude" lines in degrees, '#' comments.
std::vector<std::pair<double, double>> ParseHorizonPolygon(const std::string& text,
                                                           const std::string& inputName);

// Interpolates the skyline linearly (wrapping at north) at every whole degree of azimuth.
Bytes BuildYamaBlock(std::vector<std::pair<double, double>> skyline);

}  // namespace databuilder::world

// The built-in city list (block CITY): 80-byte records, latitude and longitude in whole degrees
// (west positive), standard-time offset in minutes east of Greenwich, ordered by country and name.
#pragma once

#include <string>
#include <vector>

#include "sky_units.h"

namespace databuilder::world {

struct CitySource {
    std::string name;     // UTF-8
    std::string country;  // UTF-8
    double latitude;      // degrees, north positive
    double longitude;     // degrees, EAST positive (as the sources give it)
    std::string zone;     // IANA zone name, e.g. "America/New_York"
    double population = 0;
};

// Reads the city map of the city-timezones package (a JSON array of objects with city, lat,
// lng, pop, country and timezone). Entries without a zone are left out.
std::vector<CitySource> ParseCityMap(const Bytes& json, const std::string& inputName);

// Standard offset of an IANA zone in minutes east: the smaller of the offsets on 15 January and
// 15 July of the given year (the other one is daylight-saving time). zoneinfoDir is the tzdata
// folder. Throws InputError when the zone is not there.
int StandardOffsetMinutes(const std::string& zone, const std::string& zoneinfoDir, int year);

// Builds the CITY block; zones are resolved once each through StandardOffsetMinutes. The program
// recognises a place by its whole-degree latitude, longitude and zone, so of the cities that
// share these only the most populous is kept.
Bytes BuildCityBlock(std::vector<CitySource> cities, const std::string& zoneinfoDir,
                     int year = 2025);

}  // namespace databuilder::world

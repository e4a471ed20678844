// Which stored city is the current place: exact matches of latitude, longitude (modulo a full
// turn) and zone against the built-in cities (the CITY block, already in tenths of a degree)
// and the user cities. Angles in tenths of a degree, longitude positive west; zones in minutes
// east of UT.
#pragma once

#include <cstdint>
#include <span>

#include "state/view_state.h"

namespace astro {

inline constexpr int32_t kUserCityBase = 10000;

// Index of the first built-in city at the place, or -1.
int32_t FindBuiltinCity(std::span<const state::CityRecord> cities, int32_t lat, int32_t lon,
                        int32_t zone);
// Index of the first of the options' valid user cities (UserCitys of them) at the place, or -1.
int32_t FindUserCity(const state::AppOptions& options, int32_t lat, int32_t lon, int32_t zone);
// The same over a list of user cities being edited.
int32_t FindUserCity(std::span<const state::CityRecord> userCities, int32_t lat, int32_t lon,
                     int32_t zone);
// User cities first (10000 + index), then the built-in cities (index), else -1.
int32_t FindCity(std::span<const state::CityRecord> cities, const state::AppOptions& options,
                 int32_t lat, int32_t lon, int32_t zone);

// Index of the city nearest to the place, -1 for an empty list. A city at the very place wins at
// once; otherwise the distance is measured on a local flat map (longitude differences shrink
// with the cosine of the latitude, and count nothing when either end is at a pole), and the
// first of equal distances wins.
int32_t NearestCity(std::span<const state::CityRecord> cities, int32_t lat, int32_t lon);

}  // namespace astro

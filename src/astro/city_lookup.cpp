#include "astro/city_lookup.h"

#include <algorithm>

namespace astro {

namespace {

// Longitudes agree when they are the same direction: reduced into 0..3599.
int32_t ReduceLongitude(int32_t lon) {
    int32_t r = (lon + 3600) % 3600;
    return r < 0 ? r + 3600 : r;
}

bool Matches(const state::CityRecord& city, int32_t lat, int32_t lon, int32_t zone) {
    return city.latitude == lat && ReduceLongitude(city.longitude) == ReduceLongitude(lon) &&
           city.zone == zone;
}

int32_t FindIn(std::span<const state::CityRecord> cities, int32_t lat, int32_t lon, int32_t zone) {
    for (std::size_t i = 0; i < cities.size(); ++i) {
        if (Matches(cities[i], lat, lon, zone)) return static_cast<int32_t>(i);
    }
    return -1;
}

}  // namespace

int32_t FindBuiltinCity(std::span<const state::CityRecord> cities, int32_t lat, int32_t lon,
                        int32_t zone) {
    return FindIn(cities, lat, lon, zone);
}

int32_t FindUserCity(const state::AppOptions& options, int32_t lat, int32_t lon, int32_t zone) {
    int32_t count = std::clamp<int32_t>(options.UserCitys, 0, state::kUserCityLimit);
    return FindIn(std::span(options.userCities).first(static_cast<std::size_t>(count)), lat, lon,
                  zone);
}

int32_t FindCity(std::span<const state::CityRecord> cities, const state::AppOptions& options,
                 int32_t lat, int32_t lon, int32_t zone) {
    int32_t user = FindUserCity(options, lat, lon, zone);
    if (user >= 0) return kUserCityBase + user;
    return FindBuiltinCity(cities, lat, lon, zone);
}

}  // namespace astro

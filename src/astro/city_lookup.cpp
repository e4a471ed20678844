#include "astro/city_lookup.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

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

int32_t FindUserCity(std::span<const state::CityRecord> userCities, int32_t lat, int32_t lon,
                     int32_t zone) {
    return FindIn(userCities, lat, lon, zone);
}

int32_t FindCity(std::span<const state::CityRecord> cities, const state::AppOptions& options,
                 int32_t lat, int32_t lon, int32_t zone) {
    int32_t user = FindUserCity(options, lat, lon, zone);
    if (user >= 0) return kUserCityBase + user;
    return FindBuiltinCity(cities, lat, lon, zone);
}

int32_t NearestCity(std::span<const state::CityRecord> cities, int32_t lat, int32_t lon) {
    int32_t nearest = -1;
    double nearestSquare = 0.0;
    for (std::size_t i = 0; i < cities.size(); ++i) {
        const state::CityRecord& city = cities[i];
        if (city.latitude == lat && ReduceLongitude(city.longitude) == ReduceLongitude(lon))
            return static_cast<int32_t>(i);
        const double dLat = city.latitude - lat;
        double dLon = 0.0;
        if (std::abs(lat) < 900 && std::abs(city.latitude) < 900) {
            // 0 .. 1800 tenths the short way round.
            const int32_t apart = std::abs(ReduceLongitude(city.longitude) - ReduceLongitude(lon));
            const double meanLat = (city.latitude + lat) / 20.0 * std::numbers::pi / 180.0;
            dLon = std::min(apart, 3600 - apart) * std::cos(meanLat);
        }
        const double square = dLat * dLat + dLon * dLon;
        if (nearest < 0 || square < nearestSquare) {
            nearest = static_cast<int32_t>(i);
            nearestSquare = square;
        }
    }
    return nearest;
}

}  // namespace astro

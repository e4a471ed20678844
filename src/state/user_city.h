// The user locations: the 80-byte city record, whose first 64 bytes (the city list's name and
// country fields together) hold one zero-terminated UTF-8 name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "state/view_state.h"

namespace state {

// Characters a name may have when typed (the record keeps up to 63 bytes and the terminator).
inline constexpr int kUserCityNameCharacters = 62;
// The record's last byte while its property dialog is open: its index in the list, or this for
// a new record.
inline constexpr uint8_t kNewUserCity = 255;

std::string UserCityName(const CityRecord& city);
// Stores the name, cut at a character boundary to fit, with zeros after it.
void SetUserCityName(CityRecord& city, std::string_view name);

inline uint8_t& EditIndexOf(CityRecord& city) {
    return city.reserved[sizeof city.reserved - 1];
}

}  // namespace state

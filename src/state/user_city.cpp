#include "state/user_city.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace state {
namespace {

constexpr std::size_t kNameBytes = 64;
static_assert(offsetof(CityRecord, country) + sizeof(CityRecord::country) == kNameBytes);

}  // namespace

std::string UserCityName(const CityRecord& city) {
    char bytes[sizeof city];
    std::memcpy(bytes, &city, sizeof city);
    return std::string(bytes, strnlen(bytes, kNameBytes));
}

void SetUserCityName(CityRecord& city, std::string_view name) {
    std::size_t length = std::min(name.size(), kNameBytes - 1);
    // Not inside a UTF-8 sequence: its continuation bytes are 10xxxxxx.
    while (length > 0 && length < name.size() &&
           (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80)
        --length;
    char bytes[sizeof city];
    std::memcpy(bytes, &city, sizeof city);
    std::memset(bytes, 0, kNameBytes);
    if (length > 0) std::memcpy(bytes, name.data(), length);
    std::memcpy(&city, bytes, sizeof city);
}

}  // namespace state

#include "shell/text_formats.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace shell {
namespace {

constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A zero-terminated text field of a record, read no further than its size.
std::string FieldText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

int ModeZone(const state::ViewState& view) {
    switch (view.Keisanji) {
        case 0:
            return view.TimeZone;
        case 1:
            return 0;
        default:
            return view.SystemZone;
    }
}

}  // namespace

std::string DateText(const state::CivilClock& clock) {
    const int month = clock.month >= 1 && clock.month <= 12 ? clock.month : 1;
    char text[48];
    std::snprintf(text, sizeof text, "%s %02d,%6d", kMonthNames[month - 1], clock.day, clock.year);
    return text;
}

std::string TimeText(const state::CivilClock& clock) {
    char text[32];
    std::snprintf(text, sizeof text, " %02d:%02d", clock.hour, clock.minute);
    return text;
}

std::string ZoneText(int minutesEast) {
    const int magnitude = std::abs(minutesEast);
    char text[32];
    int length =
        std::snprintf(text, sizeof text, "GMT%c%d", minutesEast < 0 ? '-' : '+', magnitude / 60);
    if (magnitude % 60 != 0)
        std::snprintf(text + length, sizeof text - length, ":%02d", magnitude % 60);
    return text;
}

std::string ZoneText(const state::ViewState& view) {
    return ZoneText(ModeZone(view) + (view.Dst ? 60 : 0));
}

std::string CityNameText(const state::CityRecord& city) {
    const std::string name = FieldText(city.name, sizeof city.name);
    const std::string country = FieldText(city.country, sizeof city.country);
    if (name.empty() || country.empty()) return name + country;
    return name + " / " + country;
}

std::string LocationText(const state::ViewState& view, const state::AppOptions& options,
                         const BuiltinCityLookup& builtinCity) {
    std::string text;
    const int city = view.CurrentCity;
    if (city >= 10000) {
        const int user = city - 10000;
        if (user < options.UserCitys && user < state::kUserCityLimit)
            text = FieldText(options.userCities[user].name, sizeof options.userCities[user].name) +
                   "  ";
    } else if (city >= 0 && builtinCity) {
        if (auto record = builtinCity(city)) text = CityNameText(*record) + "  ";
    }
    char place[64];
    std::snprintf(place, sizeof place, "%03.1f\u00b0%c\u00b7%03.1f\u00b0%c",
                  std::abs(view.Ido2) / 10.0, view.Ido2 < 0 ? 'S' : 'N',
                  std::abs(view.Keido2) / 10.0, view.Keido2 < 0 ? 'E' : 'W');
    return text + place;
}

}  // namespace shell

#include "render/text_formats.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "astro/city_lookup.h"
#include "state/user_city.h"

namespace render {
namespace {

constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Field(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

}  // namespace

const char* MonthName(int month) {
    return kMonthNames[month >= 1 && month <= 12 ? month - 1 : 0];
}

std::string DateText(const state::CivilClock& clock) {
    char text[48];
    std::snprintf(text, sizeof text, "%s %02d,%6d", MonthName(clock.month), clock.day, clock.year);
    return text;
}

std::string TimeText(const state::CivilClock& clock) {
    char text[32];
    std::snprintf(text, sizeof text, " %02d:%02d", clock.hour, clock.minute);
    return text;
}

int TimeModeZone(const state::ViewState& view) {
    int zone = 0;
    switch (view.Keisanji) {
        case 0:
            zone = view.TimeZone;
            break;
        case 1:
            zone = 0;
            break;
        default:
            zone = view.SystemZone;
            break;
    }
    return zone + (view.Dst ? 60 : 0);
}

std::string ZoneText(int minutesEast) {
    const long long magnitude = std::llabs(static_cast<long long>(minutesEast));
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "GMT%c%lld", minutesEast < 0 ? '-' : '+', magnitude / 60);
    if (magnitude % 60 != 0 && length > 0) {
        std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), ":%02lld",
                      magnitude % 60);
    }
    return text;
}

std::string ZoneText(const state::ViewState& view) {
    return ZoneText(TimeModeZone(view));
}

BuiltinCityLookup CityBlockLookup(const persist::DataSet* data) {
    if (!data || !data->block(persist::BlockId::CITY).loaded) return {};
    const auto cities = data->block(persist::BlockId::CITY).records<state::CityRecord>();
    return [cities](int index) -> std::optional<state::CityRecord> {
        if (index < 0 || static_cast<std::size_t>(index) >= cities.count()) return std::nullopt;
        return cities.at(static_cast<std::size_t>(index));
    };
}

std::string CityNameText(const state::CityRecord& city) {
    const std::string name = Field(city.name, sizeof city.name);
    const std::string country = Field(city.country, sizeof city.country);
    if (name.empty() || country.empty()) return name + country;
    return name + " / " + country;
}

std::string LocationText(const state::ViewState& view, const state::AppOptions& options,
                         const BuiltinCityLookup& builtinCity) {
    std::string text;
    const int city = view.CurrentCity;
    if (city >= astro::kUserCityBase) {
        const int user = city - astro::kUserCityBase;
        if (user < options.UserCitys && user < state::kUserCityLimit) {
            text = state::UserCityName(options.userCities[static_cast<std::size_t>(user)]) + "  ";
        }
    } else if (city >= 0 && builtinCity) {
        if (const auto record = builtinCity(city)) text = CityNameText(*record) + "  ";
    }
    char place[96];
    std::snprintf(place, sizeof place, "%03.1f\u00B0%c\u00B7%03.1f\u00B0%c",
                  std::abs(view.Ido2) / 10.0, view.Ido2 < 0 ? 'S' : 'N',
                  std::abs(view.Keido2) / 10.0, view.Keido2 < 0 ? 'E' : 'W');
    return text + place;
}

}  // namespace render

// The shared texts for a date, a time, a time zone and the observing location, used by the status
// bar, the print footer and the dialogs. All texts are UTF-8.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "state/view_state.h"

namespace shell {

// "Jan 05,  2026": month name, two-digit day, year right-aligned in six places.
std::string DateText(const state::CivilClock& clock);

// " 07:05" (with its leading blank).
std::string TimeText(const state::CivilClock& clock);

// The offset of the current time mode plus an hour when Dst is on: "GMT-5", "GMT+5:30", "GMT+0".
std::string ZoneText(const state::ViewState& view);
// The same text for an offset in minutes east of UT.
std::string ZoneText(int minutesEast);

// The built-in city of an index of the city list, when it exists.
using BuiltinCityLookup = std::function<std::optional<state::CityRecord>(int index)>;

// The place name of CurrentCity followed by two blanks (nothing for no city), then
// "41.0°N·74.0°W": latitude below 0 is south, longitude below 0 is east.
std::string LocationText(const state::ViewState& view, const state::AppOptions& options,
                         const BuiltinCityLookup& builtinCity);

// A city's name and country as "name / country", or joined without the slash when either is empty.
std::string CityNameText(const state::CityRecord& city);

}  // namespace shell

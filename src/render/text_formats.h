// The shared texts for a date, a time, a time zone and the observing location, used by the
// print footer, the status bar and the dialogs. All texts are UTF-8. Zones are minutes east of
// UT; latitude and longitude tenths of a degree (longitude positive west).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "persist/data_set.h"
#include "state/view_state.h"

namespace render {

// "Jan" .. "Dec" for the months 1..12 (January for anything else).
const char* MonthName(int month);

// "Jan 05,  2026": month name, two-digit day, year right-aligned in six places.
std::string DateText(const state::CivilClock& clock);

// " 07:05" (with its leading blank).
std::string TimeText(const state::CivilClock& clock);

// The zone of the time mode (Keisanji 0: the location's TimeZone, 1: 0, 2 and 3: the computer's
// zone), plus 60 minutes when Dst is on.
int TimeModeZone(const state::ViewState& view);

// "GMT-5", "GMT+5:30", "GMT+0" for an offset in minutes east of UT.
std::string ZoneText(int minutesEast);
// The same for the zone of the time mode.
std::string ZoneText(const state::ViewState& view);

// The built-in city of an index of the city list, when it exists.
using BuiltinCityLookup = std::function<std::optional<state::CityRecord>(int index)>;

// The city list of the data set's CITY block (none when the block is missing).
BuiltinCityLookup CityBlockLookup(const persist::DataSet* data);

// A city's name and country as "name / country", or joined without the slash when either is
// empty.
std::string CityNameText(const state::CityRecord& city);

// The place name of CurrentCity followed by two blanks (nothing when no city is current), then
// "41.0°N·74.0°W": latitude below 0 is south, longitude below 0 is east.
std::string LocationText(const state::ViewState& view, const state::AppOptions& options,
                         const BuiltinCityLookup& builtinCity);

}  // namespace render

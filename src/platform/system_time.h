// The computer's time zone as the program uses it.
#pragma once

#include <optional>

namespace platform {

// The computer's standard time minus UT, in minutes east (daylight saving not added).
int SystemZoneMinutes();

// Whether the computer's zone observes daylight time now; empty when the zone cannot tell.
std::optional<bool> SystemDaylightNow();

}  // namespace platform

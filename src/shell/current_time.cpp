#include "shell/current_time.h"

#include "astro/clock.h"
#include "platform/system_time.h"

namespace shell {

state::CivilClock ComputerClockInViewZone(const state::ViewState& view) {
    state::CivilClock clock = astro::ReadComputerClock();
    const bool computerDaylight = platform::SystemDaylightNow().value_or(false);
    const int computerZone = platform::SystemZoneMinutes() + (computerDaylight ? 60 : 0);
    clock.minute += astro::ZoneOf(view, view.Keisanji) + (view.Dst ? 60 : 0) - computerZone;
    astro::NormalizeClock(clock);
    return clock;
}

}  // namespace shell

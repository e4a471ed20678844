// The computer's present moment expressed in the view's clock.
#pragma once

#include "state/view_state.h"

namespace shell {

// The computer's clock (its local time, daylight saving included) turned into the same instant
// in the zone of the view's time mode, with the view's daylight-saving flag.
state::CivilClock ComputerClockInViewZone(const state::ViewState& view);

}  // namespace shell

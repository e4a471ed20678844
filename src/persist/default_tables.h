// Built-in defaults of the 23 line colours and the 23 font slots, applied before the settings
// are read and by the dialogs' "Default" buttons. Face names are those of the original system
// fonts; the platform layer maps them to installed substitutes.
#pragma once

#include <array>

#include "state/view_state.h"

namespace persist {

const std::array<state::LineSet, state::kLineSetCount>& DefaultLineSets();
const std::array<state::FontSet, state::kFontSetCount>& DefaultFontSets();

}  // namespace persist

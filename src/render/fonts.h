// Fonts of the 23 font slots as the text layers ask the canvas for them: the slot's face, its
// character height times 4 on paper (the page is drawn five times enlarged) or 1 on screen,
// bold and italic.
#pragma once

#include "render/canvas.h"
#include "state/view_state.h"

namespace render {

// slot is 1..23; a slot outside that range gives the last one. The face stays valid as long
// as the view state does.
FontSpec SlotFont(const state::ViewState& view, int slot, int target);

}  // namespace render

// RefreshMenus: the radio marks, check marks, enabled states, captions and toolbar pressed states
// that mirror the view state, and the swap of the direction items and toolbar layout between
// horizon and equator mode.
#pragma once

#include "state/view_state.h"

namespace shell {

class MenuSet;
class Toolbar;

// The values seen at the last refresh; the toolbar and the direction items are rebuilt only
// when the mode or the time step changed.
struct MenuMemory {
    int sekidouMod = -1;
    int incTime = -1;
    int autoCaption = -1;
};

void RefreshMenus(const state::ViewState& view, const state::AppOptions& options, MenuSet& menus,
                  Toolbar& toolbar, MenuMemory& memory);

}  // namespace shell

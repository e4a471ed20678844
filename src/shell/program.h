// Everything the running program holds from start-up to exit: the view state, the options, the
// comet table, the narration, the catalogue blocks, and facts about the screen and the data
// directory.
#pragma once

#include <string>

#include "persist/data_set.h"
#include "state/comet_record.h"
#include "state/narration.h"
#include "state/view_state.h"

namespace shell {

struct Program {
    state::ViewState view;
    state::AppOptions options;
    state::CometTable comets;
    state::Narration narration;
    persist::DataSet data;
    std::string dataDirectory;  // the folder that holds the data set ("program directory")
    int screenDpi = 96;
};

}  // namespace shell

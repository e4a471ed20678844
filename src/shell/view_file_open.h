// Opening a file given to the program (open dialog, command line, dropped file, screen saver): a
// saved view with its companion text and sound, a comet text with a [DORVANCOMET] section, or
// comets in the Minor Planet Center's one-line format; and saving the current view.
#pragma once

#include <string>

#include "persist/data_set.h"
#include "state/view_state.h"

namespace shell {

struct Program;

// Opens the file and applies it to the view state. A ".WAV" beside it is played and the text
// of a ".TXT" beside it shown once the view is loaded. With prompts, failures are shown ("Failed
// to open file.", "Failed to read file."); without, only a file too short to be a view is.
bool OpenViewFile(Program& program, const std::string& path, bool prompts);

// Writes the current view to path with the groups of SaveOption; failures are shown ("Failed to
// create file.", "Failed to write file."). Returns success.
bool SaveViewFile(const Program& program, const std::string& path);

// The stored city matching the current place (user cities first, from 10000), or -1.
int FindCurrentCity(const persist::DataSet& data, const state::AppOptions& options,
                    const state::ViewState& view);

}  // namespace shell

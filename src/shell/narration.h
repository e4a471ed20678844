// The spoken narration of the running program: the check after each change of the view and the
// playing of its event's recording.
#pragma once

#include <string>

namespace shell {

struct Program;

// Plays the recording that the narration index names for the event; a missing index, entry or
// recording plays nothing.
void PlayEvent(const std::string& event);

// Runs the narration check on the program's view and plays the event it finds.
void RunNarration(Program& program);

}  // namespace shell

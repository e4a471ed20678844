#include "shell/narration.h"

#include "persist/narration_index.h"
#include "platform/sound.h"
#include "shell/program.h"
#include "state/narration.h"

namespace shell {

void PlayEvent(const std::string& event) {
    const std::string file = persist::NarrationSoundFile(persist::NarrationFolder(), event);
    if (!file.empty()) platform::PlaySoundFile(file);
}

void RunNarration(Program& program) {
    if (const char* event = state::NarrationCheck(program.narration, program.view, program.options))
        PlayEvent(event);
}

}  // namespace shell

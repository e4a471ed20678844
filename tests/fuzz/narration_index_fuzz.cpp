// The narration index "BASIC.TXT": events looked up in it as the narration speaks them, and each
// sound file it names opened as the player opens it.
#include "fuzz_world.h"
#include "persist/narration_index.h"
#include "platform/sound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string index = fuzz::WriteFile("narration/BASIC.TXT", data, size);
    const std::string folder = fuzz::fs::path(index).parent_path().string();
    for (const char* event : {"Welcome", "OpenSetting", "North", "ZoomIn", "Tenchou"}) {
        const std::string sound = persist::NarrationSoundFile(folder, event);
        if (!sound.empty()) platform::IsWaveFile(sound);
    }
    return 0;
}

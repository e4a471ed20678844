// The data index "QELDATA.INI" as start-up reads it: each block is looked for where the index
// sends it, the data set loaded and, when the program would go on, one frame drawn over it.
#include "fuzz_world.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartWithDataFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("data/QELDATA.INI", data, size);
    std::optional<fuzz::Sky> sky = fuzz::LoadSky();
    if (sky) fuzz::DrawFrame(*sky, sky->view, sky->options);
    return 0;
}

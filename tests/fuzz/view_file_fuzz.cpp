// A view file as the program opens it: read, applied to the start-up view, one frame drawn.
// Saving the whole view then (every group, "auto on" as the save options allow it: only while
// the automatic mode runs) and opening what was saved must leave the view as it was.
#include "astro/clock.h"
#include "fuzz_world.h"
#include "persist/view_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Sky& sky = fuzz::StartupSky();
    state::ViewState view = sky.view;
    state::AppOptions options = sky.options;
    const std::string path = fuzz::WriteFile("VIEW.QEL", data, size);
    if (persist::OpenViewFile(path, view, options) != persist::ViewFileResult::Opened) return 0;
    astro::NormalizeClock(view.clock);

    options.SaveOption = 0x7F & ~(view.AutoRunning ? 0 : persist::kGroupAutoOn);
    const persist::ViewRecord saved = persist::BuildViewRecord(view, options);
    state::ViewState reopened = view;
    state::AppOptions reopenedOptions = options;
    persist::ApplyViewRecord(saved, reopened, reopenedOptions);
    astro::NormalizeClock(reopened.clock);
    if (persist::BuildViewRecord(reopened, reopenedOptions) != saved) __builtin_trap();

    fuzz::DrawFrame(sky, view, options);
    return 0;
}

// A comet text opened or dropped on the window: imported into the shipped comet table (the user
// agrees), saved as the user's comet file, that file read back as the next start-up reads it,
// and one frame drawn tracking the comet.
#include "astro/centring.h"
#include "astro/comet_import.h"
#include "fuzz_world.h"
#include "persist/comet_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Sky& sky = fuzz::StartupSky();
    static const state::CometTable shipped = [] {
        state::CometTable table;
        persist::LoadComets(persist::ProgramFile(persist::kShippedCometFile), table);
        return table;
    }();
    state::CometTable comets = shipped;
    state::ViewState view = sky.view;
    const std::string path = fuzz::WriteFile("COMET.TXT", data, size);
    const std::string userFile = (fuzz::Folder() / persist::kUserCometFile).string();
    const astro::CometImportResult result =
        astro::ImportCometText(path, comets, sky.options, view, userFile);
    if (!result.changed) return 0;

    state::CometTable reread;
    if (result.saved && persist::LoadComets(userFile, reread) != comets.count) __builtin_trap();
    view.Tracking = true;
    view.TrackedKind = astro::kCometObject;
    view.TrackedIndex = result.index;
    fuzz::DrawFrame(sky, view, sky.options, &comets);
    return 0;
}

// The deep star catalogue as start-up finds it and a zoomed-in frame reads it: the input is the
// index "QELGAIDX.DAT" and, after "\n@catalogue\n", the catalogue "QELGSA.DAT" (without that
// mark there is no catalogue file, and the frame looks for the zones in files of their own).
#include "fuzz_world.h"

namespace {

constexpr std::string_view kSeparator = "\n@catalogue\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::StartWithDataFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t mark = input.find(kSeparator);
    fuzz::WriteFile("data/QELGAIDX.DAT", input.substr(0, mark));
    const fuzz::fs::path catalogue = fuzz::Folder() / "data/QELGSA.DAT";
    if (mark == std::string_view::npos)
        fuzz::fs::remove(catalogue);
    else
        fuzz::WriteFile("data/QELGSA.DAT", input.substr(mark + kSeparator.size()));

    std::optional<fuzz::Sky> sky = fuzz::LoadSky();
    if (!sky) __builtin_trap();
    // Zoomed in at the vernal equinox with the faintest stars: the deep catalogue is drawn.
    sky->view.SekidouMod = 1;
    sky->view.Houi2 = 0;
    sky->view.Koudo2 = 0;
    sky->view.Zoom = 2000;
    sky->view.BrightAuto = 0;
    sky->view.DrawStars = 110;
    fuzz::DrawFrame(*sky, sky->view, sky->options);
    return 0;
}

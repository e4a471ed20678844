// The minor-planet elements "QELMINOR.INI" as start-up reads them: put in use when newer than
// the built-in ones, then one frame drawn with the precise positions that integrate them.
#include "astro/minor_planet_file.h"
#include "fuzz_world.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Sky& sky = fuzz::StartupSky();
    astro::SetMinorPlanetElements(astro::BuiltInMinorPlanetElements());
    const std::string path = fuzz::WriteFile(astro::kMinorPlanetFile, data, size);
    if (!astro::LoadMinorPlanetFile(path).empty()) return 0;
    state::ViewState view = sky.view;
    view.SeimitsuKeisan = 1;
    fuzz::DrawFrame(sky, view, sky.options);
    return 0;
}

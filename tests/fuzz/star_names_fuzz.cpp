// The user's star names "QELSTARN.USR" as start-up reads them in place of the shipped ones:
// listed by the find dialog, drawn on the sky, and saved again unchanged.
#include "astro/object_names.h"
#include "fuzz_world.h"
#include "persist/star_names.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The start-up sky with the shipped names, which each input replaces.
    static fuzz::Sky sky = fuzz::StartupSky();
    const persist::DataSet& startup = fuzz::StartupSky().data;
    sky.data.block(persist::BlockId::STARN) = startup.block(persist::BlockId::STARN);
    sky.data.starNameCount = startup.starNameCount;

    const std::string path = fuzz::WriteFile(persist::kUserStarNameFile, data, size);
    const std::string folder = fuzz::fs::path(path).parent_path().string();
    if (!persist::LoadUserStarNames(sky.data, folder)) return 0;
    const auto names = sky.data.block(persist::BlockId::STARN).records<persist::StarNameRecord>();
    (void)astro::FindList(astro::kFindStarName, astro::FindSources{&sky.data});

    state::ViewState view = sky.view;
    view.StarName = 3;
    fuzz::DrawFrame(sky, view, sky.options);

    std::vector<persist::StarNameRecord> records;
    for (std::size_t i = 0; i < names.count(); ++i)
        records.push_back(names.at(i));
    if (!persist::SaveStarNames(path, records)) __builtin_trap();
    const auto reread = persist::ReadStarNameFile(path, sky.stars.stars.count());
    if (reread.size() != records.size() ||
        std::memcmp(reread.data(), records.data(), records.size() * sizeof records[0]) != 0)
        __builtin_trap();
    return 0;
}

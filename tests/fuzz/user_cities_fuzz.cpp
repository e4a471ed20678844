// The user cities as the settings file holds them: the input's 80-byte records (as any version
// of the program wrote them) read as start-up reads them, matched against the stored places,
// named in the status bar, saved again unchanged, and the first chosen from the menu: the view
// moves there and one frame is drawn.
#include "astro/city_lookup.h"
#include "astro/clock.h"
#include "fuzz_world.h"
#include "persist/profile.h"
#include "render/text_formats.h"

namespace {

constexpr std::size_t kRecord = sizeof(state::CityRecord);

// The settings file with the records and their count, read back as start-up reads it.
state::AppOptions ReadSettingsWith(const persist::Profile& written, state::ViewState& view) {
    if (!written.Save(persist::BareSettingsPath())) __builtin_trap();
    state::AppOptions options;
    persist::LoadSettings(view, options);
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Sky& sky = fuzz::StartupSky();
    static const std::vector<state::CityRecord> builtin = [&sky] {
        const auto records = sky.data.block(persist::BlockId::CITY).records<state::CityRecord>();
        std::vector<state::CityRecord> cities;
        for (std::size_t i = 0; i < records.count(); ++i)
            cities.push_back(records.at(i));
        return cities;
    }();
    const int count = static_cast<int>(std::min<size_t>(size / kRecord, state::kUserCityLimit));
    persist::Profile written;
    written.WriteInt(persist::kSettingsSection, "UserCitys", count);
    for (int i = 0; i < count; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "UserCity%02d", i + 1);
        written.Write(persist::kSettingsSection, key,
                      persist::EncodeRecord(data + kRecord * static_cast<std::size_t>(i), kRecord));
    }
    state::ViewState view = sky.view;
    const state::AppOptions options = ReadSettingsWith(written, view);
    const auto cities = std::span(options.userCities).first(static_cast<std::size_t>(count));
    for (const state::CityRecord& city : cities) {
        view.CurrentCity =
            astro::FindCity(builtin, options, city.latitude, city.longitude, city.zone);
        (void)render::LocationText(view, options, render::CityBlockLookup(&sky.data));
    }

    persist::Profile saved;
    persist::WriteUserCities(saved, options);
    const state::AppOptions reread = ReadSettingsWith(saved, view);
    if (!std::equal(cities.begin(), cities.end(), reread.userCities.begin(),
                    [](const auto& a, const auto& b) { return !std::memcmp(&a, &b, kRecord); }))
        __builtin_trap();

    if (count == 0) return 0;
    const state::CityRecord& first = cities[0];
    view = sky.view;
    view.clock.minute += first.zone - view.TimeZone;  // the moment stays in Local Time
    astro::NormalizeClock(view.clock);
    view.Ido2 = first.latitude;
    view.Keido2 = first.longitude;
    view.TimeZone = first.zone;
    fuzz::DrawFrame(sky, view, options);
    return 0;
}

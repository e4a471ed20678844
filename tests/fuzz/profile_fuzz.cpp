// Feeds arbitrary bytes to the profile parser as both settings copies, reads every key the
// program knows, decodes records and rewrites the text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "persist/profile.h"
#include "persist/settings.h"
#include "state/view_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t half = size / 2;
    persist::SettingsReader reader{persist::Profile(text.substr(0, half)),
                                   persist::Profile(text.substr(half))};
    state::ViewState view;
    state::AppOptions options;
    persist::LoadSettings(reader, view, options,
                          [](const std::string& face) { return face.size() % 2 == 0; });
    (void)persist::ReadMainWindowPlacement(reader);

    std::array<uint8_t, 80> record{};
    persist::DecodeRecord(text, record.data(), record.size());
    (void)persist::ParseProfileInt(text);

    persist::Profile profile(text);
    (void)profile.ReadText(persist::kSettingsSection, "Version", "", 16);
    // One save group keeps each run short; the others write through the same code.
    persist::WriteDisplaySettings(profile, view);
    // Whatever was parsed, the values just written must read back.
    const persist::Profile written(profile.Text());
    if (written.ReadInt(persist::kSettingsSection, "Zoom", -1) != view.Zoom ||
        written.ReadInt(persist::kSettingsSection, "Ido2", -1) != view.Ido2)
        __builtin_trap();
    return 0;
}

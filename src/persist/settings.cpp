#include "persist/settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>

#include "persist/default_tables.h"
#include "persist/paths.h"

namespace persist {
namespace {

using state::AppOptions;
using state::ViewState;

constexpr std::size_t kRecordTextLimit = 1000;
constexpr std::size_t kVersionBuffer = 16;
// Folder settings: long enough for any Linux path a user types.
constexpr std::size_t kFolderBuffer = 4096;

// Which save writes a key: the full set, the display set, or neither (own writer).
enum class SaveSet { Full, Display, None };

// One plain integer key: its default and the field it fills (in the view state or the
// application options).
struct IntSetting {
    const char* key;
    int fallback;
    SaveSet set;
    int32_t ViewState::*view;
    int32_t AppOptions::*app;
};

constexpr IntSetting V(const char* key, int fallback, SaveSet set, int32_t ViewState::*field) {
    return {key, fallback, set, field, nullptr};
}
constexpr IntSetting A(const char* key, int fallback, SaveSet set, int32_t AppOptions::*field) {
    return {key, fallback, set, nullptr, field};
}

constexpr SaveSet F = SaveSet::Full;
constexpr SaveSet D = SaveSet::Display;
constexpr SaveSet N = SaveSet::None;

// The plain integer keys in reading order. Keys with a computed default or a special encoding
// (UnderHorizon, AutoTaishou0..4, Ido/Keido, Ido2/Keido2, Houi2/Koudo2, DlgPos*) and the text
// and record keys are handled in LoadSettings itself.
constexpr IntSetting kIntSettings[] = {
    A("ToolBar", 1, F, &AppOptions::ToolBar),
    A("StatusBar", 1, F, &AppOptions::StatusBar),
    V("DrawStarMode3", 1, F, &ViewState::DrawStarMode3),
    V("MoonWaku", 0, F, &ViewState::MoonWaku),
    V("Chijoukou", 1, F, &ViewState::Chijoukou),
    V("FindUnder", 1, F, &ViewState::FindUnder),
    V("SmoothIdou", 1, F, &ViewState::SmoothIdou),
    V("Hakumei", 1, D, &ViewState::Hakumei),
    V("Yuuyake", 1, F, &ViewState::Yuuyake),
    V("Taiyoukou", 1, F, &ViewState::Taiyoukou),
    V("SeiunHiruma", 0, F, &ViewState::SeiunHiruma),
    V("SeizaHiruma", 0, F, &ViewState::SeizaHiruma),
    V("WakuseiHiruma", 0, F, &ViewState::WakuseiHiruma),
    V("WakuseiLevel", 3, D, &ViewState::WakuseiLevel),
    V("Jimen", 1, D, &ViewState::Jimen),
    V("Yama", 1, F, &ViewState::Yama),
    V("CenterGuide", 1, F, &ViewState::CenterGuide),
    V("CircleGuide", 0, F, &ViewState::CircleGuide),
    V("CircleSize", 45, F, &ViewState::CircleSize),
    V("Shaya", 0, F, &ViewState::Shaya),
    V("ShayaSize", 32, F, &ViewState::ShayaSize),
    V("AutoBriMode", 0, F, &ViewState::AutoBriMode),
    V("UseGsc", 1, F, &ViewState::UseGsc),
    A("ZoomEarth", 0, F, &AppOptions::ZoomEarth),
    A("FrameEarth", 0, F, &AppOptions::FrameEarth),
    A("FindSeiza", 0, F, &AppOptions::FindSeiza),
    A("MediaMidi", 1, F, &AppOptions::MediaMidi),
    A("SpeakFlag", 1, F, &AppOptions::SpeakFlag),
    A("MediaZoom", 1, F, &AppOptions::MediaZoom),
    V("SaisaKeisan", 1, D, &ViewState::SaisaKeisan),
    V("KoyuKeisan", 1, D, &ViewState::KoyuKeisan),
    V("TaikisaKeisan", 1, D, &ViewState::TaikisaKeisan),
    V("SeimitsuKeisan", 1, D, &ViewState::SeimitsuKeisan),
    V("AlphaMode", 1, D, &ViewState::AlphaMode),
    A("ColorPrint", 0, F, &AppOptions::ColorPrint),
    A("PrintInfo", 1, F, &AppOptions::PrintInfo),
    V("HougakuNW", 0, F, &ViewState::HougakuNW),
    V("KasanariYoke", 1, F, &ViewState::KasanariYoke),
    A("SaveDefault", 1, N, &AppOptions::SaveDefault),
    A("AutoType", 0, F, &AppOptions::AutoType),
    A("AutoYear", 0, F, &AppOptions::AutoYear),
    A("AutoMonth", 0, F, &AppOptions::AutoMonth),
    A("AutoDay", 0, F, &AppOptions::AutoDay),
    A("AutoHour", 0, F, &AppOptions::AutoHour),
    A("AutoMinit", 3, F, &AppOptions::AutoMinit),
    A("Interval", 1, F, &AppOptions::Interval),
    A("AutoRepeat", 10, F, &AppOptions::AutoRepeat),
    A("AutoBack", 0, F, &AppOptions::AutoBack),
    V("IncTime", 0, F, &ViewState::IncTime),
    A("StartFix", 0, F, &AppOptions::StartFix),
    A("EndFix", 1, F, &AppOptions::EndFix),
    A("CometBright", 60, N, &AppOptions::CometBright),
    A("CometKyori", 20, N, &AppOptions::CometKyori),
    V("DblClick", 3, F, &ViewState::DblClick),
    A("UserCitys", 0, N, &AppOptions::UserCitys),
    A("PlanetWnd", 1, F, &AppOptions::PlanetWnd),
    A("MoonWnd", 1, F, &AppOptions::MoonWnd),
    V("ConstellaDef", 1, F, &ViewState::ConstellaDef),
    V("GalaxyDef", 1, F, &ViewState::GalaxyDef),
    V("StarNameDef", 2, F, &ViewState::StarNameDef),
    V("SolarDef", 3, F, &ViewState::SolarDef),
    V("CometDef", 3, F, &ViewState::CometDef),
    V("SekidouDef", 0, F, &ViewState::SekidouDef),
    V("SekidouDef2", 2, F, &ViewState::SekidouDef2),
    V("KoudouDef", 0, F, &ViewState::KoudouDef),
    V("KoudouDef2", 2, F, &ViewState::KoudouDef2),
    V("KisetuNameDef", 1, F, &ViewState::KisetuNameDef),
    V("Keisanji", 0, D, &ViewState::Keisanji),
    V("Dst", 0, D, &ViewState::Dst),
    V("Constella", 1, D, &ViewState::Constella),
    V("Galaxy", 1, D, &ViewState::Galaxy),
    V("StarName", 0, D, &ViewState::StarName),
    V("Solar", 3, D, &ViewState::Solar),
    V("Comet", 3, D, &ViewState::Comet),
    V("DrawStars", 15, D, &ViewState::DrawStars),
    V("BrightAuto", 1, D, &ViewState::BrightAuto),
    V("Line", 1, D, &ViewState::Line),
    V("Kisetu", 0, D, &ViewState::Kisetu),
    V("KisetuName", 1, D, &ViewState::KisetuName),
    V("Picture", 0, D, &ViewState::Picture),
    V("Kyoukai", 0, D, &ViewState::Kyoukai),
    V("Horizon", 1, D, &ViewState::Horizon),
    V("Glid", 1, D, &ViewState::Glid),
    V("GridScale", 0, D, &ViewState::GridScale),
    V("Sekidou", 0, D, &ViewState::Sekidou),
    V("Koudou", 0, D, &ViewState::Koudou),
    V("TimeZone", -300, D, &ViewState::TimeZone),
    V("Zoom", 80, D, &ViewState::Zoom),
    V("SekidouMod", 0, D, &ViewState::SekidouMod),
    V("ShukuLine", 0, D, &ViewState::ShukuLine),
    V("ShukuName", 0, D, &ViewState::ShukuName),
    V("ShukuStar", 0, D, &ViewState::ShukuStar),
    V("MilkyWay", 1, D, &ViewState::MilkyWay),
    V("SeiunImage", 1, D, &ViewState::SeiunImage),
    A("PlanetZoom", 2, F, &AppOptions::PlanetZoom),
    A("PlanetK1", 0, F, &AppOptions::PlanetK1),
    A("PlanetK2", 0, F, &AppOptions::PlanetK2),
    A("PlaShunbun", 1, F, &AppOptions::PlaShunbun),
    A("PlaCometKidou", 0, F, &AppOptions::PlaCometKidou),
    A("PlaWaiwakuKidou", 0, F, &AppOptions::PlaWaiwakuKidou),
    A("SaveOption", 15, F, &AppOptions::SaveOption),
    A("OnePointNo", -1, F, &AppOptions::OnePointNo),
    A("ShowOnePoint", 1, F, &AppOptions::ShowOnePoint),
    A("DlgWid7", 300, F, &AppOptions::DlgWid7),
    A("DlgHei7", 200, F, &AppOptions::DlgHei7),
    A("DlgWid10", 120, F, &AppOptions::DlgWid10),
    A("DlgHei10", 130, F, &AppOptions::DlgHei10),
    A("KosinAutoView", 0, F, &AppOptions::KosinAutoView),
    A("KosinAutoTime", 0, F, &AppOptions::KosinAutoTime),
    A("KosinAutoScrn", 0, F, &AppOptions::KosinAutoScrn),
    A("KosinAutoCity", 0, F, &AppOptions::KosinAutoCity),
};

constexpr int kAutoTaishouDefaults[5] = {1, 1, 1, 1, 0};
constexpr int kDlgPosXDefaults[state::kDialogSlots] = {20, 20, 20, 20, 20, 20, 20,
                                                       20, 20, 40, 20, 20, 20};
constexpr int kDlgPosYDefaults[state::kDialogSlots] = {80, 80, 80,  80, 80, 80, 80,
                                                       80, 80, 100, 80, 80, 80};

int32_t& Field(const IntSetting& setting, ViewState& view, AppOptions& options) {
    return setting.view != nullptr ? view.*(setting.view) : options.*(setting.app);
}

int32_t Field(const IntSetting& setting, const ViewState& view, const AppOptions& options) {
    return setting.view != nullptr ? view.*(setting.view) : options.*(setting.app);
}

// trunc(value x scale), kept inside the 32-bit range (a NaN gives 0). A product that misses an
// integer only by the rounding of the binary fraction counts as that integer, so that a value
// read as 29 x 0.01 is written back as 29 and not 28.
int TruncatedTimes(double value, double scale) {
    const double product = value * scale;
    const double nearest = std::round(product);
    double scaled = std::fabs(product - nearest) < 1e-6 ? nearest : std::trunc(product);
    if (!(scaled == scaled)) return 0;
    return static_cast<int>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

int16_t TimesTen(int16_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value) * 10u);
}

std::string TwoDigitKey(const char* prefix, int number) {
    return NumberedKey(prefix, number, true);
}

// Reads and saves go through these two helpers so that each Save* replaces the file once.
template <class Change>
void UpdateBareCopy(Change change) {
    const std::string path = BareSettingsPath();
    std::optional<Profile> profile = Profile::LoadForUpdate(path);
    if (!profile) return;  // an unreadable file is left as it is
    change(*profile);
    profile->Save(path);
}

void ApplyFontFallback(state::FontSet& font, const state::FontSet& fallback,
                       const FontInstalled& fontInstalled) {
    font.face[sizeof font.face - 1] = '\0';
    const bool empty = font.face[0] == '\0';
    if (empty || (fontInstalled && !fontInstalled(font.face))) font = fallback;
    font.size = std::clamp(font.size == INT32_MIN ? 72 : std::abs(font.size), 4, 72);
}

// Keeps values that other parts divide by or index with inside their ranges.
void KeepInRange(ViewState& view, AppOptions& options) {
    view.Zoom = std::clamp(view.Zoom, state::kZoomMin, state::kZoomMax);
    view.AutoBriMode = std::clamp(view.AutoBriMode, -2, 2);
    view.DrawStars = std::clamp(view.DrawStars, 0, 110);
    options.UserCitys = std::clamp(options.UserCitys, 0, state::kUserCityLimit);
}

}  // namespace

std::string NumberedKey(const char* prefix, int number, bool twoDigits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, twoDigits ? "%s%02d" : "%s%d", prefix, number);
    return buffer;
}

// --- Single reads and writes --------------------------------------------------------------

int ReadSettingInt(const std::string& key, int fallback) {
    return SettingsReader().Int(key, fallback);
}

std::string ReadSettingText(const std::string& key, const std::string& fallback,
                            std::size_t bufferSize) {
    return SettingsReader().Text(key, fallback, bufferSize);
}

void ReadSettingRecord(const std::string& key, void* record, std::size_t size) {
    SettingsReader().Record(key, record, size);
}

void WriteSettingInt(const std::string& key, int value) {
    WriteProfileKey(kSettingsSection, key, std::to_string(value));
}

void WriteSettingText(const std::string& key, const std::string& value) {
    WriteProfileKey(kSettingsSection, key, value);
}

void WriteSettingRecord(const std::string& key, const void* record, std::size_t size) {
    WriteProfileKey(kSettingsSection, key, EncodeRecord(record, size));
}

void WriteProfileKey(const std::string& section, const std::string& key, const std::string& value) {
    WriteProfileKeys(section, {{key, value}});
}

void WriteProfileKeys(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& values) {
    WriteProfileValues(BareSettingsPath(), section, values);
}

// --- SettingsReader -----------------------------------------------------------------------

SettingsReader::SettingsReader()
    : program_(Profile::Load(ProgramSettingsPath())), bare_(Profile::Load(BareSettingsPath())) {}

SettingsReader::SettingsReader(Profile programCopy, Profile bareCopy)
    : program_(std::move(programCopy)), bare_(std::move(bareCopy)) {}

int SettingsReader::Int(const std::string& key, int fallback) const {
    return bare_.ReadInt(kSettingsSection, key, program_.ReadInt(kSettingsSection, key, fallback));
}

std::string SettingsReader::Text(const std::string& key, const std::string& fallback,
                                 std::size_t bufferSize) const {
    std::string text = bare_.ReadText(kSettingsSection, key, fallback, bufferSize);
    const std::string cutFallback = Profile().ReadText({}, {}, fallback, bufferSize);
    if (text == cutFallback) text = program_.ReadText(kSettingsSection, key, fallback, bufferSize);
    return text;
}

void SettingsReader::Record(const std::string& key, void* record, std::size_t size) const {
    const std::size_t buffer = kRecordTextLimit + 1;
    std::string text = bare_.ReadText(kSettingsSection, key,
                                      program_.ReadText(kSettingsSection, key, "", buffer), buffer);
    DecodeRecord(text, record, size);
}

// --- Start-up load ------------------------------------------------------------------------

void LoadSettings(ViewState& view, AppOptions& options, const FontInstalled& fontInstalled) {
    LoadSettings(SettingsReader(), view, options, fontInstalled);
}

void LoadSettings(const SettingsReader& reader, ViewState& view, AppOptions& options,
                  const FontInstalled& fontInstalled) {
    for (const IntSetting& setting : kIntSettings)
        Field(setting, view, options) = reader.Int(setting.key, setting.fallback);

    view.UnderHorizon = reader.Int("UnderHorizon", view.FindUnder);
    for (int i = 0; i < 5; ++i)
        options.AutoTaishou[i] =
            reader.Int(NumberedKey("AutoTaishou", i, false), kAutoTaishouDefaults[i]);

    // Whole degrees of older versions serve as defaults for the tenths.
    const int ido = reader.Int("Ido", 41);
    const int keido = reader.Int("Keido", 74);
    view.Ido2 = reader.Int("Ido2", ido * 10);
    view.Keido2 = reader.Int("Keido2", keido * 10);
    view.Houi2 = reader.Int("Houi2", 0) * 0.01;
    view.Koudo2 = reader.Int("Koudo2", 0) * 0.01;

    for (int slot = 1; slot <= state::kDialogSlots; ++slot) {
        options.DlgPosX[slot - 1] =
            reader.Int(NumberedKey("DlgPosX", slot, false), kDlgPosXDefaults[slot - 1]);
        options.DlgPosY[slot - 1] =
            reader.Int(NumberedKey("DlgPosY", slot, false), kDlgPosYDefaults[slot - 1]);
    }

    options.Version = reader.Text("Version", "", kVersionBuffer);
    options.GscPath = MakeAbsoluteFolder(reader.Text("GscPath", "", kFolderBuffer));
    options.UserPath = MakeAbsoluteFolder(reader.Text("UserPath", "", kFolderBuffer));
    if (options.UserPath.empty()) options.UserPath = DefaultUserDirectory();

    for (int i = 0; i < state::kUserCityLimit; ++i) {
        state::CityRecord& city = options.userCities[i];
        city = state::CityRecord{};
        reader.Record(TwoDigitKey("UserCity", i + 1), &city, sizeof city);
        // The name runs through both text fields of the record.
        city.country[sizeof city.country - 1] = '\0';
        if (city.unitMarker != 10) {
            city.latitude = TimesTen(city.latitude);
            city.longitude = TimesTen(city.longitude);
        }
    }

    const auto& lineDefaults = DefaultLineSets();
    for (int i = 0; i < state::kLineSetCount; ++i) {
        view.lineSets[i] = lineDefaults[i];
        reader.Record(TwoDigitKey("LineSet", i + 1), &view.lineSets[i], sizeof(state::LineSet));
    }

    const auto& fontDefaults = DefaultFontSets();
    for (int i = 0; i < state::kFontSetCount; ++i) {
        view.fontSets[i] = fontDefaults[i];
        reader.Record(TwoDigitKey("FontSet", i + 1), &view.fontSets[i], sizeof(state::FontSet));
        ApplyFontFallback(view.fontSets[i], fontDefaults[i], fontInstalled);
    }

    KeepInRange(view, options);
}

StoredWindowPlacement ReadMainWindowPlacement() {
    return ReadMainWindowPlacement(SettingsReader());
}

StoredWindowPlacement ReadMainWindowPlacement(const SettingsReader& reader) {
    StoredWindowPlacement placement;
    placement.x = reader.Int("MainWndX", 0);
    placement.y = reader.Int("MainWndY", 0);
    placement.width = reader.Int("MainWndW", 0);
    placement.height = reader.Int("MainWndH", 0);
    placement.z = reader.Int("MainWndZ", 1);
    return placement;
}

// --- The save groups ----------------------------------------------------------------------

void WriteFullSettings(Profile& profile, const ViewState& view, const AppOptions& options,
                       const WindowPlacement& placement) {
    const char* section = kSettingsSection;
    profile.WriteInt(section, "SaveDefault", options.SaveDefault);
    for (const IntSetting& setting : kIntSettings)
        if (setting.set == SaveSet::Full)
            profile.WriteInt(section, setting.key, Field(setting, view, options));
    profile.WriteInt(section, "UnderHorizon", view.UnderHorizon);
    for (int i = 0; i < 5; ++i)
        profile.WriteInt(section, NumberedKey("AutoTaishou", i, false), options.AutoTaishou[i]);
    for (int slot = 1; slot <= state::kDialogSlots; ++slot) {
        profile.WriteInt(section, NumberedKey("DlgPosX", slot, false), options.DlgPosX[slot - 1]);
        profile.WriteInt(section, NumberedKey("DlgPosY", slot, false), options.DlgPosY[slot - 1]);
    }
    profile.Write(section, "Version", kVersionText);
    profile.WriteInt(section, "MainWndZ", placement.maximisedOrMinimised ? 1 : 0);
    if (!placement.maximisedOrMinimised) {
        profile.WriteInt(section, "MainWndX", placement.x);
        profile.WriteInt(section, "MainWndY", placement.y);
        profile.WriteInt(section, "MainWndW", placement.width);
        profile.WriteInt(section, "MainWndH", placement.height);
    }
}

void WriteDisplaySettings(Profile& profile, const ViewState& view) {
    const char* section = kSettingsSection;
    const AppOptions unused;
    for (const IntSetting& setting : kIntSettings)
        if (setting.set == SaveSet::Display)
            profile.WriteInt(section, setting.key, Field(setting, view, unused));
    profile.WriteInt(section, "Ido2", view.Ido2);
    profile.WriteInt(section, "Keido2", view.Keido2);
    profile.WriteInt(section, "Houi2", TruncatedTimes(view.Houi2, 100.0));
    profile.WriteInt(section, "Koudo2", TruncatedTimes(view.Koudo2, 100.0));
    profile.WriteInt(section, "Houi", TruncatedTimes(view.Houi2, 1.0));
    profile.WriteInt(section, "Koudo", TruncatedTimes(view.Koudo2, 1.0));
}

void WriteUserCities(Profile& profile, const AppOptions& options) {
    const int count = std::clamp(options.UserCitys, 0, state::kUserCityLimit);
    profile.WriteInt(kSettingsSection, "UserCitys", count);
    for (int i = 0; i < count; ++i) {
        state::CityRecord city = options.userCities[i];
        city.unitMarker = 10;
        profile.Write(kSettingsSection, TwoDigitKey("UserCity", i + 1),
                      EncodeRecord(&city, sizeof city));
    }
}

void WriteLineSets(Profile& profile, const ViewState& view) {
    for (int i = 0; i < state::kLineSetCount; ++i)
        profile.Write(kSettingsSection, TwoDigitKey("LineSet", i + 1),
                      EncodeRecord(&view.lineSets[i], sizeof(state::LineSet)));
}

void WriteFontSets(Profile& profile, const ViewState& view) {
    for (int i = 0; i < state::kFontSetCount; ++i)
        profile.Write(kSettingsSection, TwoDigitKey("FontSet", i + 1),
                      EncodeRecord(&view.fontSets[i], sizeof(state::FontSet)));
}

void SaveFullSettings(const ViewState& view, const AppOptions& options,
                      const WindowPlacement& placement) {
    UpdateBareCopy([&](Profile& p) { WriteFullSettings(p, view, options, placement); });
}

void SaveDisplaySettings(const ViewState& view) {
    UpdateBareCopy([&](Profile& p) { WriteDisplaySettings(p, view); });
}

void SaveUserCities(const AppOptions& options) {
    UpdateBareCopy([&](Profile& p) { WriteUserCities(p, options); });
}

void SaveLineSets(const ViewState& view) {
    UpdateBareCopy([&](Profile& p) { WriteLineSets(p, view); });
}

void SaveFontSets(const ViewState& view) {
    UpdateBareCopy([&](Profile& p) { WriteFontSets(p, view); });
}

void WriteSaveDefault(const AppOptions& options) {
    WriteSettingInt("SaveDefault", options.SaveDefault);
}

}  // namespace persist

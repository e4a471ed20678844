#include "persist/settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <type_traits>

#include "persist/default_tables.h"
#include "persist/paths.h"
#include "persist/regular_file.h"
#include "state/messages.h"

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

// One plain integer key: its default, the field it fills (in the view state or the application
// options) and the range of that field, which every value read from a file is clamped into.
struct IntSetting {
    const char* key;
    int fallback;
    SaveSet set;
    int32_t ViewState::*view;
    int32_t AppOptions::*app;
    int low;
    int high;
};

constexpr IntSetting V(const char* key, int fallback, SaveSet set, int32_t ViewState::*field,
                       int low, int high) {
    return {key, fallback, set, field, nullptr, low, high};
}
constexpr IntSetting A(const char* key, int fallback, SaveSet set, int32_t AppOptions::*field,
                       int low, int high) {
    return {key, fallback, set, nullptr, field, low, high};
}

// Values that are only kept and written back may be anything.
constexpr int kAnyLow = INT32_MIN;
constexpr int kAnyHigh = INT32_MAX;
// Window and dialog coordinates and sizes, in pixels.
constexpr int kScreenLimit = 100000;

constexpr SaveSet F = SaveSet::Full;
constexpr SaveSet D = SaveSet::Display;
constexpr SaveSet N = SaveSet::None;

// The plain integer keys in reading order. Keys with a computed default or a special encoding
// (UnderHorizon, AutoTaishou0..4, Ido/Keido, Ido2/Keido2, Houi2/Koudo2, DlgPos*) and the text
// and record keys are handled in LoadSettings itself.
constexpr IntSetting kIntSettings[] = {
    A("ToolBar", 1, F, &AppOptions::ToolBar, 0, 1),
    A("StatusBar", 1, F, &AppOptions::StatusBar, 0, 1),
    V("DrawStarMode3", 1, F, &ViewState::DrawStarMode3, 0, 5),
    V("MoonWaku", 0, F, &ViewState::MoonWaku, 0, 1),
    V("Chijoukou", 1, F, &ViewState::Chijoukou, 0, 1),
    V("FindUnder", 1, F, &ViewState::FindUnder, 0, 1),
    V("SmoothIdou", 1, F, &ViewState::SmoothIdou, 0, 1),
    V("Hakumei", 1, D, &ViewState::Hakumei, 0, 1),
    V("Yuuyake", 1, F, &ViewState::Yuuyake, 0, 1),
    V("Taiyoukou", 1, F, &ViewState::Taiyoukou, 0, 1),
    V("SeiunHiruma", 0, F, &ViewState::SeiunHiruma, 0, 1),
    V("SeizaHiruma", 0, F, &ViewState::SeizaHiruma, 0, 1),
    V("WakuseiHiruma", 0, F, &ViewState::WakuseiHiruma, 0, 1),
    V("WakuseiLevel", 3, D, &ViewState::WakuseiLevel, 0, 5),
    V("Jimen", 1, D, &ViewState::Jimen, 0, 1),
    V("Yama", 1, F, &ViewState::Yama, 0, 1),
    V("CenterGuide", 1, F, &ViewState::CenterGuide, 0, 1),
    V("CircleGuide", 0, F, &ViewState::CircleGuide, 0, 1),
    V("CircleSize", 45, F, &ViewState::CircleSize, 1, 3600),
    V("Shaya", 0, F, &ViewState::Shaya, 0, 1),
    V("ShayaSize", 32, F, &ViewState::ShayaSize, 1, 10000),
    V("AutoBriMode", 0, F, &ViewState::AutoBriMode, -2, 2),
    V("UseGsc", 1, F, &ViewState::UseGsc, 0, 1),
    A("ZoomEarth", 0, F, &AppOptions::ZoomEarth, 0, 1),
    A("FrameEarth", 0, F, &AppOptions::FrameEarth, 0, 1),
    A("FindSeiza", 0, F, &AppOptions::FindSeiza, 0, 1),
    A("MediaMidi", 1, F, &AppOptions::MediaMidi, kAnyLow, kAnyHigh),
    A("SpeakFlag", 1, F, &AppOptions::SpeakFlag, 0, 1),
    A("MediaZoom", 1, F, &AppOptions::MediaZoom, 0, 1),
    V("SaisaKeisan", 1, D, &ViewState::SaisaKeisan, 0, 1),
    V("KoyuKeisan", 1, D, &ViewState::KoyuKeisan, 0, 1),
    V("TaikisaKeisan", 1, D, &ViewState::TaikisaKeisan, 0, 1),
    V("SeimitsuKeisan", 1, D, &ViewState::SeimitsuKeisan, 0, 1),
    V("AlphaMode", 1, D, &ViewState::AlphaMode, 0, 3),
    A("ColorPrint", 0, F, &AppOptions::ColorPrint, 0, 1),
    A("PrintInfo", 1, F, &AppOptions::PrintInfo, 0, 1),
    V("HougakuNW", 0, F, &ViewState::HougakuNW, 0, 1),
    V("KasanariYoke", 1, F, &ViewState::KasanariYoke, 0, 1),
    A("SaveDefault", 1, N, &AppOptions::SaveDefault, 0, 1),
    A("AutoType", 0, F, &AppOptions::AutoType, 0, 1),
    A("AutoYear", 0, F, &AppOptions::AutoYear, 0, 1000),
    A("AutoMonth", 0, F, &AppOptions::AutoMonth, 0, 11),
    A("AutoDay", 0, F, &AppOptions::AutoDay, 0, 1000),
    A("AutoHour", 0, F, &AppOptions::AutoHour, 0, 23),
    A("AutoMinit", 3, F, &AppOptions::AutoMinit, 0, 59),
    A("Interval", 1, F, &AppOptions::Interval, 0, 25),
    A("AutoRepeat", 10, F, &AppOptions::AutoRepeat, 1, 120),
    A("AutoBack", 0, F, &AppOptions::AutoBack, 0, 1),
    V("IncTime", 0, F, &ViewState::IncTime, 0, 20),
    A("StartFix", 0, F, &AppOptions::StartFix, kAnyLow, kAnyHigh),
    A("EndFix", 1, F, &AppOptions::EndFix, kAnyLow, kAnyHigh),
    A("CometBright", 60, N, &AppOptions::CometBright, 0, 1000),
    A("CometKyori", 20, N, &AppOptions::CometKyori, 0, 100000),
    V("DblClick", 3, F, &ViewState::DblClick, 0, 3),
    A("UserCitys", 0, N, &AppOptions::UserCitys, 0, state::kUserCityLimit),
    A("PlanetWnd", 1, F, &AppOptions::PlanetWnd, 0, 1),
    A("MoonWnd", 1, F, &AppOptions::MoonWnd, 0, 1),
    V("ConstellaDef", 1, F, &ViewState::ConstellaDef, 0, 3),
    V("GalaxyDef", 1, F, &ViewState::GalaxyDef, 0, 4),
    V("StarNameDef", 2, F, &ViewState::StarNameDef, 0, 3),
    V("SolarDef", 3, F, &ViewState::SolarDef, 0, 3),
    V("CometDef", 3, F, &ViewState::CometDef, 0, 3),
    V("SekidouDef", 0, F, &ViewState::SekidouDef, 0, 3),
    V("SekidouDef2", 2, F, &ViewState::SekidouDef2, 0, 3),
    V("KoudouDef", 0, F, &ViewState::KoudouDef, 0, 3),
    V("KoudouDef2", 2, F, &ViewState::KoudouDef2, 0, 3),
    V("KisetuNameDef", 1, F, &ViewState::KisetuNameDef, 0, 1),
    V("Keisanji", 0, D, &ViewState::Keisanji, 0, 3),
    V("Dst", 0, D, &ViewState::Dst, 0, 1),
    V("Constella", 1, D, &ViewState::Constella, 0, 3),
    V("Galaxy", 1, D, &ViewState::Galaxy, 0, 4),
    V("StarName", 0, D, &ViewState::StarName, 0, 3),
    V("Solar", 3, D, &ViewState::Solar, 0, 3),
    V("Comet", 3, D, &ViewState::Comet, 0, 3),
    V("DrawStars", 15, D, &ViewState::DrawStars, 0, 110),
    V("BrightAuto", 1, D, &ViewState::BrightAuto, 0, 1),
    V("Line", 1, D, &ViewState::Line, 0, 1),
    V("Kisetu", 0, D, &ViewState::Kisetu, 0, 1),
    V("KisetuName", 1, D, &ViewState::KisetuName, 0, 1),
    V("Picture", 0, D, &ViewState::Picture, 0, 1),
    V("Kyoukai", 0, D, &ViewState::Kyoukai, 0, 1),
    V("Horizon", 1, D, &ViewState::Horizon, 0, 1),
    V("Glid", 1, D, &ViewState::Glid, 0, 1),
    V("GridScale", 0, D, &ViewState::GridScale, 0, 1),
    V("Sekidou", 0, D, &ViewState::Sekidou, 0, 3),
    V("Koudou", 0, D, &ViewState::Koudou, 0, 3),
    V("TimeZone", -300, D, &ViewState::TimeZone, -kZoneLimit, kZoneLimit),
    V("Zoom", 80, D, &ViewState::Zoom, state::kZoomMin, state::kZoomMax),
    V("SekidouMod", 0, D, &ViewState::SekidouMod, 0, 1),
    V("ShukuLine", 0, D, &ViewState::ShukuLine, 0, 1),
    V("ShukuName", 0, D, &ViewState::ShukuName, 0, 1),
    V("ShukuStar", 0, D, &ViewState::ShukuStar, 0, 1),
    V("MilkyWay", 1, D, &ViewState::MilkyWay, 0, 1),
    V("SeiunImage", 1, D, &ViewState::SeiunImage, 0, 1),
    A("PlanetZoom", 2, F, &AppOptions::PlanetZoom, 2, 256),
    A("PlanetK1", 0, F, &AppOptions::PlanetK1, 0, 3599),
    A("PlanetK2", 0, F, &AppOptions::PlanetK2, 0, 900),
    A("PlaShunbun", 1, F, &AppOptions::PlaShunbun, 0, 1),
    A("PlaCometKidou", 0, F, &AppOptions::PlaCometKidou, 0, 1),
    A("PlaWaiwakuKidou", 0, F, &AppOptions::PlaWaiwakuKidou, 0, 1),
    A("SaveOption", 15, F, &AppOptions::SaveOption, 0, 127),
    A("OnePointNo", -1, F, &AppOptions::OnePointNo, kAnyLow, kAnyHigh),
    A("ShowOnePoint", 1, F, &AppOptions::ShowOnePoint, kAnyLow, kAnyHigh),
    A("DlgWid7", 300, F, &AppOptions::DlgWid7, 0, kScreenLimit),
    A("DlgHei7", 200, F, &AppOptions::DlgHei7, 0, kScreenLimit),
    A("DlgWid10", 120, F, &AppOptions::DlgWid10, 0, kScreenLimit),
    A("DlgHei10", 130, F, &AppOptions::DlgHei10, 0, kScreenLimit),
    A("KosinAutoView", 0, F, &AppOptions::KosinAutoView, 0, 1),
    A("KosinAutoTime", 0, F, &AppOptions::KosinAutoTime, 0, 1),
    A("KosinAutoScrn", 0, F, &AppOptions::KosinAutoScrn, 0, 1),
    A("KosinAutoCity", 0, F, &AppOptions::KosinAutoCity, 0, 1),
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

// A settings file that cannot be read or saved is reported once per run, naming the file.
void ReportSettingsFile(const std::string& path, const std::string& text) {
    static std::set<std::string> reported;
    if (!reported.insert(path).second) return;
    state::ShowMessage({text, "", state::MessageIcon::Stop, state::MessageButtons::Ok});
}

// Every save replaces the file once with the change applied; on failure the old file stays.
bool UpdateSettingsFile(const std::string& path, const std::function<void(Profile&)>& change) {
    FileStatus status;
    std::optional<Profile> profile = Profile::LoadForUpdate(path, &status);
    std::string reason = std::string("the file ") + FileStatusText(status);
    if (profile) {
        change(*profile);
        if (profile->Save(path, &reason)) return true;
    }
    ReportSettingsFile(path, "Failed to save the settings.\n\n" + path + ": " + reason +
                                 "\n\nThe file keeps its previous contents.");
    return false;
}

void UpdateBareCopy(const std::function<void(Profile&)>& change) {
    UpdateSettingsFile(BareSettingsPath(), change);
}

// A copy that is there but cannot be read gives the defaults, and the user is told why.
Profile LoadCopyAtStartup(const std::string& path) {
    FileStatus status;
    Profile profile = Profile::Load(path, &status);
    if (status != FileStatus::Ok && status != FileStatus::Missing) {
        ReportSettingsFile(path, "The settings file " + path + " " + FileStatusText(status) +
                                     ".\n\nIts settings are not used, and it is not replaced.");
    }
    return profile;
}

void ApplyFontFallback(state::FontSet& font, const state::FontSet& fallback,
                       const FontInstalled& fontInstalled) {
    font.face[sizeof font.face - 1] = '\0';
    const bool empty = font.face[0] == '\0';
    if (empty || (fontInstalled && !fontInstalled(font.face))) font = fallback;
    font.size = std::clamp(font.size == INT32_MIN ? 72 : std::abs(font.size), 4, 72);
}

template <class Record>
const IntSetting* SettingOf(int32_t Record::*field) {
    for (const IntSetting& setting : kIntSettings) {
        if constexpr (std::is_same_v<Record, ViewState>) {
            if (setting.view == field) return &setting;
        } else {
            if (setting.app == field) return &setting;
        }
    }
    return nullptr;
}

template <class Record>
int32_t ClampedTo(int32_t Record::*field, int32_t value) {
    const IntSetting* setting = SettingOf(field);
    return setting ? std::clamp(value, setting->low, setting->high) : value;
}

}  // namespace

int32_t ClampToRange(int32_t ViewState::*field, int32_t value) {
    return ClampedTo(field, value);
}

int32_t ClampToRange(int32_t AppOptions::*field, int32_t value) {
    return ClampedTo(field, value);
}

int32_t ClampLatitude(int32_t tenths) {
    return std::clamp(tenths, -900, 900);
}

int32_t WrapLongitude(int32_t tenths) {
    if (tenths >= -1800 && tenths <= 1800) return tenths;
    const int32_t turn = tenths % 3600;  // within one turn, so the sum below cannot overflow
    return turn > 1800 ? turn - 3600 : (turn < -1800 ? turn + 3600 : turn);
}

double ReduceAzimuth(double tenths) {
    if (!std::isfinite(tenths)) return 0.0;
    tenths -= 3600.0 * std::trunc(tenths / 3600.0);
    return tenths < 0 ? tenths + 3600.0 : tenths;
}

double ClampAltitude(double tenths) {
    return std::isfinite(tenths) ? std::clamp(tenths, -900.0, 900.0) : 0.0;
}

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
    WriteProfileKeys(BareSettingsPath(), section, values);
}

bool WriteProfileKeys(const std::string& path, const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& values) {
    return UpdateSettingsFile(path, [&](Profile& profile) {
        for (const auto& [key, value] : values)
            profile.Write(section, key, value);
    });
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
    LoadSettings(SettingsReader(LoadCopyAtStartup(ProgramSettingsPath()),
                                LoadCopyAtStartup(BareSettingsPath())),
                 view, options, fontInstalled);
}

void LoadSettings(const SettingsReader& reader, ViewState& view, AppOptions& options,
                  const FontInstalled& fontInstalled) {
    for (const IntSetting& setting : kIntSettings)
        Field(setting, view, options) =
            std::clamp(reader.Int(setting.key, setting.fallback), setting.low, setting.high);

    view.UnderHorizon = std::clamp(reader.Int("UnderHorizon", view.FindUnder), 0, 1);
    for (int i = 0; i < 5; ++i)
        options.AutoTaishou[i] = std::clamp(
            reader.Int(NumberedKey("AutoTaishou", i, false), kAutoTaishouDefaults[i]), 0, 1);

    // Whole degrees of older versions serve as defaults for the tenths.
    const int ido = std::clamp(reader.Int("Ido", 41), -90, 90);
    const int keido = std::clamp(reader.Int("Keido", 74), -360, 360);
    view.Ido2 = ClampLatitude(reader.Int("Ido2", ido * 10));
    view.Keido2 = WrapLongitude(reader.Int("Keido2", keido * 10));
    view.Houi2 = ReduceAzimuth(reader.Int("Houi2", 0) * 0.01);
    view.Koudo2 = ClampAltitude(reader.Int("Koudo2", 0) * 0.01);

    for (int slot = 1; slot <= state::kDialogSlots; ++slot) {
        options.DlgPosX[slot - 1] =
            std::clamp(reader.Int(NumberedKey("DlgPosX", slot, false), kDlgPosXDefaults[slot - 1]),
                       -kScreenLimit, kScreenLimit);
        options.DlgPosY[slot - 1] =
            std::clamp(reader.Int(NumberedKey("DlgPosY", slot, false), kDlgPosYDefaults[slot - 1]),
                       -kScreenLimit, kScreenLimit);
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
}

StoredWindowPlacement ReadMainWindowPlacement() {
    return ReadMainWindowPlacement(SettingsReader());
}

StoredWindowPlacement ReadMainWindowPlacement(const SettingsReader& reader) {
    StoredWindowPlacement placement;
    placement.x = std::clamp(reader.Int("MainWndX", 0), -kScreenLimit, kScreenLimit);
    placement.y = std::clamp(reader.Int("MainWndY", 0), -kScreenLimit, kScreenLimit);
    placement.width = std::clamp(reader.Int("MainWndW", 0), 0, kScreenLimit);
    placement.height = std::clamp(reader.Int("MainWndH", 0), 0, kScreenLimit);
    placement.z = std::clamp(reader.Int("MainWndZ", 1), 0, 1);
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

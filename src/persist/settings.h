// The settings file TAVILO.INI, section "Tavilo Pro v7". Two copies: the one beside the data
// (ProgramSettingsPath) supplies defaults, the bare-name copy (BareSettingsPath) wins wherever
// it holds a key and receives every write. Each Save* call replaces the bare-name copy once,
// atomically. A failed write leaves the old file intact and is reported once per run and file
// (state::ShowMessage, naming the file); so is a copy that exists but cannot be read at
// start-up (a special or oversized file).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "persist/profile.h"
#include "state/view_state.h"

namespace persist {

inline constexpr const char* kSettingsSection = "Tavilo Pro v7";
// Written to the Version key by the full set.
inline constexpr const char* kVersionText = "1.0";

// --- Single reads and writes (each call opens the files anew) ------------------------------

// The program copy with fallback as default, then the bare copy with that result as default.
int ReadSettingInt(const std::string& key, int fallback);
// The bare copy; when the result equals fallback, the program copy. bufferSize counts the
// terminating zero of the original buffers: at most bufferSize - 1 bytes are returned.
std::string ReadSettingText(const std::string& key, const std::string& fallback,
                            std::size_t bufferSize);
// The hexadecimal text as for integers (at most 1000 characters), decoded into record; bytes
// not covered by the text keep their contents.
void ReadSettingRecord(const std::string& key, void* record, std::size_t size);

// Writes go to the bare-name copy only; failures are reported as above.
void WriteSettingInt(const std::string& key, int value);
void WriteSettingText(const std::string& key, const std::string& value);
void WriteSettingRecord(const std::string& key, const void* record, std::size_t size);
// Writes one key of any section of the bare-name copy (e.g. "Planets Location").
void WriteProfileKey(const std::string& section, const std::string& key, const std::string& value);
// Writes several keys of one section of the bare-name copy in one file replacement.
void WriteProfileKeys(const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& values);
// The same for the settings file at path; false when the save failed (and was reported).
bool WriteProfileKeys(const std::string& path, const std::string& section,
                      const std::vector<std::pair<std::string, std::string>>& values);

// --- Reading with both copies loaded once ---------------------------------------------------

class SettingsReader {
  public:
    // Loads ProgramSettingsPath() and BareSettingsPath().
    SettingsReader();
    SettingsReader(Profile programCopy, Profile bareCopy);

    int Int(const std::string& key, int fallback) const;
    std::string Text(const std::string& key, const std::string& fallback,
                     std::size_t bufferSize) const;
    void Record(const std::string& key, void* record, std::size_t size) const;

  private:
    Profile program_;
    Profile bare_;
};

// --- Start-up load and the save groups ------------------------------------------------------

// Answers whether a font family of this name is installed. An empty function accepts every
// name; the platform layer passes a fontconfig check.
using FontInstalled = std::function<bool(const std::string& family)>;

// Reads every key in its order with its default into view and options: Ido2/Keido2 default to
// Ido/Keido x 10, Houi2/Koudo2 are stored x 100, UnderHorizon defaults to FindUnder, user
// cities are converted to tenths, line and font records start from the built-in tables, fonts
// whose face is empty or not installed fall back to their default. GscPath and UserPath are
// made absolute; an empty UserPath becomes DefaultUserDirectory().
void LoadSettings(state::ViewState& view, state::AppOptions& options,
                  const FontInstalled& fontInstalled = {});
void LoadSettings(const SettingsReader& reader, state::ViewState& view, state::AppOptions& options,
                  const FontInstalled& fontInstalled = {});

// The main window's rectangle and state when the full set is saved.
struct WindowPlacement {
    int x = 0;  // top-left of the outer frame
    int y = 0;
    int width = 0;  // outer size
    int height = 0;
    bool maximisedOrMinimised = false;
};

// The stored main window placement: x, y, w, h (0 each by default) and z (1 = maximise).
struct StoredWindowPlacement {
    int x = 0;
    int y = 0;
    int width = 0;  // 0 keeps the system's default placement
    int height = 0;
    int z = 1;
};
StoredWindowPlacement ReadMainWindowPlacement();
StoredWindowPlacement ReadMainWindowPlacement(const SettingsReader& reader);

// The keys of the full set (SaveDefault first, then MainWndZ, and the rectangle only when the
// window is neither maximised nor minimised, so a maximised window keeps its normal rectangle).
void SaveFullSettings(const state::ViewState& view, const state::AppOptions& options,
                      const WindowPlacement& placement);
// The keys of the display set, plus Houi and Koudo (tenths of a degree, truncated).
void SaveDisplaySettings(const state::ViewState& view);
// UserCitys and UserCity01.. up to the count, each written with its unit marker set to 10.
void SaveUserCities(const state::AppOptions& options);
void SaveLineSets(const state::ViewState& view);
void SaveFontSets(const state::ViewState& view);
void WriteSaveDefault(const state::AppOptions& options);

// The same, applied to a profile in memory (used by the functions above and by tests).
void WriteFullSettings(Profile& profile, const state::ViewState& view,
                       const state::AppOptions& options, const WindowPlacement& placement);
void WriteDisplaySettings(Profile& profile, const state::ViewState& view);
void WriteUserCities(Profile& profile, const state::AppOptions& options);
void WriteLineSets(Profile& profile, const state::ViewState& view);
void WriteFontSets(Profile& profile, const state::ViewState& view);

// --- Ranges of the values read from files ---------------------------------------------------
// Every value read from the settings or a view file is brought into its field's range, so that
// no file can make the arithmetic on it overflow.

// Zones, minutes east of UT.
inline constexpr int32_t kZoneLimit = 1440;

// The range of an integer field that has a settings key (the key table holds it); a field
// without one is returned as it is.
int32_t ClampToRange(int32_t state::ViewState::*field, int32_t value);
int32_t ClampToRange(int32_t state::AppOptions::*field, int32_t value);
// Latitude in tenths of a degree: -900..900.
int32_t ClampLatitude(int32_t tenths);
// Longitude in tenths of a degree: a value beyond -1800..1800 is taken modulo whole turns.
int32_t WrapLongitude(int32_t tenths);
// View azimuth in tenths: reduced into 0..3600; altitude: -900..900 (a non-finite value is 0).
double ReduceAzimuth(double tenths);
double ClampAltitude(double tenths);

// "LineSet01".."LineSet23", "FontSet01".., "UserCity01".., "DlgPosX1".. (1-based numbers).
std::string NumberedKey(const char* prefix, int number, bool twoDigits);

}  // namespace persist

// Saved view files (".QEL"): one 512-byte record of 128 signed 32-bit little-endian integers.
// Opening replaces only the groups of the view that the file selects (bits stored at offset 240
// from format 183 on; older files restore every group). Angles are tenths of a degree.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "state/view_state.h"

namespace persist {

inline constexpr int kViewRecordSize = 512;
inline constexpr int kViewRecordMinimum = 256;
inline constexpr int kViewFormatVersion = 2500;

// Group bits (SaveOption).
inline constexpr int kGroupViewpoint = 1 << 0;
inline constexpr int kGroupTime = 1 << 1;
inline constexpr int kGroupDisplay = 1 << 2;
inline constexpr int kGroupLocation = 1 << 3;
inline constexpr int kGroupAuto = 1 << 4;
inline constexpr int kGroupAutoOn = 1 << 5;
inline constexpr int kGroupCalculation = 1 << 6;

using ViewRecord = std::array<int32_t, kViewRecordSize / 4>;

enum class ViewFileResult {
    Opened,
    CannotOpen,  // "Failed to open file."
    TooShort,    // "Failed to read file."
    CometFile,   // begins with "[DORVANCOMET]": a comet file, not a view
};

enum class ViewFileWriteResult {
    Written,
    CannotCreate,  // "Failed to create file."
    ShortWrite,    // "Failed to write file."
};

// The program's message for a failed result ("" for Opened, CometFile and Written).
const char* ViewFileMessage(ViewFileResult result);
const char* ViewFileMessage(ViewFileWriteResult result);

// A path that begins with a double quote loses that quote and its last character.
std::string UnquotedViewPath(const std::string& path);

// Reads up to 512 bytes of path (UnquotedViewPath) into a zero-filled record; anything but a
// regular file cannot be opened.
ViewFileResult ReadViewRecord(const std::string& path, ViewRecord& record);

// Applies the selected groups of a record to the view state and options (SaveOption takes the
// stored groups from format 183 on). Values outside the view state's ranges are brought into
// them; the caller normalises the clock (astro::NormalizeClock) afterwards.
void ApplyViewRecord(const ViewRecord& record, state::ViewState& view, state::AppOptions& options);

// The record of the current view in the current format; the groups to restore are SaveOption.
ViewRecord BuildViewRecord(const state::ViewState& view, const state::AppOptions& options);

// Writes BuildViewRecord to path. The file is replaced only once the new one is complete, so a
// failed save leaves an existing file as it was; a file or folder the user may not write is
// refused before anything is written.
ViewFileWriteResult WriteViewFile(const std::string& path, const state::ViewState& view,
                                  const state::AppOptions& options);

// ReadViewRecord then ApplyViewRecord; nothing changes on failure.
ViewFileResult OpenViewFile(const std::string& path, state::ViewState& view,
                            state::AppOptions& options);

}  // namespace persist

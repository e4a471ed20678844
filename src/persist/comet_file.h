// The comet files: plain arrays of 168-byte comet records. QELCOMET.USR in the user directory
// holds the user's list; QELCOMET.DAT in the data directory is the distributed list.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "state/comet_record.h"

namespace persist {

inline constexpr const char* kUserCometFile = "QELCOMET.USR";
inline constexpr const char* kShippedCometFile = "QELCOMET.DAT";

// Reads up to 200 records (a trailing partial record is ignored) into table and returns the
// count; 0 when the file cannot be opened (or is not a regular file) or is empty. Records whose
// initialised flag is 0 get the magnitude defaults by name (Halley, Hale-Bopp, Hyakutake 2,
// else 0/0) and the flag set; so do those three when they hold the terms swapped.
int LoadComets(const std::string& path, state::CometTable& table);
// The same for file contents already in memory (at most the first 33600 bytes are used).
int ParseComets(std::span<const uint8_t> bytes, state::CometTable& table);

// Writes CometBright and CometKyori to the settings, then replaces the file atomically with
// table.count records. Returns true only when every byte was written.
bool SaveComets(const std::string& path, const state::CometTable& table, int cometBright,
                int cometKyori);

// The start-up load: userPath/QELCOMET.USR, else QELCOMET.DAT in the data directory. When
// neither yields a comet, closes the title window, shows "Failed to read data." (caption
// "QELCOMET.DAT") and returns 0; the caller then ends the program.
int LoadStartupComets(const std::string& userPath, state::CometTable& table);

}  // namespace persist

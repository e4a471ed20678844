// Importing one comet from a text file with a [DORVANCOMET] section (keys NAMEJ, NAMEE, TY,
// TM, TD, q, e, Peri, Node, i, H1, K1), as when such a file is opened or dropped on the main
// window. The user confirms; a comet with the same two names is replaced, any other is
// appended (up to 99); the table is then saved as the user's comet file.
#pragma once

#include <string>
#include <string_view>

#include "persist/profile.h"
#include "state/comet_record.h"
#include "state/view_state.h"

namespace astro {

inline constexpr const char* kCometSection = "DORVANCOMET";

struct CometImportResult {
    bool changed = false;  // a comet was added or replaced (the table in memory changed)
    int index = -1;        // its index in the table; the caller makes it the current comet
    bool saved = false;    // the user's comet file was written
};

// Reads the comet at path into table and saves the table to userCometFile (normally
// UserPath/QELCOMET.USR) with the options' CometBright and CometKyori. Questions and
// messages go through state::ShowMessage. Sets view.Comet to 3 (English names) when comet
// labels were off. The caller redraws when the result says changed.
CometImportResult ImportCometText(const std::string& path, state::CometTable& table,
                                  const state::AppOptions& options, state::ViewState& view,
                                  const std::string& userCometFile);

// The same, with the user's comet file in options.UserPath.
CometImportResult ImportCometText(const std::string& path, state::CometTable& table,
                                  const state::AppOptions& options, state::ViewState& view);

// Reads the record fields from a parsed profile with the import's clamps (names not
// included). Exposed for tests.
void ReadCometElements(const persist::Profile& profile, state::CometRecord& record);

// Copies text into a zero-terminated 32-byte name field, cut at a UTF-8 character boundary.
void CopyNameField(char (&field)[32], std::string_view text);

// Keeps a record's elements in the ranges the comet table holds: TY 0..9999, TM 1..12, TD
// 1.0..31.99999, q 1e-7..99.9999999, e not negative, the three angles 0..360. Values below a
// range take its lower bound, values above its upper bound.
void ClampCometRecord(state::CometRecord& record);

// A magnitude term (H1, K1) as the record's float: saturated at the float range, NaN as 0.
float MagnitudeTerm(double value);

// The user's comet file: QELCOMET.USR in UserPath, or in the default user directory.
std::string UserCometFile(const state::AppOptions& options);

// The leading decimal number of a text as the classic atof reads it: blanks, an optional sign,
// digits with a point and an exponent; anything else ends it; no number gives 0. Values beyond
// the double range saturate; infinities and NaN spelled out read as 0.
double ParseLeadingDouble(std::string_view text);

}  // namespace astro

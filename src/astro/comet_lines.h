// Comets in the Minor Planet Center's one-line format, the form in which current elements are
// published (its file of all comets, or lines copied from its pages). Columns, 1-based:
//   1-4 periodic number, 5 orbit type, 6-12 packed provisional designation,
//   15-18 year, 20-21 month, 23-29 day with fraction of the perihelion passage (TT),
//   31-39 q (AU), 42-49 e, 52-59 argument of perihelion, 62-69 ascending node,
//   72-79 inclination (degrees, ecliptic and equinox J2000), 82-89 epoch (not used),
//   92-95 absolute magnitude H, 97-100 slope G of m = H + 5 log D + 2.5 G log r,
//   103-158 designation and name, 160-168 reference.
// Every line is untrusted: a line that does not hold a comet is reported by its number and
// nothing is taken from the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/comet_record.h"

namespace astro {

// The largest file or pasted text read (the Minor Planet Center's whole list is far smaller).
inline constexpr std::size_t kCometLinesLimit = 4u << 20;

// The record of one line: both names from the designation and name field (the designation
// columns when it is blank), the perihelion time in UT, the three angles in the ecliptic and
// equinox of the perihelion passage (as the comet table keeps them), H1 = H and K1 = 2.5 G
// (0 and 0 when the line gives no magnitude), shown. Nothing, and the reason in words, for a
// line that is not such a comet.
std::optional<state::CometRecord> ParseCometLine(std::string_view line, std::string& reason);

struct CometLines {
    std::vector<state::CometRecord> records;
    int badLine = 0;     // 1-based number of the first line that is not a comet; 0 if none
    std::string reason;  // why it is not
};

// Every line of the text that is not blank; at the first bad one, no records at all.
CometLines ParseCometLines(std::string_view text);

// Whether the first line of the text that is not blank is a comet of this format.
bool StartsWithCometLine(std::string_view text);

struct CometMerge {
    int added = 0;
    int replaced = 0;
    int leftOut = 0;  // new comets that found no room
    int first = -1;   // the table index of the first comet taken in, or -1
};

// Takes the records into the table: one whose name equals either name of a comet there
// replaces that comet's elements and magnitude terms (its names stay); any other is appended
// while the table holds fewer than limit comets.
CometMerge MergeComets(const std::vector<state::CometRecord>& records, state::CometTable& table,
                       int limit);

// The messages: which line is bad and why; how many comets were added and replaced and, when
// some found no room, how many and the limit.
std::string CometLinesError(const CometLines& lines);
std::string CometMergeSummary(const CometMerge& merge, int limit);

enum class TextRead { Ok, NotAFile, TooLarge, Failed };

// Reads a regular file of at most kCometLinesLimit bytes; anything else is not read.
TextRead ReadCometLinesFile(const std::string& path, std::string& text);
// The message for a file that was not read.
std::string TextReadError(TextRead result, const std::string& path);

}  // namespace astro

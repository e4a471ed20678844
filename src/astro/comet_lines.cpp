#include "astro/comet_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "astro/clock.h"
#include "astro/comet_import.h"
#include "astro/delta_t.h"
#include "astro/orbit.h"
#include "astro/orbit_precession.h"
#include "astro/planets.h"
#include "astro/precise_time.h"

namespace astro {
namespace {

constexpr std::size_t kShortestLine = 79;  // through the inclination

// Columns first .. last (1-based) of the line; shorter when the line ends inside them.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
    if (line.size() < first) return {};
    return line.substr(first - 1, last - first + 1);
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// A fixed-point number as the format writes it: an optional sign, digits and at most one point,
// nothing else (no exponent, no "nan").
bool ReadFixed(std::string_view field, double& value) {
    std::string_view text = Trimmed(field);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    int digits = 0, points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return false;
        }
    }
    if (digits == 0 || points > 1) return false;
    text = Trimmed(field);
    if (text.front() == '+') text.remove_prefix(1);
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

struct Field {
    std::size_t first, last;
    const char* name;
    double low, high;  // accepted range, both included
};

constexpr Field kYear{15, 18, "the perihelion year", 0, 9999};
constexpr Field kMonth{20, 21, "the perihelion month", 1, 12};
constexpr Field kDay{23, 29, "the perihelion day", 1, 31.99999};
constexpr Field kDistance{31, 39, "the perihelion distance", 1e-7, 99.9999999};
constexpr Field kEccentricity{42, 49, "the eccentricity", 0, 99.999999};
constexpr Field kPerihelion{52, 59, "the argument of perihelion", 0, 360};
constexpr Field kNode{62, 69, "the ascending node", 0, 360};
constexpr Field kInclination{72, 79, "the inclination", 0, 180};
constexpr Field kMagnitude{92, 95, "the absolute magnitude", -99.9, 99.9};
constexpr Field kSlope{97, 100, "the magnitude slope", -99.9, 99.9};

bool Read(std::string_view line, const Field& field, double& value, std::string& reason) {
    if (!ReadFixed(Columns(line, field.first, field.last), value)) {
        reason = std::string(field.name) + " (columns " + std::to_string(field.first) + "-" +
                 std::to_string(field.last) + ") is not a number";
        return false;
    }
    if (value < field.low || value > field.high) {
        reason = std::string(field.name) + " is out of range";
        return false;
    }
    return true;
}

// The optional magnitude fields: blank is 0.
bool ReadOptional(std::string_view line, const Field& field, double& value, std::string& reason) {
    value = 0.0;
    if (Trimmed(Columns(line, field.first, field.last)).empty()) return true;
    return Read(line, field, value, reason);
}

// Moves a perihelion time from TT to UT (Delta T), keeping the day within its month.
void SetPerihelionUt(state::CometRecord& record, int year, int month, double day) {
    const double mjdTt = PerihelionMjd(year, month, day);
    day -= DeltaTSeconds(mjdTt - kJ2000Mjd) / 86400.0;
    while (day < 1.0 && year > 0) {
        if (--month == 0) month = 12, --year;
        day += MonthLengths(year)[month];
    }
    record.TY = year;
    record.TM = month;
    record.TD = day;
}

bool SameName(const char (&field)[32], const char (&name)[32]) {
    return name[0] != '\0' && std::strncmp(field, name, sizeof field) == 0;
}

std::string Count(int n, const char* what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
}

}  // namespace

std::optional<state::CometRecord> ParseCometLine(std::string_view line, std::string& reason) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
        line.remove_suffix(1);
    for (char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            reason = "it holds a control character (a tab?) where the columns need blanks";
            return std::nullopt;
        }
    }
    if (line.size() < kShortestLine) {
        reason = "it ends before the inclination (column 79)";
        return std::nullopt;
    }
    double year, month, day, q, e, peri, node, inclination, magnitude, slope;
    if (!Read(line, kYear, year, reason) || !Read(line, kMonth, month, reason) ||
        !Read(line, kDay, day, reason) || !Read(line, kDistance, q, reason) ||
        !Read(line, kEccentricity, e, reason) || !Read(line, kPerihelion, peri, reason) ||
        !Read(line, kNode, node, reason) || !Read(line, kInclination, inclination, reason) ||
        !ReadOptional(line, kMagnitude, magnitude, reason) ||
        !ReadOptional(line, kSlope, slope, reason))
        return std::nullopt;
    if (year != std::trunc(year) || month != std::trunc(month)) {
        reason = "the perihelion year and month must be whole numbers";
        return std::nullopt;
    }

    state::CometRecord record;
    std::string_view name = Trimmed(Columns(line, 103, 158));
    if (name.empty()) name = Trimmed(Columns(line, 1, 12));
    CopyNameField(record.NAMEE, name);
    CopyNameField(record.NAMEJ, name);
    SetPerihelionUt(record, static_cast<int>(year), static_cast<int>(month), day);
    const double perihelionJd =
        PerihelionMjd(static_cast<int>(year), static_cast<int>(month), day) + kMjdZeroJd;
    const OrbitAngles angles =
        PrecessOrbitAngles({peri, node, inclination}, kJ2000Jd, perihelionJd);
    record.q = q;
    record.e = e;
    record.Peri = angles.peri;
    record.Node = angles.node;
    record.i = angles.inclination;
    ClampCometRecord(record);
    record.H1 = MagnitudeTerm(magnitude);
    record.K1 = MagnitudeTerm(2.5 * slope);
    record.show = 1;
    record.initialised = 1;
    return record;
}

CometLines ParseCometLines(std::string_view text) {
    CometLines result;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte-order mark
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.find_first_not_of(" \t\r") == std::string_view::npos) continue;
        std::optional<state::CometRecord> record = ParseCometLine(line, result.reason);
        if (!record) {
            result.records.clear();
            result.badLine = number;
            return result;
        }
        result.records.push_back(*record);
    }
    return result;
}

bool StartsWithCometLine(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (line.find_first_not_of(" \t\r") != std::string_view::npos) {
            std::string reason;
            return ParseCometLine(line, reason).has_value();
        }
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return false;
}

CometMerge MergeComets(const std::vector<state::CometRecord>& records, state::CometTable& table,
                       int limit) {
    CometMerge merge;
    limit = std::clamp(limit, 0, state::kCometFileLimit);
    table.count = std::clamp(table.count, 0, state::kCometFileLimit);
    for (const state::CometRecord& incoming : records) {
        int index = -1;
        for (int k = 0; k < table.count && index < 0; ++k) {
            const state::CometRecord& known = table.records[k];
            if (SameName(known.NAMEE, incoming.NAMEE) || SameName(known.NAMEJ, incoming.NAMEE))
                index = k;
        }
        if (index >= 0) {
            state::CometRecord& known = table.records[index];
            state::CometRecord updated = incoming;
            std::memcpy(updated.NAMEJ, known.NAMEJ, sizeof updated.NAMEJ);
            std::memcpy(updated.NAMEE, known.NAMEE, sizeof updated.NAMEE);
            known = updated;
            ++merge.replaced;
        } else if (table.count < limit) {
            index = table.count++;
            table.records[index] = incoming;
            ++merge.added;
        } else {
            ++merge.leftOut;
        }
        if (merge.first < 0) merge.first = index;
    }
    return merge;
}

std::string CometLinesError(const CometLines& lines) {
    if (lines.badLine == 0)
        return "No comet was found: the text holds no line of comet elements in the one-line "
               "format of the Minor Planet Center.";
    return "Line " + std::to_string(lines.badLine) +
           " is not a comet in the one-line format of the Minor Planet Center: " + lines.reason +
           ".\n\nNo comet was imported.";
}

std::string CometMergeSummary(const CometMerge& merge, int limit) {
    std::string text = Count(merge.added + merge.replaced + merge.leftOut, "comet") +
                       " read: " + std::to_string(merge.added) + " added, " +
                       std::to_string(merge.replaced) + " replaced.";
    if (merge.leftOut > 0)
        text += "\n\n" + Count(merge.leftOut, "comet") +
                " could not be added: the list holds at most " + std::to_string(limit) +
                " comets. Remove comets you do not need in the comet dialog to make room.";
    return text;
}

TextRead ReadCometLinesFile(const std::string& path, std::string& text) {
    text.clear();
    // Non-blocking, so that opening a pipe does not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return TextRead::Failed;
    struct stat info {};
    TextRead result = TextRead::Ok;
    if (::fstat(fd, &info) != 0) {
        result = TextRead::Failed;
    } else if (!S_ISREG(info.st_mode)) {
        result = TextRead::NotAFile;
    } else if (static_cast<std::size_t>(info.st_size) > kCometLinesLimit) {
        result = TextRead::TooLarge;
    } else {
        char buffer[65536];
        while (true) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) result = TextRead::Failed;
            if (got <= 0) break;
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.size() > kCometLinesLimit) {  // it grew while being read
                result = TextRead::TooLarge;
                break;
            }
        }
    }
    ::close(fd);
    if (result != TextRead::Ok) text.clear();
    return result;
}

std::string TextReadError(TextRead result, const std::string& path) {
    switch (result) {
        case TextRead::NotAFile:
            return path + "\n\nis not a file that comets can be read from.";
        case TextRead::TooLarge:
            return path + "\n\nis too large to be a list of comets (more than " +
                   std::to_string(kCometLinesLimit >> 20) + " MB).";
        case TextRead::Failed:
            return path + "\n\ncould not be read.";
        case TextRead::Ok:
            break;
    }
    return {};
}

}  // namespace astro

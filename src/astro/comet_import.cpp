#include "astro/comet_import.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "persist/comet_file.h"
#include "persist/paths.h"
#include "state/messages.h"

namespace astro {
namespace {

constexpr const char* kWindowTitle = "Planetarium";
constexpr const char* kAskAddComet = "Do you add a lower lower comet?\n\n%s %s";  // string 40
constexpr const char* kCantAddAnymore = "Can't add anymore!";                     // string 7
constexpr const char* kFailedToSave = "Failed to save!";                          // string 9
constexpr const char* kNoCometName =
    "The file holds no comet: its [DORVANCOMET] section has no name.";

double ReadNumber(const persist::Profile& profile, const char* key) {
    return ParseLeadingDouble(profile.ReadText(kCometSection, key, "0", 256));
}

double Clamp(double value, double low, double high) {
    if (!(value >= low)) return low;  // NaN too
    if (value >= high) return high;
    return value;
}

bool SameNames(const state::CometRecord& record, const state::CometRecord& other) {
    return std::strncmp(record.NAMEJ, other.NAMEJ, sizeof record.NAMEJ) == 0 &&
           std::strncmp(record.NAMEE, other.NAMEE, sizeof record.NAMEE) == 0;
}

std::string Format(const char* pattern, const std::string& a, const std::string& b) {
    std::vector<char> buffer(std::strlen(pattern) + a.size() + b.size() + 1);
    std::snprintf(buffer.data(), buffer.size(), pattern, a.c_str(), b.c_str());
    return buffer.data();
}

state::MessageAnswer Show(const std::string& text, state::MessageIcon icon,
                          state::MessageButtons buttons = state::MessageButtons::Ok) {
    state::Message message;
    message.text = text;
    message.caption = kWindowTitle;
    message.icon = icon;
    message.buttons = buttons;
    return state::ShowMessage(message);
}

}  // namespace

double ParseLeadingDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    text.remove_prefix(i);
    // Only digits and a point may start a number here (no "inf", "nan" or hexadecimal).
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return 0.0;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small: decide by the sign of the exponent.
        const std::string_view number(text.data(), static_cast<std::size_t>(end - text.data()));
        const std::size_t e = number.find_first_of("eE");
        const bool tiny =
            e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : DBL_MAX;
    } else if (error != std::errc()) {
        return 0.0;
    }
    if (!std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

void CopyNameField(char (&field)[32], std::string_view text) {
    std::size_t size = std::min(text.size(), sizeof field - 1);
    if (size < text.size()) {
        while (size > 0 && (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80)
            --size;
    }
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.data(), size);
}

void ClampCometRecord(state::CometRecord& record) {
    record.TY = std::clamp(record.TY, 0, 9999);
    record.TM = std::clamp(record.TM, 1, 12);
    record.TD = Clamp(record.TD, 1.0, 31.99999);
    record.q = Clamp(record.q, 1e-7, 99.9999999);
    record.e = record.e < 0 ? 0.0 : record.e;
    record.Peri = Clamp(record.Peri, 0.0, 360.0);
    record.Node = Clamp(record.Node, 0.0, 360.0);
    record.i = Clamp(record.i, 0.0, 360.0);
}

float MagnitudeTerm(double value) {
    if (!(value == value)) return 0.0f;  // NaN
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

void ReadCometElements(const persist::Profile& profile, state::CometRecord& record) {
    record.TY = profile.ReadInt(kCometSection, "TY", 0);
    record.TM = profile.ReadInt(kCometSection, "TM", 0);
    record.TD = ReadNumber(profile, "TD");
    record.e = ReadNumber(profile, "e");
    record.q = ReadNumber(profile, "q");
    record.Peri = ReadNumber(profile, "Peri");
    record.Node = ReadNumber(profile, "Node");
    record.i = ReadNumber(profile, "i");
    ClampCometRecord(record);
    record.H1 = MagnitudeTerm(ReadNumber(profile, "H1"));
    record.K1 = MagnitudeTerm(ReadNumber(profile, "K1"));
    record.show = 1;
    record.initialised = 1;
}

std::string UserCometFile(const state::AppOptions& options) {
    const std::string directory =
        options.UserPath.empty() ? persist::DefaultUserDirectory() : options.UserPath;
    return persist::JoinPath(directory, persist::kUserCometFile);
}

CometImportResult ImportCometText(const std::string& path, state::CometTable& table,
                                  const state::AppOptions& options, state::ViewState& view,
                                  const std::string& userCometFile) {
    CometImportResult result;
    const persist::Profile profile = persist::Profile::Load(path);
    const std::string japanese = profile.ReadText(kCometSection, "NAMEJ", "", 32);
    const std::string english = profile.ReadText(kCometSection, "NAMEE", "", 32);
    if (japanese.empty() && english.empty()) {
        // Not a comet file (or no section at all): an unnamed record could not be told apart
        // from any other in the comet dialog, so nothing is added.
        Show(kNoCometName, state::MessageIcon::Exclamation);
        return result;
    }
    if (Show(Format(kAskAddComet, japanese, english), state::MessageIcon::Question,
             state::MessageButtons::YesNo) != state::MessageAnswer::Yes)
        return result;

    state::CometRecord incoming;
    CopyNameField(incoming.NAMEJ, japanese);
    CopyNameField(incoming.NAMEE, english);
    const int count = std::clamp(table.count, 0, state::kCometFileLimit);
    int index = -1;
    for (int k = 0; k < count; ++k) {
        if (SameNames(table.records[k], incoming)) {
            index = k;
            break;
        }
    }
    if (index < 0) {
        if (count >= state::kCometImportLimit) {
            Show(kCantAddAnymore, state::MessageIcon::Exclamation);
            return result;
        }
        index = count;
        table.records[index] = incoming;
        table.count = count + 1;
    }
    state::CometRecord& record = table.records[index];
    ReadCometElements(profile, record);
    result.changed = true;
    result.index = index;

    result.saved =
        persist::SaveComets(userCometFile, table, options.CometBright, options.CometKyori);
    if (!result.saved) Show(kFailedToSave, state::MessageIcon::Stop);

    if (view.Comet == 0) view.Comet = 3;
    return result;
}

CometImportResult ImportCometText(const std::string& path, state::CometTable& table,
                                  const state::AppOptions& options, state::ViewState& view) {
    return ImportCometText(path, table, options, view, UserCometFile(options));
}

}  // namespace astro

#include "persist/comet_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/regular_file.h"
#include "persist/settings.h"
#include "state/messages.h"

namespace persist {
namespace {

constexpr std::size_t kRecordSize = sizeof(state::CometRecord);
constexpr std::size_t kFileLimit = kRecordSize * state::kCometFileLimit;  // 33600 bytes

// Magnitude terms of the comets that the distributed list is known to hold: the absolute
// magnitude H1 and the coefficient K1 of log10 r (m = H1 + 5 log10 delta + K1 log10 r).
struct MagnitudeDefault {
    const char* japaneseName;  // UTF-8
    const char* englishName;
    float H1;
    float K1;
    // Earlier versions stored the two terms the wrong way round, which hid these comets in the
    // years everyone saw them; records that still hold exactly those values are set anew.
    float swappedH1;
    float swappedK1;
};

constexpr MagnitudeDefault kMagnitudeDefaults[] = {
    {"ハレー彗星", "Halley", 5.5f, 8.0f, 8.0f, 5.5f},
    {"ヘール・ボップ彗星", "Hale-Bopp", -2.0f, 10.0f, 10.0f, -2.0f},
    {"第２百武彗星", "Hyakutake 2", 5.5f, 10.0f, 10.0f, 5.5f},
};

std::string_view FieldText(const char (&field)[32]) {
    return std::string_view(field, strnlen(field, sizeof field));
}

const MagnitudeDefault* KnownComet(const state::CometRecord& record) {
    for (const MagnitudeDefault& known : kMagnitudeDefaults) {
        if (FieldText(record.NAMEJ) == known.japaneseName ||
            FieldText(record.NAMEE) == known.englishName)
            return &known;
    }
    return nullptr;
}

void ApplyMagnitudeDefaults(state::CometRecord& record) {
    const MagnitudeDefault* known = KnownComet(record);
    const bool swapped = record.initialised != 0 && known && record.H1 == known->swappedH1 &&
                         record.K1 == known->swappedK1;
    if (record.initialised != 0 && !swapped) return;
    record.initialised = 1;
    record.H1 = known ? known->H1 : 0.0f;
    record.K1 = known ? known->K1 : 0.0f;
}

}  // namespace

int LoadComets(const std::string& path, state::CometTable& table) {
    std::vector<uint8_t> bytes;
    if (ReadRegularFileStart(path, kFileLimit, bytes) != FileStatus::Ok) return 0;
    return ParseComets(bytes, table);
}

int ParseComets(std::span<const uint8_t> bytes, state::CometTable& table) {
    const int count = static_cast<int>(std::min(bytes.size(), kFileLimit) / kRecordSize);
    if (count == 0) return 0;  // the table in memory stays as it was

    for (int i = 0; i < count; ++i) {
        state::CometRecord& record = table.records[i];
        std::memcpy(&record, bytes.data() + static_cast<std::size_t>(i) * kRecordSize, kRecordSize);
        record.NAMEJ[sizeof record.NAMEJ - 1] = '\0';
        record.NAMEE[sizeof record.NAMEE - 1] = '\0';
        ApplyMagnitudeDefaults(record);
    }
    table.count = count;
    return count;
}

bool SaveComets(const std::string& path, const state::CometTable& table, int cometBright,
                int cometKyori) {
    WriteProfileKeys(kSettingsSection, {{"CometBright", std::to_string(cometBright)},
                                        {"CometKyori", std::to_string(cometKyori)}});
    const int count = std::clamp(table.count, 0, state::kCometFileLimit);
    std::string bytes(static_cast<std::size_t>(count) * kRecordSize, '\0');
    std::memcpy(bytes.data(), table.records.data(), bytes.size());
    return WriteFileAtomically(path, bytes);
}

int LoadStartupComets(const std::string& userPath, state::CometTable& table) {
    int count = LoadComets(JoinPath(userPath, kUserCometFile), table);
    if (count == 0) count = LoadComets(ProgramFile(kShippedCometFile), table);
    if (count == 0) {
        state::CloseTitleWindow();
        state::ShowMessage({"Failed to read data.", kShippedCometFile, state::MessageIcon::Stop,
                            state::MessageButtons::Ok});
    }
    return count;
}

}  // namespace persist

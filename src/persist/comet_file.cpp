#include "persist/comet_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/settings.h"
#include "state/messages.h"

namespace persist {
namespace {

constexpr std::size_t kRecordSize = sizeof(state::CometRecord);
constexpr std::size_t kFileLimit = kRecordSize * state::kCometFileLimit;  // 33600 bytes

// Magnitude terms of the comets that the distributed list is known to hold.
struct MagnitudeDefault {
    const char* japaneseName;  // UTF-8
    const char* englishName;
    float H1;
    float K1;
};

constexpr MagnitudeDefault kMagnitudeDefaults[] = {
    {"ハレー彗星", "Halley", 8.0f, 5.5f},
    {"ヘール・ボップ彗星", "Hale-Bopp", 10.0f, -2.0f},
    {"第２百武彗星", "Hyakutake 2", 10.0f, 5.5f},
};

std::string_view FieldText(const char (&field)[32]) {
    return std::string_view(field, strnlen(field, sizeof field));
}

void ApplyMagnitudeDefaults(state::CometRecord& record) {
    record.initialised = 1;
    record.H1 = 0.0f;
    record.K1 = 0.0f;
    for (const MagnitudeDefault& known : kMagnitudeDefaults) {
        if (FieldText(record.NAMEJ) == known.japaneseName ||
            FieldText(record.NAMEE) == known.englishName) {
            record.H1 = known.H1;
            record.K1 = known.K1;
            return;
        }
    }
}

// Reads up to limit bytes; a short file simply gives fewer.
std::size_t ReadUpTo(int fd, uint8_t* data, std::size_t limit) {
    std::size_t total = 0;
    while (total < limit) {
        ssize_t got = ::read(fd, data + total, limit - total);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

}  // namespace

int LoadComets(const std::string& path, state::CometTable& table) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::vector<uint8_t> bytes(kFileLimit);
    const std::size_t got = ReadUpTo(fd, bytes.data(), bytes.size());
    ::close(fd);
    return ParseComets(std::span<const uint8_t>(bytes.data(), got), table);
}

int ParseComets(std::span<const uint8_t> bytes, state::CometTable& table) {
    const int count = static_cast<int>(std::min(bytes.size(), kFileLimit) / kRecordSize);
    if (count == 0) return 0;  // the table in memory stays as it was

    for (int i = 0; i < count; ++i) {
        state::CometRecord& record = table.records[i];
        std::memcpy(&record, bytes.data() + static_cast<std::size_t>(i) * kRecordSize, kRecordSize);
        record.NAMEJ[sizeof record.NAMEJ - 1] = '\0';
        record.NAMEE[sizeof record.NAMEE - 1] = '\0';
        if (record.initialised == 0) ApplyMagnitudeDefaults(record);
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

#include "persist/star_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <unordered_set>

#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/record_view.h"
#include "persist/records/star_records.h"

namespace persist {
namespace {

constexpr std::size_t kRecordSize = sizeof(StarNameRecord);
constexpr std::size_t kFileLimit = kRecordSize * kStarNameLimit;

// At most limit bytes of a regular file; nothing for anything else (a folder, a device, a pipe).
std::vector<uint8_t> ReadRegularFile(const std::string& path, std::size_t limit) {
    std::vector<uint8_t> bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return bytes;
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(std::min(limit, static_cast<std::size_t>(std::max<off_t>(info.st_size, 0))));
        std::size_t total = 0;
        while (total < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            total += static_cast<std::size_t>(got);
        }
        bytes.resize(total);
    }
    ::close(fd);
    return bytes;
}

}  // namespace

std::vector<StarNameRecord> ParseStarNames(std::span<const uint8_t> bytes, std::size_t starCount) {
    std::vector<StarNameRecord> records;
    std::unordered_set<uint32_t> named;
    const RecordView<StarNameRecord> view(bytes.first(std::min(bytes.size(), kFileLimit)));
    for (std::size_t i = 0; i < view.count(); ++i) {
        StarNameRecord record = view[i];
        record.name[sizeof record.name - 1] = 0;
        record.second[sizeof record.second - 1] = 0;
        if (record.star >= starCount || FieldText(record.name).empty()) continue;
        if (!named.insert(record.star).second) continue;
        records.push_back(record);
    }
    return records;
}

std::vector<StarNameRecord> ReadStarNameFile(const std::string& path, std::size_t starCount) {
    return ParseStarNames(ReadRegularFile(path, kFileLimit), starCount);
}

bool SaveStarNames(const std::string& path, std::span<const StarNameRecord> records) {
    return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(records.data()),
                                                      records.size_bytes()));
}

void UseStarNames(DataSet& data, std::span<const StarNameRecord> records) {
    Block& block = data.block(BlockId::STARN);
    block.size = records.size_bytes();
    block.storage.assign(block.size + kBlockSpareBytes, 0);
    if (block.size) std::memcpy(block.storage.data(), records.data(), block.size);
    block.loaded = true;
    data.starNameCount = records.size();
}

bool LoadUserStarNames(DataSet& data, const std::string& userPath) {
    const std::size_t stars = data.block(BlockId::STAR2).records<StarRecord>().count();
    const std::vector<StarNameRecord> records =
        ReadStarNameFile(JoinPath(userPath, kUserStarNameFile), stars);
    if (records.empty()) return false;
    UseStarNames(data, records);
    return true;
}

}  // namespace persist

#include "persist/data_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>

#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/star_names.h"
#include "state/messages.h"

namespace persist {
namespace {

// Index values are read up to 260 characters.
constexpr std::size_t kIndexValueBuffer = 261;
// No block comes near this; a larger file is refused like an allocation failure.
constexpr std::size_t kBlockFileLimit = std::size_t{1} << 30;

constexpr std::size_t kStarNameRecord = 68;
constexpr std::size_t kAlphaRecord = 10;
constexpr std::size_t kObjectRecord = 6;
constexpr std::size_t kCityRecord = 80;
constexpr std::size_t kYamaRecord = 4;
constexpr std::size_t kWorkEntryBytes = 6;  // projected objects and bright stars
constexpr std::size_t kDivisorLastEntry = 16384;

// What happens to a block right after it is loaded.
enum class LoadWork {
    None,
    CountStarNames,    // count = size / 68
    CountBrightStars,  // count = size / 10, the number of bright stars
    Objects,           // count = size / 6, plus the projected-object work buffer
    Divisors,          // entry 16385 := entry 16384
    Cities,            // whole degrees at offsets 64 and 66 become tenths
    Landscape,         // lowest altitude to 0, plus the projected-star work buffer
};

struct BlockSpec {
    BlockId id;
    const char* key;
    LoadWork work;
};

// Every block in loading order; each one is required.
constexpr BlockSpec kBlockTable[kBlockCount] = {
    {BlockId::STAR2, "STAR2", LoadWork::None},
    {BlockId::SEIZA, "SEIZA", LoadWork::None},
    {BlockId::SEIZAZ, "SEIZAZ", LoadWork::None},
    {BlockId::STARN, "STARN", LoadWork::CountStarNames},
    {BlockId::PIC, "PIC", LoadWork::None},
    {BlockId::MILKY, "MILKY", LoadWork::None},
    {BlockId::LINE, "LINE", LoadWork::None},
    {BlockId::KISETU, "KISETU", LoadWork::None},
    {BlockId::KISEN, "KISEN", LoadWork::None},
    {BlockId::STIDX, "STIDX", LoadWork::None},
    {BlockId::KAI, "KAI", LoadWork::None},
    {BlockId::SKUNM, "SKUNM", LoadWork::None},
    {BlockId::SKUSN, "SKUSN", LoadWork::None},
    {BlockId::SKUNU, "SKUNU", LoadWork::None},
    {BlockId::SKUSU, "SKUSU", LoadWork::None},
    {BlockId::SKULI, "SKULI", LoadWork::None},
    {BlockId::ALPHA, "ALPHA", LoadWork::CountBrightStars},
    {BlockId::OBJ, "OBJ", LoadWork::Objects},
    {BlockId::OBJN, "OBJN", LoadWork::None},
    {BlockId::SINCOS, "SINCOS", LoadWork::None},
    {BlockId::ZBI, "ZBI", LoadWork::Divisors},
    {BlockId::ZBI2, "ZBI2", LoadWork::Divisors},
    {BlockId::CITY, "CITY", LoadWork::Cities},
    {BlockId::EARTH, "EARTH", LoadWork::None},
    {BlockId::YAMA, "YAMA", LoadWork::Landscape},
};

void ShowStop(const std::string& text, const std::string& caption) {
    state::CloseTitleWindow();
    state::ShowMessage({text, caption, state::MessageIcon::Stop, state::MessageButtons::Ok});
}

bool ReadAll(int fd, uint8_t* data, std::size_t size) {
    while (size > 0) {
        ssize_t got = ::read(fd, data, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

uint16_t ReadU16(const Block& block, std::size_t offset) {
    uint16_t value;
    std::memcpy(&value, block.storage.data() + offset, sizeof value);
    return value;
}

void WriteU16(Block& block, std::size_t offset, uint16_t value) {
    std::memcpy(block.storage.data() + offset, &value, sizeof value);
}

// Both projection tables are read up to entry 16385, which the file does not hold.
bool FixDivisors(Block& block) {
    constexpr std::size_t last = kDivisorLastEntry * 2;
    if (block.size < last + 2) {
        ShowStop("The projection table is too short.", block.path);
        return false;
    }
    if (block.storage.size() < last + 4 + kBlockSpareBytes)
        block.storage.resize(last + 4 + kBlockSpareBytes, 0);
    WriteU16(block, last + 2, ReadU16(block, last));
    block.size = std::max(block.size, last + 4);
    return true;
}

void FixCities(Block& block) {
    for (std::size_t record = 0; record + kCityRecord <= block.size; record += kCityRecord)
        for (std::size_t offset : {std::size_t{64}, std::size_t{66}})
            WriteU16(block, record + offset,
                     static_cast<uint16_t>(ReadU16(block, record + offset) * 10u));
}

// The silhouette's lowest point is moved onto the horizon.
void FixLandscape(Block& block) {
    uint16_t lowest = 9999;
    for (std::size_t record = 0; record + kYamaRecord <= block.size; record += kYamaRecord)
        lowest = std::min(lowest, ReadU16(block, record + 2));
    for (std::size_t record = 0; record + kYamaRecord <= block.size; record += kYamaRecord)
        WriteU16(block, record + 2, static_cast<uint16_t>(ReadU16(block, record + 2) - lowest));
}

bool ApplyLoadWork(DataSet& set, const BlockSpec& spec) {
    Block& block = set.block(spec.id);
    switch (spec.work) {
        case LoadWork::None:
            break;
        case LoadWork::CountStarNames:
            set.starNameCount = block.size / kStarNameRecord;
            break;
        case LoadWork::CountBrightStars:
            set.brightStarCount = block.size / kAlphaRecord;
            break;
        case LoadWork::Objects:
            set.objectCount = block.size / kObjectRecord;
            set.objectWork.assign(set.objectCount * kWorkEntryBytes, 0);
            break;
        case LoadWork::Divisors:
            return FixDivisors(block);
        case LoadWork::Cities:
            set.cityCount = block.size / kCityRecord;
            FixCities(block);
            break;
        case LoadWork::Landscape:
            set.yamaCount = block.size / kYamaRecord;
            FixLandscape(block);
            set.starWork.assign(set.brightStarCount * kWorkEntryBytes, 0);
            break;
    }
    return true;
}

std::string IndexValue(const std::string& key, const std::string& alternateIndex) {
    std::string value = Profile::Load(ProgramFile(kDataIndexFile))
                            .ReadText(kDataIndexSection, key, "", kIndexValueBuffer);
    if (!alternateIndex.empty())
        value = Profile::Load(ProgramFile(alternateIndex))
                    .ReadText(kDataIndexSection, key, value, kIndexValueBuffer);
    // Index files written on other systems may separate folders with "\".
    std::replace(value.begin(), value.end(), '\\', '/');
    return value;
}

bool LoadGscIndex(DataSet& set, const std::string& directory) {
    static constexpr struct {
        const char* name;
        int kind;
    } kIndexFiles[] = {{"QELGAIDX.DAT", 1}, {"QELGSIDX.DAT", 0}};
    for (const auto& file : kIndexFiles) {
        if (LoadWholeFile(JoinPath(directory, file.name), set.gscIndex)) {
            set.gscIndexKind = file.kind;
            set.gscAvailable = true;
            return true;
        }
    }
    return false;
}

}  // namespace

const char* BlockKey(BlockId id) {
    return kBlockTable[static_cast<std::size_t>(id)].key;
}

bool LoadWholeFile(const std::string& path, Block& block) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    std::vector<uint8_t> storage;
    try {
        if (size > kBlockFileLimit) throw std::bad_alloc();
        storage.assign(size + kBlockSpareBytes, 0);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        ShowStop("Out of Memory!", path);
        return false;
    }
    const bool ok = ReadAll(fd, storage.data(), size);
    ::close(fd);
    if (!ok) return false;
    block.storage = std::move(storage);
    block.size = size;
    block.loaded = true;
    block.path = path;
    return true;
}

bool LoadBlock(const std::string& key, const std::string& alternateIndex,
               const std::string& userPath, Block& block, bool quiet, bool shippedOnly) {
    const std::string value = IndexValue(key, alternateIndex);
    if (value.empty()) {
        ShowStop("QELDATA.INI Error.", key);
        return false;
    }
    if (!shippedOnly && LoadWholeFile(JoinPath(userPath, value + ".USR"), block)) return true;
    const std::string shipped = ProgramFile(value + ".DAT");
    if (LoadWholeFile(shipped, block)) return true;
    state::CloseTitleWindow();
    if (!quiet) ShowStop("Failed to read the data file.", shipped);
    return false;
}

bool LoadDataSet(DataSet& set, const std::string& userPath, std::string& gscPath,
                 const std::string& alternateIndex) {
    for (const BlockSpec& spec : kBlockTable) {
        Block& block = set.block(spec.id);
        if (!LoadBlock(spec.key, alternateIndex, userPath, block, false, false)) return false;
        if (!ApplyLoadWork(set, spec)) return false;
    }
    LoadUserStarNames(set, userPath);
    set.gscAvailable = false;
    set.gscIndex = Block{};
    if (LoadGscIndex(set, DataDirectory()))
        gscPath = DataDirectory();
    else if (!gscPath.empty())
        LoadGscIndex(set, gscPath);
    return true;
}

void FreeDataSet(DataSet& set) {
    for (Block& block : set.blocks)
        block = Block{};
    set.objectWork = {};
    set.starWork = {};
    set.starNameCount = set.brightStarCount = set.objectCount = set.cityCount = set.yamaCount = 0;
}

}  // namespace persist

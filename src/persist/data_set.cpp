#include "persist/data_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/records/star_records.h"
#include "persist/regular_file.h"
#include "persist/star_names.h"
#include "state/messages.h"

namespace persist {
namespace {

// Index values are read up to 260 characters.
constexpr std::size_t kIndexValueBuffer = 261;
// No block comes near this; a larger file is refused like an allocation failure.
constexpr std::size_t kBlockFileLimit = std::size_t{256} << 20;

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

// An index value names a file inside the data folder (or the user folder): no absolute path
// and no ".." that would climb out of it.
bool StaysInsideFolder(const std::string& value) {
    if (value.front() == '/') return false;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find('/', start), value.size());
        if (value.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
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

FileStatus LoadFile(const std::string& path, Block& block) {
    std::vector<uint8_t> storage;
    const FileStatus status = ReadRegularFile(path, kBlockFileLimit, storage, kBlockSpareBytes);
    if (status == FileStatus::TooLarge || status == FileStatus::NoMemory)
        ShowStop("Out of Memory!", path);
    if (status != FileStatus::Ok) return status;
    block.size = storage.size() - kBlockSpareBytes;
    block.storage = std::move(storage);
    block.loaded = true;
    block.path = path;
    return status;
}

void ShowWithoutGsc(const std::string& text, const std::string& caption) {
    state::CloseTitleWindow();
    state::ShowMessage({text + "\n\nThe program runs without the Guide Star Catalog.", caption,
                        state::MessageIcon::Exclamation, state::MessageButtons::Ok});
}

bool LoadGscIndex(DataSet& set, const std::string& directory) {
    static constexpr struct {
        const char* name;
        int kind;
    } kIndexFiles[] = {{"QELGAIDX.DAT", 1}, {"QELGSIDX.DAT", 0}};
    for (const auto& file : kIndexFiles) {
        const std::string path = JoinPath(directory, file.name);
        const FileStatus status = LoadFile(path, set.gscIndex);
        if (status == FileStatus::Ok) {
            set.gscIndexKind = file.kind;
            set.gscAvailable = true;
            return true;
        }
        if (status == FileStatus::NotRegular || status == FileStatus::Unreadable)
            ShowWithoutGsc(std::string("The index ") + FileStatusText(status) + ".", path);
    }
    return false;
}

// The catalogue zone (a x 72 + d) that a record's position falls in.
int ZoneOf(int16_t lon, int16_t lat) {
    const int a = (lon & 32767) * kGscZoneColumns / 32768;
    const int d = std::clamp((lat + 8192) * kGscZoneRows / 16384, 0, kGscZoneRows - 1);
    return a * kGscZoneRows + d;
}

// A record in its zone or next to it (catalogues may round the zone borders either way).
bool InOrBesideZone(const GscRecord& record, int zone) {
    const int found = ZoneOf(record.lon, record.lat);
    const int columns = std::abs(found / kGscZoneRows - zone / kGscZoneRows);
    const int rows = std::abs(found % kGscZoneRows - zone % kGscZoneRows);
    return (columns <= 1 || columns == kGscZoneColumns - 1) && rows <= 1;
}

// Reads the record at index from the catalogue file.
bool ReadGscRecord(int fd, uint64_t index, GscRecord& record) {
    return ::pread(fd, &record, sizeof record, static_cast<off_t>(index * sizeof record)) ==
           static_cast<ssize_t>(sizeof record);
}

// The index must describe the catalogue beside it, or the deep layer would draw phantom stars:
// 96 x 72 entries, every zone's records inside the file, and the first and last record of each
// zone in that zone. Without the one catalogue file the zones come from files of their own,
// which are read (and bounded) zone by zone.
std::string GscMismatch(const DataSet& set, const std::string& cataloguePath) {
    const RecordView<GscIndexEntry> index = set.gscIndex.records<GscIndexEntry>();
    if (set.gscIndex.size != kGscZones * sizeof(GscIndexEntry))
        return "The Guide Star Catalog index does not have 96 x 72 zones.";
    FileStatus status;
    const int fd = OpenRegularFile(cataloguePath, status);
    if (status == FileStatus::Missing) return {};
    if (fd < 0) return std::string("The Guide Star Catalog ") + FileStatusText(status) + ".";
    struct stat info {};
    const uint64_t records =
        ::fstat(fd, &info) == 0 ? uint64_t(info.st_size) / sizeof(GscRecord) : 0;
    std::string mismatch;
    for (int zone = 0; zone < kGscZones && mismatch.empty(); ++zone) {
        const GscIndexEntry entry = index.at(static_cast<std::size_t>(zone));
        if (entry.count == 0) continue;
        GscRecord first{}, last{};
        if (uint64_t{entry.first} + entry.count > records ||
            !ReadGscRecord(fd, entry.first, first) ||
            !ReadGscRecord(fd, uint64_t{entry.first} + entry.count - 1, last) ||
            !InOrBesideZone(first, zone) || !InOrBesideZone(last, zone))
            mismatch = "The Guide Star Catalog does not match its index.";
    }
    ::close(fd);
    return mismatch;
}

}  // namespace

const char* BlockKey(BlockId id) {
    return kBlockTable[static_cast<std::size_t>(id)].key;
}

const char* GscCatalogueName(int indexKind) {
    return indexKind == 1 ? "QELGSA.DAT" : "QELGSC.DAT";
}

bool LoadWholeFile(const std::string& path, Block& block) {
    return LoadFile(path, block) == FileStatus::Ok;
}

bool LoadBlock(const std::string& key, const std::string& alternateIndex,
               const std::string& userPath, Block& block, bool quiet, bool shippedOnly) {
    const std::string value = IndexValue(key, alternateIndex);
    if (value.empty() || !StaysInsideFolder(value)) {
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
    if (set.gscAvailable) {
        const std::string catalogue = JoinPath(gscPath, GscCatalogueName(set.gscIndexKind));
        const std::string mismatch = GscMismatch(set, catalogue);
        if (!mismatch.empty()) {
            ShowWithoutGsc(mismatch, catalogue);
            set.gscAvailable = false;
            set.gscIndex = Block{};
        }
    }
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

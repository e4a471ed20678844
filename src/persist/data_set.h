// The data file set: every catalogue block named by the index file QELDATA.INI (section
// "QELDATA") in the data directory, read whole into memory at start-up and kept until exit.
// A user copy "<name>.USR" in the user directory is preferred to the shipped "<name>.DAT".
// Failures are shown through state::ShowMessage (after state::CloseTitleWindow) with the
// program's own texts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "persist/record_view.h"

namespace persist {

inline constexpr const char* kDataIndexFile = "QELDATA.INI";
inline constexpr const char* kDataIndexSection = "QELDATA";
inline constexpr std::size_t kBlockSpareBytes = 16;

// The blocks in loading order.
enum class BlockId {
    STAR2,
    SEIZA,
    SEIZAZ,
    STARN,
    PIC,
    MILKY,
    LINE,
    KISETU,
    KISEN,
    STIDX,
    KAI,
    SKUNM,
    SKUSN,
    SKUNU,
    SKUSU,
    SKULI,
    ALPHA,
    OBJ,
    OBJN,
    SINCOS,
    ZBI,
    ZBI2,
    CITY,
    EARTH,
    YAMA,
};
inline constexpr std::size_t kBlockCount = 25;

// The index-file key of a block ("STAR2", ...).
const char* BlockKey(BlockId id);

// One loaded file: its bytes plus kBlockSpareBytes zero bytes. size is the readable size
// (the file size; for ZBI/ZBI2 it also covers the entry added by the load-time fix-up).
struct Block {
    std::vector<uint8_t> storage;
    std::size_t size = 0;
    bool loaded = false;
    std::string path;  // the file it was read from

    std::span<const uint8_t> bytes() const { return {storage.data(), size}; }
    std::span<uint8_t> mutableBytes() { return {storage.data(), size}; }
    ByteView view() const { return ByteView(bytes()); }
    template <class T>
    RecordView<T> records() const {
        return RecordView<T>(bytes());
    }
};

struct DataSet {
    std::array<Block, kBlockCount> blocks;

    // Counts set by the load-time work.
    std::size_t starNameCount = 0;    // STARN size / 68
    std::size_t brightStarCount = 0;  // ALPHA size / 10
    std::size_t objectCount = 0;      // OBJ size / 6
    std::size_t cityCount = 0;        // CITY size / 80
    std::size_t yamaCount = 0;        // YAMA size / 4

    // Work buffers allocated beside the blocks: the projected deep-sky objects (6 bytes per
    // OBJ record) and the projected bright stars (6 bytes per bright star).
    std::vector<uint8_t> objectWork;
    std::vector<uint8_t> starWork;

    // Guide Star Catalog index (kept after FreeDataSet, as it lives until the process ends).
    bool gscAvailable = false;
    int gscIndexKind = 0;  // 1 "QELGAIDX.DAT" (variant A), 0 "QELGSIDX.DAT" (variant G)
    Block gscIndex;

    Block& block(BlockId id) { return blocks[static_cast<std::size_t>(id)]; }
    const Block& block(BlockId id) const { return blocks[static_cast<std::size_t>(id)]; }
};

// Reads a whole regular file into block (bytes + 16 zero bytes). Returns false without a
// message when the file is missing, special or cannot be read; shows "Out of Memory!" (caption:
// the path) when it is larger than any block or the memory cannot be had.
bool LoadWholeFile(const std::string& path, Block& block);

// Finds and loads one block: the key is read from QELDATA.INI in the data directory and, when
// alternateIndex is not empty, again from that file in the data directory (overriding). Then
// userPath/<value>.USR (unless shippedOnly), then <data directory>/<value>.DAT. Messages:
// "QELDATA.INI Error." (caption: the key) for a missing key or a value that leaves the folder
// (an absolute path or a ".." part); "Failed to read the data file."
// (caption: the .DAT path) unless quiet.
bool LoadBlock(const std::string& key, const std::string& alternateIndex,
               const std::string& userPath, Block& block, bool quiet, bool shippedOnly);

// Loads every block in order with its load-time work, stopping at the first failure (false);
// the user's star names (QELSTARN.USR in userPath) take the place of the shipped ones;
// then looks for the Guide Star Catalog index: QELGAIDX.DAT, QELGSIDX.DAT in the data
// directory (gscPath then becomes the data directory), else the same names in gscPath. An index
// that does not match its catalogue file (GscCatalogueName) leaves the catalogue unused, with a
// message. The caller copies set.gscAvailable to the view state.
bool LoadDataSet(DataSet& set, const std::string& userPath, std::string& gscPath,
                 const std::string& alternateIndex = {});

// The deep star catalogue file that goes with an index kind: "QELGSA.DAT" for 1, else
// "QELGSC.DAT".
const char* GscCatalogueName(int indexKind);

// Releases every block and work buffer of the table; the GSC index stays.
void FreeDataSet(DataSet& set);

}  // namespace persist

#include "persist/data_set.h"

#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <map>
#include <tuple>

#include "persist/comet_file.h"
#include "persist/profile.h"
#include "persist/record_view.h"
#include "persist/records/star_records.h"
#include "persist/star_names.h"
#include "persist/view_file.h"
#include "test_world.h"

namespace {

using namespace persist_test;
using persist::BlockId;

std::string Int16s(std::initializer_list<int> values) {
    std::string bytes;
    for (int value : values) {
        const auto v = static_cast<uint16_t>(value);
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    }
    return bytes;
}

// A divisor table with entries 0..16384, the last one being 16384 + 7.
std::string DivisorTable() {
    std::string bytes;
    for (int i = 0; i <= 16384; ++i)
        bytes += Int16s({i == 16384 ? 16391 : 1000 + (i % 100)});
    return bytes;
}

// A deep star index of 96 x 72 zones, all empty but one (zone, first, count).
std::string GscIndex(uint32_t zone = 0, uint32_t first = 0, uint32_t count = 0) {
    std::vector<persist::GscIndexEntry> entries(persist::kGscZones);
    entries[zone] = {first, count};
    return std::string(reinterpret_cast<const char*>(entries.data()), entries.size() * 8);
}

class DataSetTest : public TestWorld {
  protected:
    void SetUp() override {
        TestWorld::SetUp();
        for (std::size_t i = 0; i < persist::kBlockCount; ++i) {
            const std::string key = persist::BlockKey(static_cast<BlockId>(i));
            files_[key] = std::string(3, static_cast<char>('a' + i));
        }
        files_["STARN"] = std::string(68 * 3 + 5, 's');
        files_["ALPHA"] = std::string(10 * 4 + 3, 'a');
        files_["OBJ"] = std::string(6 * 5 + 1, 'o');
        files_["ZBI"] = DivisorTable();
        files_["ZBI2"] = DivisorTable();
        // A whole record and a partial one, which is neither counted nor converted.
        files_["CITY"] = Bytes({City("Tokyo", 35, -139, 540, 0), City("Quito", 0, 78, -300, 0)}) +
                         std::string(70, '\x01');
        files_["YAMA"] = Int16s({0, 700, 100, 500, 200, 9000});  // lowest altitude 500
    }

    // Writes QELDATA.INI naming every block "blocks/<key>" and the block files.
    void WriteDataSet(const std::string& skipKey = {}) {
        std::string index = "[QELDATA]\n";
        for (const auto& [key, bytes] : files_) {
            if (key == skipKey) continue;
            index += key + "=blocks/" + key + "\n";
            WriteFile(DataDir() + "/blocks/" + key + ".DAT", bytes);
        }
        WriteFile(DataDir() + "/QELDATA.INI", index);
    }

    bool Load() {
        set_ = {};
        gscPath_ = Root() + "/gsc";
        return persist::LoadDataSet(set_, UserDir(), gscPath_);
    }
    bool LoadOne(const std::string& key, const std::string& alternate = {}) {
        persist::Block block;
        const bool loaded = persist::LoadBlock(key, alternate, UserDir(), block, false, false);
        size_ = block.size;
        return loaded;
    }

    std::map<std::string, std::string> files_;
    persist::DataSet set_;
    std::string gscPath_;
    std::size_t size_ = 0;
};

TEST_F(DataSetTest, LoadsEveryBlockWithItsLoadTimeWork) {
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_TRUE(Messages().empty());
    for (const persist::Block& block : set_.blocks) {
        EXPECT_TRUE(block.loaded);
        ASSERT_GE(block.storage.size(), block.size + persist::kBlockSpareBytes);
    }
    EXPECT_EQ(set_.block(BlockId::SEIZA).storage[3], 0);  // the spare bytes are zero
    EXPECT_EQ(std::tuple(set_.starNameCount, set_.brightStarCount, set_.objectCount,
                         set_.objectWork.size(), set_.starWork.size(), set_.cityCount),
              std::tuple(3u, 4u, 5u, 30u, 24u, 2u));
    // Divisor tables repeat their last entry.
    for (BlockId id : {BlockId::ZBI, BlockId::ZBI2}) {
        const auto table = set_.block(id).records<int16_t>();
        ASSERT_EQ(table.count(), 16386u);
        EXPECT_EQ(std::tuple(table.at(5), table.at(16384), table.at(16385)),
                  std::tuple(1005, 16391, 16391));
    }
    // Cities: whole degrees become tenths; the zone and the partial record are left alone.
    const persist::ByteView city = set_.block(BlockId::CITY).view();
    EXPECT_EQ(std::tuple(city.i16(64), city.i16(66), city.i16(68), city.i16(80 + 66)),
              std::tuple(350, -1390, 540, 780));
    EXPECT_EQ(city.i16(160 + 64), 0x0101);
    // The landscape is shifted onto the horizon; azimuths stay.
    const persist::ByteView yama = set_.block(BlockId::YAMA).view();
    EXPECT_EQ(set_.yamaCount, 3u);
    EXPECT_EQ(std::tuple(yama.u16(2), yama.u16(4), yama.u16(6), yama.u16(10)),
              std::tuple(200, 100, 0, 8500));
    // Above the start value the shift is 9999; empty blocks load with no records.
    files_["YAMA"] = Int16s({0, 12000, 1, 10000});
    files_["STARN"].clear();
    files_["OBJ"].clear();
    WriteDataSet();
    ASSERT_TRUE(Load());
    const persist::ByteView shifted = set_.block(BlockId::YAMA).view();
    EXPECT_EQ(std::tuple(shifted.u16(2), shifted.u16(6)), std::tuple(2001, 1));
    EXPECT_TRUE(set_.block(BlockId::STARN).loaded);
    EXPECT_EQ(set_.starNameCount + set_.objectCount + set_.objectWork.size(), 0u);
}

TEST_F(DataSetTest, AFailedBlockStopsTheLoadNamingIt) {
    const std::string blocks = DataDir() + "/blocks/";
    const struct {
        std::function<void()> damage;
        std::vector<std::string> texts;
        std::string caption;
        BlockId lastLoaded, firstUnloaded;
    } cases[] = {
        {[&] {
             files_["ZBI2"] = Int16s({1, 2, 3}), WriteDataSet();
         },
         {"The projection table is too short."},
         blocks + "ZBI2.DAT",
         BlockId::ZBI,
         BlockId::CITY},
        {[&] { WriteDataSet("KAI"); }, {"QELDATA.INI Error."}, "KAI", BlockId::STIDX, BlockId::KAI},
        {[&] { WriteDataSet(), fs::remove(blocks + "OBJN.DAT"); },
         {"Failed to read the data file."},
         blocks + "OBJN.DAT",
         BlockId::OBJ,
         BlockId::SINCOS},
        // A sparse file: huge in size, no space on disk.
        {[&] {
             WriteDataSet(), fs::resize_file(blocks + "PIC.DAT", (std::uintmax_t{1} << 30) + 1);
         },
         {"Out of Memory!", "Failed to read the data file."},
         blocks + "PIC.DAT",
         BlockId::STARN,
         BlockId::PIC},
    };
    const auto intact = files_;
    for (const auto& c : cases) {
        files_ = intact;
        const std::size_t before = Messages().size();
        const int closes = TitleCloses();
        c.damage();
        EXPECT_FALSE(Load()) << c.caption;
        std::vector<std::string> texts;
        for (std::size_t i = before; i < Messages().size(); ++i)
            texts.push_back(Messages()[i].text);
        EXPECT_EQ(texts, c.texts) << c.caption;
        EXPECT_EQ(Messages().at(before).caption, c.caption);
        EXPECT_EQ(Messages().at(before).icon, state::MessageIcon::Stop);
        EXPECT_GT(TitleCloses(), closes);
        EXPECT_TRUE(set_.block(c.lastLoaded).loaded) << c.caption;
        EXPECT_FALSE(set_.block(c.firstUnloaded).loaded) << c.caption;
    }
}

TEST_F(DataSetTest, BlocksAreFoundThroughTheIndexesAndTheUsersCopy) {
    WriteDataSet();
    WriteFile(UserDir() + "/blocks/STARN.USR", std::string(68, 'u'));
    ASSERT_TRUE(Load());
    EXPECT_EQ(set_.starNameCount, 1u);
    EXPECT_EQ(set_.block(BlockId::STARN).path, UserDir() + "/blocks/STARN.USR");
    persist::Block shipped;
    ASSERT_TRUE(persist::LoadBlock("STARN", {}, UserDir(), shipped, false, true));
    EXPECT_EQ(shipped.size, 68u * 3 + 5);
    // An alternate index overrides single entries.
    WriteFile(DataDir() + "/ALT.INI", "[QELDATA]\nSEIZA=other/SEIZA\n");
    WriteFile(DataDir() + "/other/SEIZA.DAT", "0123456789");
    ASSERT_TRUE(LoadOne("SEIZA", "ALT.INI"));
    EXPECT_EQ(size_, 10u);
    ASSERT_TRUE(LoadOne("STAR2", "ALT.INI"));
    EXPECT_EQ(size_, 3u);
    // A quiet load of a missing file says nothing.
    fs::remove(DataDir() + "/blocks/STIDX.DAT");
    EXPECT_FALSE(persist::LoadBlock("STIDX", {}, UserDir(), shipped, true, false));
    EXPECT_TRUE(Messages().empty());
    // Backslash folders work; values that leave the data folder are refused.
    WriteFile(Root() + "/outside/SEIZA.USR", "outside");
    for (const auto& [value, found] : {std::pair{std::string("blocks\\SEIZA"), true},
                                       {"../outside/SEIZA", false},
                                       {Root() + "/outside/SEIZA", false}}) {
        WriteFile(DataDir() + "/QELDATA.INI", "[QELDATA]\nSEIZA=" + value + "\n");
        const std::size_t before = Messages().size();
        EXPECT_EQ(LoadOne("SEIZA"), found) << value;
        if (!found) {
            ASSERT_EQ(Messages().size(), before + 1) << value;
            EXPECT_EQ(Messages().back().text, "QELDATA.INI Error.");
        }
    }
}

TEST_F(DataSetTest, TheDeepStarIndexIsFoundAndCheckedAgainstItsCatalogue) {
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_FALSE(set_.gscAvailable);  // none is no error
    EXPECT_TRUE(Messages().empty());
    // In its own folder, then beside the data, which wins.
    WriteFile(Root() + "/gsc/QELGSIDX.DAT", GscIndex());
    WriteFile(Root() + "/gsc/QELGAIDX.DAT", GscIndex());
    ASSERT_TRUE(Load());
    EXPECT_EQ(std::tuple(set_.gscAvailable, set_.gscIndexKind, gscPath_),
              std::tuple(true, 1, Root() + "/gsc"));
    WriteFile(DataDir() + "/QELGSIDX.DAT", GscIndex());
    ASSERT_TRUE(Load());
    EXPECT_EQ(std::tuple(set_.gscAvailable, set_.gscIndexKind, gscPath_),
              std::tuple(true, 0, DataDir()));
    EXPECT_EQ(set_.gscIndex.records<uint64_t>().count(), 6912u);
    // Freeing releases the blocks but keeps the deep star index; twice is harmless.
    persist::FreeDataSet(set_);
    for (const persist::Block& block : set_.blocks)
        EXPECT_FALSE(block.loaded);
    EXPECT_TRUE(set_.objectWork.empty());
    EXPECT_TRUE(set_.gscIndex.loaded);
    persist::FreeDataSet(set_);
    fs::remove(DataDir() + "/QELGSIDX.DAT");
    fs::remove_all(Root() + "/gsc");
    // Zone 36 (a = 0, d = 36) holds longitude 0..3.75 degrees, latitude 0..2.5 degrees: three
    // 5-byte records at 1.1 degrees each way ("d" is 100).
    const std::string stars("d\0d\0dd\0d\0dd\0d\0d", 15);
    const std::tuple<std::string, std::string, bool> cases[] = {
        {GscIndex(36, 0, 3), stars, true},
        {GscIndex(36, 2, 3), stars, false},                 // past the end
        {GscIndex(5, 0, 3), std::string(15, '\0'), false},  // a catalogue of zeros
        {GscIndex().substr(8), stars, false},
    };
    for (const auto& [index, catalogue, usable] : cases) {
        WriteFile(DataDir() + "/QELGAIDX.DAT", index);
        WriteFile(DataDir() + "/QELGSA.DAT", catalogue);
        const std::size_t before = Messages().size();
        ASSERT_TRUE(Load());
        EXPECT_EQ(set_.gscAvailable, usable);
        EXPECT_EQ(Messages().size(), before + (usable ? 0 : 1));
    }
}

// Special files in place of the program's files: every reader answers at once, as for a file it
// cannot read, instead of waiting on a FIFO or reading a device without end.
TEST_F(DataSetTest, SpecialFilesAreUnreadableToEveryReader) {
    const std::string fifo = DataDir() + "/QELDATA.INI", folder = Root() + "/folder";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(folder);
    fs::create_symlink("/dev/zero", Root() + "/zero");
    for (const std::string& path : {fifo, folder, Root() + "/zero"}) {
        persist::FileStatus status = persist::FileStatus::Ok;
        EXPECT_EQ(persist::Profile::Load(path, &status).Text(), "") << path;
        EXPECT_EQ(status, persist::FileStatus::NotRegular) << path;
        state::ViewState view;
        state::AppOptions options;
        EXPECT_EQ(persist::OpenViewFile(path, view, options), persist::ViewFileResult::CannotOpen);
        state::CometTable comets;
        EXPECT_EQ(persist::LoadComets(path, comets), 0) << path;
        persist::Block block;
        EXPECT_FALSE(persist::LoadWholeFile(path, block)) << path;
    }
    persist::Block missing;
    EXPECT_FALSE(persist::LoadWholeFile(Root() + "/none", missing));
    EXPECT_FALSE(missing.loaded);
    EXPECT_TRUE(Messages().empty());
    // The data index as a FIFO gets the program's message for a broken index.
    EXPECT_FALSE(LoadOne("STAR2"));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "QELDATA.INI Error.");
}

TEST(RecordView, NeverReadsPastTheEnd) {
    const std::vector<uint8_t> bytes{1, 0, 2, 0, 3};
    persist::RecordView<int16_t> view{std::span<const uint8_t>(bytes)};
    EXPECT_EQ(view.count(), 2u);
    EXPECT_EQ(std::tuple(view.at(1), view.at(2), view.at(SIZE_MAX)), std::tuple(2, 0, 0));
    persist::ByteView raw{std::span<const uint8_t>(bytes)};
    EXPECT_EQ(std::tuple(raw.u8(4), raw.u16(4), raw.u32(SIZE_MAX - 1)), std::tuple(3, 0, 0u));
    EXPECT_EQ(std::tuple(raw.contains(5, 0), raw.contains(6, 0), raw.contains(1, SIZE_MAX)),
              std::tuple(true, false, false));
}

// The star-name file: every record checked, at most 1000, regular files only, and the saved
// names taking the shipped table's place at the next start.

using persist::StarNameRecord;

StarNameRecord Named(uint32_t star, const std::string& name) {
    StarNameRecord r{};
    r.star = star;
    std::memcpy(r.name, name.data(), std::min(name.size(), sizeof r.name));
    return r;
}

std::vector<StarNameRecord> Parse(const std::string& bytes, std::size_t stars) {
    return persist::ParseStarNames(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), stars);
}

using StarNamesTest = TestWorld;

TEST_F(StarNamesTest, OnlySoundRecordsAreKept) {
    const std::string bytes = Bytes({Named(0, "Sirius"), Named(persist::kRemovedStar, "Gone"),
                                     Named(1, ""), Named(99, "Beyond the catalogue"),
                                     Named(0, "Twice"), Named(2, std::string(40, 'x'))}) +
                              "partial";
    const std::vector<StarNameRecord> kept = Parse(bytes, 10);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(persist::FieldText(kept[0].name), "Sirius");
    EXPECT_EQ(persist::FieldText(kept[1].name), std::string(31, 'x'));

    std::vector<StarNameRecord> many;
    for (uint32_t i = 0; i < 1001; ++i)
        many.push_back(Named(i, "Star"));
    EXPECT_EQ(Parse(Bytes(many), 2000).size(), persist::kStarNameLimit);
}

// Reading the saved names at the next start is driven through the star-name dialog's test.
TEST_F(StarNamesTest, SavedNamesAreTheRecordsAndAFolderInTheirPlaceIsLeftAlone) {
    const std::string path = persist::JoinPath(UserDir(), persist::kUserStarNameFile);
    const std::vector<StarNameRecord> names{Named(3, "Canicula"), Named(5, "New Name")};
    ASSERT_TRUE(persist::SaveStarNames(path, names));
    EXPECT_EQ(ReadFile(path), Bytes(names));

    // A folder in the file's place is neither read nor overwritten; the loaded names stay.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    persist::DataSet data;
    data.starNameCount = 2;
    EXPECT_TRUE(persist::ReadStarNameFile(path, 10).empty());
    EXPECT_FALSE(persist::LoadUserStarNames(data, UserDir()));
    EXPECT_FALSE(persist::SaveStarNames(path, names));
    EXPECT_EQ(data.starNameCount, 2u);
}

}  // namespace

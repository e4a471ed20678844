#include "persist/data_set.h"

#include <sys/stat.h>

#include <cstring>
#include <map>
#include <tuple>

#include "persist/comet_file.h"
#include "persist/profile.h"
#include "persist/records/star_records.h"
#include "persist/view_file.h"
#include "state/view_state.h"
#include "test_world.h"

namespace {

using persist::BlockId;
using persist::DataSet;
using persist_test::TestWorld;
namespace fs = std::filesystem;

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

std::string CityRecord(const char* name, int latitude, int longitude, int zone) {
    state::CityRecord city{};
    std::strncpy(city.name, name, sizeof city.name - 1);
    city.latitude = static_cast<int16_t>(latitude);
    city.longitude = static_cast<int16_t>(longitude);
    city.zone = static_cast<int16_t>(zone);
    return std::string(reinterpret_cast<const char*>(&city), sizeof city);
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
        files_["CITY"] = CityRecord("Tokyo", 35, -139, 540) + CityRecord("Quito", 0, 78, -300);
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
        gscPath_ = Root() + "/gsc";
        return persist::LoadDataSet(set_, UserDir(), gscPath_);
    }

    std::map<std::string, std::string> files_;
    DataSet set_;
    std::string gscPath_;
};

TEST_F(DataSetTest, LoadsEveryBlockWithItsLoadTimeWork) {
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_TRUE(Messages().empty());
    for (const persist::Block& block : set_.blocks) {
        EXPECT_TRUE(block.loaded);
        ASSERT_GE(block.storage.size(), block.size + persist::kBlockSpareBytes);
    }
    EXPECT_EQ(set_.block(BlockId::SEIZA).size, 3u);
    EXPECT_EQ(set_.block(BlockId::SEIZA).storage[3], 0);  // the spare bytes are zero
    EXPECT_EQ(set_.starNameCount, 3u);
    EXPECT_EQ(set_.brightStarCount, 4u);
    EXPECT_EQ(set_.objectCount, 5u);
    EXPECT_EQ(set_.objectWork.size(), 30u);
    EXPECT_EQ(set_.starWork.size(), 24u);
    EXPECT_EQ(set_.cityCount, 2u);

    // Cities: whole degrees become tenths; the zone is left alone.
    const auto cities = set_.block(BlockId::CITY).records<state::CityRecord>();
    ASSERT_EQ(cities.count(), 2u);
    EXPECT_EQ(cities.at(0).latitude, 350);
    EXPECT_EQ(cities.at(0).longitude, -1390);
    EXPECT_EQ(cities.at(0).zone, 540);
    EXPECT_EQ(cities.at(1).longitude, 780);
}

TEST_F(DataSetTest, DivisorTablesRepeatTheirLastEntry) {
    WriteDataSet();
    ASSERT_TRUE(Load());
    for (BlockId id : {BlockId::ZBI, BlockId::ZBI2}) {
        const auto table = set_.block(id).records<int16_t>();
        ASSERT_EQ(table.count(), 16386u);
        EXPECT_EQ(table.at(16384), 16391);
        EXPECT_EQ(table.at(16385), 16391);
        EXPECT_EQ(table.at(5), 1005);
    }
}

TEST_F(DataSetTest, ShortDivisorTableStopsTheLoadInsteadOfWritingPastIt) {
    files_["ZBI2"] = Int16s({1, 2, 3});
    WriteDataSet();
    EXPECT_FALSE(Load());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].caption, DataDir() + "/blocks/ZBI2.DAT");
    EXPECT_FALSE(set_.block(BlockId::CITY).loaded);
}

TEST_F(DataSetTest, LandscapeIsShiftedOntoTheHorizon) {
    WriteDataSet();
    ASSERT_TRUE(Load());
    const persist::ByteView yama = set_.block(BlockId::YAMA).view();
    EXPECT_EQ(set_.yamaCount, 3u);
    EXPECT_EQ(yama.u16(2), 200);
    EXPECT_EQ(yama.u16(6), 0);
    EXPECT_EQ(yama.u16(10), 8500);
    EXPECT_EQ(yama.u16(4), 100);  // azimuths untouched
}

TEST_F(DataSetTest, LandscapeAboveTheStartValueIsShiftedBy9999) {
    files_["YAMA"] = Int16s({0, 12000, 1, 10000});
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_EQ(set_.block(BlockId::YAMA).view().u16(2), 2001);
    EXPECT_EQ(set_.block(BlockId::YAMA).view().u16(6), 1);
}

TEST_F(DataSetTest, EmptyBlockFileLoadsWithNoRecords) {
    files_["STARN"].clear();
    files_["OBJ"].clear();
    files_["YAMA"].clear();
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_TRUE(set_.block(BlockId::STARN).loaded);
    EXPECT_EQ(set_.starNameCount, 0u);
    EXPECT_EQ(set_.objectCount, 0u);
    EXPECT_TRUE(set_.objectWork.empty());
    EXPECT_EQ(set_.yamaCount, 0u);
    EXPECT_TRUE(set_.block(BlockId::YAMA).records<uint32_t>().empty());
}

TEST_F(DataSetTest, MissingKeyNamesTheKeyAndStopsTheLoad) {
    WriteDataSet("KAI");
    EXPECT_FALSE(Load());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "QELDATA.INI Error.");
    EXPECT_EQ(Messages()[0].caption, "KAI");
    EXPECT_EQ(Messages()[0].icon, state::MessageIcon::Stop);
    EXPECT_GE(TitleCloses(), 1);
    EXPECT_TRUE(set_.block(BlockId::STIDX).loaded);
    for (std::size_t i = static_cast<std::size_t>(BlockId::KAI); i < persist::kBlockCount; ++i)
        EXPECT_FALSE(set_.blocks[i].loaded) << persist::BlockKey(static_cast<BlockId>(i));
}

TEST_F(DataSetTest, MissingFileNamesTheShippedPath) {
    WriteDataSet();
    fs::remove(DataDir() + "/blocks/OBJN.DAT");
    EXPECT_FALSE(Load());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "Failed to read the data file.");
    EXPECT_EQ(Messages()[0].caption, DataDir() + "/blocks/OBJN.DAT");
    EXPECT_FALSE(set_.block(BlockId::SINCOS).loaded);
}

TEST_F(DataSetTest, QuietLoadShowsNothing) {
    WriteDataSet();
    fs::remove(DataDir() + "/blocks/STARN.DAT");
    persist::Block block;
    EXPECT_FALSE(persist::LoadBlock("STARN", {}, UserDir(), block, true, false));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DataSetTest, UserCopyIsPreferredUnlessShippedOnly) {
    WriteDataSet();
    WriteFile(UserDir() + "/blocks/STARN.USR", std::string(68, 'u'));
    ASSERT_TRUE(Load());
    EXPECT_EQ(set_.starNameCount, 1u);
    EXPECT_EQ(set_.block(BlockId::STARN).path, UserDir() + "/blocks/STARN.USR");

    persist::Block shipped;
    ASSERT_TRUE(persist::LoadBlock("STARN", {}, UserDir(), shipped, false, true));
    EXPECT_EQ(shipped.size, 68u * 3 + 5);
}

TEST_F(DataSetTest, AlternateIndexOverridesSingleEntries) {
    WriteDataSet();
    WriteFile(DataDir() + "/ALT.INI", "[QELDATA]\nSEIZA=other/SEIZA\n");
    WriteFile(DataDir() + "/other/SEIZA.DAT", "0123456789");
    persist::Block seiza;
    persist::Block star;
    ASSERT_TRUE(persist::LoadBlock("SEIZA", "ALT.INI", UserDir(), seiza, false, false));
    ASSERT_TRUE(persist::LoadBlock("STAR2", "ALT.INI", UserDir(), star, false, false));
    EXPECT_EQ(seiza.size, 10u);
    EXPECT_EQ(star.size, 3u);
}

TEST_F(DataSetTest, BackslashFoldersInTheIndexWork) {
    WriteDataSet();
    WriteFile(DataDir() + "/QELDATA.INI", "[QELDATA]\nSEIZA=blocks\\SEIZA\n");
    persist::Block block;
    EXPECT_TRUE(persist::LoadBlock("SEIZA", {}, UserDir(), block, false, false));
}

TEST_F(DataSetTest, GuideStarIndexBesideTheDataWins) {
    WriteDataSet();
    WriteFile(gscPath_ = Root() + "/gsc/QELGAIDX.DAT", "elsewhere");
    WriteFile(DataDir() + "/QELGSIDX.DAT", GscIndex());
    ASSERT_TRUE(Load());
    EXPECT_TRUE(set_.gscAvailable);
    EXPECT_EQ(set_.gscIndexKind, 0);
    EXPECT_EQ(gscPath_, DataDir());
    EXPECT_EQ(set_.gscIndex.records<uint64_t>().count(), 6912u);
}

TEST_F(DataSetTest, GuideStarIndexInItsOwnFolder) {
    WriteDataSet();
    WriteFile(Root() + "/gsc/QELGSIDX.DAT", GscIndex());
    WriteFile(Root() + "/gsc/QELGAIDX.DAT", GscIndex());
    ASSERT_TRUE(Load());
    EXPECT_TRUE(set_.gscAvailable);
    EXPECT_EQ(set_.gscIndexKind, 1);
    EXPECT_EQ(gscPath_, Root() + "/gsc");
}

TEST_F(DataSetTest, AGuideStarIndexThatDoesNotMatchItsCatalogueIsNotUsed) {
    // Zone 36 (a = 0, d = 36) holds longitude 0..3.75 degrees, latitude 0..2.5 degrees: three
    // 5-byte records at 1.1 degrees each way ("d" is 100).
    const std::string stars("d\0d\0dd\0d\0dd\0d\0d", 15);
    const std::tuple<std::string, std::string, bool> cases[] = {
        {GscIndex(36, 0, 3), stars, true},
        {GscIndex(36, 2, 3), stars, false},                 // past the end
        {GscIndex(5, 0, 3), std::string(15, '\0'), false},  // a catalogue of zeros
        {GscIndex().substr(8), stars, false},
    };
    WriteDataSet();
    for (const auto& [index, catalogue, usable] : cases) {
        WriteFile(DataDir() + "/QELGAIDX.DAT", index);
        WriteFile(DataDir() + "/QELGSA.DAT", catalogue);
        const std::size_t before = Messages().size();
        ASSERT_TRUE(Load());
        EXPECT_EQ(set_.gscAvailable, usable);
        EXPECT_EQ(Messages().size(), before + (usable ? 0 : 1));
    }
}

TEST_F(DataSetTest, IndexValuesThatLeaveTheDataFolderAreRefused) {
    WriteDataSet();
    WriteFile(Root() + "/outside/SEIZA.USR", "outside");
    for (const std::string& value : {std::string("../outside/SEIZA"), Root() + "/outside/SEIZA"}) {
        WriteFile(DataDir() + "/QELDATA.INI", "[QELDATA]\nSEIZA=" + value + "\n");
        persist::Block block;
        EXPECT_FALSE(persist::LoadBlock("SEIZA", {}, UserDir(), block, false, false)) << value;
        EXPECT_EQ(Messages().back().text, "QELDATA.INI Error.");
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
    // The data index as a FIFO gets the program's message for a broken index.
    persist::Block block;
    EXPECT_FALSE(persist::LoadBlock("STAR2", {}, UserDir(), block, false, false));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "QELDATA.INI Error.");
}

TEST_F(DataSetTest, NoGuideStarIndexIsNoError) {
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_FALSE(set_.gscAvailable);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DataSetTest, FreeReleasesBlocksButKeepsTheGuideStarIndex) {
    WriteDataSet();
    WriteFile(DataDir() + "/QELGAIDX.DAT", GscIndex());
    ASSERT_TRUE(Load());
    persist::FreeDataSet(set_);
    for (const persist::Block& block : set_.blocks)
        EXPECT_FALSE(block.loaded);
    EXPECT_TRUE(set_.objectWork.empty());
    EXPECT_TRUE(set_.gscIndex.loaded);
    persist::FreeDataSet(set_);  // twice is harmless
}

TEST_F(DataSetTest, PartialCityRecordIsNeitherCountedNorTouched) {
    files_["CITY"] = CityRecord("Tokyo", 35, -139, 540) + std::string(70, '\x01');
    WriteDataSet();
    ASSERT_TRUE(Load());
    EXPECT_EQ(set_.cityCount, 1u);
    const persist::ByteView city = set_.block(BlockId::CITY).view();
    EXPECT_EQ(city.size(), 150u);
    EXPECT_EQ(city.i16(80 + 64), 0x0101);
}

TEST_F(DataSetTest, OversizedBlockFileIsRefusedAsOutOfMemory) {
    WriteDataSet();
    // A sparse file: huge in size, no space on disk.
    const std::string path = DataDir() + "/blocks/PIC.DAT";
    fs::resize_file(path, (std::uintmax_t{1} << 30) + 1);
    EXPECT_FALSE(Load());
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[0].text, "Out of Memory!");
    EXPECT_EQ(Messages()[0].caption, path);
    EXPECT_EQ(Messages()[1].text, "Failed to read the data file.");
    EXPECT_FALSE(set_.block(BlockId::PIC).loaded);
}

TEST_F(DataSetTest, WholeFileReadsRefuseFoldersAndMissingFiles) {
    persist::Block block;
    EXPECT_FALSE(persist::LoadWholeFile(DataDir(), block));
    EXPECT_FALSE(persist::LoadWholeFile(DataDir() + "/none", block));
    EXPECT_FALSE(block.loaded);
    EXPECT_TRUE(Messages().empty());
}

TEST(RecordView, NeverReadsPastTheEnd) {
    const std::vector<uint8_t> bytes{1, 0, 2, 0, 3};
    persist::RecordView<int16_t> view{std::span<const uint8_t>(bytes)};
    EXPECT_EQ(view.count(), 2u);
    EXPECT_EQ(view.at(1), 2);
    EXPECT_EQ(view.at(2), 0);  // the odd byte is not a record
    EXPECT_EQ(view.at(SIZE_MAX), 0);
    persist::ByteView raw{std::span<const uint8_t>(bytes)};
    EXPECT_EQ(raw.u8(4), 3);
    EXPECT_EQ(raw.u16(4), 0);
    EXPECT_EQ(raw.u32(SIZE_MAX - 1), 0u);
    EXPECT_TRUE(raw.contains(5, 0));
    EXPECT_FALSE(raw.contains(6, 0));
    EXPECT_FALSE(raw.contains(1, SIZE_MAX));
}

}  // namespace

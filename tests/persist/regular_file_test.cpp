// Special files in place of the program's files: every reader answers at once, as for a file it
// cannot read, instead of waiting on a FIFO or reading a device without end.
#include "persist/regular_file.h"

#include <sys/stat.h>

#include "persist/comet_file.h"
#include "persist/data_set.h"
#include "persist/profile.h"
#include "persist/view_file.h"
#include "test_world.h"

namespace {

using persist::FileStatus;
using persist_test::TestWorld;
namespace fs = std::filesystem;

class SpecialFiles : public TestWorld {
  protected:
    // A FIFO, a folder and a link to an endless device, each at a path of its own.
    std::vector<std::string> Make(const std::string& name) {
        const std::string fifo = Root() + "/fifo/" + name;
        const std::string folder = Root() + "/folder/" + name;
        const std::string device = Root() + "/device/" + name;
        for (const std::string& path : {fifo, folder, device})
            fs::create_directories(fs::path(path).parent_path());
        EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        fs::create_directories(folder);
        fs::create_symlink("/dev/zero", device);
        return {fifo, folder, device};
    }
};

TEST_F(SpecialFiles, EveryReaderTreatsThemAsUnreadable) {
    for (const std::string& path : Make("FILE.DAT")) {
        SCOPED_TRACE(path);
        FileStatus status = FileStatus::Ok;
        EXPECT_EQ(persist::Profile::Load(path, &status).Text(), "");
        EXPECT_EQ(status, FileStatus::NotRegular);
        EXPECT_FALSE(persist::Profile::LoadForUpdate(path));
        state::ViewState view;
        state::AppOptions options;
        EXPECT_EQ(persist::OpenViewFile(path, view, options), persist::ViewFileResult::CannotOpen);
        state::CometTable comets;
        EXPECT_EQ(persist::LoadComets(path, comets), 0);
        persist::Block block;
        EXPECT_FALSE(persist::LoadWholeFile(path, block));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SpecialFiles, TheDataIndexAndTheDeepStarIndexSayWhatIsWrong) {
    // QELDATA.INI as a FIFO: the program's message for a broken index.
    const std::vector<std::string> fifos = Make("QELDATA.INI");
    persist::SetDataDirectory(fs::path(fifos[0]).parent_path());
    persist::Block block;
    EXPECT_FALSE(persist::LoadBlock("STAR2", {}, UserDir(), block, false, false));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text, "QELDATA.INI Error.");

    // A readable index with empty blocks, and the deep star index as a FIFO.
    ASSERT_EQ(::mkfifo((Root() + "/fifo/QELGAIDX.DAT").c_str(), 0600), 0);
    fs::remove(fifos[0]);
    std::string index = "[QELDATA]\n";
    for (std::size_t i = 0; i < persist::kBlockCount; ++i) {
        const std::string key = persist::BlockKey(static_cast<persist::BlockId>(i));
        index += key + "=" + key + "\n";
        WriteFile(Root() + "/fifo/" + key + ".DAT",
                  key == "ZBI" || key == "ZBI2" ? std::string(32772, '\1') : std::string());
    }
    WriteFile(fifos[0], index);
    persist::DataSet set;
    std::string gscPath;
    ASSERT_TRUE(persist::LoadDataSet(set, UserDir(), gscPath));
    EXPECT_FALSE(set.gscAvailable);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].caption, Root() + "/fifo/QELGAIDX.DAT");
}

TEST_F(SpecialFiles, RegularFilesAreReadWithinTheirLimit) {
    const std::string path = Root() + "/regular";
    WriteFile(path, "0123456789");
    std::vector<uint8_t> bytes;
    EXPECT_EQ(persist::ReadRegularFile(path, 10, bytes, 2), FileStatus::Ok);
    EXPECT_EQ(bytes.size(), 12u);
    EXPECT_EQ(bytes[11], 0);
    EXPECT_EQ(persist::ReadRegularFile(path, 9, bytes), FileStatus::TooLarge);
    EXPECT_EQ(persist::ReadRegularFileStart(path, 4, bytes), FileStatus::Ok);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123");
    EXPECT_EQ(persist::ReadRegularFile(path + "-missing", 10, bytes), FileStatus::Missing);
}

}  // namespace

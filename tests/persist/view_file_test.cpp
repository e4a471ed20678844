#include "persist/view_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace persist {
namespace {

class ViewFileTest : public ::testing::Test {
  protected:
    std::filesystem::path dir;
    ViewRecord record{};
    state::ViewState view;
    state::AppOptions options;

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("view_file_test_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void Set(int offset, int32_t value) { record[static_cast<std::size_t>(offset / 4)] = value; }
    std::string Write(std::size_t bytes, const std::string& name = "view.QEL") {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(record.data()),
                   static_cast<std::streamsize>(std::min<std::size_t>(bytes, 512)));
        return path.string();
    }
};

TEST_F(ViewFileTest, OnlyTheSelectedGroupsChange) {
    Set(0, 2500);
    Set(240, kGroupTime);
    Set(84, 600);   // zoom, not restored
    Set(88, 1999);  // year
    Set(92, 8);
    Set(96, 11);
    Set(100, 11);
    Set(104, 3);
    Set(32, 40);  // DrawStars, not restored
    ASSERT_EQ(OpenViewFile(Write(512), view, options), ViewFileResult::Opened);
    EXPECT_EQ(view.clock, (state::CivilClock{1999, 8, 11, 11, 3}));
    EXPECT_EQ(view.Zoom, 80);
    EXPECT_EQ(view.DrawStars, 15);
    EXPECT_EQ(options.SaveOption, kGroupTime);
}

TEST_F(ViewFileTest, ShortFilesReadAsZeroAndTooShortFilesFail) {
    Set(0, 2500);
    Set(240, kGroupViewpoint | kGroupDisplay);
    Set(84, 350);
    Set(244, 18050);  // azimuth x 100
    Set(248, 4525);
    Set(272, 5);  // WakuseiLevel: beyond a 300-byte file
    view.WakuseiLevel = 3;
    ASSERT_EQ(OpenViewFile(Write(260), view, options), ViewFileResult::Opened);
    EXPECT_EQ(view.Zoom, 350);
    EXPECT_DOUBLE_EQ(view.Houi2, 180.5);
    EXPECT_DOUBLE_EQ(view.Koudo2, 45.25);
    EXPECT_EQ(view.WakuseiLevel, 0);
    state::ViewState before;
    EXPECT_EQ(OpenViewFile(Write(255, "short.QEL"), before, options), ViewFileResult::TooShort);
    EXPECT_EQ(OpenViewFile((dir / "missing.QEL").string(), before, options),
              ViewFileResult::CannotOpen);
    EXPECT_EQ(before.Zoom, 80);
}

TEST_F(ViewFileTest, FormatVersionsDecideTheFields) {
    Set(0, 2000);
    Set(240, kGroupDisplay | kGroupLocation);
    Set(272, 5);
    Set(64, 35);  // whole degrees, used before format 2030
    Set(68, -139);
    Set(264, 999);
    view.WakuseiLevel = 3;
    ASSERT_EQ(OpenViewFile(Write(512), view, options), ViewFileResult::Opened);
    EXPECT_EQ(view.WakuseiLevel, 3);  // only from 2500
    EXPECT_EQ(view.Ido2, 350);
    EXPECT_EQ(view.Keido2, -1390);
    // Old files restore every group but never start the automatic mode.
    record = {};
    Set(0, 170);
    Set(84, 120);
    Set(240, 0);
    ASSERT_EQ(OpenViewFile(Write(512, "old.QEL"), view, options), ViewFileResult::Opened);
    EXPECT_EQ(view.Zoom, 120);
    EXPECT_EQ(view.KisetuName, 0);  // takes Kisetu before 172
    EXPECT_FALSE(view.AutoRunning);
}

TEST_F(ViewFileTest, CometFilesAreRecognised) {
    const std::filesystem::path path = dir / "comet.QEL";
    std::ofstream(path) << "[DORVANCOMET]\nName=x\n";
    EXPECT_EQ(OpenViewFile(path.string(), view, options), ViewFileResult::CometFile);
}

TEST_F(ViewFileTest, OutOfRangeValuesAreBroughtIntoRange) {
    Set(0, 2500);
    Set(240, kGroupViewpoint | kGroupDisplay);
    Set(84, 0);
    Set(32, 100000);
    Set(248, 200000);
    Set(244, -9000);
    ASSERT_EQ(OpenViewFile(Write(512), view, options), ViewFileResult::Opened);
    EXPECT_EQ(view.Zoom, 10);
    EXPECT_EQ(view.DrawStars, 110);
    EXPECT_DOUBLE_EQ(view.Koudo2, 900.0);
    EXPECT_DOUBLE_EQ(view.Houi2, 3510.0);

    // An older file: whole degrees, and automatic-mode steps that the trace multiplies.
    Set(0, 1900);
    Set(240, kGroupLocation | kGroupAuto);
    for (int offset : {64, 68, 136, 156})
        Set(offset, INT32_MAX);
    ASSERT_EQ(OpenViewFile(Write(512), view, options), ViewFileResult::Opened);
    EXPECT_EQ(view.Ido2, 900);
    EXPECT_EQ(view.Keido2, 0);  // 72000 tenths: whole turns
    EXPECT_EQ(options.AutoYear, 1000);
    EXPECT_EQ(options.AutoRepeat, 120);
}

}  // namespace
}  // namespace persist

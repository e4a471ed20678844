// Importing a comet text file: confirmation, replacement by name, the 99-record limit, the
// clamps of every field, bad numbers, and the save to the user's comet file.
#include "astro/comet_import.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "persist/comet_file.h"
#include "state/messages.h"

namespace astro {
namespace {

namespace fs = std::filesystem;

class CometImport : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        root = fs::temp_directory_path() /
               ("comet-import-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::remove_all(root);
        fs::create_directories(root / "user");
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root / "share").c_str(), 1);
        options.UserPath = (root / "user").string();
        state::SetMessageHandler([this](const state::Message& message) {
            messages.push_back(message);
            return message.buttons == state::MessageButtons::YesNo ? answer
                                                                   : state::MessageAnswer::Ok;
        });
    }
    void TearDown() override {
        state::SetMessageHandler({});
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    std::string WriteText(const std::string& body) {
        const std::string path = (root / ("comet" + std::to_string(files++) + ".txt")).string();
        std::ofstream(path, std::ios::binary) << body;
        return path;
    }
    std::string UserFile() const { return (root / "user" / "QELCOMET.USR").string(); }

    fs::path root;
    int files = 0;
    state::CometTable table;
    state::AppOptions options;
    state::ViewState view;
    std::vector<state::Message> messages;
    state::MessageAnswer answer = state::MessageAnswer::Yes;
};

const char* kHaleBopp =
    "Some notes before the section\n"
    "[DORVANCOMET]\r\n"
    "NAMEJ=ヘール・ボップ彗星\r\n"
    "NAMEE=Hale-Bopp\r\n"
    "TY=1997\r\nTM=4\r\nTD=1.1373\r\n"
    "q=0.914142\r\ne=0.995068\r\nPeri=130.5887\r\nNode=282.4707\r\ni=89.4300\r\n"
    "H1=-0.8\r\nK1=7.5\r\n";

TEST_F(CometImport, AsksThenAppendsAndSavesTheUsersFile) {
    view.Comet = 0;
    const CometImportResult result = ImportCometText(WriteText(kHaleBopp), table, options, view);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Do you add a lower lower comet?\n\nヘール・ボップ彗星 Hale-Bopp");
    EXPECT_EQ(messages[0].icon, state::MessageIcon::Question);
    EXPECT_EQ(messages[0].buttons, state::MessageButtons::YesNo);
    EXPECT_EQ(messages[0].caption, "Planetarium");
    EXPECT_TRUE(result.changed);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.index, 0);
    ASSERT_EQ(table.count, 1);
    const state::CometRecord& r = table.records[0];
    EXPECT_STREQ(r.NAMEE, "Hale-Bopp");
    EXPECT_EQ(r.TY, 1997);
    EXPECT_EQ(r.TM, 4);
    EXPECT_DOUBLE_EQ(r.TD, 1.1373);
    EXPECT_DOUBLE_EQ(r.q, 0.914142);
    EXPECT_DOUBLE_EQ(r.e, 0.995068);
    EXPECT_DOUBLE_EQ(r.i, 89.43);
    EXPECT_FLOAT_EQ(r.H1, -0.8f);
    EXPECT_FLOAT_EQ(r.K1, 7.5f);
    EXPECT_EQ(r.show, 1);
    EXPECT_EQ(r.initialised, 1);
    EXPECT_EQ(view.Comet, 3);
    // The file reads back as the same table.
    state::CometTable reread;
    ASSERT_EQ(persist::LoadComets(UserFile(), reread), 1);
    EXPECT_EQ(std::memcmp(&reread.records[0], &r, sizeof r), 0);
}

TEST_F(CometImport, NoMeansNothingChanges) {
    answer = state::MessageAnswer::No;
    view.Comet = 0;
    const CometImportResult result = ImportCometText(WriteText(kHaleBopp), table, options, view);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(view.Comet, 0);
    EXPECT_FALSE(fs::exists(UserFile()));
}

TEST_F(CometImport, TheSameNamesTwiceReplaceTheRecord) {
    table.count = 2;
    std::strcpy(table.records[0].NAMEE, "Halley");
    std::strcpy(table.records[1].NAMEE, "Hale-Bopp");  // same English name, other Japanese
    ImportCometText(WriteText(kHaleBopp), table, options, view);
    ASSERT_EQ(table.count, 3);
    std::string second = kHaleBopp;
    second.replace(second.find("q=0.914142"), 10, "q=0.9");
    const CometImportResult result = ImportCometText(WriteText(second), table, options, view);
    EXPECT_EQ(result.index, 2);
    EXPECT_EQ(table.count, 3);
    EXPECT_DOUBLE_EQ(table.records[2].q, 0.9);
    EXPECT_DOUBLE_EQ(table.records[1].q, 1.0);  // untouched
}

TEST_F(CometImport, AFullTableRefusesNewNamesButStillReplaces) {
    table.count = 99;
    for (int k = 0; k < 99; ++k)
        std::snprintf(table.records[k].NAMEE, 32, "Comet %d", k);
    std::strcpy(table.records[50].NAMEJ, "ヘール・ボップ彗星");
    const CometImportResult refused = ImportCometText(WriteText(kHaleBopp), table, options, view);
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(table.count, 99);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Can't add anymore!");
    EXPECT_EQ(messages[1].icon, state::MessageIcon::Exclamation);
    std::strcpy(table.records[50].NAMEE, "Hale-Bopp");
    const CometImportResult replaced = ImportCometText(WriteText(kHaleBopp), table, options, view);
    EXPECT_TRUE(replaced.changed);
    EXPECT_EQ(replaced.index, 50);
    EXPECT_EQ(table.count, 99);
}

TEST_F(CometImport, FieldsAreClamped) {
    ImportCometText(WriteText("[DORVANCOMET]\nNAMEE=Low\nTY=-5\nTM=0\nTD=0.5\nq=0\ne=-0.2\n"
                              "Peri=-1\nNode=-0.001\ni=-90\n"),
                    table, options, view);
    const state::CometRecord& low = table.records[0];
    EXPECT_EQ(low.TY, 0);
    EXPECT_EQ(low.TM, 1);
    EXPECT_DOUBLE_EQ(low.TD, 1.0);
    EXPECT_DOUBLE_EQ(low.q, 1e-7);
    EXPECT_DOUBLE_EQ(low.e, 0.0);
    EXPECT_DOUBLE_EQ(low.Peri, 0.0);
    EXPECT_DOUBLE_EQ(low.Node, 0.0);
    EXPECT_DOUBLE_EQ(low.i, 0.0);
    ImportCometText(WriteText("[DORVANCOMET]\nNAMEE=High\nTY=12000\nTM=13\nTD=31.99999\n"
                              "q=100\ne=1e9\nPeri=360\nNode=1e300\ni=400\nH1=1e50\nK1=-1e50\n"),
                    table, options, view);
    const state::CometRecord& high = table.records[1];
    EXPECT_EQ(high.TY, 9999);
    EXPECT_EQ(high.TM, 12);
    EXPECT_DOUBLE_EQ(high.TD, 31.99999);
    EXPECT_DOUBLE_EQ(high.q, 99.9999999);
    EXPECT_DOUBLE_EQ(high.e, 1e9);  // no upper limit: a hyperbola
    EXPECT_DOUBLE_EQ(high.Peri, 360.0);
    EXPECT_DOUBLE_EQ(high.Node, 360.0);
    EXPECT_DOUBLE_EQ(high.i, 360.0);
    EXPECT_TRUE(std::isfinite(high.H1));
    EXPECT_TRUE(std::isfinite(high.K1));
}

TEST_F(CometImport, MissingKeysAndLettersReadAsZeroThenClamp) {
    ImportCometText(WriteText("[DORVANCOMET]\nNAMEJ=x\nTD=abc\nq=  12.5AU\ne=.5e\nPeri=nan\n"
                              "Node=inf\ni=+7\nH1=1e999999\nTY=19x7\n"),
                    table, options, view);
    const state::CometRecord& r = table.records[0];
    EXPECT_STREQ(r.NAMEJ, "x");
    EXPECT_STREQ(r.NAMEE, "");
    EXPECT_EQ(r.TY, 19);
    EXPECT_EQ(r.TM, 1);
    EXPECT_DOUBLE_EQ(r.TD, 1.0);
    EXPECT_DOUBLE_EQ(r.q, 12.5);
    EXPECT_DOUBLE_EQ(r.e, 0.5);
    EXPECT_DOUBLE_EQ(r.Peri, 0.0);
    EXPECT_DOUBLE_EQ(r.Node, 0.0);
    EXPECT_DOUBLE_EQ(r.i, 7.0);
    EXPECT_FLOAT_EQ(r.H1, 3.4028235e38f);
    EXPECT_FLOAT_EQ(r.K1, 0.0f);
}

TEST_F(CometImport, AFileWithoutACometNameAddsNothing) {
    for (const char* body :
         {"", "[OTHER]\nNAMEE=x\n", "[DORVANCOMET]\nq=1\n", "\x01\xff\xfe junk"}) {
        messages.clear();
        const CometImportResult result = ImportCometText(WriteText(body), table, options, view);
        EXPECT_FALSE(result.changed);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].icon, state::MessageIcon::Exclamation);
    }
    EXPECT_FALSE(ImportCometText((root / "missing.txt").string(), table, options, view).changed);
    EXPECT_EQ(table.count, 0);
}

TEST_F(CometImport, LongNamesAreCutAtACharacterBoundary) {
    ImportCometText(WriteText("[DORVANCOMET]\nNAMEJ=" + std::string(12, 'a') +
                              "彗星彗星彗星彗星彗星\nNAMEE=" + std::string(40, 'b') + "\n"),
                    table, options, view);
    EXPECT_EQ(std::string(table.records[0].NAMEE), std::string(31, 'b'));
    // 12 + 6 x 3 = 30 bytes; the seventh character would not fit in 31.
    EXPECT_EQ(std::string(table.records[0].NAMEJ), std::string(12, 'a') + "彗星彗星彗星");
}

TEST_F(CometImport, ASaveFailureKeepsTheRecordAndSaysSo) {
    const std::string blocked = (root / "not-a-directory").string();
    std::ofstream(blocked) << "x";
    const CometImportResult result =
        ImportCometText(WriteText(kHaleBopp), table, options, view, blocked + "/QELCOMET.USR");
    EXPECT_TRUE(result.changed);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(table.count, 1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Failed to save!");
    EXPECT_EQ(messages[1].icon, state::MessageIcon::Stop);
}

TEST(ParseLeadingDouble, ReadsLikeTheClassicConversion) {
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("  3.25xyz"), 3.25);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("+2e3"), 2000.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("1,5"), 1.0);  // no locale: a comma ends the number
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("infinity"), 0.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("1e400"), 1.7976931348623157e308);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("-1e400"), -1.7976931348623157e308);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble("1e-400"), 0.0);
}

}  // namespace
}  // namespace astro

// Importing a comet text file: confirmation, replacement by name, the 99-record limit, the
// clamps of every field, bad numbers, and the save to the user's comet file.
#include "astro/comet_import.h"

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "../persist/test_world.h"
#include "persist/comet_file.h"

namespace astro {
namespace {

using namespace persist_test;

class CometImport : public TestWorld {
  protected:
    void SetUp() override {
        TestWorld::SetUp();
        options.UserPath = UserDir();
    }
    std::string WriteText(const std::string& body) {
        const std::string path = Root() + "/comet" + std::to_string(files++) + ".txt";
        WriteFile(path, body);
        return path;
    }
    std::string UserFile() const { return UserDir() + "/QELCOMET.USR"; }

    int files = 0;
    state::CometTable table;
    state::AppOptions options;
    state::ViewState view;
};

const char* kHaleBopp =
    "Some notes before the section\n"
    "[DORVANCOMET]\r\n"
    "NAMEJ=ヘール・ボップ彗星\r\n"
    "NAMEE=Hale-Bopp\r\n"
    "TY=1997\r\nTM=4\r\nTD=1.1373\r\n"
    "q=0.914142\r\ne=0.995068\r\nPeri=130.5887\r\nNode=282.4707\r\ni=89.4300\r\n"
    "H1=-0.8\r\nK1=7.5\r\n";

// The fields of a record that the import sets from numbers.
auto Numbers(const state::CometRecord& r) {
    return std::tuple(r.TY, r.TM, r.TD, r.q, r.e, r.Peri, r.Node, r.i, r.H1, r.K1);
}

TEST_F(CometImport, AsksThenAppendsAndSavesTheUsersFile) {
    view.Comet = 0;
    const CometImportResult result = ImportCometText(WriteText(kHaleBopp), table, options, view);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].text,
              "Do you add a lower lower comet?\n\nヘール・ボップ彗星 Hale-Bopp");
    EXPECT_EQ(Messages()[0].buttons, state::MessageButtons::YesNo);
    EXPECT_EQ(std::tuple(result.changed, result.saved, result.index), std::tuple(true, true, 0));
    ASSERT_EQ(table.count, 1);
    const state::CometRecord& r = table.records[0];
    EXPECT_STREQ(r.NAMEE, "Hale-Bopp");
    EXPECT_EQ(Numbers(r), std::tuple(1997, 4, 1.1373, 0.914142, 0.995068, 130.5887, 282.4707, 89.43,
                                     -0.8f, 7.5f));
    EXPECT_EQ(std::tuple(r.show, r.initialised, view.Comet), std::tuple(1, 1, 3));
    // The file reads back as the same table.
    state::CometTable reread;
    ASSERT_EQ(persist::LoadComets(UserFile(), reread), 1);
    EXPECT_EQ(std::memcmp(&reread.records[0], &r, sizeof r), 0);
    // No means nothing changes.
    answer_ = state::MessageAnswer::No;
    view.Comet = 0;
    fs::remove(UserFile());
    table.count = 0;
    EXPECT_FALSE(ImportCometText(WriteText(kHaleBopp), table, options, view).changed);
    EXPECT_EQ(std::tuple(table.count, view.Comet, fs::exists(UserFile())), std::tuple(0, 0, false));
}

TEST_F(CometImport, TheSameNamesReplaceTheRecordEvenInAFullTable) {
    table.count = 2;
    std::strcpy(table.records[0].NAMEE, "Halley");
    std::strcpy(table.records[1].NAMEE, "Hale-Bopp");  // same English name, other Japanese
    ImportCometText(WriteText(kHaleBopp), table, options, view);
    ASSERT_EQ(table.count, 3);
    std::string second = kHaleBopp;
    second.replace(second.find("q=0.914142"), 10, "q=0.9");
    const CometImportResult result = ImportCometText(WriteText(second), table, options, view);
    EXPECT_EQ(std::tuple(result.index, table.count), std::tuple(2, 3));
    EXPECT_DOUBLE_EQ(table.records[2].q, 0.9);
    EXPECT_DOUBLE_EQ(table.records[1].q, 1.0);  // untouched

    table.count = 99;
    for (int k = 0; k < 99; ++k)
        std::snprintf(table.records[k].NAMEE, 32, "Comet %d", k);
    std::strcpy(table.records[50].NAMEJ, "ヘール・ボップ彗星");
    const std::size_t before = Messages().size();
    EXPECT_FALSE(ImportCometText(WriteText(kHaleBopp), table, options, view).changed);
    EXPECT_EQ(table.count, 99);
    ASSERT_EQ(Messages().size(), before + 2);
    EXPECT_EQ(Messages().back().text, "Can't add anymore!");
    EXPECT_EQ(Messages().back().icon, state::MessageIcon::Exclamation);
    std::strcpy(table.records[50].NAMEE, "Hale-Bopp");
    const CometImportResult replaced = ImportCometText(WriteText(kHaleBopp), table, options, view);
    EXPECT_EQ(std::tuple(replaced.changed, replaced.index, table.count), std::tuple(true, 50, 99));
}

TEST_F(CometImport, FieldsAreReadLikeTheClassicConversionAndClamped) {
    const std::pair<const char*, decltype(Numbers(table.records[0]))> cases[] = {
        {"NAMEE=Low\nTY=-5\nTM=0\nTD=0.5\nq=0\ne=-0.2\nPeri=-1\nNode=-0.001\ni=-90\n",
         {0, 1, 1.0, 1e-7, 0.0, 0.0, 0.0, 0.0, 0.0f, 0.0f}},
        // No upper limit of the eccentricity: a hyperbola.
        {"NAMEE=High\nTY=12000\nTM=13\nTD=31.99999\nq=100\ne=1e9\nPeri=360\nNode=1e300\n"
         "i=400\nH1=1e50\nK1=-1e50\n",
         {9999, 12, 31.99999, 99.9999999, 1e9, 360.0, 360.0, 360.0, 3.4028235e38f, -3.4028235e38f}},
        // Missing keys and letters read as zero, then clamp.
        {"NAMEJ=x\nTD=abc\nq=  12.5AU\ne=.5e\nPeri=nan\nNode=inf\ni=+7\nH1=1e999999\nTY=19x7\n",
         {19, 1, 1.0, 12.5, 0.5, 0.0, 0.0, 7.0, 3.4028235e38f, 0.0f}},
    };
    for (int k = 0; k < 3; ++k) {
        ImportCometText(WriteText(std::string("[DORVANCOMET]\n") + cases[k].first), table, options,
                        view);
        EXPECT_EQ(Numbers(table.records[k]), cases[k].second) << cases[k].first;
    }
    EXPECT_STREQ(table.records[2].NAMEE, "");
    const std::pair<const char*, double> numbers[] = {
        {"  3.25xyz", 3.25},
        {"-0.5", -0.5},
        {"+2e3", 2000.0},
        {".5", 0.5},
        {"1,5", 1.0},  // no locale: a comma ends the number
        {"abc", 0.0},
        {"", 0.0},
        {"-", 0.0},
        {"0x10", 0.0},
        {"infinity", 0.0},
        {"1e400", 1.7976931348623157e308},
        {"-1e400", -1.7976931348623157e308},
        {"1e-400", 0.0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseLeadingDouble(text), value) << text;
}

TEST_F(CometImport, AFileWithoutACometNameAddsNothing) {
    for (const char* body :
         {"", "[OTHER]\nNAMEE=x\n", "[DORVANCOMET]\nq=1\n", "\x01\xff\xfe junk"}) {
        const std::size_t before = Messages().size();
        EXPECT_FALSE(ImportCometText(WriteText(body), table, options, view).changed);
        ASSERT_EQ(Messages().size(), before + 1);
        EXPECT_EQ(Messages().back().icon, state::MessageIcon::Exclamation);
    }
    EXPECT_FALSE(ImportCometText(Root() + "/missing.txt", table, options, view).changed);
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
    const std::string blocked = Root() + "/not-a-directory";
    WriteFile(blocked, "x");
    const CometImportResult result =
        ImportCometText(WriteText(kHaleBopp), table, options, view, blocked + "/QELCOMET.USR");
    EXPECT_TRUE(result.changed);
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(table.count, 1);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].text, "Failed to save!");
    EXPECT_EQ(Messages()[1].icon, state::MessageIcon::Stop);
}

}  // namespace
}  // namespace astro

// Comets from the Minor Planet Center's one-line elements: a real comet lands where it was seen,
// bad lines are refused by number, and the table takes the comets within its limit.
#include "astro/comet_lines.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include <string>
#include <tuple>
#include <vector>
#include "../persist/test_world.h"
#include "astro/clock.h"
#include "astro/comet_import.h"
#include "astro/comets.h"
#include "astro/projection_tables.h"
#include "persist/comet_file.h"

namespace astro {
namespace {

constexpr double kDegree = 0.017453292519943295;

// 12P/Pons-Brooks as the Minor Planet Center published it for its 2024 return (epoch
// 2022-08-24; the line as Debian's kstars-data 3.6.2 ships it in cometels.json).
constexpr const char* kPonsBrooks =
    "0012P         2024 04 20.8249  0.781076  0.954750  198.9678  255.8177   74.1690  20220824"
    "   9.0  4.0  12P/Pons-Brooks                                          MPEC 2022";

// The same line with columns first.. replaced by text.
std::string Changed(std::size_t first, const std::string& text) {
    std::string line = kPonsBrooks;
    line.replace(first - 1, text.size(), text);
    return line;
}

TEST(CometLines, PonsBrooksIsWhereItWasSeenOnFirstApril2024) {
    std::string reason;
    const auto record = ParseCometLine(kPonsBrooks, reason);
    ASSERT_TRUE(record) << reason;
    EXPECT_STREQ(record->NAMEE, "12P/Pons-Brooks");
    // K1 is 2.5 G.
    EXPECT_EQ(std::tuple(record->TY, record->TM, record->H1, record->K1),
              std::tuple(2024, 4, 9.0f, 10.0f));
    EXPECT_NEAR(record->TD, 20.8249 - 70.0 / 86400, 1e-4);  // TT to UT: Delta T about 70 s
    // Precessed to the equinox of 2024.3, as the data set's record of the same elements.
    EXPECT_NEAR(record->Node, 256.158099, 1e-5);
    EXPECT_NEAR(record->Peri, 198.964543, 1e-5);
    EXPECT_NEAR(record->i, 74.168504, 1e-5);

    state::ViewState view;
    view.clock = {2024, 4, 1, 0, 0};
    view.Keisanji = 1;  // Greenwich Time
    const ProjectionTableStore store = BuildProjectionTables();
    const ViewFrame frame = ComputeViewFrame(view, store.view());
    SolarSystemState bodies;
    ComputeAllBodies(view, frame, bodies);
    const CometPosition seen = ComputeCometPosition(*record, FrameMjd(frame), bodies);

    // Astrometric place for 2024-04-01 0h UT (J2000: RA 2.16304 h, Dec +22.83784 deg) from
    // astronomia 4.2.0 (npm; Meeus's algorithms with the VSOP87 Earth), elliptic.Elements with
    // the J2000 elements of the line above, turned into the mean ecliptic of date by ERFA.
    double longitude = 0, latitude = 0;
    eraEqec06(2460401.5, 0.0, 2.16304 * 15 * kDegree, 22.83784 * kDegree, &longitude, &latitude);
    const double separation = eraSeps(seen.longitude, seen.latitude, longitude, latitude);
    // Left in the equinox J2000, the comet would stand 0.34 degrees off.
    EXPECT_LT(separation / kDegree, 0.1);
}

TEST(CometLines, MalformedLinesAreRefusedWithTheirReason) {
    const struct {
        std::string line;
        const char* reasonPart;
    } cases[] = {
        {std::string(kPonsBrooks).substr(0, 70), "column 79"},
        {Changed(42, "0.95x750"), "eccentricity"},
        {Changed(31, " 0.000000"), "perihelion distance"},
        {Changed(20, "13"), "month"},
        {Changed(23, "32.0000"), "day"},
        {Changed(72, "190.0000"), "inclination"},
        {Changed(92, " 9.O"), "absolute magnitude"},
        {Changed(40, "\t"), "control character"},
    };
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_FALSE(ParseCometLine(c.line, reason)) << c.line;
        EXPECT_NE(reason.find(c.reasonPart), std::string::npos) << reason;
    }
}

TEST(CometLines, ABadLineIsReportedByNumberAndNothingIsTaken) {
    const std::string good = kPonsBrooks;
    const std::string text = good + "\r\n\n" + good + "\n" + Changed(52, "abc") + "\n";
    const CometLines lines = ParseCometLines(text);
    EXPECT_EQ(lines.badLine, 4);
    EXPECT_TRUE(lines.records.empty());
    EXPECT_NE(CometLinesError(lines).find("Line 4 "), std::string::npos);

    EXPECT_EQ(ParseCometLines("\xEF\xBB\xBF" + good + "\n\n" + good).records.size(), 2u);
    EXPECT_TRUE(StartsWithCometLine("\n  \n" + good));
    EXPECT_FALSE(StartsWithCometLine("[DORVANCOMET]\nNAMEE=x\n" + good));
    // Without magnitude and name fields: no magnitude, the designation as name.
    std::string reason;
    const auto bare = ParseCometLine(good.substr(0, 89), reason);
    ASSERT_TRUE(bare) << reason;
    EXPECT_EQ(std::tuple(std::string(bare->NAMEE), bare->H1, bare->K1),
              std::tuple("0012P", 0.0f, 0.0f));
}

TEST(CometLines, SameNamesAreReplacedAndNewCometsAddedWithinTheLimit) {
    state::CometTable table;
    table.count = 2;
    std::strcpy(table.records[0].NAMEJ, "ポン・ブルックス彗星");
    std::strcpy(table.records[0].NAMEE, "12P/Pons-Brooks");
    std::strcpy(table.records[1].NAMEE, "Other");
    std::string reason;
    state::CometRecord pons = *ParseCometLine(kPonsBrooks, reason);
    state::CometRecord fresh = *ParseCometLine(Changed(103, "C/2099 A1 (New)"), reason);
    state::CometRecord second = *ParseCometLine(Changed(103, "C/2099 A2 (Too many)"), reason);

    const CometMerge merge = MergeComets({fresh, pons, second}, table, 3);
    EXPECT_EQ(std::tuple(merge.added, merge.replaced, merge.leftOut, merge.first, table.count),
              std::tuple(1, 1, 1, 2, 3));
    EXPECT_STREQ(table.records[0].NAMEJ, "ポン・ブルックス彗星");  // the names stay
    EXPECT_EQ(table.records[0].q, pons.q);
    EXPECT_STREQ(table.records[2].NAMEE, "C/2099 A1 (New)");
    EXPECT_NE(CometMergeSummary(merge, 3).find("at most 3 comets"), std::string::npos);
}

TEST(CometLines, OnlyRegularFilesOfBoundedSizeAreRead) {
    std::string text;
    EXPECT_EQ(ReadCometLinesFile("/proc/self", text), TextRead::NotAFile);
    EXPECT_EQ(ReadCometLinesFile("/nonexistent/comets.txt", text), TextRead::Failed);
    EXPECT_EQ(ReadCometLinesFile("/dev/zero", text), TextRead::NotAFile);
    const std::string large = ::testing::TempDir() + "large-comets.txt";
    persist_test::WriteFile(large, "");
    std::filesystem::resize_file(large, kCometLinesLimit + 1);
    EXPECT_EQ(ReadCometLinesFile(large, text), TextRead::TooLarge);
    std::filesystem::resize_file(large, 0);
    EXPECT_EQ(ReadCometLinesFile(large, text), TextRead::Ok);
}

// Importing a comet text file: confirmation, replacement by name, the 99-record limit, the
// clamps of every field, bad numbers, and the save to the user's comet file.

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
    EXPECT_EQ(
        std::pair(Messages()[0].text, Messages()[0].buttons),
        std::pair(std::string("Do you add a lower lower comet?\n\nヘール・ボップ彗星 Hale-Bopp"),
                  state::MessageButtons::YesNo));
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
    EXPECT_EQ(std::pair(Messages().back().text, Messages().back().icon),
              std::pair(std::string("Can't add anymore!"), state::MessageIcon::Exclamation));
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
        {"  3.25xyz", 3.25}, {"-0.5", -0.5},    {"+2e3", 2000.0},
        {".5", 0.5},         {"1,5", 1.0},  // no locale: a comma ends the number
        {"-", 0.0},          {"infinity", 0.0}, {"1e400", 1.7976931348623157e308},
        {"1e-400", 0.0}};
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(ParseLeadingDouble(text), value) << text;
}

TEST_F(CometImport, AFileWithoutACometNameAddsNothing) {
    for (const char* body : {"", "[OTHER]\nNAMEE=x\n", "[DORVANCOMET]\nq=1\n"}) {
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
    EXPECT_EQ(std::tuple(result.changed, result.saved, table.count), std::tuple(true, false, 1));
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(std::pair(Messages()[1].text, Messages()[1].icon),
              std::pair(std::string("Failed to save!"), state::MessageIcon::Stop));
}

}  // namespace
}  // namespace astro

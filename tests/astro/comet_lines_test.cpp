// Comets from the Minor Planet Center's one-line elements: a real comet lands where it was seen,
// bad lines are refused by number, and the table takes the comets within its limit.
#include "astro/comet_lines.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "astro/clock.h"
#include "astro/comets.h"
#include "astro/projection_tables.h"

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
    EXPECT_EQ(record->TY, 2024);
    EXPECT_EQ(record->TM, 4);
    EXPECT_NEAR(record->TD, 20.8249 - 70.0 / 86400, 1e-4);  // TT to UT: Delta T about 70 s
    EXPECT_FLOAT_EQ(record->H1, 9.0f);
    EXPECT_FLOAT_EQ(record->K1, 10.0f);  // 2.5 G
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
        {Changed(42, "   1e308"), "eccentricity"},
        {Changed(42, "     NaN"), "eccentricity"},
        {Changed(31, "     -inf"), "perihelion distance"},
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
    EXPECT_STREQ(bare->NAMEE, "0012P");
    EXPECT_EQ(bare->H1, 0.0f);
    EXPECT_EQ(bare->K1, 0.0f);
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
    EXPECT_EQ(merge.added, 1);
    EXPECT_EQ(merge.replaced, 1);
    EXPECT_EQ(merge.leftOut, 1);
    EXPECT_EQ(merge.first, 2);
    EXPECT_EQ(table.count, 3);
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
    { std::ofstream{large}; }
    std::filesystem::resize_file(large, kCometLinesLimit + 1);
    EXPECT_EQ(ReadCometLinesFile(large, text), TextRead::TooLarge);
    std::filesystem::resize_file(large, 0);
    EXPECT_EQ(ReadCometLinesFile(large, text), TextRead::Ok);
}

}  // namespace
}  // namespace astro

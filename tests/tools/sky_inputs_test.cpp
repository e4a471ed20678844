// Parsing of the sky-culture and catalogue text inputs, designations, names and the figure blocks.
#include <gtest/gtest.h>

#include <tuple>

#include "framework/build_error.h"
#include "persist/records/sky_records.h"
#include "sky/designations.h"
#include "sky/figures.h"
#include "sky/sky_inputs.h"

namespace databuilder {
namespace {

std::vector<int16_t> words(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return out;
}

TEST(FigureLinesTest, ParsesPairsTypesAndComments) {
    const auto figures =
        parseFigureLines("# comment\n\nOri 2 1 2 2 3\r\nAnd 1  677 3092\n", false, "fixture.fab");
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].code, "Ori");
    EXPECT_EQ(figures[0].segments, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}}));
    const auto asterisms =
        parseFigureLines("RH1 0 2  67301 69673 69673 65474\nGDi 1 1 5 6\nRA2 2 1 1.5 2.5 3 4\n",
                         true, "fixture.fab");
    ASSERT_EQ(asterisms.size(), 3u);
    EXPECT_TRUE(asterisms[0].segments.empty());  // ray helpers are not star lines
    EXPECT_EQ(asterisms[1].segments.size(), 1u);
    EXPECT_TRUE(asterisms[2].segments.empty());
    // Touching segments join into chains.
    EXPECT_EQ(chainSegments({{1, 2}, {2, 3}, {5, 6}, {6, 1}, {1, 9}}),
              (std::vector<std::vector<int>>{{1, 2, 3}, {5, 6, 1, 9}}));
    EXPECT_TRUE(chainSegments({}).empty());
}

TEST(NamesTest, FigureAndStarNameLines) {
    const auto names = parseFigureNames(
        "And\t\"Andromeda\"\t_(\"Andromeda\")\nGDi\t_(\"Great Diamond\",\"asterism\")\n001\t\"\"\t"
        "_(\"毕宿\")\n# x\n");
    EXPECT_EQ(names.at("And"), "Andromeda");
    EXPECT_EQ(names.at("GDi"), "Great Diamond");
    EXPECT_EQ(names.at("001"), "毕宿");
    const auto native = parseNativeFigureNames(
        "001\t\"Bi Xiu\"\t_(\"Net\")\n063\t\"\"\t_(\"x\")\n# c\n264 \"Tu Si Kong\" "
        "_(\"Master\")\n");
    EXPECT_EQ(native.at("001"), "Bi Xiu");
    EXPECT_EQ(native.at("264"), "Tu Si Kong");
    EXPECT_EQ(native.count("063"), 0u);
    const auto stars = parseStarNames(
        "# names\n   677|_(\"Alpheratz\") 1,2\n   677|_(\"Sirrah\") 23\n "
        "32349|_(\"Sirius\")\nbad|x\n");
    EXPECT_EQ(stars.at(677),
              (std::vector<ReferencedName>{{"Alpheratz", {1, 2}}, {"Sirrah", {23}}}));
    EXPECT_EQ(stars.at(32349), (std::vector<ReferencedName>{{"Sirius", {}}}));
    EXPECT_EQ(stars.size(), 2u);
}

auto Fields(const Designation& d) {
    return std::tuple(d.constellation, d.greek, d.latin, d.suffix, d.flamsteed);
}

TEST(DesignationTest, GreekLatinFlamsteedAndSuffixes) {
    // Omicron is not the Latin o; a number after a Greek letter is a double-star discoverer's.
    const std::pair<const char*, std::tuple<std::string, int, std::string, std::string, int>>
        cases[] = {{"γ1_And", {"And", 3, "", "1", 0}},
                   {"ω_Cyg", {"Cyg", 24, "", "", 0}},
                   {"ο_And", {"And", 15, "", "", 0}},
                   {"A1_Car", {"Car", 0, "A", "1", 0}},
                   {"59_And_A", {"And", 0, "", "", 59}}};
    for (const auto& [text, fields] : cases) {
        Designation d;
        ASSERT_TRUE(parseDesignation(text, d)) << text;
        EXPECT_EQ(Fields(d), fields) << text;
    }
    Designation d;
    for (const char* text : {"β_860", "300_Cen", "Sirius"})
        EXPECT_FALSE(parseDesignation(text, d)) << text;
    // Lines of one star merge.
    const auto merged = parseNameFab(
        "   677|α_And\n 113726|ο_And\n 113726|1_And\n 10340|b_And\n"
        " 10340|b_And\n 5000|12_And\n 5000|c_And\n");
    EXPECT_EQ(Fields(merged.at(677)), Fields({"And", 1, "", "", 0}));
    EXPECT_EQ(Fields(merged.at(113726)), Fields({"And", 15, "", "", 1}));
    EXPECT_EQ(Fields(merged.at(10340)), Fields({"And", 0, "b", "", 0}));
    EXPECT_EQ(Fields(merged.at(5000)), Fields({"And", 0, "c", "", 12}));
}

TEST(DesignationTest, RecordsInTheAlphaLayout) {
    Designation d;
    ASSERT_TRUE(parseDesignation("α1_Cen", d));
    auto r = designationRecord("Cen", &d);
    EXPECT_STREQ(r.constellation, "Cen");
    EXPECT_EQ(r.bayer[0], '*');
    EXPECT_EQ(r.bayer[1], 'a');
    EXPECT_STREQ(r.suffix, "1");
    EXPECT_EQ(r.flamsteed, 0);
    ASSERT_TRUE(parseDesignation("b_Pup", d));
    d.flamsteed = 7;
    r = designationRecord("Pup", &d);
    EXPECT_STREQ(r.bayer, "b");
    EXPECT_EQ(r.flamsteed, 7);
    r = designationRecord("Ori", nullptr);
    EXPECT_STREQ(r.constellation, "Ori");
    EXPECT_EQ(r.bayer[0], 0);
}

TEST(ConstellationSpansTest, FirstSpanAtOrAboveTheLowerDeclination) {
    const ConstellationSpans spans(
        " 0:00:00 24:00:00 88:00 UMi\n 2:39:00  3:17:00 -1:45 Cet\n 6:00:00  7:00:00 -33:00 CMa\n"
        " 5:00:00  6:30:00 -11:00 Ori\n 0:00:00 24:00:00 -90:00 Oct\n");
    EXPECT_EQ(spans.size(), 5u);
    EXPECT_EQ(spans.constellationOf(equatorialVector(37.95, 89.26)), "UMi");    // Polaris
    EXPECT_EQ(spans.constellationOf(equatorialVector(101.29, -16.72)), "CMa");  // Sirius
    EXPECT_EQ(spans.constellationOf(equatorialVector(88.79, 7.41)), "Ori");     // Betelgeuse
    EXPECT_EQ(spans.constellationOf(equatorialVector(42.0, -1.0)), "Cet");      // Dec -1 > -1:45
    EXPECT_EQ(spans.constellationOf(equatorialVector(42.0, -2.5)), "Oct");
}

TEST(StarNamesTest, IauNameShownOnePerStarNoSeriesNoSharedNames) {
    SkyCatalogue cat;
    cat.stars.resize(8);
    cat.byHip = {{677, 0},   {113881, 1}, {13954, 2}, {14135, 3}, {72622, 4},
                 {72603, 5}, {71683, 6},  {71681, 6}, {10324, 7}};
    cat.mergedHips = {71681};
    const std::vector<int> iau = {6}, old = {2}, dictionary = {1};
    const auto records = starNameRecords(
        cat, {{677, {{"Sirrah", old}, {"Alpheratz", iau}}},  // IAU first, old second
              {113881, {{"Scheat", iau}}},
              {13954, {{"Menkar", old}, {"Menkab", dictionary}}},  // Menkar is 14135's
              {14135, {{"Menkar", iau}}},
              {72622, {{"Zubenelgenubi II", iau}}},  // numeral of the list
              {72603, {{"Zubenelgenubi I", iau}, {"Kiffa Australis", old}}},
              {71683, {{"Rigil Kentaurus", iau}}},
              {71681, {{"Toliman", iau}}},                      // merged into 71683
              {10324, {{"Al Kaff al Jidhmah I", dictionary}}},  // a numbered series
              {99, {{"Nowhere", iau}}}});
    std::vector<std::tuple<uint32_t, std::string, std::string>> got;
    for (const auto& r : records)
        got.emplace_back(r.star, r.name, r.second);
    EXPECT_EQ(got, (std::vector<std::tuple<uint32_t, std::string, std::string>>{
                       {0, "Alpheratz", "Sirrah"},
                       {1, "Scheat", ""},
                       {2, "Menkab", ""},
                       {3, "Menkar", ""},
                       {4, "Zubenelgenubi", ""},
                       {6, "Rigil Kentaurus", ""}}));
}

TEST(StarNamesTest, LongUtf8NamesAreCutAtACharacterBoundary) {
    char field[8];
    copyUtf8(field, sizeof field, "Zubenelgenubi");
    EXPECT_STREQ(field, "Zubenel");
    copyUtf8(field, sizeof field, "aaaaaéé");  // é is two bytes: cut before a split character
    EXPECT_STREQ(field, "aaaaaé");
    copyUtf8(field, sizeof field, "aaaaaaé");
    EXPECT_STREQ(field, "aaaaaa");
}

TEST(FigureBlocksTest, StarPathsCarryPenUpsAndTheEndMark) {
    const auto bytes = starPathBytes({{5, 9}, {12, 14}}, "LINE");
    EXPECT_EQ(words(bytes), (std::vector<int16_t>{5, 9, 10000, 12, 14, 10000, 20000}));
    EXPECT_EQ(words(starPathBytes({}, "LINE")), (std::vector<int16_t>{20000}));
    EXPECT_THROW(starPathBytes({{1, 10000}}, "LINE"), BuildError);
    EXPECT_THROW(starPathBytes({{1, 20000}}, "LINE"), BuildError);
    EXPECT_THROW(starPathBytes({{1, 40000}}, "LINE"), BuildError);
}

TEST(FigureBlocksTest, FiguresByHipDropUnknownStars) {
    SkyCatalogue cat;
    cat.stars.resize(4);
    cat.byHip = {{10, 3}, {20, 1}, {30, 0}};
    FigureLines f;
    f.segments = {{10, 20}, {20, 30}, {30, 77}};
    std::vector<int> missing;
    const auto lines = figurePolylines({f}, cat, missing);
    EXPECT_EQ(lines, (std::vector<std::vector<int>>{{3, 1, 0}}));
    EXPECT_EQ(missing, std::vector<int>{77});
    // Outlines end with two pen-ups.
    const auto w = words(outlineBytes({{{1, 2}, {3, 4}}, {{5, 6}}}));
    EXPECT_EQ(w, (std::vector<int16_t>{1, 2, 3, 4, -1, 0, 5, 6, -1, 0, -1, 0}));
}

TEST(BoundariesTest, SegmentsConverted) {
    const std::string text =
        "3 20.6386585 2.4360874 20.6392918 1.4361323 20.6399231 0.4361772 2 AQL AQR\n"
        "2 0 0\n 6 0 2 SER1 OPH\n";
    const auto segments = parseBoundaries(text, "constellation_boundaries.dat");
    ASSERT_EQ(segments.size(), 2u);
    ASSERT_EQ(segments[0].size(), 3u);
    const BinPoint first = equatorialToBinPoint(20.6386585 * 15, 2.4360874);
    EXPECT_EQ(segments[0][0].lon, first.lon);
    EXPECT_EQ(segments[0][0].lat, first.lat);
    EXPECT_EQ(segments[1][1].lon, equatorialToBinPoint(90, 0).lon);
}

}  // namespace
}  // namespace databuilder

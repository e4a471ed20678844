// The find dialog's lists and its search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "../persist/test_world.h"
#include "astro/object_names.h"

namespace {

using astro::FindEntry;
using persist::BlockId;
using persist_test::PutText;
using persist_test::SetBlock;

persist::ConstellationNameRecord Constellation(const char* popular, const char* scientific,
                                               const char* code) {
    persist::ConstellationNameRecord c{};
    PutText(c.popular, popular);
    PutText(c.scientific, scientific);
    PutText(c.code, code);
    return c;
}

persist::DesignationRecord Star(const char* code, const char* bayer, int flamsteed) {
    persist::DesignationRecord d{};
    PutText(d.constellation, code);
    PutText(d.bayer, bayer);
    d.flamsteed = static_cast<uint8_t>(flamsteed);
    return d;
}

std::vector<std::string> Texts(const std::vector<FindEntry>& entries) {
    std::vector<std::string> texts;
    for (const FindEntry& e : entries)
        texts.push_back(e.text);
    return texts;
}

struct Catalogue {
    persist::DataSet data;
    Catalogue() {
        SetBlock(data.block(BlockId::SEIZA),
                 std::vector{Constellation("Serpent", "Serpens", "Ser"),
                             Constellation("Lyre", "Lyra", "Lyr"),
                             Constellation("Serpent", "Serpens", "Ser")});
        // Lyra: 58 alone, beta with 10, alpha with 3; Serpens: alpha with 24 (the Head).
        SetBlock(data.block(BlockId::ALPHA),
                 std::vector{Star("Lyr", "", 58), Star("Lyr", "*b", 10), Star("Lyr", "*a", 3),
                             Star("Ser", "*a", 24)});
        persist::StarNameRecord vega{};
        vega.star = 2;
        PutText(vega.name, "Vega");
        SetBlock(data.block(BlockId::STARN), std::vector{vega});
        data.starNameCount = 1;
    }
    astro::FindSources Sources(int style = astro::kPopularNames, int alphaMode = 1) const {
        return {&data, nullptr, style, alphaMode};
    }
};

TEST(ObjectNames, SerpensIsTwoHalvesOnTheConstellationTabAndOneOnTheScientificTab) {
    const Catalogue c;
    EXPECT_EQ(Texts(astro::FindList(astro::kFindConstellation, c.Sources())),
              (std::vector<std::string>{"Lyre", "Serpent (Caput)", "Serpent (Cauda)"}));
    EXPECT_EQ(Texts(astro::FindList(astro::kFindScientific, c.Sources(astro::kCodeNames))),
              (std::vector<std::string>{"Lyr", "Ser"}));
}

TEST(ObjectNames, StarsOfAConstellationLettersFirst) {
    const Catalogue c;
    EXPECT_EQ(Texts(astro::ConstellationStars(c.Sources(), 1)),
              (std::vector<std::string>{"Alpha", "Beta", "58"}));
    EXPECT_EQ(Texts(astro::ConstellationStars(c.Sources(astro::kPopularNames, 2), 1)),
              (std::vector<std::string>{"3", "10", "58"}));
    const std::vector<FindEntry> lyra = astro::ConstellationStars(c.Sources(), 1);
    EXPECT_EQ(lyra[0].index, 2);
    EXPECT_TRUE(astro::SearchMatches("vega lyra", lyra[0].text + " " + lyra[0].words));
    EXPECT_TRUE(astro::ConstellationStars(c.Sources(), 7).empty());
}

// "M 42", "ngc 224" and "alpha Lyr" are typed into the find dialog in its test.
TEST(ObjectNames, SearchMatchesWordBeginningsAndWholeDesignations) {
    const struct {
        const char* query;
        const char* text;
        bool matches;
    } cases[] = {
        {"m42", "M42 (Great Orion Nebula)", true},
        {"M 4", "M42 (Great Orion Nebula)", true},
        {"M 42", "Cr 42 (Pleiades) Pleiades M45 Cr 42", false},  // M and 42 apart
        {"orion neb", "Great Orion Nebula (M42)", true},
        {"rion", "Great Orion Nebula (M42)", false},
        {"eta car", "\u03b7 Car Nebula (NGC 3372)", true},
        {"", "anything", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(astro::SearchMatches(c.query, c.text), c.matches) << c.query << " / " << c.text;
    const FindEntry ghost{"NGC 3242 (Ghost of Jupiter Nebula)", 0, ""};
    const FindEntry jupiter{"Jupiter", 5, ""};
    EXPECT_EQ(std::tuple(astro::SearchRank("jupiter", ghost), astro::SearchRank("jupiter", jupiter),
                         astro::SearchRank("saturn", jupiter)),
              std::tuple(1, 2, 0));
}

}  // namespace

// Checks over the full data set in PLANETARIUM_DATASET_DIR:
// block consistency, star references, figure marks, known stars and the star counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "persist/records/sky_records.h"
#include "persist/records/star_records.h"
#include "sky/ecliptic.h"
#include "world_dataset.h"

namespace databuilder {
namespace {

class DataSetTest : public ::testing::Test {
  protected:
    static std::vector<uint8_t> block(const std::string& key) { return world_test::ReadBlock(key); }
    template <typename Record>
    static std::vector<Record> records(const std::string& key) {
        return world_test::Records<Record>(key);
    }
    static int starNamed(const char* name) {
        for (const auto& r : records<persist::StarNameRecord>("STARN"))
            if (std::strcmp(r.name, name) == 0) return static_cast<int>(r.star);
        return -1;
    }
};

std::vector<int16_t> words(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out(bytes.size() / 2);
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

TEST_F(DataSetTest, StarBlocksAreConsistentAndCounted) {
    const auto stars = records<persist::StarRecord>("STAR2");
    const auto stidxBytes = block("STIDX");
    ASSERT_EQ(stidxBytes.size(), (432u * 30 + 1) * 4);
    std::vector<uint32_t> stidx(432 * 30 + 1);
    std::memcpy(stidx.data(), stidxBytes.data(), stidxBytes.size());
    const size_t bright = block("ALPHA").size() / 10;
    EXPECT_GE(bright, 2859u);
    EXPECT_EQ(stidx[0], bright);
    EXPECT_EQ(stidx.back(), stars.size());
    for (size_t i = 1; i < bright; ++i)
        ASSERT_LE(stars[i - 1].mag, stars[i].mag) << i;
    for (int z = 0; z < 432; ++z) {
        const uint32_t first = stidx[z * 30], end = stidx[z * 30 + 30];
        ASSERT_LE(first, end);
        for (uint32_t i = first; i < end; ++i) {
            const auto& s = stars[i];
            const int a = (s.lon & 0x7fff) * 24 / 32768;
            const int d = std::min(17, (s.lat + 8192) * 18 / 16384);
            ASSERT_EQ(a * 18 + d, z) << i;
            ASSERT_GT(s.mag, 85) << i;
            if (i > first) {
                ASSERT_LE(stars[i - 1].mag, s.mag);
            }
            for (int k = 1; k < 30; ++k)
                ASSERT_EQ(i < stidx[z * 30 + k], s.mag <= 85 + k);
        }
    }
    size_t at55 = 0, at65 = 0, at95 = 0;
    for (const auto& s : stars) {
        at55 += s.mag <= 75;
        at65 += s.mag <= 85;
        at95 += s.mag <= 115;
        ASSERT_NE(std::strchr("OBAFGKMCSNRWL", s.spec), nullptr);
    }
    EXPECT_EQ(at95, stars.size());
    EXPECT_GT(at55, 2500u);
    EXPECT_GT(at65, 8000u);
}

// Sirius, the brightest star, comes first with its place, light, class, motion and designation.
TEST_F(DataSetTest, SiriusSitsAtItsCataloguePlace) {
    const auto stars = records<persist::StarRecord>("STAR2");
    const int sirius = starNamed("Sirius");
    ASSERT_EQ(sirius, 0);
    EXPECT_EQ(stars[sirius].mag, 6);
    EXPECT_EQ(stars[sirius].spec, 'A');
    const BinPoint place = equatorialToBinPoint(101.28715533, -16.71611586);
    EXPECT_NEAR(stars[sirius].lon, place.lon, 1);
    EXPECT_NEAR(stars[sirius].lat, place.lat, 1);
    int16_t pmLon, pmLat;
    properMotionToRecord(equatorialVector(101.28716, -16.71612), -546.0, -1223.1, pmLon, pmLat);
    EXPECT_NEAR(stars[sirius].pmLon, pmLon, 1);
    EXPECT_NEAR(stars[sirius].pmLat, pmLat, 1);
    const auto alpha = records<persist::DesignationRecord>("ALPHA");
    EXPECT_STREQ(alpha[sirius].constellation, "CMa");
    EXPECT_EQ(alpha[sirius].bayer[0], '*');
    EXPECT_EQ(alpha[sirius].bayer[1], 'a');
    EXPECT_EQ(alpha[sirius].flamsteed, 9);
}

TEST_F(DataSetTest, StarPathsReferToStarsAndEndWithTheirMark) {
    const size_t count = block("STAR2").size() / 10;
    for (const char* key : {"LINE", "KISETU", "SKULI"}) {
        const auto w = words(block(key));
        ASSERT_FALSE(w.empty()) << key;
        EXPECT_EQ(w.back(), persist::kPathEnd) << key;
        size_t stars = 0;
        for (size_t i = 0; i + 1 < w.size(); ++i) {
            if (w[i] == persist::kPathPenUp) continue;
            ASSERT_GE(w[i], 0) << key;
            ASSERT_LT(static_cast<size_t>(w[i]), count) << key;
            ASSERT_NE(w[i], persist::kPathEnd) << key;
            ++stars;
        }
        EXPECT_GT(stars, 10u) << key;
    }
}

TEST_F(DataSetTest, NameListsReferToStarsAndEndWithTheirMark) {
    const size_t count = block("STAR2").size() / 10;
    const auto names = records<persist::StarNameRecord>("STARN");
    EXPECT_GT(names.size(), 300u);
    for (const auto& r : names) {
        ASSERT_LT(r.star, count);
        ASSERT_NE(r.name[0], 0);
        ASSERT_EQ(r.name[31], 0);
    }
    const auto skusu = records<persist::ChineseStarNameRecord>("SKUSU");
    ASSERT_FALSE(skusu.empty());
    EXPECT_EQ(static_cast<uint16_t>(skusu.back().star), persist::kListEnd);
    for (size_t i = 0; i + 1 < skusu.size(); ++i) {
        ASSERT_GE(skusu[i].star, 0);
        ASSERT_LT(static_cast<size_t>(skusu[i].star), count);
        ASSERT_GE(skusu[i].name[0], 0x3400) << "a Chinese character";
        ASSERT_EQ(skusu[i].name[9], 0);
    }
    const auto skusn = records<persist::ChineseStarNameTextRecord>("SKUSN");
    EXPECT_EQ(static_cast<uint16_t>(skusn.back().star), persist::kListEnd);
    const auto skunu = records<persist::ChineseAsterismNameRecord>("SKUNU");
    EXPECT_GT(skunu.size(), 300u);
    EXPECT_EQ(static_cast<uint16_t>(skunu.back().lon), persist::kListEnd);
    const auto skunm = records<persist::ChineseNameTableRecord>("SKUNM");
    EXPECT_EQ(skunm.size(), skunu.size());
    const auto kisen = records<persist::AsterismNameRecord>("KISEN");
    ASSERT_GE(kisen.size(), 7u);
    EXPECT_EQ(static_cast<uint16_t>(kisen.back().lon), persist::kListEnd);
}

TEST_F(DataSetTest, OutlinesEndWithTheirMarks) {
    for (const char* key : {"KAI", "PIC"}) {
        const auto w = words(block(key));
        ASSERT_EQ(w.size() % 2, 0u) << key;
        ASSERT_GE(w.size(), 4u) << key;
        EXPECT_EQ(w[w.size() - 2], persist::kOutlinePenUp) << key;
        EXPECT_EQ(w[w.size() - 4], persist::kOutlinePenUp) << key;
        for (size_t i = 0; i + 4 < w.size(); i += 2) {
            ASSERT_FALSE(w[i] == -1 && w[i + 2] == -1) << key << ": ends early at pair " << i / 2;
            if (w[i] != -1) {
                ASSERT_LE(std::abs(w[i + 1]), 8192) << key;
            }
        }
    }
}

TEST_F(DataSetTest, EightyNineConstellationsWithSerpensTwice) {
    const auto names = records<persist::ConstellationNameRecord>("SEIZA");
    ASSERT_EQ(names.size(), 89u);
    EXPECT_EQ(block("SEIZAZ").size(), 89u * 4);
    int serpens = 0;
    for (const auto& r : names) {
        serpens += std::strcmp(r.code, "Ser") == 0;
        EXPECT_EQ(std::strlen(r.code), 3u);
        EXPECT_NE(r.scientific[0], 0);
    }
    EXPECT_EQ(serpens, 2);
    // Popular names: distinct, plain ASCII spaces, the ones people use.
    std::set<std::string> popular;
    for (const auto& r : names) {
        EXPECT_TRUE(popular.insert(r.popular).second) << r.popular;
        for (const char* c = r.popular; *c; ++c)
            EXPECT_LT(static_cast<unsigned char>(*c), 0x80) << r.popular;
    }
    for (const char* name : {"Great Bear", "Little Bear", "Compasses", "Mariner's Compass",
                             "Serpent's Head", "Serpent's Tail", "Bird of Paradise"})
        EXPECT_EQ(popular.count(name), 1u) << name;
}

TEST_F(DataSetTest, OneNamePerStarAndDoublesWithTheirCombinedLight) {
    const auto stars = records<persist::StarRecord>("STAR2");
    const auto names = records<persist::StarNameRecord>("STARN");
    const size_t bright = block("ALPHA").size() / 10;
    std::set<uint32_t> named;
    std::set<std::string> texts;
    for (const auto& r : names) {
        EXPECT_TRUE(named.insert(r.star).second) << r.name;
        for (const std::string text : {std::string(r.name), std::string(r.second)}) {
            if (text.empty()) continue;
            EXPECT_TRUE(texts.insert(text).second) << "on two stars: " << text;
            const std::string last = text.substr(text.rfind(' ') + 1);
            EXPECT_NE(last.find_first_not_of("IVX"), std::string::npos) << text;
        }
    }
    EXPECT_GE(names.size(), 400u);
    for (size_t i = 0; i < bright && stars[i].mag < 40; ++i)  // brighter than 2.0
        EXPECT_EQ(named.count(static_cast<uint32_t>(i)), 1u) << "unnamed bright star " << i;
    // The four doubles, in tenths: combined Hipparcos light of their components.
    const std::pair<const char*, int> doubles[] = {
        {"Rigil Kentaurus", -3}, {"Acrux", 8}, {"Castor", 16}, {"Porrima", 27}};
    for (const auto& [name, tenths] : doubles) {
        const int n = starNamed(name);
        ASSERT_GE(n, 0) << name;
        EXPECT_EQ(stars[n].mag - 20, tenths) << name;
    }
    // No bright record on top of another.
    std::set<std::pair<int16_t, int16_t>> places;
    for (size_t i = 0; i < bright; ++i)
        EXPECT_TRUE(places.insert({stars[i].lon, stars[i].lat}).second) << i;
    // Old Chinese labels: Polaris by its name within its asterism.
    const auto skusu = records<persist::ChineseStarNameRecord>("SKUSU");
    const int polaris = starNamed("Polaris");
    const auto label =
        std::find_if(skusu.begin(), skusu.end(), [&](const auto& r) { return r.star == polaris; });
    ASSERT_NE(label, skusu.end());
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(label->name)), u"勾陈一");
}

}  // namespace
}  // namespace databuilder

#include "astro/projection_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using astro::Cos15;
using astro::Sin15;

class TablesTest : public ::testing::Test {
  protected:
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    const int16_t* t = store.sincos.data();
};

TEST_F(TablesTest, FoldsOfTheQuarterWave) {
    ASSERT_EQ(store.sincos.size(), 8193u);
    EXPECT_EQ(t[4096], 11585);  // 16384 sin 45 degrees, rounded
    EXPECT_EQ(Sin15(t, 8192), 16384);
    EXPECT_EQ(Cos15(t, 0), 16384);
    EXPECT_EQ(Sin15(t, -1), -t[1]);
    EXPECT_EQ(Sin15(t, 32767), -t[1]);
    EXPECT_EQ(Sin15(t, 16384), 0);
    EXPECT_EQ(Cos15(t, 16384), -16384);
    EXPECT_EQ(Sin15(t, 24576), -16384);
    EXPECT_EQ(Cos15(t, 24576), 0);
    EXPECT_EQ(Sin15(t, 32768 + 100), Sin15(t, 100));
    // Every angle of the turn against the library sine, within the table's rounding.
    for (int a = -32768; a < 65536; a += 7) {
        double radians = a * 2.0 * std::numbers::pi / 32768.0;
        ASSERT_NEAR(Sin15(t, a), 16384.0 * std::sin(radians), 0.5) << a;
        ASSERT_NEAR(Cos15(t, a), 16384.0 * std::cos(radians), 0.5) << a;
    }
}

TEST_F(TablesTest, DivisorsArePositiveAndTheLastEntryRepeats) {
    for (const auto* table : {&store.zbi, &store.zbi2}) {
        ASSERT_EQ(table->size(), 16386u);
        EXPECT_EQ((*table)[16385], (*table)[16384]);
        for (int16_t d : *table)
            ASSERT_GT(d, 0);
    }
    EXPECT_EQ(store.zbi[16384], 2048);
    EXPECT_EQ(store.zbi2[0], store.zbi[0]);  // both sides meet at depth 0
}

// Radius of a point t degrees from the centre, as the projection computes it.
double Radius(const astro::ProjectionTableStore& s, int zoom, double degrees) {
    double radians = degrees * std::numbers::pi / 180.0;
    int z = static_cast<int>(16384.0 * std::cos(radians));
    int d = z >= 1 ? s.zbi[z] : s.zbi2[-z];
    return zoom * 16384.0 * std::sin(radians) / d;
}

TEST_F(TablesTest, RadiusGrowsWithTheAngleUpTo150Degrees) {
    double previous = 0.0;
    for (double degrees = 0.5; degrees <= 150.0; degrees += 0.5) {
        double r = Radius(store, 80, degrees);
        ASSERT_GT(r, previous) << degrees;
        previous = r;
    }
}

TEST_F(TablesTest, RadialLawIsStereographic) {
    for (double degrees : {1.0, 10.0, 45.0, 90.0, 120.0, 150.0}) {
        double expected = 80 * 16.0 * std::tan(degrees * std::numbers::pi / 360.0);
        EXPECT_NEAR(Radius(store, 80, degrees) / expected, 1.0, 0.01) << degrees;
    }
}

TEST_F(TablesTest, DefaultZoomShowsAbout106DegreesAcross1280Pixels) {
    double lo = 0.0, hi = 90.0;
    for (int i = 0; i < 60; ++i) {
        double mid = (lo + hi) / 2;
        (Radius(store, 80, mid) < 640.0 ? lo : hi) = mid;
    }
    EXPECT_GT(2 * lo, 100.0);
    EXPECT_LT(2 * lo, 120.0);
}

TEST_F(TablesTest, DecodingTheBlockBytesGivesTheTablesBack) {
    std::vector<uint8_t> sincos = astro::TableBytes(store.sincos);
    std::vector<uint8_t> zbi = astro::TableBytes(store.zbi);
    std::vector<uint8_t> zbi2 = astro::TableBytes(store.zbi2);
    // Files hold entries 0..16384; the loader adds entry 16385.
    zbi.resize(16385 * 2);
    std::optional<astro::ProjectionTableStore> decoded =
        astro::DecodeProjectionTables(sincos, zbi, zbi2);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->sincos, store.sincos);
    EXPECT_EQ(decoded->zbi, store.zbi);
    EXPECT_EQ(decoded->zbi2, store.zbi2);
}

TEST_F(TablesTest, DamagedBlocksAreRefusedWithTheirName) {
    std::vector<uint8_t> sincos = astro::TableBytes(store.sincos);
    std::vector<uint8_t> zbi = astro::TableBytes(store.zbi);
    std::vector<uint8_t> zbi2 = astro::TableBytes(store.zbi2);
    std::string error;

    std::vector<uint8_t> shortTable(sincos.begin(), sincos.end() - 2);
    EXPECT_FALSE(astro::DecodeProjectionTables(shortTable, zbi, zbi2, &error));
    EXPECT_NE(error.find("SINCOS"), std::string::npos);

    std::vector<uint8_t> zeroDivisor = zbi2;
    zeroDivisor[2 * 5000] = 0;
    zeroDivisor[2 * 5000 + 1] = 0;
    EXPECT_FALSE(astro::DecodeProjectionTables(sincos, zbi, zeroDivisor, &error));
    EXPECT_NE(error.find("ZBI2"), std::string::npos);

    std::vector<uint8_t> hugeSine = sincos;
    hugeSine[2 * 100 + 1] = 0x7F;
    EXPECT_FALSE(astro::DecodeProjectionTables(hugeSine, zbi, zbi2, &error));

    EXPECT_FALSE(astro::DecodeProjectionTables(sincos, {}, zbi2, &error));
    EXPECT_NE(error.find("ZBI"), std::string::npos);

    // One table in place of another shows in its size or its end entries.
    EXPECT_FALSE(astro::DecodeProjectionTables(zbi, zbi, zbi2, &error));
    EXPECT_FALSE(astro::DecodeProjectionTables(sincos, zbi2, zbi2, &error));
    EXPECT_FALSE(astro::DecodeProjectionTables(sincos, zbi, zbi, &error));
    EXPECT_FALSE(astro::DecodeProjectionTables(sincos, sincos, zbi2, &error));
}

}  // namespace

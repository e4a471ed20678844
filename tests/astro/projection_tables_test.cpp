#include "astro/projection_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

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
    EXPECT_EQ(std::tuple(Sin15(t, 8192), Cos15(t, 16384), Sin15(t, -1), Sin15(t, 32768 + 100)),
              std::tuple(16384, -16384, -t[1], Sin15(t, 100)));
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

// The radius grows with the angle out to 150 degrees by the stereographic law; the default zoom
// shows about 106 degrees across 1280 pixels.
TEST_F(TablesTest, RadiusIsStereographicOutTo150Degrees) {
    double previous = 0.0, halfWidth = 0.0;
    for (double degrees = 1.0; degrees <= 150.0; degrees += 0.5) {
        const double r = Radius(store, 80, degrees);
        ASSERT_GT(r, previous) << degrees;
        EXPECT_NEAR(r / (80 * 16.0 * std::tan(degrees * std::numbers::pi / 360.0)), 1.0, 0.01)
            << degrees;
        if (r < 640.0) halfWidth = degrees;
        previous = r;
    }
    EXPECT_GT(2 * halfWidth, 100.0);
    EXPECT_LT(2 * halfWidth, 120.0);
}

TEST_F(TablesTest, BlockBytesDecodeToTheTablesOrAreRefused) {
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

    // Damaged blocks are refused with their name; one table in place of another shows in its
    // size or its end entries.
    std::vector<uint8_t> shortSine(sincos.begin(), sincos.end() - 2), zeroDivisor = zbi2,
                                                                      hugeSine = sincos;
    zeroDivisor[2 * 5000] = zeroDivisor[2 * 5000 + 1] = 0;
    hugeSine[2 * 100 + 1] = 0x7F;
    const struct {
        std::vector<uint8_t> sincos, zbi, zbi2;
        const char* named;
    } damaged[] = {{shortSine, zbi, zbi2, "SINCOS"},
                   {sincos, zbi, zeroDivisor, "ZBI2"},
                   {hugeSine, zbi, zbi2, "SINCOS"},
                   {sincos, {}, zbi2, "ZBI"},
                   {zbi, zbi, zbi2, ""},
                   {sincos, zbi2, zbi2, ""},
                   {sincos, zbi, zbi, ""},
                   {sincos, sincos, zbi2, ""}};
    for (const auto& d : damaged) {
        std::string error;
        EXPECT_FALSE(astro::DecodeProjectionTables(d.sincos, d.zbi, d.zbi2, &error)) << d.named;
        EXPECT_NE(error.find(d.named), std::string::npos) << error;
    }
}

}  // namespace

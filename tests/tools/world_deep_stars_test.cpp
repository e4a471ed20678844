#include <gtest/gtest.h>

#include "persist/records/star_records.h"
#include "sky/ecliptic.h"
#include "world/deep_stars.h"
#include "world_dataset.h"

namespace {

using namespace databuilder;

DecodedStar Star(double ra, double dec, int magMilli, int hip = 0, int component = 0) {
    DecodedStar s;
    s.position = equatorialVector(ra, dec);
    s.magMilli = magMilli;
    s.hip = hip;
    s.component = component;
    return s;
}

uint32_t U32(const world::Bytes& b, size_t offset) {
    return b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) |
           (static_cast<uint32_t>(b[offset + 3]) << 24);
}

TEST(DeepStars, ZonesCountEastwardFromLongitudeZeroAndNorthwardFromTheSouthPole) {
    EXPECT_EQ(world::DeepStarZone(0, -8192), 0);
    EXPECT_EQ(world::DeepStarZone(0, 8192), 71);  // the north pole stays in the last row
    EXPECT_EQ(world::DeepStarZone(0, 0), 36);
    EXPECT_EQ(world::DeepStarZone(341, 0), 36);       // 3.745 degrees: column 0
    EXPECT_EQ(world::DeepStarZone(342, 0), 72 + 36);  // 3.757 degrees: column 1
    EXPECT_EQ(world::DeepStarZone(32767, 0), 95 * 72 + 36);
}

// The zone order of the whole file is checked on the built data set below.
TEST(DeepStars, KeepsOnlyFaintStarsOncePerHipparcosStarInZoneOrderBrightestFirst) {
    const std::vector<DecodedStar> stars = {
        Star(10, 5, 9500),             // in the built-in catalogue
        Star(10.01, 5, 10400),         // faint, same zone
        Star(10.02, 5, 9800),          // brighter, same zone
        Star(200, -30, 12000, 77, 0),  // Hipparcos star, two records
        Star(200, -30, 11000, 77, 0),
        Star(100, 20, 10000, 88, 1),  // shown by the built-in catalogue already
    };
    const auto cat = world::BuildDeepStarCatalogue(stars, {{88, 1}}, 9500);
    ASSERT_EQ(cat.count, 3u);
    ASSERT_EQ(cat.index.size(), 6912u * 8);
    ASSERT_EQ(cat.records.size(), 3u * 5);
    // The two stars of one zone: 9.8 before 10.4.
    const BinPoint p = equatorialToBinPoint(10.01, 5);
    const int z = world::DeepStarZone(p.lon, p.lat);
    const uint32_t first = U32(cat.index, z * 8);
    ASSERT_EQ(U32(cat.index, z * 8 + 4), 2u);
    EXPECT_EQ(cat.records[first * 5 + 4], 98 + 20);
    EXPECT_EQ(cat.records[first * 5 + 9], 104 + 20);
    // The Hipparcos star keeps its brighter record.
    const BinPoint h = equatorialToBinPoint(200, -30);
    const uint32_t hf = U32(cat.index, world::DeepStarZone(h.lon, h.lat) * 8);
    EXPECT_EQ(cat.records[hf * 5 + 4], 110 + 20);
}

TEST(DeepStarsDataset, IndexCoversTheCatalogueFileExactly) {
    SKIP_WITHOUT_DATASET();
    const auto index = world_test::ReadDatasetFile("QELGAIDX.DAT");
    const auto records = world_test::ReadDatasetFile("QELGSA.DAT");
    ASSERT_EQ(index.size(), 6912u * 8);
    ASSERT_EQ(records.size() % 5, 0u);
    uint64_t next = 0;
    size_t misplaced = 0;
    size_t brighterThanFirstMagnitude = 0;
    for (int z = 0; z < 6912; ++z) {
        const uint32_t first = U32(index, z * 8), count = U32(index, z * 8 + 4);
        ASSERT_EQ(first, next) << z;
        ASSERT_LE(count, 16000u) << z;  // the program reads at most 80000 bytes of a zone
        for (uint32_t k = first; k < first + count; ++k) {
            misplaced += world::DeepStarZone(world_test::I16(records, k * 5),
                                             world_test::I16(records, k * 5 + 2)) != z;
            brighterThanFirstMagnitude += records[k * 5 + 4] < 30;
            if (k > first) {
                ASSERT_LE(records[(k - 1) * 5 + 4], records[k * 5 + 4]) << z;
            }
        }
        next += count;
    }
    EXPECT_EQ(next * 5, records.size());
    EXPECT_EQ(misplaced, 0u);
    EXPECT_GT(next, 500000u);
    // Zoomed-in views draw from this file alone: the brightest stars must be in it.
    EXPECT_GE(brighterThanFirstMagnitude, 10u);
}

}  // namespace

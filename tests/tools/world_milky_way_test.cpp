#include <gtest/gtest.h>

#include <cmath>

#include "persist/records/world_records.h"
#include "world/milky_way.h"
#include "world_dataset.h"

namespace {

using namespace databuilder::world;

// A ring along a parallel of galactic latitude b, in the source's equatorial form.
Ring GalacticParallel(double b, int points) {
    Ring ring;
    for (int i = 0; i < points; ++i) {
        SkyPoint p;
        GalacticToEquatorial(360.0 * i / points, b, p.ra, p.dec);
        ring.push_back(p);
    }
    return ring;
}

struct BandStats {
    int marks[2] = {0, 0};
    int polygons[3] = {0, 0, 0};
    int longest = 0;
    bool ended = false;
};

BandStats Walk(const Bytes& block) {
    BandStats s;
    int band = 0, vertices = 0;
    for (size_t i = 0; i + 4 <= block.size(); i += 4) {
        const int16_t lon = world_test::I16(block, i);
        if (lon >= 0) {
            ++vertices;
        } else if (lon == persist::kMilkyEndPolygon) {
            ++s.polygons[band];
            s.longest = std::max(s.longest, vertices);
            vertices = 0;
        } else if (lon == persist::kMilkyBand1 || lon == persist::kMilkyBand2) {
            band = lon == persist::kMilkyBand1 ? 1 : 2;
            ++s.marks[band - 1];
        } else if (lon == persist::kMilkyEndBlock) {
            s.ended = i + 4 == block.size();
        }
    }
    return s;
}

TEST(MilkyWay, GalacticFrameRoundTripsAndPutsTheCentreInSagittarius) {
    double l, b, ra, dec;
    EquatorialToGalactic(266.405, -28.936, l, b);  // Sgr A*
    EXPECT_NEAR(std::fmod(l + 180.0, 360.0) - 180.0, 0.0, 0.1);
    EXPECT_NEAR(b, 0.0, 0.1);
    GalacticToEquatorial(123.0, 45.0, ra, dec);
    EquatorialToGalactic(ra, dec, l, b);
    EXPECT_NEAR(l, 123.0, 1e-9);
    EXPECT_NEAR(b, 45.0, 1e-9);
}

TEST(MilkyWay, AnAnnulusAroundTheSkyBecomesCompactStripsInsideTheBand) {
    const Region band = {GalacticParallel(-10.0, 720), GalacticParallel(12.0, 720)};
    const auto strips = CutIntoStrips(band);
    ASSERT_FALSE(strips.empty());
    double covered = 0;
    for (const auto& s : strips) {
        ASSERT_EQ(s.l.size(), s.b.size());
        double lo = 360, hi = 0;
        for (size_t i = 0; i < s.l.size(); ++i) {
            EXPECT_GE(s.b[i], -10.05);
            EXPECT_LE(s.b[i], 12.05);
            lo = std::min(lo, s.l[i]);
            hi = std::max(hi, s.l[i]);
        }
        EXPECT_LE(hi - lo, 20.0);  // compact: far from the projection's 150-degree reach
        covered += hi - lo;
    }
    EXPECT_NEAR(covered, 360.0, 1e-6);  // the whole circle, once
}

TEST(MilkyWayDataset, EveryPolygonIsInABandAndWithinTheLimit) {
    SKIP_WITHOUT_DATASET();
    const auto block = world_test::ReadBlock("MILKY");
    ASSERT_EQ(block.size() % 4, 0u);
    const BandStats s = Walk(block);
    EXPECT_EQ(s.polygons[0], 0);
    EXPECT_GT(s.polygons[1], 10);
    EXPECT_GT(s.polygons[2], 10);
    EXPECT_LE(s.longest, persist::kMilkyMaxVertices);
    EXPECT_TRUE(s.ended);
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>

#include "persist/records/world_records.h"
#include "world/coastlines.h"
#include "world/landscape.h"
#include "world/milky_way.h"
#include "world_dataset.h"

namespace {

using namespace databuilder::world;

Bytes AsBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

TEST(EarthBlock, QuantizedArcsDecodeToUnitSphereTriplesWithMarks) {
    // Two arcs; the first is delta-encoded: (0,0) -> (90,0) -> (90,45) in degrees.
    const std::string topo = R"({"type":"Topology","transform":{"scale":[1,0.5],"translate":[0,0]},
        "arcs":[[[0,0],[90,0],[0,90]],[[10,20],[1,1]]],"objects":{}})";
    const auto lines = ParseTopoJsonArcs(AsBytes(topo), "fixture");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[0][2].lon, 90.0);
    EXPECT_DOUBLE_EQ(lines[0][2].lat, 45.0);
    const Bytes block = BuildEarthBlock(lines);
    ASSERT_EQ(block.size() % 6, 0u);
    ASSERT_EQ(block.size() / 6, 1u + 3 + 1 + 2 + 1);
    EXPECT_EQ(world_test::I16(block, 0), persist::kEarthPenUp);
    // Point (lon 0, lat 0): z toward Greenwich.
    EXPECT_EQ(world_test::I16(block, 6), 0);
    EXPECT_EQ(world_test::I16(block, 8), 0);
    EXPECT_EQ(world_test::I16(block, 10), 4096);
    // Point (lon 90 E, lat 0): x = 4096.
    EXPECT_EQ(world_test::I16(block, 12), 4096);
    // Point (lon 90 E, lat 45 N): north is negative y.
    EXPECT_EQ(world_test::I16(block, 20), -2896);
    EXPECT_EQ(world_test::I16(block, 24), persist::kEarthPenUp);
    EXPECT_EQ(world_test::I16(block, block.size() - 6), persist::kEarthEnd);
}

TEST(EarthDataset, TriplesLieOnTheSphereAndTheBlockEndsWithItsMark) {
    const auto block = world_test::ReadBlock("EARTH");
    ASSERT_EQ(block.size() % 6, 0u);
    ASSERT_GE(block.size() / 6, 1000u);
    EXPECT_EQ(world_test::I16(block, block.size() - 6), persist::kEarthEnd);
    for (size_t i = 0; i + 6 < block.size(); i += 6) {
        const int x = world_test::I16(block, i);
        ASSERT_NE(x, persist::kEarthEnd) << "end mark before the end at " << i / 6;
        if (x == persist::kEarthPenUp) continue;
        const double r =
            std::hypot(x, world_test::I16(block, i + 2), world_test::I16(block, i + 4));
        ASSERT_NEAR(r, 4096.0, 2.0) << i / 6;
    }
}

TEST(Landscape, SkylineIsInterpolatedEveryDegreeAcrossNorth) {
    auto points = ParseHorizonPolygon("# comment\n10 2\n350 4 # west of north\n", "fixture");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(SkylineAltitude(points, 10), 2.0);
    EXPECT_DOUBLE_EQ(SkylineAltitude(points, 0), 3.0);  // halfway across north
    EXPECT_DOUBLE_EQ(SkylineAltitude(points, 355), 3.5);
    EXPECT_DOUBLE_EQ(SkylineAltitude(points, 180), 3.0);  // halfway along the long way round
}

TEST(Landscape, RecordsCountAzimuthFromSouthThroughEast) {
    // A lopsided hill due east (azimuth 90 from north): a slope up from 80, a cliff down to 95.
    const Bytes block = BuildYamaBlock({{0, 0}, {80, 0}, {90, 5}, {95, 0}});
    ASSERT_EQ(block.size(), 360u * 4);
    auto az = [&](int i) { return static_cast<uint16_t>(world_test::I16(block, i * 4)); };
    auto alt = [&](int i) { return static_cast<uint16_t>(world_test::I16(block, i * 4 + 2)); };
    EXPECT_EQ(az(0), 0);
    EXPECT_EQ(az(359), 359 * 50);
    // East is 90 degrees from south through east; the program reads 18000 - 4500 = 13500,
    // 270 degrees from south through west: east again.
    EXPECT_EQ(alt(90), 5 * 50);
    EXPECT_EQ(alt(270), 0);   // west
    EXPECT_EQ(alt(0), 0);     // south
    EXPECT_EQ(alt(95), 125);  // 85 from north: halfway up the slope
    EXPECT_EQ(alt(85), 0);    // 95 from north: at the foot of the cliff
}

TEST(LandscapeDataset, SilhouetteIsLowLikeAHorizon) {
    const auto block = world_test::ReadBlock("YAMA");
    ASSERT_EQ(block.size() % 4, 0u);
    ASSERT_GE(block.size() / 4, 36u);
    int highest = 0;
    for (size_t i = 0; i < block.size(); i += 4) {
        EXPECT_LT(static_cast<uint16_t>(world_test::I16(block, i)), 18000);
        highest = std::max<int>(highest, static_cast<uint16_t>(world_test::I16(block, i + 2)));
    }
    EXPECT_GT(highest, 50);       // more than a degree: a real skyline
    EXPECT_LE(highest, 10 * 50);  // at most ten degrees
}

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

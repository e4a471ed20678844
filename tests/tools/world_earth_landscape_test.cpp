#include <gtest/gtest.h>

#include <cmath>

#include "persist/records/world_records.h"
#include "world/coastlines.h"
#include "world/landscape.h"
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
    SKIP_WITHOUT_DATASET();
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
    SKIP_WITHOUT_DATASET();
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

}  // namespace

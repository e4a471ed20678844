#include <gtest/gtest.h>

#include "builder_fixture.h"
#include "world/coastlines.h"
#include "world/landscape.h"
#include "world/milky_way.h"

namespace {

using builder_test::AsBytes;

using namespace databuilder::world;

TEST(EarthBlock, QuantizedArcsDecodeToUnitSphereTriplesWithMarks) {
    // Two arcs; the first is delta-encoded: (0,0) -> (90,0) -> (90,45) in degrees.
    const std::string topo = R"({"type":"Topology","transform":{"scale":[1,0.5],"translate":[0,0]},
        "arcs":[[[0,0],[90,0],[0,90]],[[10,20],[1,1]]],"objects":{}})";
    const auto lines = ParseTopoJsonArcs(AsBytes(topo), "fixture");
    const Bytes block = BuildEarthBlock(lines);
    std::vector<int16_t> words(block.size() / 2);
    std::memcpy(words.data(), block.data(), block.size());
    // Pen-up, (0,0) toward Greenwich as z, (90 E, 0) as x, (90 E, 45 N) with north negative y.
    EXPECT_EQ(words, (std::vector<int16_t>{5000, 0,    0,     0,    0,    4096, 4096, 0,
                                           0,    2896, -2896, 0,    5000, 0,    0,    700,
                                           -711, 3972, 768,   -746, 3953, 6000, 0,    0}));
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
    auto az = [&](int i) { return static_cast<uint16_t>(builder_test::I16(block, i * 4)); };
    auto alt = [&](int i) { return static_cast<uint16_t>(builder_test::I16(block, i * 4 + 2)); };
    EXPECT_EQ(az(0), 0);
    EXPECT_EQ(az(359), 359 * 50);
    // East is 90 degrees from south through east; the program reads 18000 - 4500 = 13500,
    // 270 degrees from south through west: east again.
    // South, west, 85 from north (halfway up the slope), 95 from north (the foot of the cliff).
    EXPECT_EQ(std::tuple(alt(90), alt(0), alt(270), alt(95), alt(85)),
              std::tuple(5 * 50, 0, 0, 125, 0));
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

}  // namespace

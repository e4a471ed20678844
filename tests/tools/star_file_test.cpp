// Decoding of the Stellarium star files: records, positions, the exact proper-motion inverse and
// the refusal of damaged or unexpected files.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/build_error.h"
#include "sky/star_file.h"

namespace databuilder {
namespace {

struct FileBuilder {
    std::vector<uint8_t> bytes;
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void header(uint32_t type, uint32_t major, uint32_t level, int32_t magMin, uint32_t range,
                uint32_t steps) {
        u32(kStarFileMagic);
        u32(type);
        u32(major);
        u32(0);
        u32(level);
        u32(static_cast<uint32_t>(magMin));
        u32(range);
        u32(steps);
    }
};

// Packs fields LSB-first into a little-endian bit string, as the Star2 records are stored.
struct BitPacker {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(10, 0);
    int at = 0;
    void put(int64_t value, int bits) {
        for (int i = 0; i < bits; ++i, ++at)
            if ((static_cast<uint64_t>(value) >> i) & 1) bytes[at / 8] |= uint8_t(1u << (at % 8));
    }
};

// Plane coordinates of direction v in a zone, as integers of a file with `maxPos`.
void planeOf(const StarGrid& grid, size_t zone, Vec3 v, int maxPos, int& x0, int& x1) {
    const GridZone& z = grid.zone(zone);
    const double sd = dot(v, z.centre);
    x0 = static_cast<int>(std::lround(dot(v, z.axis0) / sd / grid.scale() * maxPos));
    x1 = static_cast<int>(std::lround(dot(v, z.axis1) / sd / grid.scale() * maxPos));
}

// The encoder's model: (pmRA cos dec, pmDec) taken as rates of the plane's direction cosines;
// stored value = 10 x rate of the gnomonic coordinate, found here by finite differences.
void encodeRates(const GridZone& z, Vec3 v, double pm0, double pm1, int& dx0, int& dx1) {
    auto gnomonic = [&](double t, int axis) {
        const double m0 = dot(v, z.axis0) + pm0 * t, m1 = dot(v, z.axis1) + pm1 * t;
        const double sd = std::sqrt(1 - m0 * m0 - m1 * m1);
        return (axis == 0 ? m0 : m1) / sd;
    };
    const double h = 1e-10;  // years: the motion stays tiny against the plane
    dx0 = static_cast<int>(std::lround(10 * (gnomonic(h, 0) - gnomonic(-h, 0)) / (2 * h)));
    dx1 = static_cast<int>(std::lround(10 * (gnomonic(h, 1) - gnomonic(-h, 1)) / (2 * h)));
}

bool insideTriangle(const GridZone& z, Vec3 v) {
    for (int k = 0; k < 3; ++k)
        if (dot(cross(z.corner[k], z.corner[(k + 1) % 3]), v) < -1e-12) return false;
    return true;
}

std::string errorOf(const std::vector<uint8_t>& bytes) {
    try {
        parseStarFile(bytes, "stars_test.cat");
    } catch (const BuildError& e) {
        return e.what();
    }
    return {};
}

TEST(StarGridTest, ZonesTileTheSphereInTheirOrder) {
    const StarGrid top(0), level2(2);
    ASSERT_EQ(top.zoneCount(), 20u);
    ASSERT_EQ(level2.zoneCount(), 320u);
    for (size_t z = 0; z < level2.zoneCount(); ++z) {
        EXPECT_TRUE(insideTriangle(level2.zone(z), level2.zone(z).centre));
        EXPECT_TRUE(insideTriangle(top.zone(z / 16), level2.zone(z).centre)) << z;
    }
    // Every corner of a level lies on the plane within the scale.
    for (size_t z = 0; z < level2.zoneCount(); ++z)
        for (const auto& c : level2.zone(z).corner) {
            const GridZone& g = level2.zone(z);
            EXPECT_LE(std::fabs(dot(c, g.axis0) / dot(c, g.centre)), level2.scale() + 1e-12);
        }
}

TEST(StarFileTest, DecodesStar1RecordWithPositionAndExactProperMotion) {
    const StarGrid grid(0);
    const size_t zone = 7;
    const Vec3 target = normalized(grid.zone(zone).centre + grid.zone(zone).axis0 * 0.2 +
                                   grid.zone(zone).axis1 * -0.1);
    const int maxPos = 2147483647;
    int x0, x1, dx0, dx1;
    planeOf(grid, zone, target, maxPos, x0, x1);
    // Barnard's-star-like motion in mas/yr, where the naive reading errs most.
    const double pmRa = -798.8, pmDec = 10277.3;
    encodeRates(grid.zone(zone), target, pmRa, pmDec, dx0, dx1);

    FileBuilder f;
    f.header(0, 0, 0, -2000, 12800, 256);
    for (int z = 0; z < 20; ++z)
        f.u32(z == static_cast<int>(zone) ? 1 : 0);
    const std::vector<uint8_t> record = {
        0x39, 0x30, 0x01,  // HIP 77881 (0x013039)
        2,                 // component B
    };
    f.bytes.insert(f.bytes.end(), record.begin(), record.end());
    f.u32(static_cast<uint32_t>(x0));
    f.u32(static_cast<uint32_t>(x1));
    f.bytes.push_back(80);  // bV
    f.bytes.push_back(41);  // mag index: -2 + 41 * 0.05 = 0.05
    f.bytes.push_back(0x34);
    f.bytes.push_back(0x12);
    f.u32(static_cast<uint32_t>(dx0));
    f.u32(static_cast<uint32_t>(dx1));
    f.u32(37921);

    const StarFile file = parseStarFile(f.bytes, "stars_test.cat");
    ASSERT_EQ(file.stars.size(), 1u);
    const DecodedStar& s = file.stars[0];
    EXPECT_EQ(s.hip, 0x013039);
    EXPECT_EQ(s.component, 2);
    EXPECT_EQ(s.spectralIndex, 0x1234);
    EXPECT_EQ(s.parallax, 37921);
    EXPECT_EQ(s.magMilli, 50);
    EXPECT_NEAR(s.bMinusV, 80 * 4.0 / 127 - 0.5, 1e-12);
    EXPECT_EQ(s.zone, zone);
    EXPECT_LT(std::acos(std::min(1.0, dot(s.position, target))), 1e-8);
    EXPECT_NEAR(s.pmRaCosDec, pmRa, 0.1);
    EXPECT_NEAR(s.pmDec, pmDec, 0.1);
    // The plane rates differ from the true motion by far more than the tolerance above.
    EXPECT_GT(std::fabs(0.1 * dx1 - pmDec), 50.0);
}

TEST(StarFileTest, DecodesStar2BitFieldsWithSigns) {
    const StarGrid grid(1);
    const size_t zone = 53;
    const Vec3 target = normalized(grid.zone(zone).centre + grid.zone(zone).axis0 * -0.05 +
                                   grid.zone(zone).axis1 * 0.03);
    int x0, x1;
    planeOf(grid, zone, target, (1 << 19) - 1, x0, x1);
    ASSERT_LT(x0, 0);
    BitPacker p;
    p.put(x0, 20);
    p.put(x1, 20);
    p.put(-1234, 14);
    p.put(4321, 14);
    p.put(100, 7);
    p.put(29, 5);

    FileBuilder f;
    f.header(1, 0, 1, 9000, 1500, 30);
    for (int z = 0; z < 80; ++z)
        f.u32(z == static_cast<int>(zone) ? 1 : 0);
    f.bytes.insert(f.bytes.end(), p.bytes.begin(), p.bytes.end());
    const StarFile file = parseStarFile(f.bytes, "stars_test.cat");
    ASSERT_EQ(file.stars.size(), 1u);
    const DecodedStar& s = file.stars[0];
    EXPECT_EQ(s.hip, 0);
    EXPECT_EQ(s.magMilli, 9000 + 29 * 50);
    EXPECT_NEAR(s.bMinusV, 100 * 4.0 / 127 - 0.5, 1e-12);
    EXPECT_LT(std::acos(std::min(1.0, dot(s.position, target))), 2e-6);
    double pm0, pm1;
    decodeProperMotion(grid.zone(zone), s.position, -1234, 4321, pm0, pm1);
    EXPECT_DOUBLE_EQ(s.pmRaCosDec, pm0);
    EXPECT_DOUBLE_EQ(s.pmDec, pm1);
    EXPECT_LT(pm0, 0);
    EXPECT_GT(pm1, 0);
}

TEST(StarFileTest, RefusesDamagedOrUnexpectedFilesNamingThem) {
    FileBuilder good;
    good.header(0, 0, 0, -2000, 12800, 256);
    for (int z = 0; z < 20; ++z)
        good.u32(0);
    EXPECT_TRUE(errorOf(good.bytes).empty());
    // Major version 1, a wrong magic, record type 2 (Star3), zone 0 claiming three records that
    // are not there, a cut header, a cut zone table.
    const std::pair<std::pair<std::size_t, uint8_t>, const char*> damaged[] = {
        {{8, 1}, "unexpected format version 1.0"},
        {{0, 0x35}, "magic"},
        {{4, 2}, "record type 2"},
        {{32, 3}, "truncated"}};
    for (const auto& [change, message] : damaged) {
        std::vector<uint8_t> bytes = good.bytes;
        bytes[change.first] = change.second;
        const std::string error = errorOf(bytes);
        EXPECT_NE(error.find(message), std::string::npos) << error;
        EXPECT_NE(error.find("stars_test.cat"), std::string::npos) << error;
    }
    EXPECT_NE(errorOf({1, 2, 3}).find("truncated header"), std::string::npos);
    EXPECT_NE(errorOf({good.bytes.begin(), good.bytes.begin() + 40}).find("zone table"),
              std::string::npos);
}

}  // namespace
}  // namespace databuilder

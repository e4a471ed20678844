// The star catalogue in STAR2 order: ecliptic conversion, proper motion unit and sign, magnitude
// codes, spectral letters, zones, ordering, STIDX and the star numbers that paths can reach.
#include <gtest/gtest.h>

#include "builder_fixture.h"

#include "framework/build_error.h"
#include "sky/designations.h"
#include "sky/figures.h"
#include "sky/picture_tracer.h"

namespace databuilder {
namespace {

using builder_test::Star;

constexpr double kDeg = kPi / 180;

// Ecliptic place from right ascension and declination by the spherical-trigonometry formulas.
void eclipticByFormula(double raDeg, double decDeg, double& lon, double& lat) {
    const double a = raDeg * kDeg, d = decDeg * kDeg, e = kObliquityJ2000Deg * kDeg;
    lon = std::atan2(std::sin(a) * std::cos(e) + std::tan(d) * std::sin(e), std::cos(a)) / kDeg;
    if (lon < 0) lon += 360;
    lat = std::asin(std::sin(d) * std::cos(e) - std::cos(d) * std::sin(e) * std::sin(a)) / kDeg;
}

double binUnits(double degrees) {
    return degrees / 360.0 * 32768.0;
}

TEST(EclipticTest, KnownStarsLandWithinOneBinaryAngle) {
    // Vega, Polaris and Betelgeuse (Hipparcos J2000, degrees).
    for (const auto& [ra, dec] : {std::pair{279.23473479, 38.78368896},
                                  {37.95456067, 89.26410897},
                                  {88.79293899, 7.40706400}}) {
        double lon, lat;
        eclipticByFormula(ra, dec, lon, lat);
        const BinPoint p = equatorialToBinPoint(ra, dec);
        EXPECT_LE(std::fabs(p.lon - binUnits(lon)), 0.5 + 1e-9) << ra;
        EXPECT_LE(std::fabs(p.lat - binUnits(lat)), 0.5 + 1e-9) << ra;
    }
    // Sirius: ecliptic longitude 104.08, latitude -39.61 (degrees).
    const BinPoint sirius = equatorialToBinPoint(101.28715533, -16.71611586);
    EXPECT_NEAR(sirius.lon * 360.0 / 32768, 104.08, 0.02);
    EXPECT_NEAR(sirius.lat * 360.0 / 32768, -39.61, 0.02);
    // The longitude wraps into the first turn.
    EXPECT_EQ(equatorialToBinPoint(359.999, 0).lon, 0);
    EXPECT_EQ(equatorialToBinPoint(0, 90).lat,
              static_cast<int16_t>(std::lround(binUnits(90 - kObliquityJ2000Deg))));
    EXPECT_GE(equatorialToBinPoint(359.9, -0.04).lon, 32700);
}

TEST(EclipticTest, ProperMotionIsStoredNegatedInUnitsPer100000Years) {
    // At the equinox a northward motion splits by the obliquity into longitude and latitude.
    int16_t pmLon, pmLat;
    properMotionToRecord(equatorialVector(0, 0), 0, 1000, pmLon, pmLat);
    const double perMas = 1e5 / (1296000000.0 / 32768);
    EXPECT_EQ(pmLat, -std::lround(1000 * std::cos(kObliquityJ2000Deg * kDeg) * perMas));
    EXPECT_EQ(pmLon, -std::lround(1000 * std::sin(kObliquityJ2000Deg * kDeg) * perMas));

    // Moving a star by its motion for one year shifts its ecliptic place by -pm / 100000.
    const double ra = 269.45207, dec = 4.69328, pmRa = -798.8, pmDec = 10277.3;
    properMotionToRecord(equatorialVector(ra, dec), pmRa, pmDec, pmLon, pmLat);
    const double years = 1;
    const double dec2 = dec + pmDec * years / 3.6e6;
    const double ra2 = ra + pmRa * years / 3.6e6 / std::cos(dec * kDeg);
    double lon1, lat1, lon2, lat2;
    eclipticByFormula(ra, dec, lon1, lat1);
    eclipticByFormula(ra2, dec2, lon2, lat2);
    EXPECT_NEAR(binUnits(lon2 - lon1) * 1e5, -pmLon, 1.0);
    EXPECT_NEAR(binUnits(lat2 - lat1) * 1e5, -pmLat, 1.0);
}

TEST(EclipticTest, PrecessionToB1875MovesTheEquinoxBack) {
    // Over 125 years the annual precession (3.075 s of RA and 20.04" of Dec at RA 0) moves a
    // star at RA 0, Dec 0 of J2000 to about RA 358.40, Dec -0.70 of B1875.
    const Vec3 v = precessFromJ2000(equatorialVector(0, 0), 1875.0);
    const double ra = std::atan2(v.y, v.x) / kDeg + 360;
    EXPECT_NEAR(ra, 358.40, 0.01);
    EXPECT_NEAR(std::asin(v.z) / kDeg, -0.696, 0.005);
}

TEST(RecordCodes, MagnitudesSpectralLettersAndZones) {
    // Tenths rounded half up plus twenty: Sirius -1.45 gives -1.4.
    const std::pair<int, int> magnitudes[] = {{-2000, 0},  {-1450, 6}, {-1460, 5}, {0, 20},
                                              {6450, 85},  {6500, 85}, {6550, 86}, {9400, 114},
                                              {9450, 115}, {9500, 115}};
    for (const auto& [milli, code] : magnitudes)
        EXPECT_EQ(magnitudeCode(milli), code) << milli;
    // The type first, then the colour index (0.65 is the Sun's).
    const std::tuple<const char*, double, char> letters[] = {
        {"A1V", 0.0, 'A'}, {"(B)e", 1.5, 'B'}, {"kA2hA5mA7V", 0.3, 'A'}, {"C5,4", 2.0, 'C'},
        {"", -0.35, 'O'},  {"", -0.1, 'B'},    {"", 0.1, 'A'},           {"", 0.45, 'F'},
        {"", 0.65, 'G'},   {"", 1.1, 'K'},     {"", 1.85, 'M'},          {"?", 1.1, 'K'}};
    for (const auto& [type, bv, letter] : letters)
        EXPECT_EQ(spectralLetter(type, bv), letter) << type << " " << bv;
    // Fifteen by ten degree cells; the north pole belongs to the last row; 1365 is 14.99 degrees.
    const std::tuple<int, int, int> zones[] = {{0, -8192, 0},     {0, 8192, 17},      {1365, 0, 9},
                                               {1366, 0, 18 + 9}, {32767, 8191, 431}, {0, -1, 8}};
    for (const auto& [lon, lat, zone] : zones)
        EXPECT_EQ(starZone(lon, lat), zone) << lon << " " << lat;
}

// A repeated component keeps its brightest record; stars that paths refer to join the bright
// part in magnitude order, and never at the number of a path's pen-up mark (10000).
TEST(SkyCatalogueTest, RepeatedComponentsAndReferencedStars) {
    SkyCatalogue cat = buildSkyCatalogue(
        {Star(10, 5, 5200, 7, 1), Star(10.001, 5, 4100, 7, 1), Star(10.1, 5, 8000, 7, 2)}, {}, {});
    ASSERT_EQ(cat.stars.size(), 2u);
    EXPECT_EQ(std::pair(cat.stars[0].magMilli, cat.brightCount), std::pair(4100, std::size_t{1}));
    EXPECT_EQ(cat.numberOfHip(99), -1);
    cat = buildSkyCatalogue(
        {Star(10, 5, 7200, 21), Star(10.1, 5, 2000, 22), Star(10.2, 5, 8000, 23)}, {}, {21});
    EXPECT_EQ(std::tuple(cat.brightCount, cat.stars[0].hip, cat.stars[1].hip, cat.stidx[0]),
              std::tuple(std::size_t{2}, 22, 21, 2u));
    std::vector<DecodedStar> stars;
    for (int i = 0; i < 10005; ++i)
        stars.push_back(Star(i * 0.02, 0, 5000, 100 + i));
    cat = buildSkyCatalogue(stars, {}, {100 + 10000});
    const int n = cat.numberOfHip(100 + 10000);
    EXPECT_TRUE(n != 10000 && n < 10005) << n;
}

TEST(SkyCatalogueTest, StarsCloserThanTheResolutionBecomeOneWithTheirCombinedLight) {
    const double arcsec = 1.0 / 3600;
    DecodedStar xiA = Star(169.55, 31.53 + 6 * arcsec, 4250), xiB = Star(169.55, 31.53, 4700);
    xiA.pmRaCosDec = -453.7;  // the Hipparcos record below has no proper motion
    std::vector<DecodedStar> stars = {
        Star(219.90, -60.835, 100, 71683, 1),  // alpha Cen A and B: two entries
        Star(219.90, -60.835 + 15 * arcsec, 1200, 71681, 2),
        Star(186.65, -63.10, 1250, 60718, 1),  // Acrux: two records of one entry
        Star(186.65, -63.10 + 4 * arcsec, 1550, 60718, 2),
        Star(169.55, 31.53 + 2 * arcsec, 3750, 55203),
        xiA,
        xiB,  // xi UMa: entry + its parts
        Star(100.0, 10.0, 9800, 500, 1),
        Star(100.0, 10.0 + 3 * arcsec, 9800, 500, 2),
        Star(120.0, 10.0, 9600),
        Star(120.0, 10.0 + 30 * arcsec, 9600),  // no entry: records
        Star(140.0, 10.0, 5000, 601),
        Star(140.0, 10.0 + 60 * arcsec, 5000, 602)};  // apart
    const HipparcosMagnitudes hipparcos = {
        {71683, -10}, {71681, 1350}, {60718, 770}, {55203, 3790}};
    const SkyCatalogue cat = buildSkyCatalogue(stars, {}, {71681}, hipparcos);
    const auto magAt = [&](int hip) { return cat.stars[cat.numberOfHip(hip)].magMilli; };
    EXPECT_EQ(cat.numberOfHip(71681), cat.numberOfHip(71683));
    EXPECT_EQ(cat.mergedHips, (std::set<int>{71681}));
    EXPECT_EQ(magAt(71683), combinedMagnitude({-10, 1350}));  // -0.28
    EXPECT_EQ(magAt(60718), 770);
    EXPECT_EQ(magAt(55203), 3790);
    EXPECT_NE(cat.stars[cat.numberOfHip(55203)].record.pmLon, 0);
    EXPECT_EQ(magAt(500), combinedMagnitude({9800, 9800}));  // 9.05: both parts beyond 9.5
    EXPECT_NE(cat.numberOfHip(601), cat.numberOfHip(602));
    ASSERT_EQ(cat.stars.size(), 7u);
    EXPECT_EQ(std::count_if(cat.stars.begin(), cat.stars.end(),
                            [](const CatalogueStar& s) { return s.magMilli == 8847; }),
              1);  // the two records without an entry: 9.6 and 9.6 make 8.85
}

// Decoding of the Stellarium star files: records, positions, the exact proper-motion inverse and
// the refusal of damaged or unexpected files.

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
    // HIP 77881 (0x013039), component B, the position, bV 80, magnitude index 41 (-2 + 41 x
    // 0.05), spectral line 0x1234, the rates and the parallax.
    f.bytes.insert(f.bytes.end(), {0x39, 0x30, 0x01, 2});
    f.u32(static_cast<uint32_t>(x0));
    f.u32(static_cast<uint32_t>(x1));
    f.bytes.insert(f.bytes.end(), {80, 41, 0x34, 0x12});
    f.u32(static_cast<uint32_t>(dx0));
    f.u32(static_cast<uint32_t>(dx1));
    f.u32(37921);

    const StarFile file = parseStarFile(f.bytes, "stars_test.cat");
    ASSERT_EQ(file.stars.size(), 1u);
    const DecodedStar& s = file.stars[0];
    EXPECT_EQ(std::tuple(s.hip, s.component, s.spectralIndex, s.parallax, s.magMilli, s.zone),
              std::tuple(0x013039, 2, 0x1234, 37921, 50, uint32_t(zone)));
    EXPECT_NEAR(s.bMinusV, 80 * 4.0 / 127 - 0.5, 1e-12);
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

// Tracing of artwork silhouettes into outlines and their placement through three anchor stars.

double area(const Outline& o) {
    double a = 0;
    for (size_t i = 1; i < o.size(); ++i)
        a += o[i - 1].x * o[i].y - o[i].x * o[i - 1].y;
    return a / 2;
}

// Shapes painted on an 80 x 80 picture trace into closed outlines enclosing their area; a hole
// runs the other way round, specks and dark pixels are dropped.
TEST(PictureTracerTest, ShapesBecomeClosedOutlinesOfTheirArea) {
    struct Fill {
        int x0, y0, x1, y1;
        uint8_t value;
    };
    const struct {
        std::vector<Fill> fills;
        std::size_t outlines;
        double area;
    } cases[] = {
        {{{10, 5, 30, 25, 200}}, 1, 400.0},
        {{{4, 4, 60, 60, 180}, {20, 20, 44, 44, 0}, {1, 1, 2, 2, 255}, {61, 61, 63, 63, 10}},
         2,
         56.0 * 56 - 24 * 24},
        {{{10, 10, 40, 40, 200}, {40, 40, 70, 70, 200}}, 0, 2 * 900.0},  // touching corners
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> g(80 * 80, 0);
        for (const Fill& f : c.fills)
            for (int y = f.y0; y < f.y1; ++y)
                for (int x = f.x0; x < f.x1; ++x)
                    g[size_t(y) * 80 + x] = f.value;
        const auto outlines = traceOutlines(g, 80, 80);
        if (c.outlines) {
            ASSERT_EQ(outlines.size(), c.outlines) << c.area;
        }
        double total = 0;
        for (const auto& o : outlines) {
            EXPECT_EQ(std::pair(o.front().x, o.front().y), std::pair(o.back().x, o.back().y));
            total += area(o);
        }
        EXPECT_DOUBLE_EQ(std::fabs(total), c.area);
        if (c.outlines == 1) {  // the square: its four corners, closed
            ASSERT_EQ(outlines[0].size(), 5u);
            for (const auto& p : outlines[0])
                EXPECT_TRUE((p.x == 10 || p.x == 30) && (p.y == 5 || p.y == 25));
        }
    }
}

TEST(PictureTracerTest, SimplificationKeepsCornersWithinTolerance) {
    std::vector<PixelPoint> staircase;
    for (int i = 0; i <= 20; ++i)
        staircase.push_back({double(i), i % 2 ? 0.6 : 0.0});
    staircase.push_back({20, 20});
    const auto s = simplifyPolyline(staircase, 1.0);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].x, 20);
    EXPECT_EQ(s[1].y, 0);
    EXPECT_EQ(simplifyPolyline(staircase, 0.1).size(), staircase.size());
}

TEST(PictureMappingTest, AnchorsLandOnTheirStarsAndMidpointsBetween) {
    const std::array<Vec3, 3> stars = {equatorialVector(88.79, 7.41), equatorialVector(78.63, -8.2),
                                       equatorialVector(86.94, -9.67)};
    const std::array<PixelPoint, 3> anchors = {{{100, 50}, {400, 420}, {150, 450}}};
    const PictureMapping m(anchors, stars);
    ASSERT_TRUE(m.valid());
    for (int k = 0; k < 3; ++k)
        EXPECT_GT(dot(m.direction(anchors[k]), stars[k]), 1 - 1e-12);
    const Vec3 mid = m.direction({250, 235});
    EXPECT_GT(dot(mid, normalized(stars[0] + stars[1])), 1 - 1e-9);
    EXPECT_FALSE(PictureMapping({{{0, 0}, {1, 1}, {2, 2}}}, stars).valid());
}

// Parsing of the sky-culture and catalogue text inputs, designations, names and the figure blocks.

std::vector<int16_t> words(const std::vector<uint8_t>& bytes) {
    std::vector<int16_t> out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return out;
}

TEST(FigureLinesTest, ParsesPairsTypesAndComments) {
    const auto figures =
        parseFigureLines("# comment\n\nOri 2 1 2 2 3\r\nAnd 1  677 3092\n", false, "fixture.fab");
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[0].code, "Ori");
    EXPECT_EQ(figures[0].segments, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}}));
    const auto asterisms =
        parseFigureLines("RH1 0 2  67301 69673 69673 65474\nGDi 1 1 5 6\nRA2 2 1 1.5 2.5 3 4\n",
                         true, "fixture.fab");
    ASSERT_EQ(asterisms.size(), 3u);
    EXPECT_TRUE(asterisms[0].segments.empty());  // ray helpers are not star lines
    EXPECT_EQ(asterisms[1].segments.size(), 1u);
    EXPECT_TRUE(asterisms[2].segments.empty());
    // Touching segments join into chains.
    EXPECT_EQ(chainSegments({{1, 2}, {2, 3}, {5, 6}, {6, 1}, {1, 9}}),
              (std::vector<std::vector<int>>{{1, 2, 3}, {5, 6, 1, 9}}));
    EXPECT_TRUE(chainSegments({}).empty());
}

TEST(NamesTest, FigureAndStarNameLines) {
    const auto names = parseFigureNames(
        "And\t\"Andromeda\"\t_(\"Andromeda\")\nGDi\t_(\"Great Diamond\",\"asterism\")\n001\t\"\"\t"
        "_(\"毕宿\")\n# x\n");
    using Names = std::map<std::string, std::string>;
    EXPECT_EQ(names, (Names{{"And", "Andromeda"}, {"GDi", "Great Diamond"}, {"001", "毕宿"}}));
    const auto native = parseNativeFigureNames(
        "001\t\"Bi Xiu\"\t_(\"Net\")\n063\t\"\"\t_(\"x\")\n# c\n264 \"Tu Si Kong\" "
        "_(\"Master\")\n");
    EXPECT_EQ(native, (Names{{"001", "Bi Xiu"}, {"264", "Tu Si Kong"}}));
    const auto stars = parseStarNames(
        "# names\n   677|_(\"Alpheratz\") 1,2\n   677|_(\"Sirrah\") 23\n "
        "32349|_(\"Sirius\")\nbad|x\n");
    EXPECT_EQ(stars.at(677),
              (std::vector<ReferencedName>{{"Alpheratz", {1, 2}}, {"Sirrah", {23}}}));
    EXPECT_EQ(stars.at(32349), (std::vector<ReferencedName>{{"Sirius", {}}}));
    EXPECT_EQ(stars.size(), 2u);
}

auto Fields(const Designation& d) {
    return std::tuple(d.constellation, d.greek, d.latin, d.suffix, d.flamsteed);
}

TEST(DesignationTest, GreekLatinFlamsteedAndSuffixes) {
    // Omicron is not the Latin o; a number after a Greek letter is a double-star discoverer's.
    const std::pair<const char*, std::tuple<std::string, int, std::string, std::string, int>>
        cases[] = {{"γ1_And", {"And", 3, "", "1", 0}},
                   {"ω_Cyg", {"Cyg", 24, "", "", 0}},
                   {"ο_And", {"And", 15, "", "", 0}},
                   {"A1_Car", {"Car", 0, "A", "1", 0}},
                   {"59_And_A", {"And", 0, "", "", 59}}};
    for (const auto& [text, fields] : cases) {
        Designation d;
        ASSERT_TRUE(parseDesignation(text, d)) << text;
        EXPECT_EQ(Fields(d), fields) << text;
    }
    Designation d;
    for (const char* text : {"β_860", "300_Cen", "Sirius"})
        EXPECT_FALSE(parseDesignation(text, d)) << text;
    // Lines of one star merge.
    const auto merged = parseNameFab(
        "   677|α_And\n 113726|ο_And\n 113726|1_And\n 10340|b_And\n"
        " 10340|b_And\n 5000|12_And\n 5000|c_And\n");
    EXPECT_EQ(Fields(merged.at(677)), Fields({"And", 1, "", "", 0}));
    EXPECT_EQ(Fields(merged.at(113726)), Fields({"And", 15, "", "", 1}));
    EXPECT_EQ(Fields(merged.at(10340)), Fields({"And", 0, "b", "", 0}));
    EXPECT_EQ(Fields(merged.at(5000)), Fields({"And", 0, "c", "", 12}));
}

TEST(DesignationTest, RecordsInTheAlphaLayout) {
    const auto fields = [](const persist::DesignationRecord& r) {
        return std::tuple(std::string(r.constellation), std::string(r.bayer, 2),
                          std::string(r.suffix), int(r.flamsteed));
    };
    Designation d;
    ASSERT_TRUE(parseDesignation("α1_Cen", d));
    EXPECT_EQ(fields(designationRecord("Cen", &d)), std::tuple("Cen", "*a", "1", 0));
    ASSERT_TRUE(parseDesignation("b_Pup", d));
    d.flamsteed = 7;
    EXPECT_EQ(fields(designationRecord("Pup", &d)),
              std::tuple("Pup", std::string("b\0", 2), "", 7));
    EXPECT_EQ(fields(designationRecord("Ori", nullptr)),
              std::tuple("Ori", std::string(2, '\0'), "", 0));
}

TEST(ConstellationSpansTest, FirstSpanAtOrAboveTheLowerDeclination) {
    const ConstellationSpans spans(
        " 0:00:00 24:00:00 88:00 UMi\n 2:39:00  3:17:00 -1:45 Cet\n 6:00:00  7:00:00 -33:00 CMa\n"
        " 5:00:00  6:30:00 -11:00 Ori\n 0:00:00 24:00:00 -90:00 Oct\n");
    EXPECT_EQ(spans.size(), 5u);
    EXPECT_EQ(spans.constellationOf(equatorialVector(37.95, 89.26)), "UMi");    // Polaris
    EXPECT_EQ(spans.constellationOf(equatorialVector(101.29, -16.72)), "CMa");  // Sirius
    EXPECT_EQ(spans.constellationOf(equatorialVector(88.79, 7.41)), "Ori");     // Betelgeuse
    EXPECT_EQ(spans.constellationOf(equatorialVector(42.0, -1.0)), "Cet");      // Dec -1 > -1:45
    EXPECT_EQ(spans.constellationOf(equatorialVector(42.0, -2.5)), "Oct");
}

TEST(StarNamesTest, IauNameShownOnePerStarNoSeriesNoSharedNames) {
    SkyCatalogue cat;
    cat.stars.resize(8);
    cat.byHip = {{677, 0},   {113881, 1}, {13954, 2}, {14135, 3}, {72622, 4},
                 {72603, 5}, {71683, 6},  {71681, 6}, {10324, 7}};
    cat.mergedHips = {71681};
    const std::vector<int> iau = {6}, old = {2}, dictionary = {1};
    const auto records = starNameRecords(
        cat, {{677, {{"Sirrah", old}, {"Alpheratz", iau}}},  // IAU first, old second
              {113881, {{"Scheat", iau}}},
              {13954, {{"Menkar", old}, {"Menkab", dictionary}}},  // Menkar is 14135's
              {14135, {{"Menkar", iau}}},
              {72622, {{"Zubenelgenubi II", iau}}},  // numeral of the list
              {72603, {{"Zubenelgenubi I", iau}, {"Kiffa Australis", old}}},
              {71683, {{"Rigil Kentaurus", iau}}},
              {71681, {{"Toliman", iau}}},                      // merged into 71683
              {10324, {{"Al Kaff al Jidhmah I", dictionary}}},  // a numbered series
              {99, {{"Nowhere", iau}}}});
    std::vector<std::tuple<uint32_t, std::string, std::string>> got;
    for (const auto& r : records)
        got.emplace_back(r.star, r.name, r.second);
    EXPECT_EQ(got, (std::vector<std::tuple<uint32_t, std::string, std::string>>{
                       {0, "Alpheratz", "Sirrah"},
                       {1, "Scheat", ""},
                       {2, "Menkab", ""},
                       {3, "Menkar", ""},
                       {4, "Zubenelgenubi", ""},
                       {6, "Rigil Kentaurus", ""}}));
}

TEST(StarNamesTest, LongUtf8NamesAreCutAtACharacterBoundary) {
    char field[8];
    copyUtf8(field, sizeof field, "Zubenelgenubi");
    EXPECT_STREQ(field, "Zubenel");
    copyUtf8(field, sizeof field, "aaaaaéé");  // é is two bytes: cut before a split character
    EXPECT_STREQ(field, "aaaaaé");
    copyUtf8(field, sizeof field, "aaaaaaé");
    EXPECT_STREQ(field, "aaaaaa");
}

TEST(FigureBlocksTest, StarPathsCarryPenUpsAndTheEndMark) {
    const auto bytes = starPathBytes({{5, 9}, {12, 14}}, "LINE");
    EXPECT_EQ(words(bytes), (std::vector<int16_t>{5, 9, 10000, 12, 14, 10000, 20000}));
    EXPECT_EQ(words(starPathBytes({}, "LINE")), (std::vector<int16_t>{20000}));
    EXPECT_THROW(starPathBytes({{1, 10000}}, "LINE"), BuildError);
    EXPECT_THROW(starPathBytes({{1, 20000}}, "LINE"), BuildError);
    EXPECT_THROW(starPathBytes({{1, 40000}}, "LINE"), BuildError);
}

TEST(FigureBlocksTest, FiguresByHipDropUnknownStars) {
    SkyCatalogue cat;
    cat.stars.resize(4);
    cat.byHip = {{10, 3}, {20, 1}, {30, 0}};
    FigureLines f;
    f.segments = {{10, 20}, {20, 30}, {30, 77}};
    std::vector<int> missing;
    const auto lines = figurePolylines({f}, cat, missing);
    EXPECT_EQ(lines, (std::vector<std::vector<int>>{{3, 1, 0}}));
    EXPECT_EQ(missing, std::vector<int>{77});
    // Outlines end with two pen-ups.
    const auto w = words(outlineBytes({{{1, 2}, {3, 4}}, {{5, 6}}}));
    EXPECT_EQ(w, (std::vector<int16_t>{1, 2, 3, 4, -1, 0, 5, 6, -1, 0, -1, 0}));
}

TEST(BoundariesTest, SegmentsConverted) {
    const std::string text =
        "3 20.6386585 2.4360874 20.6392918 1.4361323 20.6399231 0.4361772 2 AQL AQR\n"
        "2 0 0\n 6 0 2 SER1 OPH\n";
    const auto segments = parseBoundaries(text, "constellation_boundaries.dat");
    ASSERT_EQ(segments.size(), 2u);
    ASSERT_EQ(segments[0].size(), 3u);
    const BinPoint first = equatorialToBinPoint(20.6386585 * 15, 2.4360874);
    EXPECT_EQ(std::pair(segments[0][0].lon, segments[0][0].lat), std::pair(first.lon, first.lat));
    EXPECT_EQ(segments[1][1].lon, equatorialToBinPoint(90, 0).lon);
}

}  // namespace
}  // namespace databuilder

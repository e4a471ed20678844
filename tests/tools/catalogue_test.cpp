// The star catalogue in STAR2 order: ecliptic conversion, proper motion unit and sign, magnitude
// codes, spectral letters, zones, ordering, STIDX and the star numbers that paths can reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include <cmath>

#include "framework/build_error.h"
#include "sky/ecliptic.h"
#include "sky/sky_catalogue.h"

namespace databuilder {
namespace {

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

struct KnownStar {
    const char* name;
    double ra, dec;  // Hipparcos J2000, degrees
};
const KnownStar kKnownStars[] = {{"Sirius", 101.28715533, -16.71611586},
                                 {"Vega", 279.23473479, 38.78368896},
                                 {"Polaris", 37.95456067, 89.26410897},
                                 {"Betelgeuse", 88.79293899, 7.40706400}};

TEST(EclipticTest, KnownStarsLandWithinOneBinaryAngle) {
    for (const auto& star : kKnownStars) {
        double lon, lat;
        eclipticByFormula(star.ra, star.dec, lon, lat);
        const BinPoint p = equatorialToBinPoint(star.ra, star.dec);
        EXPECT_LE(std::fabs(p.lon - binUnits(lon)), 0.5 + 1e-9) << star.name;
        EXPECT_LE(std::fabs(p.lat - binUnits(lat)), 0.5 + 1e-9) << star.name;
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

DecodedStar star(double ra, double dec, int magMilli, int hip = 0, int component = 0) {
    DecodedStar s;
    s.position = equatorialVector(ra, dec);
    s.magMilli = magMilli;
    s.hip = hip;
    s.component = component;
    s.bMinusV = 0.65;
    return s;
}

TEST(SkyCatalogueTest, BrightPartByMagnitudeThenZonesWithTheirIndex) {
    std::vector<DecodedStar> stars = {
        star(10, 5, 7000),          star(10.05, 5, 6600),       star(200, -30, 8000),
        star(10.1, 5, 3000, 11),    star(10.15, 5, 9600),       star(50, 60, 6500),
        star(200.05, -30, 9450),    star(10.2, 5, -1000, 12),   star(10.25, 5, 9000, 13),
        star(10.3, 5, 6600, 14, 1), star(10.35, 5, 6700, 14, 2)};
    const SkyCatalogue cat = buildSkyCatalogue(stars, {}, {});
    ASSERT_EQ(cat.stars.size(), 10u);  // the star of V 9.6 is beyond the catalogue
    ASSERT_EQ(cat.brightCount, 3u);
    EXPECT_EQ(cat.stars[0].hip, 12);
    EXPECT_EQ(cat.stars[1].hip, 11);
    EXPECT_EQ(cat.stars[2].magMilli, 6500);
    // Faint part: zone by zone, each by magnitude (the full data set's checks walk every zone);
    // components of one HIP are distinct stars.
    const int z1 = starZone(cat.stars[3].record.lon, cat.stars[3].record.lat);
    ASSERT_EQ(cat.stidx.size(), 432u * 30 + 1);
    EXPECT_EQ(cat.stidx.back(), 10u);
    EXPECT_EQ(cat.stidx[z1 * 30], 3u);
    EXPECT_EQ(cat.stidx[z1 * 30 + 1], 5u);  // 6.6 and 6.6
    EXPECT_EQ(cat.stidx[z1 * 30 + 2], 6u);  // 6.7
    EXPECT_EQ(cat.stidx[z1 * 30 + 5], 7u);  // 7.0
    EXPECT_NE(cat.numberOfHip(14), -1);
    EXPECT_EQ(cat.stars[cat.numberOfHip(14)].component, 1);
    EXPECT_EQ(cat.numberOfHip(99), -1);
}

// A repeated component keeps its brightest record; stars that paths refer to join the bright
// part in magnitude order, and never at the number of a path's pen-up mark (10000).
TEST(SkyCatalogueTest, RepeatedComponentsAndReferencedStars) {
    SkyCatalogue cat = buildSkyCatalogue(
        {star(10, 5, 5200, 7, 1), star(10.001, 5, 4100, 7, 1), star(10.1, 5, 8000, 7, 2)}, {}, {});
    ASSERT_EQ(cat.stars.size(), 2u);
    EXPECT_EQ(std::pair(cat.stars[0].magMilli, cat.brightCount), std::pair(4100, std::size_t{1}));
    cat = buildSkyCatalogue(
        {star(10, 5, 7200, 21), star(10.1, 5, 2000, 22), star(10.2, 5, 8000, 23)}, {}, {21});
    EXPECT_EQ(std::tuple(cat.brightCount, cat.stars[0].hip, cat.stars[1].hip, cat.stidx[0]),
              std::tuple(std::size_t{2}, 22, 21, 2u));
    std::vector<DecodedStar> stars;
    for (int i = 0; i < 10005; ++i)
        stars.push_back(star(i * 0.02, 0, 5000, 100 + i));
    cat = buildSkyCatalogue(stars, {}, {100 + 10000});
    const int n = cat.numberOfHip(100 + 10000);
    EXPECT_TRUE(n != 10000 && n < 10005) << n;
}

TEST(SkyCatalogueTest, StarsCloserThanTheResolutionBecomeOneWithTheirCombinedLight) {
    const double arcsec = 1.0 / 3600;
    DecodedStar xiA = star(169.55, 31.53 + 6 * arcsec, 4250), xiB = star(169.55, 31.53, 4700);
    xiA.pmRaCosDec = -453.7;  // the Hipparcos record below has no proper motion
    std::vector<DecodedStar> stars = {
        star(219.90, -60.835, 100, 71683, 1),  // alpha Cen A and B: two entries
        star(219.90, -60.835 + 15 * arcsec, 1200, 71681, 2),
        star(186.65, -63.10, 1250, 60718, 1),  // Acrux: two records of one entry
        star(186.65, -63.10 + 4 * arcsec, 1550, 60718, 2),
        star(169.55, 31.53 + 2 * arcsec, 3750, 55203),
        xiA,
        xiB,  // xi UMa: entry + its parts
        star(100.0, 10.0, 9800, 500, 1),
        star(100.0, 10.0 + 3 * arcsec, 9800, 500, 2),
        star(120.0, 10.0, 9600),
        star(120.0, 10.0 + 30 * arcsec, 9600),  // no entry: records
        star(140.0, 10.0, 5000, 601),
        star(140.0, 10.0 + 60 * arcsec, 5000, 602)};  // apart
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

}  // namespace
}  // namespace databuilder

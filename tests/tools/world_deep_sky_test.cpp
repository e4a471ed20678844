#include <gtest/gtest.h>

#include "builder_fixture.h"
#include "world/deep_sky.h"
#include "world/deep_stars.h"

namespace {

using databuilder::world::Bytes;
using databuilder::world::DsoSource;

// Writes catalogue records in the catalogue's big-endian serialized layout.
class CatalogueWriter {
  public:
    CatalogueWriter() {
        Text("3.16");
        Text("standard");
    }
    void Object(uint32_t id, double raRad, double decRad, double vMag, uint32_t type, uint32_t ngc,
                uint32_t messier, uint32_t barnard = 0, double majorDeg = 0.1) {
        U32(id);
        for (double d : {raRad, decRad, 99.0, vMag})  // B is 99
            F64(d);
        U32(type);
        Text("");
        F64(majorDeg);
        F64(majorDeg);
        U32(0);
        for (int i = 0; i < 6; ++i)
            F64(0);
        // The 14 numbers from NGC on, then Ced, Arp, VV, seven texts and five numbers.
        for (uint32_t v : {ngc,   0u,    messier, 0u,    barnard, 0u, 0u, 0u,    0u,    0u,
                           0u,    0u,    0u,      0u,    kNull,   0u, 0u, kNull, kNull, kNull,
                           kNull, kNull, kNull,   kNull, 0u,      0u, 0u, 0u,    0u})
            U32(v);
    }
    Bytes bytes;

  private:
    static constexpr uint32_t kNull = 0xFFFFFFFFu;  // an empty text
    void U32(uint32_t v) {
        for (int i = 3; i >= 0; --i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void F64(double d) {
        uint64_t v;
        std::memcpy(&v, &d, 8);
        for (int i = 7; i >= 0; --i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void Text(const std::string& s) {
        U32(static_cast<uint32_t>(s.size() * 2));
        for (char c : s) {
            bytes.push_back(0);
            bytes.push_back(static_cast<uint8_t>(c));
        }
    }
};

TEST(DeepSkyCatalogue, ParsesTheSerializedRecords) {
    CatalogueWriter w;
    w.Object(1, 0.18648, 0.72028, 3.44, 0, 224, 31);
    w.Object(2, 1.5, -0.1, 12.0, 6, 2000, 0);
    const auto objects = databuilder::world::ParseDsoCatalog(w.bytes, "fixture");
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].messier, 31u);
    EXPECT_EQ(objects[0].ngc, 224u);
    EXPECT_NEAR(objects[0].ra, 10.6846, 1e-3);
    EXPECT_NEAR(objects[0].dec, 41.269, 1e-3);
    EXPECT_DOUBLE_EQ(objects[1].vMag, 12.0);
    const Bytes cut(w.bytes.begin(), w.bytes.end() - 7);
    EXPECT_THROW(databuilder::world::ParseDsoCatalog(cut, "catalog.dat"), databuilder::BuildError);
}

TEST(DeepSkyCatalogue, TypesMapToTheProgramsLetters) {
    auto classify = [](uint32_t type, double mag = 99) {
        DsoSource s;
        s.type = type;
        s.vMag = mag;
        char t, tint;
        databuilder::world::ClassifyDso(s, t, tint);
        return std::string{t, tint};
    };
    // HII regions are diffuse nebulae with a letter tint; dark nebulae carry their opacity class.
    const std::tuple<uint32_t, double, std::string> cases[] = {
        {0, 99, "G"}, {7, 99, "D"}, {6, 99, "C"}, {11, 99, "P"}, {17, 99, "NM"}, {12, 5, "N5"}};
    for (const auto& [type, mag, letters] : cases)
        EXPECT_EQ(classify(type, mag).substr(0, letters.size()), letters) << type;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(classify(12)[1])));
}

TEST(DeepSkyCatalogue, SelectionKeepsMessierBrightNgcAndLargeDarkNebulae) {
    std::vector<DsoSource> catalogue(7);
    catalogue[0].messier = 2, catalogue[0].ngc = 7089, catalogue[0].type = 7;
    catalogue[1].ngc = 9999, catalogue[1].vMag = 13.0;  // too faint
    catalogue[2].ngc = 869, catalogue[2].vMag = 3.7, catalogue[2].type = 6;
    catalogue[3].barnard = 33, catalogue[3].type = 12, catalogue[3].majorAxis = 0.1;  // too small
    catalogue[4].barnard = 72, catalogue[4].type = 12, catalogue[4].majorAxis = 0.5;
    // Clusters with nebulosity: the Eagle is looked for as a nebula, the Pleiades as a cluster.
    catalogue[5].messier = 16, catalogue[5].ngc = 6611, catalogue[5].type = 16;
    catalogue[6].messier = 45, catalogue[6].type = 16;
    std::map<std::string, std::vector<std::string>> names = {
        {"NGC 869", {"Double Cluster in Perseus, h Persei", "h Persei"}},
        {"B 72", {"Snake Nebula"}},
        {"NGC 6611", {"Eagle Nebula"}},
        {"M 45", {"Pleiades"}}};
    const auto selected = databuilder::world::SelectDeepSky(catalogue, names);
    std::vector<std::string> got;
    for (const auto& o : selected)
        got.push_back(o.messier + "|" + o.ngc + "|" + o.popular + "|" + o.type);
    // Messier objects first; a popular name is the first that fits the field.
    EXPECT_EQ(got, (std::vector<std::string>{"M2|NGC 7089||D", "M16|NGC 6611|Eagle Nebula|N",
                                             "M45||Pleiades|C", "|NGC 869|h Persei|C",
                                             "|B 72|Snake Nebula|N"}));
}

TEST(DeepSkyCatalogue, NamesFileGivesNamesInOrderByDesignation) {
    // Names with a single source other than SIMBAD, or none, are not names users know.
    const auto names = databuilder::world::ParseDsoNames(builder_test::Fixture("names.dat"));
    EXPECT_EQ(names.at("NGC 224"),
              (std::vector<std::string>{"Andromeda Galaxy", "Andromeda Nebula"}));
    EXPECT_EQ(names.at("M 8")[0], "Lagoon Nebula");
    EXPECT_EQ(names.count("NGC 2068") + names.count("M 24"), 0u);
    const std::vector<std::pair<std::vector<std::string>, std::string>> fitted = {
        {{"Small Sagittarius Star Cloud"}, "Small Sgr Star Cloud"},
        {{"Great Star Cluster in Hercules", "Hercules Globular Cluster"}, "Hercules Cluster"},
        {{"September epsilon-Perseids"}, "Sept. epsilon-Perseids"},
        {{"A very long name that no short form fits"}, "A very long name that"}};
    for (const auto& [list, name] : fitted)
        EXPECT_EQ(databuilder::world::FittingName(list), name);
}

TEST(DeepSkyCatalogue, RadiantCarriesItsPeakInTheMessierField) {
    std::vector<databuilder::world::DeepSkyObject> objects;
    const databuilder::world::MeteorShower showers[] = {
        {"Quadrantids", "QUA", 283.15, 230, 49, 110}};
    databuilder::world::AddMeteorRadiants(objects, showers, 1);
    ASSERT_EQ(objects.size(), 1u);
    const Bytes obj = databuilder::world::BuildObjBlock(objects);
    const Bytes objn = databuilder::world::BuildObjnBlock(objects);
    ASSERT_EQ(std::pair(obj.size(), objn.size()), std::pair(size_t{6}, size_t{72}));
    EXPECT_EQ(obj[4], 'M');
    const std::string messier = builder_test::Field(objn, 24, 24);
    EXPECT_EQ(std::stoi(messier.substr(1)), 283);
    EXPECT_EQ(builder_test::Field(objn, 0, 24), "Quadrantids");
    // RA 230, Dec +49 is ecliptic longitude 200.883, latitude 63.169 (J2000).
    EXPECT_NEAR(builder_test::I16(obj, 0) * 360.0 / 32768, 200.883, 0.02);
    EXPECT_NEAR(builder_test::I16(obj, 2) * 360.0 / 32768, 63.169, 0.02);
}

using namespace databuilder;
using builder_test::Star;

TEST(DeepStars, ZonesCountEastwardFromLongitudeZeroAndNorthwardFromTheSouthPole) {
    // The north pole stays in the last row; 341 is 3.745 degrees, column 0, 342 column 1.
    for (const auto& [lon, lat, zone] : {std::tuple{0, -8192, 0},
                                         {0, 8192, 71},
                                         {341, 0, 36},
                                         {342, 0, 72 + 36},
                                         {32767, 0, 95 * 72 + 36}})
        EXPECT_EQ(world::DeepStarZone(int16_t(lon), int16_t(lat)), zone) << lon << " " << lat;
}

TEST(DeepStars, KeepsOnlyFaintStarsOncePerHipparcosStarTheBrighterRecord) {
    const std::vector<DecodedStar> stars = {
        Star(10, 5, 9500),             // in the built-in catalogue
        Star(10.01, 5, 10400),         // faint, same zone
        Star(10.02, 5, 9800),          // brighter, same zone
        Star(200, -30, 12000, 77, 0),  // Hipparcos star, two records
        Star(200, -30, 11000, 77, 0),
        Star(100, 20, 10000, 88, 1),  // shown by the built-in catalogue already
    };
    const auto cat = world::BuildDeepStarCatalogue(stars, {{88, 1}}, 9500);
    // Kept: 9.8, 10.4 and the Hipparcos star's brighter record (the order within a zone is
    // checked on the built set by the builder).
    ASSERT_EQ(std::pair(cat.count, cat.index.size()), std::pair(size_t{3}, size_t{6912 * 8}));
    std::vector<int> codes;
    for (size_t k = 0; k < cat.count; ++k)
        codes.push_back(cat.records[k * 5 + 4]);
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<int>{98 + 20, 104 + 20, 110 + 20}));
}

}  // namespace

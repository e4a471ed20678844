// The build steps on damaged or missing inputs: the build stops naming the input and the file,
// and keeps the old data set; a good input gives its block and its line in SOURCES.txt.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <functional>

#include "../persist/test_world.h"
#include "framework/build_run.h"
#include "framework/sources.h"
#include "sky/figures.h"
#include "sky/sky_inputs.h"
#include "sky/sky_steps.h"
#include "world/cities.h"
#include "world/coastlines.h"
#include "world/comet_sources.h"
#include "world/deep_sky.h"
#include "world/landscape.h"
#include "world/milky_way.h"
#include "world/minor_planets.h"
#include "world/sky_pictures.h"
#include "world/world_sources.h"
#include "world/world_steps.h"

namespace databuilder {
namespace {

namespace fs = std::filesystem;
using persist_test::ReadFile;
using persist_test::WriteFile;

// Marks `spec` as already unpacked in the cache (as a previous run leaves it) and writes one
// file into it.
void PlaceInCache(const fs::path& cache, const SourceSpec& spec, const std::string& path,
                  const std::string& contents) {
    std::string stem = archiveStem(spec);
    while (!stem.empty() && stem.back() == '_')
        stem.pop_back();
    if (stem.ends_with(".tgz")) stem.resize(stem.size() - 4);
    const fs::path root = cache / "unpacked" / stem;
    WriteFile(root / path, contents);
    WriteFile(root.string() + ".sha256", spec.sha256);
}

// The header of a star file of the given major version with 20 zones, the first holding
// countInZone0 records.
std::string StarFileHeader(uint32_t major, uint32_t countInZone0) {
    std::string bytes;
    for (uint32_t v : {0x835f040au, 0u, major, 8u, 0u, static_cast<uint32_t>(-2000), 12800u, 256u})
        bytes.append(reinterpret_cast<const char*>(&v), 4);
    for (uint32_t z = 0; z < 20; ++z) {
        const uint32_t count = z == 0 ? countInZone0 : 0;
        bytes.append(reinterpret_cast<const char*>(&count), 4);
    }
    return bytes;
}

TEST(BuildSteps, BadInputsStopTheBuildNamingThemAndKeepTheOldDataSet) {
    const std::string stars = std::string(sources::kStellariumRoot) + "stars/default/";
    const struct {
        BuildStep step;
        const SourceSpec* spec;  // none: nothing in the cache, and no network
        std::string path, contents;
        std::vector<std::string> named;
    } cases[] = {
        {{"stars", buildStarBlocks},
         &sources::kStellariumData,
         stars + "stars_0_0v0_8.cat",
         StarFileHeader(1, 0),
         {"stellarium-data 0.22.2-1", "stars_0_0v0_8.cat", "unexpected format version 1.8"}},
        {{"stars", buildStarBlocks},
         &sources::kStellariumData,
         stars + "stars_0_0v0_8.cat",
         StarFileHeader(0, 5),
         {"truncated"}},
        // With the first star file intact the next one is missing from the unpacked package.
        {{"stars", buildStarBlocks},
         &sources::kStellariumData,
         stars + "stars_0_0v0_8.cat",
         StarFileHeader(0, 0),
         {"stars_1_0v0_8.cat is missing"}},
        {{"cities", buildCityBlock},
         &sources::kCityTimezones,
         std::string(sources::kCityTimezonesRoot) + "cityMap.json",
         "[{\"city\": ",
         {"cityMap.json"}},
        {{"deep sky", buildDeepSkyBlocks},
         &sources::kStellariumData,
         std::string(sources::kStellariumRoot) + "nebulae/default/catalog.dat",
         "this is not a compressed catalogue",
         {"catalog.dat"}},
        {{"earth", buildEarthBlock}, nullptr, "", "", {"world-atlas", "no network"}},
    };
    for (const auto& c : cases) {
        persist_test::TempFolder dir;
        WriteFile(dir.path() / "data/QELDATA.INI", "[QELDATA]\nSTAR2=STAR2\n");
        WriteFile(dir.path() / "data/STAR2.DAT", "previous");
        if (c.spec) PlaceInCache(dir.path() / "cache", *c.spec, c.path, c.contents);
        BuildOptions options{dir.path() / "data", dir.path() / "cache", "stamp\n", true};
        options.fetcher = [](const SourceSpec&, const fs::path&, std::string& error) {
            error = "no network";
            return false;
        };
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(runBuild(options, {c.step}), 1) << c.step.name;
        ::testing::internal::GetCapturedStdout();
        const std::string message = ::testing::internal::GetCapturedStderr();
        for (const std::string& name : c.named)
            EXPECT_NE(message.find(name), std::string::npos) << message;
        EXPECT_EQ(ReadFile(dir.path() / "data/STAR2.DAT"), "previous");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "data"), {}), 2);
    }
}

TEST(BuildSteps, TheLandscapeStepWritesTheSkylineFromTheHorizonFile) {
    persist_test::TempFolder dir;
    PlaceInCache(dir.path() / "cache", sources::kStellariumData,
                 std::string(sources::kStellariumRoot) + "landscapes/geneva/horizon_Geneve.txt",
                 "0 2\n180 4\n");
    BuildOptions options{dir.path() / "data", dir.path() / "cache", "stamp\n", true};
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(runBuild(options, {{"landscape", buildLandscapeBlock}}), 0);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(ReadFile(dir.path() / "data/YAMA.DAT").size(), 360u * 4);
    EXPECT_NE(ReadFile(dir.path() / "data/SOURCES.txt").find("horizon_Geneve.txt"),
              std::string::npos);
}

world::Bytes AsBytes(const std::string& text) {
    return world::Bytes(text.begin(), text.end());
}

// Every reader of an outside file refuses damage by naming the file.
TEST(BuildSteps, DamagedInputsAreRefusedNamingTheFile) {
    const std::string zoneinfo = "/usr/share/zoneinfo";
    const std::string noPlanets = R"({"fields":["full_name"],"data":[["1 Ceres"]]})";
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[] { world::ParseCityMap(AsBytes("{not json"), "cityMap.json"); }, "cityMap.json"},
        {[&] { world::StandardOffsetMinutes("Mars/Olympus_Mons", zoneinfo, 2025); },
         "Mars/Olympus_Mons"},
        {[&] { world::StandardOffsetMinutes("../etc/passwd", zoneinfo, 2025); }, "passwd"},
        {[] { world::ParseTopoJsonArcs(AsBytes(R"({"type":"FeatureCollection"})"), "land.json"); },
         "land.json"},
        {[] { world::ParseHorizonPolygon("10 2\n20 abc\n", "horizon.txt"); }, "horizon.txt"},
        {[] {
             world::ParseMilkyWayLevel(AsBytes(R"({"type":"FeatureCollection","features":[]})"),
                                       "ol1", "mw.json");
         },
         "mw.json"},
        {[] {
             world::ParseDsoCatalog({0, 0, 0, 2, 0, '9'}, "catalog.dat");
         },
         "catalog.dat"},
        {[] { world::ParseTextureIndex("{oops", "textures.json"); }, "textures.json"},
        {[&] {
             world::ParseAsteroidElements(
                 QJsonDocument::fromJson(QByteArray::fromStdString(noPlanets)), "asteroids.dat");
         },
         "asteroids.dat"},
        {[] {
             world::ParseJplComets(AsBytes(R"({"fields": ["full_name"], "data": []})"), "c.dat");
         },
         "c.dat"},
        {[] { world::ParseMpcComets(AsBytes(R"([{"Designation_and_name": "C/X"}])"), "m.json"); },
         "m.json"},
        {[] { world::ParseMpcComets(AsBytes("not json"), "m.json"); }, "m.json"},
        {[] {
             world::ParseCometIni("[x]\ntype=comet\nname=X\norbit_Eccentricity=abc\n", "minor.ini");
         },
         "minor.ini"},
        {[] { parseFigureLines("Ori 3 1 2 2 3\n", false, "western.fab"); }, "western.fab: line 1"},
        {[] { parseBoundaries("3 1 2 3 4\n", "b.dat"); }, "b.dat"},
        {[] { parseBoundaries("2 1 2 3 4 5 X Y\n", "b.dat"); }, "b.dat"},
        {[] { parseBoundaries("2 1 2 3 4 2 X Y\n junk", "b.dat"); }, "b.dat"},
    };
    for (const auto& [read, named] : cases) {
        try {
            read();
            ADD_FAILURE() << named << " accepted";
        } catch (const BuildError& e) {
            EXPECT_NE(std::string(e.what()).find(named), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace databuilder

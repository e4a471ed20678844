// The world steps on damaged inputs: the build stops naming the input and keeps the old data set.
#include <gtest/gtest.h>

#include <fstream>

#include "framework/build_run.h"
#include "framework/sources.h"
#include "test_files.h"
#include "world/world_sources.h"
#include "world/world_steps.h"

namespace databuilder {
namespace {

namespace fs = std::filesystem;

// Marks `spec` as already unpacked in the cache and writes one file into it.
void PlaceInCache(const fs::path& cache, const SourceSpec& spec, const std::string& path,
                  const std::string& contents) {
    std::string stem = archiveStem(spec);
    while (!stem.empty() && stem.back() == '_')
        stem.pop_back();
    if (stem.ends_with(".tgz")) stem.resize(stem.size() - 4);
    const fs::path root = cache / "unpacked" / stem;
    testing::writeText(root / path, contents);
    std::ofstream(root.string() + ".sha256") << spec.sha256;
}

std::string RunStep(const fs::path& dir, BuildStep step, int& status) {
    BuildOptions options{dir / "data", dir / "cache", "stamp\n", true};
    options.fetcher = [](const SourceSpec&, const fs::path&, std::string& error) {
        error = "no network in this test";
        return false;
    };
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    status = runBuild(options, {step});
    ::testing::internal::GetCapturedStdout();
    return ::testing::internal::GetCapturedStderr();
}

TEST(WorldStepsTest, CorruptCityListStopsTheBuildAndKeepsTheOldDataSet) {
    testing::TempDir dir;
    testing::writeText(dir.path() / "data/CITY.DAT", "previous");
    testing::writeText(dir.path() / "data/QELDATA.INI", "[QELDATA]\nCITY=CITY\n");
    PlaceInCache(dir.path() / "cache", sources::kCityTimezones,
                 std::string(sources::kCityTimezonesRoot) + "cityMap.json", "[{\"city\": ");
    int status = 0;
    const std::string message = RunStep(dir.path(), {"cities", buildCityBlock}, status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(message.find("cityMap.json"), std::string::npos) << message;
    EXPECT_EQ(testing::readBytes(dir.path() / "data/CITY.DAT").size(), 8u);
}

TEST(WorldStepsTest, CorruptDeepSkyCatalogueStopsTheBuildNamingIt) {
    testing::TempDir dir;
    PlaceInCache(dir.path() / "cache", sources::kStellariumData,
                 std::string(sources::kStellariumRoot) + "nebulae/default/catalog.dat",
                 "this is not a compressed catalogue");
    int status = 0;
    const std::string message = RunStep(dir.path(), {"deep sky", buildDeepSkyBlocks}, status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(message.find("catalog.dat"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(dir.path() / "data"));
}

TEST(WorldStepsTest, MissingInputThatCannotBeFetchedStopsTheBuildNamingThePackage) {
    testing::TempDir dir;
    int status = 0;
    const std::string message = RunStep(dir.path(), {"earth", buildEarthBlock}, status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(message.find("world-atlas"), std::string::npos) << message;
}

TEST(WorldStepsTest, LandscapeStepWritesTheSkylineFromTheHorizonFile) {
    testing::TempDir dir;
    PlaceInCache(dir.path() / "cache", sources::kStellariumData,
                 std::string(sources::kStellariumRoot) + "landscapes/geneva/horizon_Geneve.txt",
                 "0 2\n180 4\n");
    int status = 0;
    RunStep(dir.path(), {"landscape", buildLandscapeBlock}, status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(testing::readBytes(dir.path() / "data/YAMA.DAT").size(), 360u * 4);
    const auto sources = testing::readBytes(dir.path() / "data/SOURCES.txt");
    EXPECT_NE(std::string(sources.begin(), sources.end()).find("horizon_Geneve.txt"),
              std::string::npos);
}

}  // namespace
}  // namespace databuilder

// The star step on a damaged input: the build stops naming the file and keeps the old data set.
#include <gtest/gtest.h>

#include <fstream>

#include "framework/build_run.h"
#include "framework/sources.h"
#include "sky/sky_steps.h"
#include "test_files.h"

namespace databuilder {
namespace {

namespace fs = std::filesystem;

// A cache in which stellarium-data is already unpacked (as a previous run leaves it), holding
// only a first star file with the given bytes.
void prepareCache(const fs::path& cache, const std::vector<uint8_t>& starFile) {
    const SourceSpec& sd = sources::kStellariumData;
    std::string stem = archiveStem(sd);
    stem.pop_back();  // the trailing '_' before the architecture
    const fs::path root = cache / "unpacked" / stem;
    testing::writeBytes(root / sources::kStellariumRoot / "stars/default/stars_0_0v0_8.cat",
                        starFile);
    std::ofstream(root.string() + ".sha256") << sd.sha256;
}

std::vector<uint8_t> header(uint32_t major, uint32_t zones, uint32_t countInZone0) {
    std::vector<uint8_t> bytes;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    for (uint32_t v : {0x835f040au, 0u, major, 8u, 0u, static_cast<uint32_t>(-2000), 12800u, 256u})
        u32(v);
    for (uint32_t z = 0; z < zones; ++z)
        u32(z == 0 ? countInZone0 : 0);
    return bytes;
}

std::string runStarStep(const fs::path& dir, int& status) {
    BuildOptions options{dir / "data", dir / "cache", "stamp\n", true};
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    status = runBuild(options, {{"stars", buildStarBlocks}});
    ::testing::internal::GetCapturedStdout();
    return ::testing::internal::GetCapturedStderr();
}

TEST(StarStepTest, UnexpectedFormatVersionStopsTheBuildNamingTheFile) {
    testing::TempDir dir;
    testing::writeText(dir.path() / "data/STAR2.DAT", "previous");
    testing::writeText(dir.path() / "data/QELDATA.INI", "[QELDATA]\nSTAR2=STAR2\n");
    prepareCache(dir.path() / "cache", header(1, 20, 0));
    int status = 0;
    const std::string message = runStarStep(dir.path(), status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(message.find("stellarium-data 0.22.2-1"), std::string::npos) << message;
    EXPECT_NE(message.find("stars_0_0v0_8.cat"), std::string::npos) << message;
    EXPECT_NE(message.find("unexpected format version 1.8"), std::string::npos) << message;
    EXPECT_EQ(testing::readBytes(dir.path() / "data/STAR2.DAT").size(), 8u);
}

TEST(StarStepTest, TruncatedStarFileOrMissingFileStopsTheBuild) {
    testing::TempDir dir;
    prepareCache(dir.path() / "cache", header(0, 20, 5));
    int status = 0;
    std::string message = runStarStep(dir.path(), status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(message.find("truncated"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(dir.path() / "data"));

    // With the first file intact the next one is missing from the unpacked package.
    testing::TempDir second;
    prepareCache(second.path() / "cache", header(0, 20, 0));
    message = runStarStep(second.path(), status);
    EXPECT_EQ(status, 1);
    EXPECT_NE(message.find("stars_1_0v0_8.cat is missing"), std::string::npos) << message;
}

}  // namespace
}  // namespace databuilder

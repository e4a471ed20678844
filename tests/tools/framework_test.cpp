// The builder's framework: pinned inputs, the staged data set and the all-or-nothing commit.
#include <gtest/gtest.h>

#include "builder_fixture.h"
#include "framework/build_run.h"
#include "framework/sources.h"
#include "sky/figures.h"
#include "sky/sky_steps.h"
#include "world/cities.h"
#include "world/coastlines.h"
#include "world/comet_sources.h"
#include "world/deep_sky.h"
#include "world/landscape.h"
#include "world/licences.h"
#include "world/milky_way.h"
#include "world/minor_planets.h"
#include "world/sky_pictures.h"
#include "world/world_steps.h"

namespace databuilder {
namespace {

using builder_test::AsBytes;

using persist_test::ReadFile;
using persist_test::WriteFile;
using TempDir = persist_test::TempFolder;
namespace fs = std::filesystem;

SourceSpec npmSpec(const std::string& sha) {
    return {"fixture-pkg", "1.2.3", sha, SourceKind::NpmTarball, "MIT", "the test"};
}

// A fetcher that copies a prepared archive into the cache, counting its calls.
SourceRegistry::Fetcher copyingFetcher(fs::path archive, int* calls) {
    return [archive, calls](const SourceSpec& spec, const fs::path& cache, std::string&) {
        ++*calls;
        fs::copy_file(archive, cache / archiveStem(spec), fs::copy_options::overwrite_existing);
        return true;
    };
}

fs::path makeTarball(const TempDir& dir) {
    WriteFile(dir.path() / "src/package/data/hello.txt", "hello\n");
    const fs::path archive = dir.path() / "fixture.tgz";
    const std::string command =
        "tar -czf '" + archive.string() + "' -C '" + (dir.path() / "src").string() + "' package";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return archive;
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const BuildError& e) {
        return e.what();
    }
    return {};
}

TEST(SourceRegistryTest, ArchiveNamesFollowThePackageClients) {
    EXPECT_EQ(archiveStem({"kstars-data", "5:3.6.2-2", "", SourceKind::DebianPackage, "", ""}),
              "kstars-data_5%3a3.6.2-2_");
    EXPECT_EQ(archiveStem({"@scope/name", "1.0.0", "", SourceKind::NpmTarball, "", ""}),
              "scope-name-1.0.0.tgz");
}

TEST(SourceRegistryTest, FetchesVerifiesUnpacksOnceAndReuses) {
    TempDir dir;
    const fs::path archive = makeTarball(dir);
    const SourceSpec spec = npmSpec(sha256OfFile(archive));
    int calls = 0;
    {
        SourceRegistry registry(dir.path() / "cache", copyingFetcher(archive, &calls));
        const fs::path file = registry.file(spec, "package/data/hello.txt");
        EXPECT_EQ(ReadFile(file).size(), 6u);
        ASSERT_EQ(registry.used().size(), 1u);
    }
    SourceRegistry again(dir.path() / "cache", copyingFetcher(archive, &calls));
    again.file(spec, "package/data/hello.txt");
    EXPECT_EQ(calls, 1);
    EXPECT_NE(
        errorOf([&] { again.file(spec, "package/data/absent.txt"); }).find("fixture-pkg 1.2.3"),
        std::string::npos);
}

// A wrong checksum or a truncated archive stops the build naming the input; nothing stays
// unpacked. (An input that cannot be fetched is named too: see the build steps.)
TEST(SourceRegistryTest, WrongChecksumOrTruncatedArchiveStopsWithTheInputNamed) {
    TempDir dir;
    const fs::path archive = makeTarball(dir);
    std::string half = ReadFile(archive);
    half.resize(half.size() / 2);
    WriteFile(dir.path() / "half.tgz", half);
    const std::tuple<fs::path, std::string, const char*> cases[] = {
        {archive, std::string(64, '0'), "checksum"},
        {dir.path() / "half.tgz", sha256OfFile(dir.path() / "half.tgz"), "damaged"}};
    for (const auto& [file, sha, word] : cases) {
        int calls = 0;
        SourceRegistry registry(dir.path() / "cache", copyingFetcher(file, &calls));
        const std::string error = errorOf([&] { registry.root(npmSpec(sha)); });
        EXPECT_NE(error.find("fixture-pkg 1.2.3"), std::string::npos) << error;
        EXPECT_NE(error.find(word), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(dir.path() / "cache/unpacked/fixture-pkg-1.2.3"));
    }
}

TEST(OutputSetTest, CommitWritesTheIndexAndReplacesTheOldSet) {
    TempDir dir;
    WriteFile(dir.path() / "data/OLD.DAT", "old");
    {
        OutputSet out(dir.path() / "data");
        out.writeBlock("STAR2", {1, 2, 3});
        out.writeBlock("SKUSU", "chinese/SKUSU", {4});
        EXPECT_FALSE(fs::exists(dir.path() / "data/STAR2.DAT"));
        EXPECT_THROW(out.writeBlock("STAR2", {}), BuildError);
        out.commit();
    }
    EXPECT_FALSE(fs::exists(dir.path() / "data/OLD.DAT"));
    EXPECT_EQ(ReadFile(dir.path() / "data/STAR2.DAT").size(), 3u);
    EXPECT_TRUE(fs::exists(dir.path() / "data/chinese/SKUSU.DAT"));
    const auto index = ReadFile(dir.path() / "data/QELDATA.INI");
    EXPECT_EQ(std::string(index.begin(), index.end()),
              "[QELDATA]\nSTAR2=STAR2\nSKUSU=chinese/SKUSU\n");
    int entries = 0;
    for (const auto& e : fs::directory_iterator(dir.path()))
        entries += e.path() != dir.path() / "data";
    EXPECT_EQ(entries, 0) << "staging folders must not remain";
}

TEST(OutputSetTest, StagingOfAKilledRunIsRemoved) {
    TempDir dir;
    // Process ids above the kernel's limit never run.
    WriteFile(dir.path() / ".data.building-99999999/STAR2.DAT", "stale");
    OutputSet out(dir.path() / "data");
    EXPECT_FALSE(fs::exists(dir.path() / ".data.building-99999999"));
    EXPECT_TRUE(fs::exists(out.stagingDir()));
}

TEST(BuildRunTest, SkipsWorkWhenTheStampMatches) {
    TempDir dir;
    static int runs = 0;
    runs = 0;
    BuildOptions options{dir.path() / "data", dir.path() / "cache", "stamp-1\n", false};
    const std::vector<BuildStep> steps = {{"counts", [](BuildContext& c) {
                                               ++runs;
                                               c.output.writeBlock("STAR2", {1});
                                           }}};
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(runBuild(options, steps), 0);
    EXPECT_EQ(runBuild(options, steps), 0);
    options.stamp = "stamp-2\n";
    EXPECT_EQ(runBuild(options, steps), 0);
    // A set that fails its check is not installed.
    options.stamp = "stamp-3\n";
    options.verify = [](const fs::path&) { throw BuildError("STAR2: broken"); };
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runBuild(options, steps), 1);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("STAR2: broken"), std::string::npos);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(runs, 3);
    EXPECT_TRUE(fs::exists(dir.path() / "data/SOURCES.txt"));
    EXPECT_TRUE(upToDate(dir.path() / "data", "stamp-2\n"));
    fs::remove(dir.path() / "data/STAR2.DAT");
    EXPECT_FALSE(upToDate(dir.path() / "data", "stamp-2\n")) << "a lost block is rebuilt";
}

TEST(ProvenanceTest, ListsEachInputOnceWithAllItsUses) {
    Provenance p;
    const SourceSpec a{"pkg-a", "1", "abc", SourceKind::DebianPackage, "GPL-2+", "A people"};
    p.record(a, "file1 -> BLOCK1", "Catalogue credit");
    p.record(npmSpec("def"), "file2 -> BLOCK2");
    p.record(a, "file3 -> BLOCK3");
    const std::string text = p.text();
    EXPECT_EQ(text.substr(text.find("\npkg-a")),
              "\npkg-a 1 (Debian package)\n  SHA-256: abc\n  Licence: GPL-2+\n"
              "  Credit:  A people\n  - file1 -> BLOCK1\n      Catalogue credit\n"
              "  - file3 -> BLOCK3\n\nfixture-pkg 1.2.3 (npm package)\n  SHA-256: def\n"
              "  Licence: MIT\n  Credit:  the test\n  - file2 -> BLOCK2\n");
}

TEST(LicenceFilesTest, TextsLoseTheirFrontMatterAndEveryFileHasALicence) {
    const std::string text =
        "---\ntitle: MIT License\n---\n\nMIT License\n\nCopyright (c) [year] "
        "[fullname]\n";
    EXPECT_EQ(world::LicenceBody(text, "", "Kevin Roberts"),
              "MIT License\n\nCopyright (c) Kevin Roberts\n");
    EXPECT_EQ(world::LicenceBody(text, "2020", "A"), "MIT License\n\nCopyright (c) 2020 A\n");
    // A file of the top folder, one of a covered folder, one of none, and a folder's namesake.
    const std::pair<const char*, bool> paths[] = {{"STAR2.DAT", true},
                                                  {"pictures/B_GALAXY12.png", true},
                                                  {"NEW.DAT", false},
                                                  {"pictures2/x", false}};
    for (const auto& [path, covered] : paths) {
        bool any = false;
        for (const auto& f : world::kFileLicences)
            any = any || world::CoveredBy(path, f.files);
        EXPECT_EQ(any, covered) << path;
    }
}

// The build steps on damaged or missing inputs: the build stops naming the input and the file,
// and keeps the old data set; a good input gives its block and its line in SOURCES.txt.

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
         "cut",
         {"stellarium-data 0.22.2-1", "stars_0_0v0_8.cat", "truncated header"}},
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
    for (const auto& [read, named] : cases)
        EXPECT_NE(errorOf(read).find(named), std::string::npos) << named;
}

}  // namespace
}  // namespace databuilder

// The builder's check of a finished data set: the built set passes, and a set with one broken
// block is refused naming the block and the rule.
#include <gtest/gtest.h>

#include "../persist/test_world.h"
#include "framework/build_error.h"
#include "verify/data_set_check.h"

namespace databuilder {
namespace {

namespace fs = std::filesystem;
using persist_test::ReadFile;
using persist_test::WriteFile;

void setWord(std::string& bytes, size_t offset, int16_t value) {
    bytes[offset] = static_cast<char>(value & 0xff);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

TEST(DataSetCheck, TheBuiltSetPassesAndABrokenBlockIsRefusedNamingItsRule) {
    persist_test::TempFolder dir;
    const fs::path set = dir.path() / "set";
    fs::copy(PLANETARIUM_DATASET_DIR, set, fs::copy_options::recursive);
    EXPECT_NO_THROW(verifyDataSet(set));
    const struct {
        const char* file;
        std::function<void(std::string&)> breakIt;
        const char* message;
    } cases[] = {
        {"STIDX.DAT", [](std::string& b) { ++b[b.size() - 4]; }, "STIDX: does not span"},
        {"LINE.DAT", [](std::string& b) { setWord(b, b.size() - 2, 10000); }, "LINE: no end mark"},
        {"SKULI.DAT", [](std::string& b) { setWord(b, 0, -2); }, "SKULI: refers to no star"},
        {"SEIZA.DAT", [](std::string& b) { b.resize(b.size() - 60); },
         "SEIZA: not 89 constellations"},
        {"STARN.DAT", [](std::string& b) { b.replace(68, 4, b.substr(0, 4)); },
         "STARN: two names on one star"},
        {"QELGSA.DAT", [](std::string& b) { b.resize(b.size() - 5); }, "QELGAIDX.DAT: a zone"},
        {"CITY.DAT", [](std::string& b) { b.replace(b.find("Tokyo"), 5, "Tokio"); },
         "CITY: no Tokyo"},
        {"pictures/B_M45.png", [](std::string& b) { b.resize(b.size() / 2); }, "B_M45"},
    };
    for (const auto& c : cases) {
        const std::string good = ReadFile(set / c.file);
        std::string broken = good;
        c.breakIt(broken);
        WriteFile(set / c.file, broken);
        try {
            verifyDataSet(set);
            ADD_FAILURE() << c.file << " passed";
        } catch (const BuildError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
        WriteFile(set / c.file, good);
    }
}

}  // namespace
}  // namespace databuilder

// The star-name file: every record checked, at most 1000, regular files only, and the saved
// names taking the shipped table's place at the next start.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "persist/record_view.h"
#include "persist/star_names.h"
#include "test_world.h"

namespace {

using persist::StarNameRecord;
using namespace persist_test;

StarNameRecord Named(uint32_t star, const std::string& name) {
    StarNameRecord r{};
    r.star = star;
    std::memcpy(r.name, name.data(), std::min(name.size(), sizeof r.name));
    return r;
}

std::string Bytes(const std::vector<StarNameRecord>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()),
                       records.size() * sizeof(StarNameRecord));
}

std::vector<StarNameRecord> Parse(const std::string& bytes, std::size_t stars) {
    return persist::ParseStarNames(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), stars);
}

using StarNamesTest = TestWorld;

TEST_F(StarNamesTest, OnlySoundRecordsAreKept) {
    const std::string bytes = Bytes({Named(0, "Sirius"), Named(persist::kRemovedStar, "Gone"),
                                     Named(1, ""), Named(99, "Beyond the catalogue"),
                                     Named(0, "Twice"), Named(2, std::string(40, 'x'))}) +
                              "partial";
    const std::vector<StarNameRecord> kept = Parse(bytes, 10);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(persist::FieldText(kept[0].name), "Sirius");
    EXPECT_EQ(persist::FieldText(kept[1].name), std::string(31, 'x'));

    std::vector<StarNameRecord> many;
    for (uint32_t i = 0; i < 1001; ++i)
        many.push_back(Named(i, "Star"));
    EXPECT_EQ(Parse(Bytes(many), 2000).size(), persist::kStarNameLimit);
}

TEST_F(StarNamesTest, SavedNamesReplaceTheShippedOnesAtTheNextStart) {
    const std::string path = persist::JoinPath(UserDir(), persist::kUserStarNameFile);
    const std::vector<StarNameRecord> names{Named(3, "Canicula"), Named(5, "New Name")};
    ASSERT_TRUE(persist::SaveStarNames(path, names));
    EXPECT_EQ(ReadFile(path), Bytes(names));

    persist::DataSet data;
    data.block(persist::BlockId::STAR2).storage.assign(10 * 10 + persist::kBlockSpareBytes, 0);
    data.block(persist::BlockId::STAR2).size = 10 * 10;
    ASSERT_TRUE(persist::LoadUserStarNames(data, UserDir()));
    EXPECT_EQ(data.starNameCount, 2u);
    const auto records = data.block(persist::BlockId::STARN).records<StarNameRecord>();
    EXPECT_EQ(persist::FieldText(records[0].name), "Canicula");

    // A folder in the file's place is neither read nor overwritten.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    EXPECT_TRUE(persist::ReadStarNameFile(path, 10).empty());
    EXPECT_FALSE(persist::LoadUserStarNames(data, UserDir()));
    EXPECT_FALSE(persist::SaveStarNames(path, names));
    EXPECT_EQ(data.starNameCount, 2u);
}

}  // namespace

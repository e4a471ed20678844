#include "persist/comet_file.h"

#include <cstring>
#include <tuple>

#include "persist/settings.h"
#include "test_world.h"

namespace {

using namespace persist_test;
using state::CometRecord;

CometRecord Comet(const char* english, const char* japanese = "") {
    CometRecord record{};
    std::strncpy(record.NAMEE, english, sizeof record.NAMEE - 1);
    std::strncpy(record.NAMEJ, japanese, sizeof record.NAMEJ - 1);
    record.H1 = 99.0f;
    record.K1 = 99.0f;
    return record;
}

class CometFile : public TestWorld {
  protected:
    std::string Path() const { return Root() + "/QELCOMET.USR"; }
    state::CometTable table_;
};

TEST_F(CometFile, MagnitudeDefaultsComeFromTheNameOnce) {
    CometRecord known = Comet("Hale-Bopp");
    known.initialised = 1;  // already set up: left as it is
    CometRecord swapped = Comet("Halley");
    swapped.initialised = 1;  // set up by an earlier version with the terms the wrong way round
    swapped.H1 = 8.0f;
    swapped.K1 = 5.5f;
    WriteFile(Path(), Bytes({Comet("Halley"), Comet("", "ヘール・ボップ彗星"),
                             Comet("x", "第２百武彗星"), Comet("Encke"), known, swapped}));
    ASSERT_EQ(persist::LoadComets(Path(), table_), 6);
    const float expected[6][2] = {{5.5f, 8.0f}, {-2.0f, 10.0f}, {5.5f, 10.0f},
                                  {0.0f, 0.0f}, {99.0f, 99.0f}, {5.5f, 8.0f}};
    for (int i = 0; i < 6; ++i) {
        const CometRecord& r = table_.records[i];
        EXPECT_EQ(std::tuple(r.H1, r.K1, r.initialised),
                  std::tuple(expected[i][0], expected[i][1], 1))
            << i;
    }
    // The user's edit survives a save and a new load.
    table_.records[0].H1 = 4.0f;
    ASSERT_TRUE(persist::SaveComets(Path(), table_, 60, 20));
    state::CometTable again;
    ASSERT_EQ(persist::LoadComets(Path(), again), 6);
    EXPECT_FLOAT_EQ(again.records[0].H1, 4.0f);
}

TEST_F(CometFile, RecordCountsOfOddFiles) {
    std::vector<CometRecord> many(250, Comet("c"));
    many[199] = Comet("last");
    const struct {
        std::string bytes;
        int count;
    } files[] = {
        {Bytes({Comet("a"), Comet("b")}) + std::string(100, 'x'), 2},  // a partial record after
        {std::string(167, 'x'), 0},
        {Bytes(many), 200},  // at most 200 are read
    };
    for (const auto& file : files) {
        WriteFile(Path(), file.bytes);
        state::CometTable table;
        table.count = 7;
        EXPECT_EQ(persist::LoadComets(Path(), table), file.count) << file.bytes.size();
        EXPECT_EQ(table.count, file.count ? file.count : 7);  // nothing read: nothing touched
    }
    EXPECT_EQ(persist::LoadComets(Root() + "/none", table_), 0);
    WriteFile(Path(), Bytes(many));
    persist::LoadComets(Path(), table_);
    EXPECT_STREQ(table_.records[199].NAMEE, "last");
}

TEST_F(CometFile, SaveWritesTheLimitsAndTheRecordsOrNothing) {
    table_.count = 2;
    table_.records[0] = Comet("one");
    table_.records[1] = Comet("two");
    table_.records[1].reserved[5] = 0x5A;  // kept as found
    ASSERT_TRUE(persist::SaveComets(Path(), table_, 75, 33));
    const std::string bytes = ReadFile(Path());
    ASSERT_EQ(bytes.size(), 2 * sizeof(CometRecord));
    EXPECT_EQ(static_cast<uint8_t>(bytes[sizeof(CometRecord) + 136 + 5]), 0x5A);
    EXPECT_EQ(std::pair(persist::ReadSettingInt("CometBright", 0),
                        persist::ReadSettingInt("CometKyori", 0)),
              std::pair(75, 33));

    WriteFile(Root() + "/blocker", "x");
    EXPECT_FALSE(persist::SaveComets(Root() + "/blocker/QELCOMET.USR", table_, 60, 20));
    EXPECT_EQ(ReadFile(Root() + "/blocker"), "x");
}

TEST_F(CometFile, StartupPrefersTheUserListAndSaysWhenThereIsNone) {
    // The message of a missing list is checked by the start-up test.
    EXPECT_EQ(persist::LoadStartupComets(UserDir(), table_), 0);

    WriteFile(DataDir() + "/QELCOMET.DAT", Bytes({Comet("shipped")}));
    EXPECT_EQ(persist::LoadStartupComets(UserDir(), table_), 1);
    EXPECT_STREQ(table_.records[0].NAMEE, "shipped");
    WriteFile(UserDir() + "/QELCOMET.USR", Bytes({Comet("mine"), Comet("mine too")}));
    EXPECT_EQ(persist::LoadStartupComets(UserDir(), table_), 2);
    EXPECT_STREQ(table_.records[0].NAMEE, "mine");
    // An empty user list falls back to the shipped one.
    WriteFile(UserDir() + "/QELCOMET.USR", "");
    EXPECT_EQ(persist::LoadStartupComets(UserDir(), table_), 1);
    EXPECT_EQ(Messages().size(), 1u);
}

}  // namespace

#include "persist/view_file.h"

#include <functional>
#include <tuple>
#include <vector>

#include "test_world.h"

namespace persist {
namespace {

using namespace persist_test;

class ViewFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    const fs::path& dir = folder.path();
    ViewRecord record{};
    state::ViewState view;
    state::AppOptions options;

    void Set(int offset, int32_t value) { record[static_cast<std::size_t>(offset / 4)] = value; }
    // The record's first bytes, or the record and junk after it.
    std::string Write(std::size_t bytes, const std::string& name = "view.QEL") {
        std::string content(reinterpret_cast<const char*>(record.data()), 512);
        content.resize(bytes, '\x7f');
        WriteFile(dir / name, content);
        return (dir / name).string();
    }
};

// File sizes from nothing to more than a record; comet files are told apart.
TEST_F(ViewFileTest, FileSizesFromNothingToMoreThanARecord) {
    Set(0, 2500);
    Set(240, kGroupViewpoint | kGroupDisplay);
    Set(84, 350);
    Set(244, 18050);  // azimuth x 100
    Set(248, 4525);
    Set(272, 5);  // WakuseiLevel: the last field, beyond a 260-byte file
    const struct {
        std::size_t bytes;
        ViewFileResult result;
        int wakuseiLevel;
    } rows[] = {{0, ViewFileResult::TooShort, 3},
                {255, ViewFileResult::TooShort, 3},
                {256, ViewFileResult::Opened, 0},
                {300, ViewFileResult::Opened, 5},
                {600, ViewFileResult::Opened, 5}};
    for (const auto& row : rows) {
        view = state::ViewState{};
        view.Tracking = true;
        const bool opened = row.result == ViewFileResult::Opened;
        EXPECT_EQ(OpenViewFile(Write(row.bytes), view, options), row.result) << row.bytes;
        EXPECT_EQ(view.WakuseiLevel, row.wakuseiLevel) << row.bytes;
        EXPECT_EQ(view.Zoom, opened ? 350 : 80) << row.bytes;
        // A view stored without tracking shows its own direction.
        EXPECT_EQ(view.Tracking, !opened) << row.bytes;
    }
    EXPECT_EQ(std::pair(view.Houi2, view.Koudo2), std::pair(180.5, 45.25));
    EXPECT_EQ(OpenViewFile((dir / "missing.QEL").string(), view, options),
              ViewFileResult::CannotOpen);
    EXPECT_EQ(OpenViewFile('"' + Write(512) + '"', view, options), ViewFileResult::Opened);
    WriteFile(dir / "comet.QEL", "[DORVANCOMET]\nName=x\n");
    EXPECT_EQ(OpenViewFile((dir / "comet.QEL").string(), view, options), ViewFileResult::CometFile);
}

TEST_F(ViewFileTest, OutOfRangeValuesAreBroughtIntoRange) {
    Set(0, 2500);
    Set(240, kGroupViewpoint | kGroupDisplay);
    Set(84, 0);
    Set(32, 100000);
    Set(248, 200000);
    Set(244, -9000);
    ASSERT_EQ(OpenViewFile(Write(512), view, options), ViewFileResult::Opened);
    EXPECT_EQ(std::tuple(view.Zoom, view.DrawStars, view.Koudo2, view.Houi2),
              std::tuple(10, 110, 900.0, 3510.0));

    // An older file: whole degrees, and automatic-mode steps that the trace multiplies.
    Set(0, 1900);
    Set(240, kGroupLocation | kGroupAuto);
    for (int offset : {64, 68, 136, 156})
        Set(offset, INT32_MAX);
    ASSERT_EQ(OpenViewFile(Write(512), view, options), ViewFileResult::Opened);
    // 72000 tenths of longitude are whole turns.
    EXPECT_EQ(std::tuple(view.Ido2, view.Keido2, options.AutoYear, options.AutoRepeat),
              std::tuple(900, 0, 1000, 120));
}

// clang-format off
// Every field a view file stores, in record order.
std::vector<double> StoredFields(const state::ViewState& v, const state::AppOptions& o) {
    return {double(v.Keisanji), double(v.Dst), double(v.Constella), double(v.Galaxy),
        double(v.StarName), double(v.Solar), double(v.Comet), double(v.DrawStars), double(v.Line),
        double(v.Picture), double(v.Kyoukai), double(v.Horizon), double(v.Glid),
        double(v.Sekidou), double(v.Koudou), double(v.TimeZone), v.Houi2, v.Koudo2,
        double(v.Zoom), double(v.clock.year), double(v.clock.month), double(v.clock.day),
        double(v.clock.hour), double(v.clock.minute), double(o.Interval), double(v.TrackedKind),
        double(v.TrackedIndex), double(v.Tracking), double(v.SekidouMod), double(o.AutoType),
        double(o.AutoYear), double(o.AutoMonth), double(o.AutoDay), double(o.AutoHour),
        double(o.AutoMinit), double(o.AutoRepeat), double(o.AutoBack), double(o.AutoTaishou[0]),
        double(o.AutoTaishou[4]), double(v.AutoRunning), double(v.Hakumei), double(v.Jimen),
        double(v.SaisaKeisan), double(v.KoyuKeisan), double(v.Kisetu), double(v.ShukuLine),
        double(v.ShukuName), double(v.ShukuStar), double(v.AlphaMode), double(v.KisetuName),
        double(v.MilkyWay), double(v.BrightAuto), double(o.SaveOption), double(v.TaikisaKeisan),
        double(v.GridScale), double(v.SeiunImage), double(v.Ido2), double(v.Keido2),
        double(v.WakuseiLevel)};
}

// A view and options in which every field stored in a view file differs from its default.
void MarkEveryField(state::ViewState& v, state::AppOptions& o) {
    v.clock = {1997, 4, 1, 19, 45}; v.Keisanji = 1; v.Dst = 1; v.TimeZone = 540; v.Ido2 = -355;
    v.Keido2 = 1392; v.SekidouMod = 1; v.Houi2 = 1234.56; v.Koudo2 = -45.25; v.Zoom = 420;
    v.Constella = 3; v.StarName = 3; v.AlphaMode = 3; v.Galaxy = 2; v.SeiunImage = 0;
    v.Solar = 1; v.WakuseiLevel = 5; v.Comet = 2; v.DrawStars = 60; v.BrightAuto = 0;
    v.Line = 0; v.Picture = 1; v.Kyoukai = 1; v.Kisetu = 1; v.KisetuName = 0; v.ShukuLine = 1;
    v.ShukuName = 1; v.ShukuStar = 1; v.MilkyWay = 0; v.Horizon = 0; v.Jimen = 0; v.Glid = 0;
    v.GridScale = 1; v.Sekidou = 2; v.Koudou = 3; v.Hakumei = 0; v.SaisaKeisan = 0;
    v.KoyuKeisan = 0; v.TaikisaKeisan = 0; v.AutoRunning = true; v.Tracking = true;
    v.TrackedKind = 3; v.TrackedIndex = 12;
    o.AutoType = 1; o.AutoYear = 2; o.AutoMonth = 3; o.AutoDay = 4; o.AutoHour = 5;
    o.AutoMinit = 6; o.Interval = 7; o.AutoRepeat = 88; o.AutoBack = 1;
    o.AutoTaishou = {0, 1, 0, 1, 1}; o.SaveOption = 0x7F;
}
// clang-format on

TEST_F(ViewFileTest, EverySavedFieldOpensAgainInTheSavedGroups) {
    state::ViewState saved;
    state::AppOptions savedOptions;
    MarkEveryField(saved, savedOptions);
    const std::string path = (dir / "saved.QEL").string();
    for (const int groups : {0x7F, kGroupTime}) {
        savedOptions.SaveOption = groups;
        ASSERT_EQ(WriteViewFile(path, saved, savedOptions), ViewFileWriteResult::Written);
        view = {};
        options = {};
        ASSERT_EQ(OpenViewFile(path, view, options), ViewFileResult::Opened);
        state::ViewState expected = saved;
        state::AppOptions expectedOptions = savedOptions;
        if (groups == kGroupTime) {  // only the time; the stored groups become the current ones
            expected = {};
            expected.clock = saved.clock;
            expected.Keisanji = saved.Keisanji;
            expected.Dst = saved.Dst;
            expectedOptions = {};
            expectedOptions.SaveOption = kGroupTime;
        }
        EXPECT_EQ(StoredFields(view, options), StoredFields(expected, expectedOptions)) << groups;
    }
}

TEST_F(ViewFileTest, EachFormatVersionRestoresItsFields) {
    state::ViewState marked;
    state::AppOptions markedOptions;
    MarkEveryField(marked, markedOptions);
    marked.BrightAuto = 1;  // older formats set 0
    marked.AutoRunning = true;
    markedOptions.SaveOption = 0x7F & ~kGroupAutoOn;  // offset 184 and bit 5 disagree
    const ViewRecord base = BuildViewRecord(marked, markedOptions);

    struct Row {
        const char* field;
        int from, to;  // the versions that restore it
        std::function<bool(const state::ViewState&, const state::AppOptions&)> restored;
    };
    const Row rows[] = {
        {"Tracking, Interval", 140, 99999,
         [](auto& v, auto& o) { return v.TrackedIndex == 12 && o.Interval == 7; }},
        {"SekidouMod", 145, 99999, [](auto& v, auto&) { return v.SekidouMod == 1; }},
        {"AutoType", 150, 99999, [](auto&, auto& o) { return o.AutoType == 1; }},
        {"AutoTaishou", 155, 99999, [](auto&, auto& o) { return o.AutoTaishou[0] == 0; }},
        {"AutoRunning", 157, 182, [](auto& v, auto&) { return v.AutoRunning; }},
        {"SaveOption", 183, 99999, [](auto&, auto& o) { return o.SaveOption == 0x5F; }},
        {"Hakumei, SaisaKeisan", 165, 99999,
         [](auto& v, auto&) { return v.Hakumei == 0 && v.SaisaKeisan == 0; }},
        {"ShukuLine", 172, 99999, [](auto& v, auto&) { return v.ShukuLine == 1; }},
        {"KisetuName = Kisetu", 165, 171, [](auto& v, auto&) { return v.KisetuName == 1; }},
        {"MilkyWay", 173, 99999, [](auto& v, auto&) { return v.MilkyWay == 0; }},
        {"BrightAuto", 177, 99999, [](auto& v, auto&) { return v.BrightAuto == 1; }},
        {"Houi2 x 100, TaikisaKeisan", 1831, 99999,
         [](auto& v, auto&) { return v.Houi2 == 1234.56 && v.TaikisaKeisan == 0; }},
        {"GridScale", 2000, 99999, [](auto& v, auto&) { return v.GridScale == 1; }},
        {"Ido2 tenths", 2030, 99999, [](auto& v, auto&) { return v.Ido2 == -355; }},
        {"WakuseiLevel", 2500, 99999, [](auto& v, auto&) { return v.WakuseiLevel == 5; }},
    };
    for (int version :
         {0,   139, 140, 144, 145, 149, 150,  154,  155,  156,  157,  164,  165,  171,
          172, 173, 176, 177, 182, 183, 1830, 1831, 1999, 2000, 2029, 2030, 2499, 2500}) {
        record = base;
        record[0] = version;
        state::ViewState v;
        v.Tracking = true;  // tracking something else before the file is opened
        v.TrackedIndex = 3;
        state::AppOptions o;
        ApplyViewRecord(record, v, o);
        for (const Row& row : rows) {
            EXPECT_EQ(row.restored(v, o), row.from <= version && version <= row.to)
                << row.field << " at version " << version;
        }
        EXPECT_EQ(v.Zoom, 420) << version;  // every version has the base fields
    }
}

TEST_F(ViewFileTest, SavesThatCannotBeMadeAreRefusedBeforeWriting) {
    for (const std::string& path : {std::string("/proc/self/view.QEL"),
                                    (dir / "no such folder" / "v.QEL").string(), std::string()}) {
        EXPECT_EQ(WriteViewFile(path, view, options), ViewFileWriteResult::CannotCreate) << path;
    }
    EXPECT_FALSE(fs::exists(dir / "no such folder"));
    EXPECT_STREQ(ViewFileMessage(ViewFileWriteResult::CannotCreate), "Failed to create file.");
    // A save replaces the old file whole; no probe files stay behind.
    const std::string path = Write(512, "old.QEL");
    ASSERT_EQ(WriteViewFile(path, view, options), ViewFileWriteResult::Written);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
    ASSERT_EQ(ReadViewRecord(path, record), ViewFileResult::Opened);
    EXPECT_EQ(record, BuildViewRecord(view, options));
    EXPECT_EQ(std::pair(record[0], record[208 / 4]), std::pair(kViewFormatVersion, 1));
}

}  // namespace
}  // namespace persist

#include "persist/settings.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <set>
#include <tuple>

#include <array>
#include <cstdint>
#include <cstdlib>
#include "persist/default_tables.h"
#include "persist/narration_index.h"
#include "persist/paths.h"
#include "persist/profile.h"
#include "state/user_city.h"
#include "test_world.h"

namespace {

using persist::Profile;
using namespace persist_test;
namespace fs = std::filesystem;

class Settings : public TestWorld {
  protected:
    std::string ProgramCopy() const { return persist::ProgramSettingsPath(); }
    std::string BareCopy() const { return persist::BareSettingsPath(); }

    void Load(const persist::FontInstalled& fonts = {}) {
        view_ = state::ViewState{};
        options_ = state::AppOptions{};
        persist::LoadSettings(view_, options_, fonts);
    }

    state::ViewState view_;
    state::AppOptions options_;
};

TEST_F(Settings, BareCopyWinsOverProgramCopyWhichWinsOverTheDefault) {
    Load();
    EXPECT_EQ(view_.Zoom, 80);
    EXPECT_EQ(view_.KasanariYoke, 1);  // labels never pile up
    EXPECT_EQ(options_.UserPath, Root() + "/share/planetarium");

    WriteFile(ProgramCopy(), "[Tavilo Pro v7]\nZoom=200\nVersion=shipped\nGscPath=/mnt/gsc\n");
    Load();
    EXPECT_EQ(std::pair(view_.Zoom, persist::ReadSettingInt("Zoom", 80)), std::pair(200, 200));

    WriteFile(BareCopy(), "[Tavilo Pro v7]\nZoom=120\nVersion=mine\n");
    Load();
    EXPECT_EQ(std::pair(view_.Zoom, persist::ReadSettingInt("Zoom", 80)), std::pair(120, 120));
    EXPECT_EQ(persist::ReadSettingText("Version", "", 16), "mine");
    EXPECT_EQ(persist::ReadSettingText("GscPath", "", 256), "/mnt/gsc");
    EXPECT_EQ(persist::ReadSettingText("Missing", "fallback", 256), "fallback");
}

// Keys that default to earlier ones, the view centre stored times one hundred, the thirteenth
// dialog position under its own keys and a short line record keeping the default tail.
TEST_F(Settings, StoredKeysLoadIntoTheirFieldsAndSaveBackTheSame) {
    using Check = std::function<void(const state::ViewState&, const state::AppOptions&)>;
    const std::pair<const char*, Check> cases[] = {
        {"Ido=35\nKeido=-139\nFindUnder=0\n",
         [](auto& v, auto&) {
             EXPECT_EQ(std::tuple(v.Ido2, v.Keido2, v.UnderHorizon), std::tuple(350, -1390, 0));
         }},
        {"Ido=35\nIdo2=357\nFindUnder=0\nUnderHorizon=1\n",
         [](auto& v, auto&) { EXPECT_EQ(std::pair(v.Ido2, v.UnderHorizon), std::pair(357, 1)); }},
        {"DlgPosX13=333\nDlgPosY13=444\nDlgPosX1=5\n",
         [](auto&, auto& o) {
             EXPECT_EQ(std::tuple(o.DlgPosX[12], o.DlgPosY[12], o.DlgPosX[0]),
                       std::tuple(333, 444, 5));
         }},
        {"LineSet04=ff00\nLineSet01=0A0B0C01\n",
         [](auto& v, auto&) {
             EXPECT_EQ(v.lineSets[3], (state::LineSet{255, 0, 32, 0}));
             EXPECT_EQ(v.lineSets[0], (state::LineSet{10, 11, 12, 1}));
         }},
        {"Houi2=180050\nKoudo2=-29\n",
         [](auto& v, auto&) { EXPECT_EQ(std::pair(v.Houi2, v.Koudo2), std::pair(1800.5, -0.29)); }},
    };
    for (const auto& [keys, check] : cases) {
        WriteFile(BareCopy(), std::string("[Tavilo Pro v7]\n") + keys);
        Load();
        SCOPED_TRACE(keys);
        check(view_, options_);
    }
    // -0.29 x 100 is -28.999...; it must be saved as the -29 it was read from.
    options_.DlgPosX[12] = 700;
    view_.lineSets[22] = {1, 2, 3, 1};
    persist::SaveFullSettings(view_, options_, {});
    persist::SaveDisplaySettings(view_);
    persist::SaveLineSets(view_);
    const Profile saved = Profile::Load(BareCopy());
    for (const auto& [key, value] : {std::pair{"Houi2", "180050"},
                                     {"Koudo2", "-29"},
                                     {"Houi", "1800"},
                                     {"Koudo", "0"},
                                     {"DlgPosX13", "700"},
                                     {"LineSet23", "01020301"}})
        EXPECT_EQ(saved.Find("Tavilo Pro v7", key), value) << key;
}

TEST_F(Settings, OldUserCityRecordsHoldWholeDegrees) {
    const state::CityRecord oldCity = City("Tokyo", 35, -139, 540, 0);
    state::CityRecord newCity = City("", 357, -139, 540);
    // A name runs on through the country field.
    const std::string longName = "Tokyo, Shinjuku, the observatory on the roof";
    state::SetUserCityName(newCity, longName);
    WriteFile(BareCopy(), "[Tavilo Pro v7]\nUserCitys=2\nUserCity01=" +
                              persist::EncodeRecord(&newCity, sizeof newCity) + "\nUserCity03=" +
                              persist::EncodeRecord(&oldCity, sizeof oldCity) + "\n");
    Load();
    EXPECT_EQ(
        std::pair(options_.userCities[0].latitude, state::UserCityName(options_.userCities[0])),
        std::pair(int16_t{357}, longName));
    const state::CityRecord& old = options_.userCities[2];
    EXPECT_EQ(std::tuple(old.latitude, old.longitude, old.zone, std::string(old.name)),
              std::tuple(350, -1390, 540, "Tokyo"));

    // Saving marks the records as tenths, so they read back unchanged.
    options_.UserCitys = 3;
    persist::SaveUserCities(options_);
    Load();
    EXPECT_EQ(std::tuple(options_.UserCitys, options_.userCities[2].latitude,
                         options_.userCities[2].unitMarker),
              std::tuple(3, 350, 10));
}

TEST_F(Settings, FontSlotsFallBackToTheirDefaultFace) {
    state::FontSet missing{};
    std::strcpy(missing.face, "No Such Face");
    missing.size = 20;
    state::FontSet installed = missing;
    std::strcpy(installed.face, "DejaVu Sans");
    state::FontSet empty = missing;
    std::memset(empty.face, 0, sizeof empty.face);
    WriteFile(BareCopy(),
              "[Tavilo Pro v7]\nFontSet05=" + persist::EncodeRecord(&missing, sizeof missing) +
                  "\nFontSet01=" + persist::EncodeRecord(&installed, sizeof installed) +
                  "\nFontSet02=" + persist::EncodeRecord(&empty, sizeof empty) + "\n");
    Load([](const std::string& family) { return family == "DejaVu Sans"; });
    const auto& defaults = persist::DefaultFontSets();
    const auto slot = [&](int i) {
        const state::FontSet& f = view_.fontSets[i];
        return std::tuple(std::string(f.face), f.size, f.italic);
    };
    EXPECT_EQ(slot(4), std::tuple(defaults[4].face, defaults[4].size, 1));
    EXPECT_EQ(slot(0), std::tuple("DejaVu Sans", 20, 0));
    EXPECT_EQ(std::get<0>(slot(1)), "Arial");

    // With no check installed every named face is accepted.
    Load();
    EXPECT_STREQ(view_.fontSets[4].face, "No Such Face");
}

TEST_F(Settings, MaximisedWindowKeepsItsNormalRectangle) {
    const auto placement = [] {
        const persist::StoredWindowPlacement p = persist::ReadMainWindowPlacement();
        return std::tuple(p.x, p.y, p.width, p.height, p.z);
    };
    EXPECT_EQ(placement(), std::tuple(0, 0, 0, 0, 1));
    WriteFile(BareCopy(),
              "[Tavilo Pro v7]\nMainWndX=10\nMainWndY=20\nMainWndW=800\nMainWndH=600\n");
    persist::SaveFullSettings(view_, options_, {1, 2, 3, 4, true});
    EXPECT_EQ(placement(), std::tuple(10, 20, 800, 600, 1));
    persist::SaveFullSettings(view_, options_, {30, 40, 1024, 768, false});
    EXPECT_EQ(placement(), std::tuple(30, 40, 1024, 768, 0));
}

TEST_F(Settings, SaveGroupsWriteTheirOwnKeysOnly) {
    view_.Zoom = 240;          // display set
    view_.CircleSize = 77;     // full set
    options_.CometBright = 5;  // written by the comet files only
    options_.SaveDefault = 0;
    persist::SaveDisplaySettings(view_);
    const auto saved = [&](const char* key) {
        return Profile::Load(BareCopy()).Find("Tavilo Pro v7", key).value_or("-");
    };
    EXPECT_EQ(std::tuple(saved("Zoom"), saved("CircleSize"), saved("SaveDefault")),
              std::tuple("240", "-", "-"));
    persist::SaveFullSettings(view_, options_, {});
    EXPECT_EQ(std::tuple(saved("CircleSize"), saved("SaveDefault"), saved("Version"),
                         saved("CometBright"), saved("UserCitys"), saved("GscPath")),
              std::tuple("77", "0", persist::kVersionText, "-", "-", "-"));
}

// Keys of both save groups with their own encodings, a key of each group from the table of
// plain keys (all read and written by the same loop), the font and the line records.
TEST_F(Settings, EverySavedValueReadsBack) {
    const auto fields = [](const state::ViewState& v, const state::AppOptions& o) {
        return std::tuple(v.Zoom, v.Ido2, v.Keido2, v.Houi2, v.Koudo2, v.UnderHorizon, v.FindUnder,
                          o.AutoTaishou, o.ToolBar, v.fontSets[7].bold, v.lineSets);
    };
    Load();
    const auto defaults = fields(view_, options_);
    view_.Zoom = 1500;
    view_.Ido2 = -337;
    view_.Keido2 = -1512;
    view_.Houi2 = 123.45;
    view_.Koudo2 = -67.8;
    view_.UnderHorizon = 1;
    view_.FindUnder = 0;
    options_.AutoTaishou = {0, 1, 0, 1, 1};
    options_.ToolBar = 0;
    view_.fontSets[7].bold = 1;
    view_.lineSets[2] = {1, 2, 3, 1};
    persist::SaveDisplaySettings(view_);
    persist::SaveFullSettings(view_, options_, {});
    persist::SaveFontSets(view_);
    persist::SaveLineSets(view_);
    const auto saved = fields(view_, options_);
    Load();
    EXPECT_EQ(fields(view_, options_), saved);
    EXPECT_NE(saved, defaults);
}

TEST_F(Settings, GarbageValuesLoadWithoutHarm) {
    const std::string junk =
        "[Tavilo Pro v7]\nZoom=abc\nDrawStars=99999\nUserCitys=-5\n"
        "AutoBriMode=17\nUserCity01=zz\nFontSet03=41\nLineSet02=\n"
        "GscPath=relative/gsc/\nUserPath=/home/u/planets/\n"
        // Values that would overflow where they are used.
        "Ido2=2147483647\nKeido2=-2147483648\nTimeZone=99999999\nKoudo2=2147483647\n"
        "AutoYear=2000000000\nAutoRepeat=-9\nMainWndW=2147483647\n";
    WriteFile(BareCopy(), junk);
    Load();
    // "abc" reads as 0, kept within range; whole turns of longitude are dropped.
    EXPECT_EQ(std::tuple(view_.Zoom, view_.DrawStars, view_.AutoBriMode, view_.Ido2, view_.Keido2,
                         view_.TimeZone, view_.Koudo2),
              std::tuple(state::kZoomMin, 110, 2, 900, -848, persist::kZoneLimit, 900.0));
    EXPECT_EQ(std::tuple(options_.UserCitys, options_.AutoYear, options_.AutoRepeat),
              std::tuple(0, 1000, 1));
    EXPECT_EQ(persist::ReadMainWindowPlacement().width, 100000);
    EXPECT_EQ(view_.lineSets[1], persist::DefaultLineSets()[1]);
    EXPECT_EQ(options_.GscPath, DataDir() + "/relative/gsc");
    EXPECT_EQ(options_.UserPath, "/home/u/planets");
    // A font record without a terminating zero still gives a terminated face name.
    for (const state::FontSet& font : view_.fontSets)
        EXPECT_LT(strnlen(font.face, sizeof font.face), sizeof font.face);
}

TEST_F(Settings, AFailedSaveIsReportedOnceAndAnythingButAFileStays) {
    // The folder cannot be made (a plain file stands in its place); then the copy is a link to a
    // FIFO. Temporaries of interrupted saves go, one that another save holds locked stays.
    const std::string folder = Root() + "/config/planetarium", fifo = Root() + "/fifo";
    WriteFile(folder, "not a folder");
    persist::SaveDisplaySettings(view_);
    persist::WriteSettingInt("Zoom", 150);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].text.find(BareCopy()), std::string::npos);
    EXPECT_EQ(ReadFile(folder), "not a folder");
    fs::remove(folder);
    for (const char* name : {".saving-Stale1", ".saving-Busy01", ".backup"})
        WriteFile(BareCopy() + name, "x");
    const int busy = ::open((BareCopy() + ".saving-Busy01").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    persist::SaveDisplaySettings(view_);
    ::close(busy);
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"TAVILO.INI", "TAVILO.INI.backup",
                                           "TAVILO.INI.saving-Busy01"}));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::remove(BareCopy());
    fs::create_symlink(fifo, BareCopy());
    persist::SaveDisplaySettings(view_);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(Settings, WritesGoToTheBareCopyOnly) {
    WriteFile(ProgramCopy(), "[Tavilo Pro v7]\nZoom=200\n");
    persist::WriteSettingInt("Zoom", 150);
    persist::WriteSettingText("Version", "x");
    const std::array<uint8_t, 2> record{0xBE, 0xEF};
    persist::WriteSettingRecord("Blob", record.data(), record.size());
    persist::WriteProfileKey("Planets Location", "Mars", "12 34");
    EXPECT_EQ(ReadFile(ProgramCopy()), "[Tavilo Pro v7]\nZoom=200\n");
    EXPECT_EQ(persist::ReadSettingInt("Zoom", 80), 150);
    std::array<uint8_t, 2> back{};
    persist::ReadSettingRecord("Blob", back.data(), back.size());
    EXPECT_EQ(back, record);
    EXPECT_EQ(Profile::Load(BareCopy()).Find("planets location", "mars"), "12 34");
}

using Paths = TestWorld;

TEST_F(Paths, ProgramFilesAndFoldersAreTakenFromTheDataDirectory) {
    persist::SetDataDirectory("/opt/data/");
    EXPECT_EQ(persist::ProgramFile("QELCOMET.DAT"), "/opt/data/QELCOMET.DAT");
    EXPECT_EQ(persist::ProgramSettingsPath(), "/opt/data/TAVILO.INI");
    EXPECT_EQ(persist::JoinPath("", "QELDATA.INI"), "QELDATA.INI");
    // The root folder is shorter than four characters and keeps its separator.
    for (const auto& [folder, absolute] : {std::pair{"/mnt/gsc/", "/mnt/gsc"},
                                           {"gsc", "/opt/data/gsc"},
                                           {"", ""},
                                           {"/", "/"},
                                           {"/ab/", "/ab"}})
        EXPECT_EQ(persist::MakeAbsoluteFolder(folder), absolute) << folder;
}

TEST_F(Paths, SettingsAndUserFoldersFollowTheXdgVariables) {
    EXPECT_EQ(persist::BareSettingsPath(), Root() + "/config/planetarium/TAVILO.INI");
    EXPECT_EQ(persist::DefaultUserDirectory(), Root() + "/share/planetarium");

    // Relative or empty XDG values are ignored in favour of the home folder.
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", (Root() + "/home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(persist::BareSettingsPath(), Root() + "/home/.config/planetarium/TAVILO.INI");
    EXPECT_EQ(persist::DefaultUserDirectory(), Root() + "/home/.local/share/planetarium");
    ::setenv("HOME", home.c_str(), 1);
}

TEST_F(Paths, NarrationSoundsAreLookedUpInTheSourceFolderIndex) {
    WriteFile(DataDir() + "/TAVILO.INI", "[Tavilo Pro v7]\nsource=voice\n");
    WriteFile(DataDir() + "/voice/BASIC.TXT",
              "[North]\nWAV=\\en\\north.wav\n[Day]\nWAV=\n[south]\nWAV=South.wav\n");
    const std::string folder = persist::NarrationFolder();
    EXPECT_EQ(folder, DataDir() + "/voice");
    for (const auto& [event, sound] : {std::pair{"North", "/en/north.wav"},
                                       {"South", "/South.wav"},
                                       {"Day", ""},
                                       {"Evening", ""}})
        EXPECT_EQ(persist::NarrationSoundFile(folder, event), *sound ? folder + sound : "");
    EXPECT_EQ(persist::NarrationSoundFile(Root() + "/none", "North"), "");
    // The bare-name copy wins.
    WriteFile(Root() + "/config/planetarium/TAVILO.INI", "[Tavilo Pro v7]\nsource=/srv/v/\n");
    EXPECT_EQ(persist::NarrationFolder(), "/srv/v");
}

TEST(ProfileInt, TakesTheLeadingDecimalDigitsWithSign) {
    // The last two wrap like the 32-bit original instead of overflowing.
    const std::pair<const char*, int32_t> cases[] = {
        {"12abc", 12}, {"  -300", -300},  {"+7", 7},
        {"abc", 0},    {"-", 0},          {"0x1F", 0},
        {"1.9", 1},    {"4294967297", 1}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(persist::ParseProfileInt(text), value) << text;
}

TEST(ProfileRead, KeysIgnoreLetterCaseAndValuesAreTrimmed) {
    const Profile cased("[Tavilo Pro v7]\nZoom=120\n[other]\nZoom=5\n");
    EXPECT_EQ(
        std::tuple(cased.ReadInt("TAVILO PRO V7", "zoom", 80), cased.ReadInt("Other", "ZOOM", 80),
                   cased.ReadInt("missing", "Zoom", 80), cased.ReadInt("other", "Missing", -1)),
        std::tuple(120, 5, 80, -1));
    const Profile profile(
        "[s]\r\n  Name  =  Big Dipper  \r\nQuoted=\"  spaced \"\nHalf=\"open\n"
        "Empty=\n; Comment=1\nNoEquals\n");
    const std::pair<const char*, std::optional<std::string>> found[] = {
        {"Name", "Big Dipper"}, {"Quoted", "  spaced "},     {"Half", "\"open"},
        {"Empty", ""},          {"; Comment", std::nullopt}, {"NoEquals", std::nullopt}};
    for (const auto& [key, value] : found)
        EXPECT_EQ(profile.Find("s", key), value) << key;
    // An empty value counts as missing for integers, as the platform read did.
    EXPECT_EQ(profile.ReadInt("s", "Empty", 9), 9);
    EXPECT_EQ(profile.ReadInt("s", "Name", 9), 0);
}

TEST(ProfileRead, TextIsCutToTheBufferWithoutSplittingCharacters) {
    Profile profile("[s]\nPath=/home/user\nJapanese=ハレー\n");
    EXPECT_EQ(profile.ReadText("s", "Path", "", 6), "/home");
    EXPECT_EQ(profile.ReadText("s", "Path", "", 0), "");
    EXPECT_EQ(profile.ReadText("s", "Missing", "default", 4), "def");
    // Each of these characters takes three bytes: a buffer of 6 holds one of them.
    EXPECT_EQ(profile.ReadText("s", "Japanese", "", 6), "ハ");
}

TEST(ProfileRead, BinaryJunkNeverCrashesAndKeepsGoodLines) {
    const char bytes[] = "\xff\x01[\x80\0=\x9c\n[s]\nGood=42\n\0\0\0[\n=\n[]\n]=]\n";
    const std::string junk(bytes, sizeof bytes - 1);
    Profile profile(junk);
    EXPECT_EQ(profile.ReadInt("s", "Good", 0), 42);
    EXPECT_EQ(profile.Text(), junk);  // nothing is lost when the file is rewritten
}

TEST(ProfileRecord, EncodesUpperCaseAndDecodesWhatItCanLeavingTheTail) {
    const std::array<uint8_t, 4> bytes{0x00, 0x9A, 0xFF, 0x10};
    EXPECT_EQ(persist::EncodeRecord(bytes.data(), bytes.size()), "009AFF10");
    const struct {
        const char* text;
        std::size_t size, decoded;
        std::array<uint8_t, 4> after;
    } cases[] = {
        {"aBcD", 4, 2, {0xAB, 0xCD, 3, 4}},
        {"FFE", 4, 1, {0xFF, 2, 3, 4}},            // an odd digit is not half a byte
        {"0102030405060708", 2, 2, {1, 2, 3, 4}},  // text longer than the record is cut
        {"10zz30", 4, 1, {0x10, 2, 3, 4}},         // stops at the first pair not hexadecimal
        {"", 4, 0, {1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        std::array<uint8_t, 4> record{1, 2, 3, 4};
        EXPECT_EQ(persist::DecodeRecord(c.text, record.data(), c.size), c.decoded) << c.text;
        EXPECT_EQ(record, c.after) << c.text;
    }
}

TEST(ProfileWrite, ReplacesValuesAndAddsKeysKeepingEverythingElse) {
    Profile written(
        "; settings written by hand\n[Planets Location]\nMars=1\n\n[Tavilo Pro v7]\n"
        "zoom = 120\n; keep me\nHakumei=1\n\n[Other]\nZoom=3\n");
    written.WriteInt("TAVILO PRO V7", "Zoom", 200);
    EXPECT_EQ(written.Text(),
              "; settings written by hand\n[Planets Location]\nMars=1\n\n[Tavilo Pro v7]\n"
              "zoom=200\n; keep me\nHakumei=1\n\n[Other]\nZoom=3\n");
    Profile profile("[a]\nx=1\n\n[b]\ny=2\n");
    profile.Write("a", "z", "3");
    profile.Write("c", "w", "line\nbreak");
    EXPECT_EQ(profile.Text(), "[a]\nx=1\nz=3\n\n[b]\ny=2\n\n[c]\nw=line break\n");

    Profile empty;
    empty.Write("s", "k", "v");
    EXPECT_EQ(empty.Text(), "[s]\nk=v\n");

    Profile crlf("[s]\r\na=1\r\n");
    crlf.Write("s", "b", "2");
    crlf.Write("s", "a", "3");
    EXPECT_EQ(crlf.Text(), "[s]\r\na=3\r\nb=2\r\n");
    crlf.Erase("S", "A");
    crlf.Erase("s", "missing");
    EXPECT_EQ(crlf.Text(), "[s]\r\nb=2\r\n");
}

using ProfileFile = TestWorld;

TEST_F(ProfileFile, MissingFileGivesDefaultsAndASaveMakesItWithoutTemporaries) {
    EXPECT_EQ(Profile::Load(Root() + "/nothing.ini").ReadInt("s", "k", 17), 17);
    EXPECT_TRUE(Profile::LoadForUpdate(Root() + "/nothing.ini").has_value());
    const std::string path = Root() + "/deep/folder/TAVILO.INI";
    ASSERT_TRUE(persist::WriteProfileValues(path, "s", {{"a", "1"}, {"b", "2"}}));
    EXPECT_EQ(ReadFile(path), "[s]\na=1\nb=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(Root() + "/deep/folder"), {}), 1);
}

TEST_F(ProfileFile, RewriteKeepsOtherSectionsKeysCommentsAndMode) {
    const std::string path = Root() + "/settings.ini";
    WriteFile(path, "# top\n[x]\nkeep=yes\n[s]\na=1\n");
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(persist::WriteProfileValues(path, "s", {{"a", "9"}}));
    EXPECT_EQ(ReadFile(path), "# top\n[x]\nkeep=yes\n[s]\na=9\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    // Through a symbolic link the target is updated.
    const std::string link = Root() + "/link.ini";
    fs::create_symlink(path, link);
    ASSERT_TRUE(persist::WriteProfileValues(link, "s", {{"a", "2"}}));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(path), "# top\n[x]\nkeep=yes\n[s]\na=2\n");
}

TEST_F(ProfileFile, OversizedFileReadsAsEmptyAndIsNotReplaced) {
    const std::string path = Root() + "/huge.ini";
    WriteFile(path, "[s]\na=1\n" + std::string(persist::kProfileFileLimit, 'x'));
    EXPECT_EQ(Profile::Load(path).ReadInt("s", "a", 5), 5);
    EXPECT_FALSE(persist::WriteProfileValues(path, "s", {{"a", "2"}}));
    EXPECT_EQ(fs::file_size(path), persist::kProfileFileLimit + 8);
}

}  // namespace

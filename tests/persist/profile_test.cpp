#include "persist/profile.h"

#include <sys/stat.h>

#include <array>
#include <cstdint>
#include <tuple>

#include "test_world.h"

namespace {

using persist::DecodeRecord;
using persist::EncodeRecord;
using persist::ParseProfileInt;
using persist::Profile;
using namespace persist_test;
namespace fs = std::filesystem;

TEST(ProfileInt, TakesTheLeadingDecimalDigitsWithSign) {
    // The last two wrap like the 32-bit original instead of overflowing.
    const std::pair<const char*, int32_t> cases[] = {
        {"12abc", 12}, {"  -300", -300},  {"+7", 7},
        {"abc", 0},    {"-", 0},          {"0x1F", 0},
        {"1.9", 1},    {"4294967297", 1}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParseProfileInt(text), value) << text;
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
    EXPECT_EQ(profile.Find("s", "Name"), "Big Dipper");
    EXPECT_EQ(profile.Find("s", "Quoted"), "  spaced ");
    EXPECT_EQ(profile.Find("s", "Half"), "\"open");
    EXPECT_EQ(profile.Find("s", "Empty"), "");
    EXPECT_FALSE(profile.Find("s", "; Comment").has_value());
    EXPECT_FALSE(profile.Find("s", "NoEquals").has_value());
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
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) & 0xFF);
    junk += "\n[s]\nGood=42\n";
    junk += std::string(3, '\0') + "[\n=\n[]\n]=]\n";
    Profile profile(junk);
    EXPECT_EQ(profile.ReadInt("s", "Good", 0), 42);
    EXPECT_EQ(profile.Text(), junk);  // nothing is lost when the file is rewritten
}

TEST(ProfileRecord, EncodesUpperCaseAndDecodesWhatItCanLeavingTheTail) {
    const std::array<uint8_t, 4> bytes{0x00, 0x9A, 0xFF, 0x10};
    EXPECT_EQ(EncodeRecord(bytes.data(), bytes.size()), "009AFF10");
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
        EXPECT_EQ(DecodeRecord(c.text, record.data(), c.size), c.decoded) << c.text;
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

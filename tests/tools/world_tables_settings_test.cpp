#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "persist/profile.h"
#include "world/default_settings.h"
#include "world/narration.h"
#include "world_dataset.h"

namespace {

TEST(Narration, EveryEventOnceWithAnIndexEntry) {
    const auto& lines = databuilder::world::NarrationLines();
    std::set<std::string> events;
    for (const auto& l : lines) {
        EXPECT_TRUE(events.insert(l.event).second) << l.event;
        EXPECT_GT(std::string(l.sentence).size(), 3u);
    }
    EXPECT_EQ(events.size(), 75u);
    for (const char* e : {"Welcome", "North", "SSE", "Tenchou", "Horizon", "OldChinaOFF"})
        EXPECT_EQ(events.count(e), 1u) << e;
    const persist::Profile index(databuilder::world::BasicIndexText(lines));
    EXPECT_EQ(index.ReadText("North", "WAV", "", 260), "North.wav");
    EXPECT_EQ(index.ReadText("Welcome", "WAV", "", 260), "Welcome.wav");
}

TEST(DefaultSettings, NameTheNarrationFolderLinesFontsAndAnExternalProgram) {
    const persist::Profile ini(databuilder::world::DefaultSettingsText("narration"));
    const char* s = "Tavilo Pro v7";
    EXPECT_EQ(ini.ReadText(s, "source", "", 260), "narration");
    // The shipped line colours are the built-in ones (constellation lines 0, 56, 112 solid),
    // never a black record; the font slots carry their faces.
    EXPECT_EQ(ini.ReadText(s, "LineSet01", "", 64), "00387000");
    EXPECT_TRUE(ini.Find(s, "LineSet23").has_value());
    EXPECT_EQ(ini.ReadText(s, "FontSet01", "", 128).substr(0, 10), "417269616C");  // "Arial"
    EXPECT_EQ(ini.ReadText("Gaibu v7", "Name0", "", 64), "-");
    EXPECT_EQ(ini.ReadText("Gaibu v7", "Path1", "", 64), databuilder::world::kShowSourcesScript);
}

TEST(ProjectionDataset, DivisorsGiveARadiusGrowingOutTo150Degrees) {
    SKIP_WITHOUT_DATASET();
    const auto zbi = world_test::ReadBlock("ZBI");
    const auto zbi2 = world_test::ReadBlock("ZBI2");
    ASSERT_GE(zbi.size(), 16385u * 2);
    ASSERT_GE(zbi2.size(), 16385u * 2);
    // Radius 16384 sin t / D(16384 cos t) from the centre out, in 1-degree steps.
    double previous = -1;
    for (int deg = 1; deg <= 150; ++deg) {
        const double t = deg * M_PI / 180;
        const int z = static_cast<int>(16384 * std::cos(t));
        const int d = z >= 1 ? world_test::I16(zbi, z * 2) : world_test::I16(zbi2, -z * 2);
        ASSERT_GT(d, 0) << deg;
        const double r = 16384 * std::sin(t) / d;
        EXPECT_GT(r, previous) << deg;
        previous = r;
    }
}

TEST(SettingsDataset, DefaultSettingsAndNarrationSoundsBesideTheDataSet) {
    SKIP_WITHOUT_DATASET();
    const persist::Profile ini =
        persist::Profile::Load((world_test::DatasetDir() / "TAVILO.INI").string());
    EXPECT_EQ(ini.ReadInt("Tavilo Pro v7", "Zoom", 0), 80);
    const std::string folder = ini.ReadText("Tavilo Pro v7", "source", "", 260);
    ASSERT_FALSE(folder.empty());
    const auto dir = world_test::DatasetDir() / folder;
    const persist::Profile index = persist::Profile::Load((dir / "BASIC.TXT").string());
    for (const auto& line : databuilder::world::NarrationLines()) {
        const std::string wav = index.ReadText(line.event, "WAV", "", 260);
        ASSERT_FALSE(wav.empty()) << line.event;
        const auto sound = world_test::ReadFile(dir / wav);
        ASSERT_GT(sound.size(), 1000u) << wav;
        EXPECT_EQ(std::string(sound.begin(), sound.begin() + 4), "RIFF") << wav;
        EXPECT_EQ(std::string(sound.begin() + 8, sound.begin() + 12), "WAVE") << wav;
    }
}

}  // namespace

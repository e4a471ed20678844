#include <gtest/gtest.h>

#include "persist/profile.h"
#include "world/narration.h"
#include "world_dataset.h"

namespace {

TEST(SettingsDataset, DefaultSettingsAndNarrationSoundsBesideTheDataSet) {
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

// The world blocks read back through the program's own data-set loader.

}  // namespace

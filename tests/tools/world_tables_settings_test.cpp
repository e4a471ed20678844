#include <gtest/gtest.h>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/records/world_records.h"
#include "state/view_state.h"
#include "world/narration.h"
#include "world_dataset.h"

namespace {

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

// The world blocks read back through the program's own data-set loader.

TEST(WorldBlocksThroughTheLoader, WholeDataSetLoadsWithWholeRecordsAndItsLoadTimeWork) {
    SKIP_WITHOUT_DATASET();
    persist::SetDataDirectory(world_test::DatasetDir().string());
    persist::DataSet set;
    std::string gscPath;
    ASSERT_TRUE(
        persist::LoadDataSet(set, (world_test::DatasetDir() / "no-user-files").string(), gscPath));
    const std::pair<persist::BlockId, std::size_t> blocks[] = {
        {persist::BlockId::OBJ, 6},    {persist::BlockId::OBJN, 72}, {persist::BlockId::MILKY, 4},
        {persist::BlockId::SINCOS, 2}, {persist::BlockId::ZBI, 2},   {persist::BlockId::ZBI2, 2},
        {persist::BlockId::CITY, 80},  {persist::BlockId::EARTH, 6}, {persist::BlockId::YAMA, 4}};
    for (const auto& [id, record] : blocks) {
        EXPECT_GT(set.block(id).size, 0u) << persist::BlockKey(id);
        EXPECT_EQ(set.block(id).size % record, 0u) << persist::BlockKey(id);
    }
    EXPECT_TRUE(set.gscAvailable);
    EXPECT_EQ(set.gscIndexKind, 1);
    EXPECT_GE(set.cityCount, 3000u);
    EXPECT_EQ(set.objectCount, set.block(persist::BlockId::OBJN).size / 72);
    EXPECT_EQ(set.yamaCount, 360u);
    // The projection tables decode as the program reads them.
    std::string error;
    const auto tables = astro::DecodeProjectionTables(
        set.block(persist::BlockId::SINCOS).bytes(), set.block(persist::BlockId::ZBI).bytes(),
        set.block(persist::BlockId::ZBI2).bytes(), &error);
    ASSERT_TRUE(tables.has_value()) << error;
    EXPECT_EQ(astro::Sin15(tables->view(), 8192), 16384);
    // After the load-time work the lowest point of the skyline lies on the horizon.
    const auto yama = set.block(persist::BlockId::YAMA).records<persist::YamaRecord>();
    uint16_t lowest = 9999;
    for (size_t i = 0; i < yama.count(); ++i)
        lowest = std::min(lowest, yama[i].alt);
    EXPECT_EQ(lowest, 0);
    // Cities are in tenths of a degree once loaded.
    const auto cities = set.block(persist::BlockId::CITY).records<state::CityRecord>();
    bool newYork = false;
    for (size_t i = 0; i < cities.count(); ++i)
        newYork |= std::string(cities[i].name) == "New York" && cities[i].latitude == 410 &&
                   cities[i].longitude == 740 && cities[i].zone == -300;
    EXPECT_TRUE(newYork);
    persist::FreeDataSet(set);
}

}  // namespace

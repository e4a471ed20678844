// The world blocks read back through the program's own data-set loader.
#include <gtest/gtest.h>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/records/world_records.h"
#include "state/view_state.h"
#include "world_dataset.h"

namespace {

persist::Block Load(const std::string& key) {
    persist::SetDataDirectory(world_test::DatasetDir().string());
    persist::Block block;
    const std::string noUserFiles = (world_test::DatasetDir() / "no-user-files").string();
    EXPECT_TRUE(persist::LoadBlock(key, "", noUserFiles, block, true, true)) << key;
    return block;
}

TEST(WorldBlocksThroughTheLoader, EveryWorldBlockLoadsWithWholeRecords) {
    SKIP_WITHOUT_DATASET();
    const struct {
        const char* key;
        size_t record;
    } blocks[] = {{"OBJ", 6},  {"OBJN", 72}, {"MILKY", 4}, {"SINCOS", 2}, {"ZBI", 2},
                  {"ZBI2", 2}, {"CITY", 80}, {"EARTH", 6}, {"YAMA", 4}};
    for (const auto& b : blocks) {
        const persist::Block block = Load(b.key);
        ASSERT_TRUE(block.loaded) << b.key;
        EXPECT_GT(block.size, 0u) << b.key;
        EXPECT_EQ(block.size % b.record, 0u) << b.key;
    }
    EXPECT_EQ(Load("OBJ").size / 6, Load("OBJN").size / 72);
}

TEST(WorldBlocksThroughTheLoader, ProjectionTablesDecodeAsTheProgramReadsThem) {
    SKIP_WITHOUT_DATASET();
    const persist::Block sincos = Load("SINCOS"), zbi = Load("ZBI"), zbi2 = Load("ZBI2");
    std::string error;
    const auto tables =
        astro::DecodeProjectionTables(sincos.bytes(), zbi.bytes(), zbi2.bytes(), &error);
    ASSERT_TRUE(tables.has_value()) << error;
    EXPECT_EQ(astro::Sin15(tables->view(), 8192), 16384);
    EXPECT_EQ(astro::Cos15(tables->view(), 0), 16384);
}

TEST(WorldBlocksThroughTheLoader, CityRecordsReadThroughRecordViews) {
    SKIP_WITHOUT_DATASET();
    const persist::Block city = Load("CITY");
    const auto records = city.records<state::CityRecord>();
    ASSERT_GT(records.count(), 0u);
    bool newYork = false;
    for (size_t i = 0; i < records.count(); ++i) {
        const auto r = records[i];
        newYork |= std::string(r.name) == "New York" && r.latitude == 41 && r.zone == -300;
    }
    EXPECT_TRUE(newYork);
}

}  // namespace

namespace {

TEST(WorldBlocksThroughTheLoader, WholeDataSetLoadsWithTheDeepStarCatalogue) {
    SKIP_WITHOUT_DATASET();
    persist::SetDataDirectory(world_test::DatasetDir().string());
    persist::DataSet set;
    std::string gscPath;
    ASSERT_TRUE(
        persist::LoadDataSet(set, (world_test::DatasetDir() / "no-user-files").string(), gscPath));
    EXPECT_TRUE(set.gscAvailable);
    EXPECT_EQ(set.gscIndexKind, 1);
    EXPECT_GE(set.cityCount, 3000u);
    EXPECT_EQ(set.objectCount, set.block(persist::BlockId::OBJN).size / 72);
    EXPECT_EQ(set.yamaCount, 360u);
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

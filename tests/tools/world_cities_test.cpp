#include <gtest/gtest.h>

#include "builder_fixture.h"

#include <cstring>

#include "state/view_state.h"
#include "world/cities.h"

namespace {

using builder_test::AsBytes;
using databuilder::world::Bytes;

const char* const kZoneinfo = "/usr/share/zoneinfo";

// The smaller of the winter and summer offsets (Sydney keeps daylight time in January).
TEST(CityBlock, StandardOffsetIsTheSmallerOfWinterAndSummer) {
    using databuilder::world::StandardOffsetMinutes;
    for (const auto& [zone, minutes] : {std::pair{"America/New_York", -300},
                                        {"Australia/Sydney", 600},
                                        {"Asia/Kathmandu", 345},
                                        {"Europe/Dublin", 0},
                                        {"America/St_Johns", -210}})
        EXPECT_EQ(StandardOffsetMinutes(zone, kZoneinfo, 2025), minutes) << zone;
}

TEST(CityBlock, RecordsAreWholeDegreesWestPositiveOrderedByCountryAndName) {
    auto cities = databuilder::world::ParseCityMap(AsBytes(builder_test::Fixture("cityMap.json")),
                                                   "cityMap.json");
    ASSERT_EQ(cities.size(), 5u);  // the city without a zone is left out
    const Bytes block = databuilder::world::BuildCityBlock(cities, kZoneinfo);
    // Kawasaki shares Tokyo's whole degrees and zone; east is negative.
    std::vector<std::tuple<std::string, int, int, int>> got;
    for (size_t at = 0; at < block.size(); at += sizeof(state::CityRecord)) {
        state::CityRecord r;
        std::memcpy(&r, &block[at], sizeof r);
        got.emplace_back(r.name, r.latitude, r.longitude, r.zone);
    }
    EXPECT_EQ(got,
              (std::vector<std::tuple<std::string, int, int, int>>{{"Tokyo", 36, -140, 540},
                                                                   {"Kathmandu", 28, -85, 345},
                                                                   {"Albany", 43, 74, -300},
                                                                   {"New York", 41, 74, -300}}));
}

}  // namespace

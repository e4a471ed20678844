#include <gtest/gtest.h>

#include "builder_fixture.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include "astro/city_lookup.h"
#include "state/view_state.h"
#include "world/cities.h"

namespace {

using builder_test::AsBytes;

using databuilder::world::Bytes;

const char* const kZoneinfo = "/usr/share/zoneinfo";

std::vector<state::CityRecord> Records(const Bytes& block) {
    std::vector<state::CityRecord> out(block.size() / sizeof(state::CityRecord));
    std::memcpy(out.data(), block.data(), out.size() * sizeof(state::CityRecord));
    return out;
}

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
    const std::string json = R"([
        {"city":"Kawasaki","lat":35.52,"lng":139.71,"pop":1400000,"country":"Japan","timezone":"Asia/Tokyo"},
        {"city":"Tokyo","lat":35.685,"lng":139.7514,"pop":22000000,"country":"Japan","timezone":"Asia/Tokyo"},
        {"city":"New York","lat":40.74997906,"lng":-73.98001693,"country":"United States of America","timezone":"America/New_York"},
        {"city":"Albany","lat":42.67,"lng":-73.8,"country":"United States of America","timezone":"America/New_York"},
        {"city":"Nowhere","lat":1,"lng":1,"country":"X","timezone":""},
        {"city":"Kathmandu","lat":27.71,"lng":85.31,"country":"Nepal","timezone":"Asia/Kathmandu"}])";
    auto cities = databuilder::world::ParseCityMap(AsBytes(json), "fixture");
    ASSERT_EQ(cities.size(), 5u);  // the city without a zone is left out
    const auto records = Records(databuilder::world::BuildCityBlock(cities, kZoneinfo));
    // Kawasaki shares Tokyo's whole degrees and zone; east is negative.
    std::vector<std::tuple<std::string, int, int, int>> got;
    for (const state::CityRecord& r : records)
        got.emplace_back(r.name, r.latitude, r.longitude, r.zone);
    EXPECT_EQ(got,
              (std::vector<std::tuple<std::string, int, int, int>>{{"Tokyo", 36, -140, 540},
                                                                   {"Kathmandu", 28, -85, 345},
                                                                   {"Albany", 43, 74, -300},
                                                                   {"New York", 41, 74, -300}}));
}

}  // namespace

#include "astro/city_lookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

state::CityRecord City(const char* name, int16_t lat, int16_t lon, int16_t zone) {
    state::CityRecord c;
    std::strncpy(c.name, name, sizeof c.name - 1);
    c.latitude = lat;
    c.longitude = lon;
    c.zone = zone;
    c.unitMarker = 10;
    return c;
}

class CityLookupTest : public ::testing::Test {
  protected:
    std::vector<state::CityRecord> builtin{
        City("Tokyo", 357, -1397, 540), City("New York", 407, 740, -300),
        City("Greenwich", 515, 0, 0), City("New York again", 407, 740, -300)};
    state::AppOptions options;
};

TEST_F(CityLookupTest, FirstExactMatchOfTheBuiltInList) {
    EXPECT_EQ(astro::FindBuiltinCity(builtin, 407, 740, -300), 1);
    EXPECT_EQ(astro::FindBuiltinCity(builtin, 407, 740, -240), -1);  // zone differs
    EXPECT_EQ(astro::FindBuiltinCity(builtin, 408, 740, -300), -1);
    EXPECT_EQ(astro::FindBuiltinCity({}, 407, 740, -300), -1);
}

TEST_F(CityLookupTest, LongitudesCompareModuloAFullTurn) {
    EXPECT_EQ(astro::FindBuiltinCity(builtin, 357, 3600 - 1397, 540), 0);
    EXPECT_EQ(astro::FindBuiltinCity(builtin, 515, 3600, 0), 2);
    EXPECT_EQ(astro::FindBuiltinCity(builtin, 515, -7200, 0), 2);
}

TEST_F(CityLookupTest, UserCitiesComeFirstAndOnlyTheValidOnesCount) {
    options.userCities[0] = City("Home", 515, 0, 0);
    options.userCities[1] = City("Cabin", 600, 100, 60);
    options.UserCitys = 1;
    EXPECT_EQ(astro::FindCity(builtin, options, 515, 0, 0), 10000);
    EXPECT_EQ(astro::FindUserCity(options, 600, 100, 60), -1);  // beyond UserCitys
    EXPECT_EQ(astro::FindCity(builtin, options, 357, -1397, 540), 0);
    EXPECT_EQ(astro::FindCity(builtin, options, 0, 0, 0), -1);
    options.UserCitys = 2;
    EXPECT_EQ(astro::FindCity(builtin, options, 600, 100, 60), 10001);
    options.UserCitys = 1000;  // a damaged count is held to the 40 records
    EXPECT_EQ(astro::FindUserCity(options, 600, 100, 60), 1);
    options.UserCitys = -3;
    EXPECT_EQ(astro::FindUserCity(options, 515, 0, 0), -1);
}

TEST_F(CityLookupTest, NearestCityTakesTheFirstOfEqualDistances) {
    const std::vector<state::CityRecord> cities{
        City("North", 420, 740, -300), City("South", 400, 740, -300),
        City("Across the date line", 0, 1795, 0), City("Pole", 900, 0, 0),
        City("Here", 410, 700, 60)};
    const struct {
        int32_t lat, lon, expected;
    } cases[] = {
        {410, 740, 0},    // North and South are equally far: the first
        {410, 700, 4},    // the very place wins whatever comes before it
        {405, 740, 1},    // South is nearer
        {0, -1795, 2},    // the short way round across 180 degrees
        {890, -1000, 3},  // to a city at the pole only the latitude counts
        {-900, 740, 2},   // and from the pole: the city on the equator
    };
    for (const auto& c : cases)
        EXPECT_EQ(astro::NearestCity(cities, c.lat, c.lon), c.expected) << c.lat << " " << c.lon;
    EXPECT_EQ(astro::NearestCity({}, 0, 0), -1);
}

}  // namespace

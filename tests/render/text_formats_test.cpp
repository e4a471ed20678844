#include "render/text_formats.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <tuple>

namespace render {
namespace {

TEST(TextFormats, ZonesDatesAndTimes) {
    for (const auto& [minutes, text] : {std::pair{-300, "GMT-5"},
                                        {330, "GMT+5:30"},
                                        {-210, "GMT-3:30"},
                                        {0, "GMT+0"},
                                        {-45, "GMT-0:45"}})
        EXPECT_EQ(ZoneText(minutes), text);
    EXPECT_EQ(ZoneText(INT_MIN).substr(0, 4), "GMT-");  // no overflow
    // The zone of each time mode, the system's with its daylight hour.
    state::ViewState view;
    view.TimeZone = 540;
    view.SystemZone = -480;
    for (const auto& [mode, dst, zone] :
         {std::tuple{0, 0, 540}, {1, 0, 0}, {2, 0, -480}, {3, 1, -420}}) {
        view.Keisanji = mode;
        view.Dst = dst;
        EXPECT_EQ(TimeModeZone(view), zone) << mode;
    }
    EXPECT_EQ(ZoneText(view), "GMT-7");
    EXPECT_EQ(DateText(state::CivilClock{2026, 1, 5, 7, 5}), "Jan 05,  2026");
    EXPECT_EQ(DateText(state::CivilClock{-1200, 12, 31, 0, 0}), "Dec 31, -1200");
    EXPECT_EQ(TimeText(state::CivilClock{2026, 1, 5, 7, 5}), " 07:05");
}

TEST(TextFormats, LocationWithCityOrUserPlaceAndHemispheres) {
    state::ViewState view;
    state::AppOptions options;
    view.Ido2 = -339;
    view.Keido2 = -1512;
    view.CurrentCity = -1;
    EXPECT_EQ(LocationText(view, options, {}), "33.9\u00B0S\u00B7151.2\u00B0E");

    state::CityRecord sydney;
    std::strcpy(sydney.name, "Sydney");
    const BuiltinCityLookup lookup = [&](int index) -> std::optional<state::CityRecord> {
        if (index == 7) return sydney;
        return std::nullopt;
    };
    view.CurrentCity = 7;
    EXPECT_EQ(LocationText(view, options, lookup), "Sydney  33.9\u00B0S\u00B7151.2\u00B0E");
    view.CurrentCity = 8;  // not in the list
    EXPECT_EQ(LocationText(view, options, lookup), "33.9\u00B0S\u00B7151.2\u00B0E");

    options.UserCitys = 1;
    std::strcpy(options.userCities[0].name, "Home");
    view.CurrentCity = 10000;
    EXPECT_EQ(LocationText(view, options, lookup), "Home  33.9\u00B0S\u00B7151.2\u00B0E");
    view.CurrentCity = 10001;  // beyond the valid user places
    EXPECT_EQ(LocationText(view, options, lookup), "33.9\u00B0S\u00B7151.2\u00B0E");
}

TEST(TextFormats, CityNamesWithAndWithoutCountry) {
    state::CityRecord city;
    std::strcpy(city.name, "Paris");
    EXPECT_EQ(CityNameText(city), "Paris");
    std::strcpy(city.country, "France");
    EXPECT_EQ(CityNameText(city), "Paris / France");
    // A name that fills its field without a terminator stops at the field.
    std::memset(city.name, 'A', sizeof city.name);
    EXPECT_EQ(CityNameText(city), std::string(32, 'A') + " / France");
}

TEST(TextFormats, CityBlockLookupIsBoundsChecked) {
    persist::DataSet data;
    EXPECT_FALSE(CityBlockLookup(&data));
    EXPECT_FALSE(CityBlockLookup(nullptr));
    persist::Block& block = data.block(persist::BlockId::CITY);
    block.storage.assign(80 + 40 + persist::kBlockSpareBytes, 0);
    block.size = 80 + 40;  // one record and a half
    block.loaded = true;
    std::strcpy(reinterpret_cast<char*>(block.storage.data()), "Oslo");
    const BuiltinCityLookup lookup = CityBlockLookup(&data);
    ASSERT_TRUE(lookup);
    ASSERT_TRUE(lookup(0).has_value());
    EXPECT_STREQ(lookup(0)->name, "Oslo");
    EXPECT_FALSE(lookup(1).has_value());
    EXPECT_FALSE(lookup(-1).has_value());
}

}  // namespace
}  // namespace render

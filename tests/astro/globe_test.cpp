#include "astro/globe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>
#include "../persist/test_world.h"
#include "astro/city_lookup.h"

namespace {

// The location dialog's globe: 118 pixels square, radius 56.
astro::GlobeView View(int lat, int lon, bool zoomed = false) {
    return astro::MakeGlobeView(118, 118, lat, lon, zoomed);
}

// The angle between two places in degrees.
double AngleApart(astro::GlobePlace a, astro::GlobePlace b) {
    const double d = std::numbers::pi / 180.0;
    const double cosine = std::sin(a.latitude * d) * std::sin(b.latitude * d) +
                          std::cos(a.latitude * d) * std::cos(b.latitude * d) *
                              std::cos((a.longitude - b.longitude) * d);
    return std::acos(std::clamp(cosine, -1.0, 1.0)) / d;
}

int Apart(int a, int b) {
    const int d = std::abs(a - b) % 360;
    return d > 180 ? 360 - d : d;
}

TEST(Globe, RoundsToWholeDegreesWithHalvesUp) {
    const int cases[][2] = {{415, 42},     {414, 41},   {-415, -41}, {-416, -42},
                            {-1795, -179}, {1799, 180}, {0, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(astro::WholeDegrees(c[0]), c[1]) << c[0];
}

TEST(Globe, DrawsNorthUpAndEastToTheRight) {
    const astro::GlobeView view = View(41, 74);
    EXPECT_EQ(std::tuple(view.radius, View(41, 74, true).radius,
                         astro::MakeGlobeView(300, 60, 0, 0, false).radius),
              std::tuple(56, 112, 27));
    const struct {
        double lat, lon;
        bool visible;
        int x, y;
    } cases[] = {
        {41, 74, true, 59, 59},        // the centre
        {51, 74, true, 59, 59 - 10},   // north is up: 56 sin 10 degrees
        {41, 64, true, 59 + 7, 59},    // east of the centre: right
        {-48, 74, true, 59, 59 + 56},  // 89 degrees south: at the rim
        {-49, 74, false, 0, 0},        // 90 degrees: the far side begins
        {-41, -106, false, 0, 0},      // the antipode
    };
    for (const auto& c : cases) {
        const astro::GlobePixel p = astro::ProjectPlace(view, c.lat, c.lon);
        EXPECT_EQ(std::tuple(p.visible, p.visible ? p.x : 0, p.visible ? p.y : 0),
                  std::tuple(c.visible, c.x, c.y))
            << c.lat << " " << c.lon;
    }
}

TEST(Globe, FindsThePlaceUnderAPixel) {
    for (const astro::GlobePlace centre :
         {astro::GlobePlace{41, 74}, astro::GlobePlace{-34, -151}, astro::GlobePlace{0, 180}}) {
        const astro::GlobeView view = View(centre.latitude, centre.longitude);
        const astro::GlobePlace middle = astro::PlaceAtPixel(view, 59, 59);
        EXPECT_EQ(std::pair(middle.latitude, Apart(middle.longitude, centre.longitude)),
                  std::pair(centre.latitude, 0));
        for (const auto& [dLat, dLon] : {std::pair{20, 0}, {-15, 25}, {30, -30}}) {
            const astro::GlobePlace place{centre.latitude + dLat, centre.longitude + dLon};
            const astro::GlobePixel pixel =
                astro::ProjectPlace(view, place.latitude, place.longitude);
            // A pixel is about a degree at the centre, more towards the rim.
            EXPECT_LE(AngleApart(astro::PlaceAtPixel(view, pixel.x, pixel.y), place), 2.0);
        }
    }
    // Off the globe: the nearest place on the rim, due east of the centre.
    const astro::GlobePlace rim = astro::PlaceAtPixel(View(0, 0), 200, 59);
    EXPECT_TRUE(rim.latitude == 0 && Apart(rim.longitude, 0) >= 80) << rim.longitude;
}

TEST(Globe, DraggingKeepsTheGrabbedPlaceUnderTheMouse) {
    const struct {
        astro::GlobePlace centre;
        int fromX, fromY, toX, toY;
    } drags[] = {
        {{41, 74}, 59, 59, 89, 79},
        {{35, -139}, 40, 70, 75, 45},
        {{-34, -151}, 80, 50, 30, 60},
        {{0, 179}, 50, 59, 80, 59},
    };
    for (const auto& d : drags) {
        const astro::GlobePlace grabbed =
            astro::PlaceAtPixel(View(d.centre.latitude, d.centre.longitude), d.fromX, d.fromY);
        // The mouse moves a few pixels at a time, as a hand does.
        astro::GlobePlace centre = d.centre;
        for (int step = 1; step <= 10; ++step) {
            centre = astro::DraggedCentre(View(centre.latitude, centre.longitude), centre, grabbed,
                                          d.fromX + (d.toX - d.fromX) * step / 10,
                                          d.fromY + (d.toY - d.fromY) * step / 10);
        }
        const astro::GlobePlace under =
            astro::PlaceAtPixel(View(centre.latitude, centre.longitude), d.toX, d.toY);
        EXPECT_LE(std::abs(under.latitude - grabbed.latitude), 1) << d.centre.latitude;
        EXPECT_LE(Apart(under.longitude, grabbed.longitude), 1) << d.centre.longitude;
    }
}

using persist_test::City;

class CityLookupTest : public ::testing::Test {
  protected:
    std::vector<state::CityRecord> builtin{
        City("Tokyo", 357, -1397, 540), City("New York", 407, 740, -300),
        City("Greenwich", 515, 0, 0), City("New York again", 407, 740, -300)};
    state::AppOptions options;
};

// The first exact match; longitudes compare modulo a full turn; user cities (numbered from 10000)
// come first and only the first UserCitys of them count, at most the 40 records.
TEST_F(CityLookupTest, ExactMatchesUserCitiesFirst) {
    options.userCities[0] = City("Home", 515, 0, 0);
    options.userCities[1] = City("Cabin", 600, 100, 60);
    const struct {
        int32_t userCitys, lat, lon, zone, expected;
    } cases[] = {
        {0, 407, 740, -300, 1},        {0, 407, 740, -240, -1},     {0, 408, 740, -300, -1},
        {0, 357, 3600 - 1397, 540, 0}, {0, 515, -7200, 0, 2},       {1, 515, 0, 0, 10000},
        {1, 600, 100, 60, -1},         {1, 357, -1397, 540, 0},     {1, 0, 0, 0, -1},
        {2, 600, 100, 60, 10001},      {1000, 600, 100, 60, 10001}, {-3, 515, 0, 0, 2},
    };
    for (const auto& c : cases) {
        options.UserCitys = c.userCitys;
        EXPECT_EQ(astro::FindCity(builtin, options, c.lat, c.lon, c.zone), c.expected)
            << c.userCitys << " " << c.lat << " " << c.lon << " " << c.zone;
    }
    EXPECT_EQ(astro::FindBuiltinCity({}, 407, 740, -300), -1);
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

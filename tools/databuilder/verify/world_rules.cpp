// Rules of the world blocks (cities, deep sky, Earth, landscape, Milky Way) and of the files
// beside the blocks (comets, deep stars, settings and narration).
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "astro/city_lookup.h"
#include "persist/profile.h"
#include "persist/records/star_records.h"
#include "persist/records/world_records.h"
#include "persist/settings.h"
#include "state/comet_record.h"
#include "state/view_state.h"
#include "verify/set_rules.h"
#include "world/deep_stars.h"
#include "world/narration.h"

namespace databuilder::verify {

namespace {

std::string field(const char* text, size_t size) {
    return std::string(text, strnlen(text, size));
}

// Every city is found again by its whole degrees and zone, as the program recognises a place.
void checkCities(const SetFiles& set) {
    auto cities = set.records<state::CityRecord>("CITY");
    std::set<std::tuple<int, int, int>> places;
    for (auto& c : cities) {
        require(places.insert({c.latitude, c.longitude, c.zone}).second, "CITY",
                std::string("two cities at the place of ") + c.name);
        c.latitude = static_cast<int16_t>(c.latitude * 10);  // the program holds tenths
        c.longitude = static_cast<int16_t>(c.longitude * 10);
    }
    for (size_t i = 0; i < cities.size(); ++i)
        require(astro::FindBuiltinCity(cities, cities[i].latitude, cities[i].longitude,
                                       cities[i].zone) == static_cast<int32_t>(i),
                "CITY", std::string("not found again: ") + cities[i].name);
}

// Every Messier object with its type; meteor radiants carry their peak in the Messier field.
void checkDeepSky(const SetFiles& set) {
    const auto obj = set.records<persist::ObjectRecord>("OBJ");
    const auto objn = set.records<persist::ObjectNameRecord>("OBJN");
    require(objn.size() == obj.size() && obj.size() >= 500, "OBJN", "not one name per object");
    std::set<int> messier;
    int radiants = 0;
    for (size_t i = 0; i < obj.size(); ++i) {
        const std::string m = field(objn[i].messier, sizeof objn[i].messier);
        require(obj[i].type && std::strchr("GNPDCM", obj[i].type), "OBJ", "unknown type");
        if (obj[i].type == 'M') {
            ++radiants;
            const int peak = std::atoi(m.c_str() + 1);
            require(m.size() > 1 && peak >= 0 && peak < 360, "OBJN", "radiant without its peak");
        } else if (!m.empty()) {
            messier.insert(std::atoi(m.c_str() + 1));
        }
    }
    require(radiants >= 10, "OBJ", "fewer than 10 meteor radiants");
    require(messier.size() == 110 && *messier.begin() == 1 && *messier.rbegin() == 110, "OBJN",
            "not the 110 Messier objects");
}

void checkEarth(const SetFiles& set) {
    const auto earth = set.records<persist::EarthTriple>("EARTH");
    require(earth.size() >= 1000 && earth.back().x == persist::kEarthEnd, "EARTH", "no end mark");
    for (size_t i = 0; i + 1 < earth.size(); ++i) {
        const auto& t = earth[i];
        require(t.x != persist::kEarthEnd, "EARTH", "end mark before the end");
        require(t.x == persist::kEarthPenUp ||
                    std::abs(std::hypot(t.x, t.y, t.z) - persist::kEarthScale) <= 2,
                "EARTH", "a point off the sphere");
    }
}

// A skyline a few degrees high, azimuths within the half turn each way.
void checkLandscape(const SetFiles& set) {
    const auto yama = set.records<persist::YamaRecord>("YAMA");
    require(yama.size() >= 36, "YAMA", "fewer than 36 points");
    int highest = 0;
    for (const auto& r : yama) {
        require(r.az < 18000, "YAMA", "azimuth beyond 180 degrees");
        highest = std::max<int>(highest, r.alt);
    }
    require(highest > 50 && highest <= 500, "YAMA", "skyline not between 1 and 10 degrees");
}

// Every polygon lies in one of the two bands and within the program's vertex limit.
void checkMilkyWay(const SetFiles& set) {
    const auto milky = set.records<persist::MilkyPair>("MILKY");
    int band = 0, vertices = 0;
    int polygons[3] = {0, 0, 0};
    for (const auto& p : milky) {
        if (p.lon >= 0) {
            require(++vertices <= persist::kMilkyMaxVertices, "MILKY", "polygon too long");
        } else if (p.lon == persist::kMilkyEndPolygon) {
            ++polygons[band];
            vertices = 0;
        } else if (p.lon == persist::kMilkyBand1 || p.lon == persist::kMilkyBand2) {
            band = p.lon == persist::kMilkyBand1 ? 1 : 2;
        }
    }
    require(milky.back().lon == persist::kMilkyEndBlock, "MILKY", "no end mark");
    require(polygons[0] == 0 && polygons[1] > 10 && polygons[2] > 10, "MILKY",
            "polygons outside the two bands");
}

}  // namespace

void checkWorldBlocks(const SetFiles& set) {
    checkCities(set);
    checkDeepSky(set);
    checkEarth(set);
    checkLandscape(set);
    checkMilkyWay(set);
}

void checkWorldFiles(const SetFiles& set) {
    // Comets: one record each, at most 80; the three named ones ship uninitialised.
    const Bytes cometBytes = set.file("QELCOMET.DAT");
    const size_t count = cometBytes.size() / sizeof(state::CometRecord);
    require(cometBytes.size() % sizeof(state::CometRecord) == 0 && count > 3 && count <= 80,
            "QELCOMET.DAT", "not 4 to 80 whole records");
    std::vector<state::CometRecord> comets(count);
    std::memcpy(comets.data(), cometBytes.data(), cometBytes.size());
    int named = 0;
    for (const auto& c : comets) {
        const std::string name = field(c.NAMEE, sizeof c.NAMEE);
        const bool first = name == "Halley" || name == "Hale-Bopp" || name == "Hyakutake 2";
        named += first;
        require(c.initialised == !first && c.TM >= 1 && c.TM <= 12 && c.q > 0, "QELCOMET.DAT",
                "bad record " + name);
    }
    require(named == 3, "QELCOMET.DAT", "Halley, Hale-Bopp or Hyakutake 2 missing");

    // Deep stars: the index covers the file in zone order, each zone by magnitude.
    const Bytes index = set.file("QELGAIDX.DAT"), stars = set.file("QELGSA.DAT");
    require(index.size() == persist::kGscZones * 8u, "QELGAIDX.DAT", "not one entry per zone");
    uint64_t next = 0;
    size_t brightest = 0;
    for (int z = 0; z < persist::kGscZones; ++z) {
        const uint32_t first = u32(index, z * 8), n = u32(index, z * 8 + 4);
        require(first == next && n <= 16000 && (first + n) * 5u <= stars.size(), "QELGAIDX.DAT",
                "a zone out of order or too long");
        for (uint32_t k = first; k < first + n; ++k) {
            require(world::DeepStarZone(i16(stars, k * 5), i16(stars, k * 5 + 2)) == z,
                    "QELGSA.DAT", "a star outside its zone");
            require(k == first || stars[(k - 1) * 5 + 4] <= stars[k * 5 + 4], "QELGSA.DAT",
                    "a zone not by magnitude");
            brightest += stars[k * 5 + 4] < 30;
        }
        next += n;
    }
    require(next * 5 == stars.size() && next > 500000, "QELGSA.DAT", "not covered by the index");
    // Zoomed-in views draw from this file alone: the brightest stars must be in it.
    require(brightest >= 10, "QELGSA.DAT", "the first-magnitude stars are missing");

    // Default settings and a sound for every narration event.
    const persist::Profile ini = persist::Profile::Load((set.dir() / "TAVILO.INI").string());
    require(ini.ReadInt(persist::kSettingsSection, "Zoom", 0) == 80, "TAVILO.INI",
            "not the default zoom");
    const std::string folder = ini.ReadText(persist::kSettingsSection, "source", "", 260);
    const persist::Profile sounds =
        persist::Profile::Load((set.dir() / folder / "BASIC.TXT").string());
    for (const auto& line : world::NarrationLines()) {
        const std::string wav = sounds.ReadText(line.event, "WAV", "", 260);
        const Bytes sound = set.file(folder + "/" + wav);
        require(!wav.empty() && sound.size() > 1000 &&
                    std::string(sound.begin(), sound.begin() + 4) == "RIFF" &&
                    std::string(sound.begin() + 8, sound.begin() + 12) == "WAVE",
                "narration", std::string("no sound for ") + line.event);
    }
}

}  // namespace databuilder::verify

// Spot checks of the set against known answers: stars at their catalogue places, doubles with
// their combined light, names people use, and the well-known objects and cities.
#include <algorithm>
#include <cstdlib>

#include "persist/records/sky_records.h"
#include "persist/records/star_records.h"
#include "persist/records/world_records.h"
#include "sky/ecliptic.h"
#include "state/view_state.h"
#include "verify/set_rules.h"

namespace databuilder::verify {

namespace {

int starNamed(const std::vector<persist::StarNameRecord>& names, const char* name) {
    for (const auto& r : names)
        if (std::strcmp(r.name, name) == 0) return static_cast<int>(r.star);
    return -1;
}

void checkStars(const SetFiles& set) {
    const auto stars = set.records<persist::StarRecord>("STAR2");
    const auto names = set.records<persist::StarNameRecord>("STARN");
    // Sirius, the brightest star, comes first with its place, light, class, motion and name.
    const auto& sirius = stars[0];
    const BinPoint place = equatorialToBinPoint(101.28715533, -16.71611586);
    int16_t pmLon, pmLat;
    properMotionToRecord(equatorialVector(101.28716, -16.71612), -546.0, -1223.1, pmLon, pmLat);
    require(starNamed(names, "Sirius") == 0 && sirius.mag == 6 && sirius.spec == 'A' &&
                std::abs(sirius.lon - place.lon) <= 1 && std::abs(sirius.lat - place.lat) <= 1 &&
                std::abs(sirius.pmLon - pmLon) <= 1 && std::abs(sirius.pmLat - pmLat) <= 1,
            "STAR2", "Sirius not first at its place");
    const auto alpha = set.records<persist::DesignationRecord>("ALPHA");
    require(std::strcmp(alpha[0].constellation, "CMa") == 0 && alpha[0].bayer[0] == '*' &&
                alpha[0].bayer[1] == 'a' && alpha[0].flamsteed == 9,
            "ALPHA", "Sirius is not alpha and 9 Canis Majoris");
    // The doubles, in tenths: the combined Hipparcos light of their components.
    const std::pair<const char*, int> doubles[] = {
        {"Rigil Kentaurus", -3}, {"Acrux", 8}, {"Castor", 16}, {"Porrima", 27}};
    for (const auto& [name, tenths] : doubles) {
        const int n = starNamed(names, name);
        require(n >= 0 && stars[n].mag - 20 == tenths, "STAR2",
                std::string("not the combined light of ") + name);
    }
    // Old Chinese labels: Polaris by its name within its asterism.
    const auto skusu = set.records<persist::ChineseStarNameRecord>("SKUSU");
    const int polaris = starNamed(names, "Polaris");
    const auto label =
        std::find_if(skusu.begin(), skusu.end(), [&](const auto& r) { return r.star == polaris; });
    require(label != skusu.end() &&
                std::u16string(reinterpret_cast<const char16_t*>(label->name)) == u"勾陈一",
            "SKUSU", "Polaris without its Chinese name");
}

void checkNamesAndObjects(const SetFiles& set) {
    const auto seiza = set.records<persist::ConstellationNameRecord>("SEIZA");
    for (const char* name : {"Great Bear", "Little Bear", "Compasses", "Mariner's Compass",
                             "Serpent's Head", "Serpent's Tail", "Bird of Paradise"})
        require(std::any_of(seiza.begin(), seiza.end(),
                            [&](const auto& r) { return std::strcmp(r.popular, name) == 0; }),
                "SEIZA", std::string("no constellation called ") + name);
    const auto obj = set.records<persist::ObjectRecord>("OBJ");
    const auto objn = set.records<persist::ObjectNameRecord>("OBJN");
    auto typeOf = [&](const char* messier) {
        for (size_t i = 0; i < objn.size(); ++i)
            if (std::strncmp(objn[i].messier, messier, sizeof objn[i].messier) == 0)
                return static_cast<char>(obj[i].type);
        return '?';
    };
    for (const auto& [messier, type] :
         {std::pair{"M31", 'G'}, {"M13", 'D'}, {"M45", 'C'}, {"M57", 'P'}, {"M42", 'N'}})
        require(typeOf(messier) == type, "OBJ", std::string("wrong type of ") + messier);
    // The Perseids peak at solar longitude 140.
    require(typeOf("L140") == 'M', "OBJN", "the Perseids' peak is not at 140");
    const auto cities = set.records<state::CityRecord>("CITY");
    for (const auto& [name, country] : {std::pair{"Tokyo", "Japan"},
                                        {"London", "United Kingdom"},
                                        {"Sao Paulo", "Brazil"},
                                        {"Kathmandu", "Nepal"},
                                        {"Los Angeles", "United States of America"}})
        require(std::any_of(cities.begin(), cities.end(),
                            [&](const auto& c) {
                                return std::strcmp(c.name, name) == 0 &&
                                       std::strcmp(c.country, country) == 0;
                            }),
                "CITY", std::string("no ") + name);
}

}  // namespace

void checkKnownAnswers(const SetFiles& set) {
    checkStars(set);
    checkNamesAndObjects(set);
}

}  // namespace databuilder::verify

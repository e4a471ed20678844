// Rules of the star, figure and name blocks.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "persist/records/sky_records.h"
#include "persist/records/star_records.h"
#include "sky/sky_catalogue.h"
#include "verify/set_rules.h"

namespace databuilder::verify {

namespace {

std::vector<int16_t> words(const Bytes& bytes) {
    std::vector<int16_t> out(bytes.size() / 2);
    std::memcpy(out.data(), bytes.data(), out.size() * 2);
    return out;
}

size_t starCount(const SetFiles& set) {
    return set.block("STAR2").size() / sizeof(persist::StarRecord);
}

bool isStar(int number, size_t count) {
    return number >= 0 && static_cast<size_t>(number) < count;
}

}  // namespace

void checkStarBlocks(const SetFiles& set) {
    const auto stars = set.records<persist::StarRecord>("STAR2");
    const auto stidx = set.records<uint32_t>("STIDX");
    const size_t bright = set.records<persist::DesignationRecord>("ALPHA").size();
    require(stidx.size() == persist::kStarZones * persist::kStidxPerZone + 1, "STIDX",
            "not one entry per zone and magnitude step");
    require(bright >= 2859, "ALPHA", "fewer designations than stars to 5.5");
    require(stidx[0] == bright && stidx.back() == stars.size(), "STIDX",
            "does not span the faint part of STAR2");
    for (size_t i = 1; i < bright; ++i)
        require(stars[i - 1].mag <= stars[i].mag, "STAR2", "bright part not by magnitude");
    for (int z = 0; z < persist::kStarZones; ++z) {
        const uint32_t* steps = &stidx[z * persist::kStidxPerZone];
        require(steps[0] <= steps[persist::kStidxPerZone], "STIDX", "zone ends before it starts");
        for (uint32_t i = steps[0]; i < steps[persist::kStidxPerZone]; ++i) {
            const auto& s = stars[i];
            require(starZone(s.lon, s.lat) == z && s.mag > 85, "STAR2",
                    "a faint star outside its zone");
            require(i == steps[0] || stars[i - 1].mag <= s.mag, "STAR2", "a zone not by magnitude");
            for (int k = 1; k < persist::kStidxPerZone; ++k)
                require((i < steps[k]) == (s.mag <= 85 + k), "STIDX", "a wrong magnitude step");
        }
    }
    size_t to55 = 0, to65 = 0;
    for (const auto& s : stars) {
        to55 += s.mag <= 75;
        to65 += s.mag <= 85;
        require(s.mag <= 115, "STAR2", "a star fainter than 9.5");
        require(std::strchr("OBAFGKMCSNRWL", s.spec) && s.spec, "STAR2", "unknown spectral class");
    }
    require(to55 > 2500 && to65 > 8000, "STAR2", "too few stars to 5.5 or 6.5");
    // Stars closer than one binary angle are one record.
    std::set<std::pair<int16_t, int16_t>> places;
    for (size_t i = 0; i < bright; ++i)
        require(places.insert({stars[i].lon, stars[i].lat}).second, "STAR2",
                "two bright records at one place");
}

void checkFigureBlocks(const SetFiles& set) {
    const size_t count = starCount(set);
    for (const char* key : {"LINE", "KISETU", "SKULI"}) {
        const auto w = words(set.block(key));
        require(w.back() == persist::kPathEnd, key, "no end mark");
        size_t stars = 0;
        for (size_t i = 0; i + 1 < w.size(); ++i) {
            if (w[i] == persist::kPathPenUp) continue;
            require(isStar(w[i], count), key, "refers to no star");
            ++stars;
        }
        require(stars > 10, key, "too few stars");
    }
    for (const char* key : {"KAI", "PIC"}) {
        const auto w = words(set.block(key));
        require(w.size() % 2 == 0 && w.size() >= 4, key, "not whole points");
        require(
            w[w.size() - 2] == persist::kOutlinePenUp && w[w.size() - 4] == persist::kOutlinePenUp,
            key, "no closing pen-ups");
        for (size_t i = 0; i + 4 < w.size(); i += 2) {
            require(!(w[i] == -1 && w[i + 2] == -1), key, "ends early");
            require(w[i] == -1 || std::abs(w[i + 1]) <= 8192, key, "latitude beyond a pole");
        }
    }
    const auto seiza = set.records<persist::ConstellationNameRecord>("SEIZA");
    require(seiza.size() == persist::kConstellationCount, "SEIZA", "not 89 constellations");
    require(set.block("SEIZAZ").size() == seiza.size() * 4, "SEIZAZ", "not one point each");
    int serpens = 0;
    std::set<std::string> popular;
    for (const auto& r : seiza) {
        serpens += std::strcmp(r.code, "Ser") == 0;
        require(std::strlen(r.code) == 3 && r.scientific[0], "SEIZA", "code or name missing");
        require(popular.insert(r.popular).second, "SEIZA", std::string("two ") + r.popular);
        require(std::all_of(r.popular, r.popular + std::strlen(r.popular),
                            [](char c) { return static_cast<unsigned char>(c) < 0x80; }),
                "SEIZA", std::string("not plain ASCII: ") + r.popular);
    }
    require(serpens == 2, "SEIZA", "Serpens not twice");
}

void checkNameBlocks(const SetFiles& set) {
    const size_t count = starCount(set);
    const auto stars = set.records<persist::StarRecord>("STAR2");
    const auto names = set.records<persist::StarNameRecord>("STARN");
    require(names.size() >= 400, "STARN", "fewer than 400 names");
    std::set<uint32_t> named;
    std::set<std::string> texts;
    for (const auto& r : names) {
        require(r.star < count, "STARN", "refers to no star");
        require(r.name[0] && !r.name[31] && !r.second[31], "STARN", "name empty or unterminated");
        require(named.insert(r.star).second, "STARN", "two names on one star");
        for (const std::string& text : {std::string(r.name), std::string(r.second)}) {
            if (text.empty()) continue;
            require(texts.insert(text).second, "STARN", "one name on two stars: " + text);
            const std::string last = text.substr(text.rfind(' ') + 1);
            require(last.find_first_not_of("IVX") != std::string::npos, "STARN",
                    "numbered series: " + text);
        }
    }
    for (size_t i = 0; i < count && stars[i].mag < 40; ++i)
        require(named.count(static_cast<uint32_t>(i)), "STARN", "a star to 2.0 without a name");
    const auto skusu = set.records<persist::ChineseStarNameRecord>("SKUSU");
    require(static_cast<uint16_t>(skusu.back().star) == persist::kListEnd, "SKUSU", "no end mark");
    for (size_t i = 0; i + 1 < skusu.size(); ++i)
        require(isStar(skusu[i].star, count) && skusu[i].name[0] >= 0x3400 && !skusu[i].name[9],
                "SKUSU", "refers to no star or holds no Chinese name");
    const auto skusn = set.records<persist::ChineseStarNameTextRecord>("SKUSN");
    require(static_cast<uint16_t>(skusn.back().star) == persist::kListEnd, "SKUSN", "no end mark");
    const auto skunu = set.records<persist::ChineseAsterismNameRecord>("SKUNU");
    require(skunu.size() > 300, "SKUNU", "fewer than 300 asterisms");
    require(static_cast<uint16_t>(skunu.back().lon) == persist::kListEnd, "SKUNU", "no end mark");
    require(set.records<persist::ChineseNameTableRecord>("SKUNM").size() == skunu.size(), "SKUNM",
            "not one entry per asterism");
    const auto kisen = set.records<persist::AsterismNameRecord>("KISEN");
    require(kisen.size() >= 7, "KISEN", "fewer than 7 asterisms");
    require(static_cast<uint16_t>(kisen.back().lon) == persist::kListEnd, "KISEN", "no end mark");
}

}  // namespace databuilder::verify

#include "sky/sky_catalogue.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "framework/build_error.h"
#include "framework/byte_writer.h"
#include "sky/ecliptic.h"

namespace databuilder {

int SkyCatalogue::numberOfHip(int hip) const {
    const auto it = byHip.find(hip);
    return it == byHip.end() ? -1 : static_cast<int>(it->second);
}

uint8_t magnitudeCode(int magMilli) {
    // floor((milli + 50) / 100) for negative values too
    const int shifted = magMilli + 50;
    const int tenths = shifted >= 0 ? shifted / 100 : -((-shifted + 99) / 100);
    return static_cast<uint8_t>(std::clamp(tenths + 20, 0, 255));
}

uint8_t spectralLetter(const std::string& spectralType, double bMinusV) {
    static const char* const kClasses = "OBAFGKMCSNRWL";
    for (char c : spectralType)
        if (c != 0 && std::strchr(kClasses, c)) return static_cast<uint8_t>(c);
    if (bMinusV < -0.30) return 'O';
    if (bMinusV < -0.02) return 'B';
    if (bMinusV < 0.30) return 'A';
    if (bMinusV < 0.58) return 'F';
    if (bMinusV < 0.81) return 'G';
    if (bMinusV < 1.40) return 'K';
    return 'M';
}

int starZone(int16_t lon, int16_t lat) {
    const int a = std::clamp((lon & 0x7fff) * persist::kStarZoneColumns / 32768, 0,
                             persist::kStarZoneColumns - 1);
    const int d =
        std::clamp((lat + 8192) * persist::kStarZoneRows / 16384, 0, persist::kStarZoneRows - 1);
    return a * persist::kStarZoneRows + d;
}

namespace {

CatalogueStar toCatalogueStar(const DecodedStar& s, const std::vector<std::string>& spectralTypes) {
    CatalogueStar c;
    c.hip = s.hip;
    c.component = s.component;
    c.position = s.position;
    c.magMilli = s.magMilli;
    const BinPoint p = toBinPoint(equatorialToEcliptic(s.position));
    c.record.lon = p.lon;
    c.record.lat = p.lat;
    properMotionToRecord(s.position, s.pmRaCosDec, s.pmDec, c.record.pmLon, c.record.pmLat);
    c.record.mag = magnitudeCode(s.magMilli);
    const std::string& type = s.hip > 0 && s.spectralIndex > 0 &&
                                      static_cast<size_t>(s.spectralIndex) < spectralTypes.size()
                                  ? spectralTypes[s.spectralIndex]
                                  : std::string();
    c.record.spec = spectralLetter(type, s.bMinusV);
    return c;
}

bool brighter(const CatalogueStar& a, const CatalogueStar& b) {
    return a.magMilli < b.magMilli;
}

// Moves referenced stars off the numbers that the path blocks use as marks, swapping each with a
// neighbour of the same magnitude code so that the magnitude order holds.
void keepReferencesOffMarks(std::vector<CatalogueStar>& bright, const std::set<int>& referenced) {
    for (int mark : {kPenUpMark, kEndMark}) {
        const size_t m = static_cast<size_t>(mark);
        if (m >= bright.size() || !referenced.count(bright[m].hip)) continue;
        bool moved = false;
        for (size_t distance = 1; distance < bright.size() && !moved; ++distance) {
            for (size_t j : {m + distance, m - distance}) {
                if (j >= bright.size() || referenced.count(bright[j].hip)) continue;
                if (bright[j].record.mag != bright[m].record.mag) continue;
                std::swap(bright[j], bright[m]);
                moved = true;
                break;
            }
        }
        if (!moved)
            throw BuildError("star catalogue: cannot keep star number " + std::to_string(mark) +
                             " free for the path marks");
    }
}

}  // namespace

SkyCatalogue buildSkyCatalogue(const std::vector<DecodedStar>& decoded,
                               const std::vector<std::string>& spectralTypes,
                               const std::set<int>& lowNumberHips,
                               const HipparcosMagnitudes& hipparcos) {
    // Brightest record of each (HIP, component); stars without HIP are all distinct.
    std::map<std::pair<int, int>, size_t> firstOf;
    std::vector<DecodedStar> distinct;
    distinct.reserve(decoded.size());
    for (const auto& s : decoded) {
        if (s.hip > 0) {
            const auto key = std::make_pair(s.hip, s.component);
            const auto it = firstOf.find(key);
            if (it != firstOf.end()) {
                if (s.magMilli < distinct[it->second].magMilli) distinct[it->second] = s;
                continue;
            }
            firstOf.emplace(key, distinct.size());
        }
        distinct.push_back(s);
    }
    const MergedStars merged = mergeCloseStars(distinct, hipparcos);

    // A referenced star whose light went into another record brings that record forward.
    std::set<int> referenced = lowNumberHips;
    for (const auto& [alias, kept] : merged.hipAliases)
        if (lowNumberHips.count(alias)) referenced.insert(kept);

    std::vector<CatalogueStar> bright, faint;
    for (const DecodedStar& s : merged.stars) {
        if (s.magMilli > kFaintLimitMilli) continue;
        CatalogueStar c = toCatalogueStar(s, spectralTypes);
        const bool promoted = c.hip > 0 && referenced.count(c.hip);
        // By the stored code: combined light is not a multiple of the code's step.
        (c.record.mag <= magnitudeCode(kBrightLimitMilli) || promoted ? bright : faint)
            .push_back(c);
    }
    std::stable_sort(bright.begin(), bright.end(), brighter);
    keepReferencesOffMarks(bright, referenced);

    // Faint part: by zone, each zone by magnitude.
    std::stable_sort(faint.begin(), faint.end(),
                     [](const CatalogueStar& a, const CatalogueStar& b) {
                         const int za = starZone(a.record.lon, a.record.lat);
                         const int zb = starZone(b.record.lon, b.record.lat);
                         return za != zb ? za < zb : a.magMilli < b.magMilli;
                     });

    SkyCatalogue cat;
    cat.brightCount = bright.size();
    cat.stars = std::move(bright);
    cat.stars.insert(cat.stars.end(), faint.begin(), faint.end());

    // STIDX: per zone the first record, then one past the last record up to each level 66..94.
    cat.stidx.assign(persist::kStarZones * persist::kStidxPerZone + 1, 0);
    size_t i = cat.brightCount;
    for (int z = 0; z < persist::kStarZones; ++z) {
        cat.stidx[z * persist::kStidxPerZone] = static_cast<uint32_t>(i);
        for (int k = 1; k < persist::kStidxPerZone; ++k) {
            const int limitCode = 65 + k + 20;
            while (i < cat.stars.size() &&
                   starZone(cat.stars[i].record.lon, cat.stars[i].record.lat) == z &&
                   cat.stars[i].record.mag <= limitCode)
                ++i;
            cat.stidx[z * persist::kStidxPerZone + k] = static_cast<uint32_t>(i);
        }
        while (i < cat.stars.size() &&
               starZone(cat.stars[i].record.lon, cat.stars[i].record.lat) == z)
            ++i;
    }
    cat.stidx.back() = static_cast<uint32_t>(i);

    for (size_t n = 0; n < cat.stars.size(); ++n) {
        const CatalogueStar& s = cat.stars[n];
        if (s.hip <= 0) continue;
        const auto it = cat.byHip.find(s.hip);
        if (it == cat.byHip.end() || s.magMilli < cat.stars[it->second].magMilli)
            cat.byHip[s.hip] = static_cast<uint32_t>(n);
    }
    for (const auto& [alias, kept] : merged.hipAliases)
        if (const auto it = cat.byHip.find(kept); it != cat.byHip.end()) {
            cat.byHip.emplace(alias, it->second);
            cat.mergedHips.insert(alias);
        }
    return cat;
}

std::vector<uint8_t> star2Bytes(const SkyCatalogue& catalogue) {
    ByteWriter w;
    for (const auto& s : catalogue.stars)
        w.record(s.record);
    return w.take();
}

std::vector<uint8_t> stidxBytes(const SkyCatalogue& catalogue) {
    ByteWriter w;
    for (uint32_t v : catalogue.stidx)
        w.u32(v);
    return w.take();
}

}  // namespace databuilder

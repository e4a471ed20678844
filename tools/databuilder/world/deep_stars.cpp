#include "world/deep_stars.h"

#include <algorithm>
#include <map>

#include "persist/records/star_records.h"
#include "sky/ecliptic.h"
#include "sky/sky_catalogue.h"

namespace databuilder::world {

int DeepStarZone(int16_t lon, int16_t lat) {
    const int a = std::clamp((static_cast<int>(lon) & 32767) * persist::kGscZoneColumns / 32768, 0,
                             persist::kGscZoneColumns - 1);
    const int d =
        std::clamp((lat + 8192) * persist::kGscZoneRows / 16384, 0, persist::kGscZoneRows - 1);
    return a * persist::kGscZoneRows + d;
}

DeepStarCatalogue BuildDeepStarCatalogue(const std::vector<DecodedStar>& stars,
                                         const std::set<std::pair<int, int>>& alreadyShown,
                                         int faintLimitMilli) {
    struct Entry {
        persist::GscRecord record;
        int magMilli;
    };
    // The brightest record of each Hipparcos star; the others as they come.
    std::map<std::pair<int, int>, const DecodedStar*> hipStars;
    std::vector<const DecodedStar*> kept;
    for (const DecodedStar& s : stars) {
        if (s.magMilli <= faintLimitMilli) continue;
        if (s.hip == 0) {
            kept.push_back(&s);
            continue;
        }
        const std::pair<int, int> id{s.hip, s.component};
        if (alreadyShown.count(id)) continue;
        auto [it, inserted] = hipStars.emplace(id, &s);
        if (!inserted && s.magMilli < it->second->magMilli) it->second = &s;
    }
    for (const auto& [id, s] : hipStars)
        kept.push_back(s);

    std::vector<std::vector<Entry>> zones(persist::kGscZones);
    for (const DecodedStar* s : kept) {
        const BinPoint p = toBinPoint(equatorialToEcliptic(s->position));
        const persist::GscRecord r{p.lon, p.lat, magnitudeCode(s->magMilli)};
        zones[DeepStarZone(p.lon, p.lat)].push_back({r, s->magMilli});
    }
    DeepStarCatalogue out;
    for (auto& zone : zones) {
        std::stable_sort(zone.begin(), zone.end(),
                         [](const Entry& a, const Entry& b) { return a.magMilli < b.magMilli; });
        PutU32(out.index, static_cast<uint32_t>(out.count));
        PutU32(out.index, static_cast<uint32_t>(zone.size()));
        for (const Entry& e : zone)
            PutRecord(out.records, e.record);
        out.count += zone.size();
    }
    return out;
}

}  // namespace databuilder::world

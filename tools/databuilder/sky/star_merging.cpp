#include "sky/star_merging.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace databuilder {

namespace {

double flux(int magMilli) {
    return std::pow(10.0, -0.4 * magMilli / 1000.0);
}

int magnitudeOfFlux(double total) {
    return static_cast<int>(std::lround(-2500.0 * std::log10(total)));
}

// Cubes of the merge radius on the unit sphere: neighbours lie in the 27 cubes around a star.
struct CellKey {
    long long x, y, z;
    bool operator==(const CellKey&) const = default;
};
struct CellHash {
    size_t operator()(const CellKey& k) const {
        return std::hash<long long>()(k.x * 73856093LL ^ k.y * 19349663LL ^ k.z * 83492791LL);
    }
};

class NeighbourIndex {
  public:
    NeighbourIndex(const std::vector<DecodedStar>& stars, double radius)
        : stars_(stars), radius_(radius) {
        for (size_t i = 0; i < stars.size(); ++i)
            cells_[keyOf(stars[i].position)].push_back(i);
    }
    template <class Use>
    void forEachWithin(const Vec3& p, Use use) const {
        const CellKey k = keyOf(p);
        const double minDot = std::cos(radius_);
        for (long long dx = -1; dx <= 1; ++dx)
            for (long long dy = -1; dy <= 1; ++dy)
                for (long long dz = -1; dz <= 1; ++dz) {
                    const auto it = cells_.find({k.x + dx, k.y + dy, k.z + dz});
                    if (it == cells_.end()) continue;
                    for (size_t j : it->second)
                        if (dot(stars_[j].position, p) >= minDot) use(j);
                }
    }

  private:
    CellKey keyOf(const Vec3& p) const {
        return {static_cast<long long>(std::floor(p.x / radius_)),
                static_cast<long long>(std::floor(p.y / radius_)),
                static_cast<long long>(std::floor(p.z / radius_))};
    }
    const std::vector<DecodedStar>& stars_;
    double radius_;
    std::unordered_map<CellKey, std::vector<size_t>, CellHash> cells_;
};

bool hasProperMotion(const DecodedStar& s) {
    return s.pmRaCosDec != 0.0 || s.pmDec != 0.0;
}

DecodedStar mergeGroup(const std::vector<DecodedStar>& stars, const std::vector<size_t>& group,
                       const HipparcosMagnitudes& hipparcos) {
    DecodedStar merged = stars[group.front()];  // the brightest
    if (group.size() == 1) return merged;
    for (size_t i : group)
        if (hasProperMotion(stars[i])) {
            merged.pmRaCosDec = stars[i].pmRaCosDec;
            merged.pmDec = stars[i].pmDec;
            break;
        }
    std::map<int, double> recordFlux;  // per Hipparcos entry, from its records
    double unnumbered = 0;
    for (size_t i : group) {
        if (stars[i].hip > 0)
            recordFlux[stars[i].hip] += flux(stars[i].magMilli);
        else
            unnumbered += flux(stars[i].magMilli);
    }
    double total = recordFlux.empty() ? unnumbered : 0.0;
    for (const auto& [hip, recordsFlux] : recordFlux) {
        const auto it = hipparcos.find(hip);
        total += it != hipparcos.end() ? flux(it->second) : recordsFlux;
    }
    if (merged.hip <= 0)
        for (size_t i : group)
            if (stars[i].hip > 0) {
                merged.hip = stars[i].hip;
                merged.component = stars[i].component;
                merged.spectralIndex = stars[i].spectralIndex;
                break;
            }
    merged.magMilli = magnitudeOfFlux(total);
    return merged;
}

}  // namespace

int combinedMagnitude(const std::vector<int>& magMilli) {
    double total = 0;
    for (int m : magMilli)
        total += flux(m);
    return magnitudeOfFlux(total);
}

MergedStars mergeCloseStars(const std::vector<DecodedStar>& stars,
                            const HipparcosMagnitudes& hipparcos) {
    const double radius = kMergeRadiusArcsec / 3600.0 * 3.14159265358979323846 / 180.0;
    const NeighbourIndex index(stars, radius);
    std::vector<size_t> order(stars.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return stars[a].magMilli < stars[b].magMilli; });
    std::vector<bool> taken(stars.size(), false);
    MergedStars out;
    out.stars.reserve(stars.size());
    for (size_t leader : order) {
        if (taken[leader]) continue;
        std::vector<size_t> group{leader};
        taken[leader] = true;
        index.forEachWithin(stars[leader].position, [&](size_t j) {
            if (!taken[j]) {
                taken[j] = true;
                group.push_back(j);
            }
        });
        std::stable_sort(group.begin() + 1, group.end(),
                         [&](size_t a, size_t b) { return stars[a].magMilli < stars[b].magMilli; });
        const DecodedStar merged = mergeGroup(stars, group, hipparcos);
        if (merged.hip > 0)
            for (size_t i : group)
                if (stars[i].hip > 0 && stars[i].hip != merged.hip)
                    out.hipAliases.emplace(stars[i].hip, merged.hip);
        out.stars.push_back(merged);
    }
    return out;
}

}  // namespace databuilder

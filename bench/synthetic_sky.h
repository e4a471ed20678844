// A synthetic star catalogue of the full size (the counts per magnitude of a 9.5 catalogue),
// for benchmarks that run before the real data set exists.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "persist/data_set.h"
#include "persist/records/star_records.h"

namespace bench {

inline constexpr int kWidth = 1920;
inline constexpr int kHeight = 1080;

// Stars per tenth of a magnitude of a full-size catalogue (cumulative to 9.5).
inline constexpr int kCumulative[96] = {
    2,     4,     6,      7,      7,      8,      10,     10,     10,     12,     12,     14,
    16,    19,    19,     20,     24,     28,     31,     36,     44,     50,     59,     65,
    74,    80,    90,     98,     114,    135,    155,    178,    194,    214,    240,    260,
    296,   332,   382,    428,    480,    541,    599,    684,    765,    871,    984,    1083,
    1204,  1373,  1571,   1785,   1988,   2240,   2533,   2859,   3218,   3589,   4031,   4489,
    5103,  5713,  6295,   7085,   7971,   9040,   10114,  11280,  12677,  14195,  15935,  17636,
    19396, 21461, 23544,  26584,  29060,  31845,  35419,  39020,  46172,  51147,  57870,  65172,
    74135, 88217, 101634, 116363, 134670, 152525, 181855, 198384, 213380, 223925, 233170, 258997};

template <class T>
void SetBlock(persist::Block& block, const std::vector<T>& values) {
    block.size = values.size() * sizeof(T);
    block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
    std::memcpy(block.storage.data(), values.data(), block.size);
    block.loaded = true;
}

inline int16_t RandomLatitude(std::mt19937& rng, double lowDeg = -90, double highDeg = 90) {
    std::uniform_real_distribution<double> u(std::sin(lowDeg * M_PI / 180),
                                             std::sin(highDeg * M_PI / 180));
    return static_cast<int16_t>(std::asin(u(rng)) * 16384 / M_PI);
}

// Bright stars to 6.5 sorted by magnitude, the fainter ones grouped by zone with STIDX.
inline void MakeSyntheticStars(persist::DataSet& data) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> lon(0, 32767);
    const char* spectra = "OBAFGKMAFGKKM";
    std::vector<persist::StarRecord> bright;
    std::vector<std::vector<persist::StarRecord>> zones(persist::kStarZones);
    for (int level = 0; level < 96; ++level) {
        const int n = kCumulative[level] - (level ? kCumulative[level - 1] : 0);
        for (int i = 0; i < n; ++i) {
            persist::StarRecord s{static_cast<int16_t>(lon(rng)),
                                  RandomLatitude(rng),
                                  3,
                                  -2,
                                  static_cast<uint8_t>(level + 20),
                                  static_cast<uint8_t>(spectra[rng() % 13])};
            if (level <= 65) {
                bright.push_back(s);
            } else {
                const int a = (s.lon & 32767) * 24 / 32768;
                const int d = std::clamp((s.lat + 8192) * 18 / 16384, 0, 17);
                zones[static_cast<std::size_t>(a * 18 + d)].push_back(s);
            }
        }
    }
    std::vector<persist::StarRecord> all = bright;
    std::vector<uint32_t> stidx(persist::kStarZones * 30 + 1);
    for (int z = 0; z < persist::kStarZones; ++z) {
        const auto& zone = zones[static_cast<std::size_t>(z)];
        stidx[static_cast<std::size_t>(z * 30)] = static_cast<uint32_t>(all.size());
        for (int k = 1; k < 30; ++k) {
            uint32_t end = static_cast<uint32_t>(all.size());
            for (const auto& s : zone)
                end += s.mag - 20 <= 65 + k ? 1 : 0;
            stidx[static_cast<std::size_t>(z * 30 + k)] = end;
        }
        all.insert(all.end(), zone.begin(), zone.end());  // levels ascending already
    }
    stidx.back() = static_cast<uint32_t>(all.size());
    SetBlock(data.block(persist::BlockId::STAR2), all);
    SetBlock(data.block(persist::BlockId::STIDX), stidx);
    SetBlock(data.block(persist::BlockId::ALPHA), std::vector<uint8_t>(bright.size() * 10));
    data.brightStarCount = bright.size();
}

}  // namespace bench

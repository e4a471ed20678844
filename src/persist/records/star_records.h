// Packed little-endian records of the star blocks (STAR2, STIDX) and of the deep star catalogue
// (Guide Star Catalog layout). Positions are ecliptic longitude and latitude of epoch 2000 in
// binary angles (32768 per turn); magnitudes are codes of magnitude x 10 + 20.
#pragma once

#include <cstdint>

namespace persist {

#pragma pack(push, 1)

// STAR2: the bright part sorted by magnitude, then the faint part by the 432 ecliptic zones.
struct StarRecord {
    int16_t lon;    // binary angle
    int16_t lat;    // binary angle
    int16_t pmLon;  // binary-angle units per 100 000 years
    int16_t pmLat;  // binary-angle units per 100 000 years
    uint8_t mag;    // magnitude x 10 + 20; 115 and above count as 9.5
    uint8_t spec;   // spectral class letter, ASCII capital
};
static_assert(sizeof(StarRecord) == 10);

// Deep star catalogue index entry: 96 x 72 zones, zone = a * 72 + d.
struct GscIndexEntry {
    uint32_t first;  // index of the zone's first record in the catalogue file
    uint32_t count;
};
static_assert(sizeof(GscIndexEntry) == 8);

// Deep star catalogue record: no proper motion.
struct GscRecord {
    int16_t lon;
    int16_t lat;
    uint8_t mag;  // magnitude x 10 + 20
};
static_assert(sizeof(GscRecord) == 5);

#pragma pack(pop)

inline constexpr int kStarZoneColumns = 24;  // 15 degrees of longitude each
inline constexpr int kStarZoneRows = 18;     // 10 degrees of latitude each, from -90 northward
inline constexpr int kStarZones = kStarZoneColumns * kStarZoneRows;
inline constexpr int kStidxPerZone = 30;  // STIDX: u32 entries per zone, plus one closing entry
inline constexpr int kGscZoneColumns = 96;
inline constexpr int kGscZoneRows = 72;
inline constexpr int kGscZones = kGscZoneColumns * kGscZoneRows;

}  // namespace persist

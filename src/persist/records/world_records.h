// Packed little-endian records of the deep-sky, Milky Way, coastline and landscape blocks.
// Positions on the sky are ecliptic longitude and latitude of epoch 2000 in binary angles
// (32768 per turn). The city record is state::CityRecord, the comet record state::CometRecord.
#pragma once

#include <cstdint>

namespace persist {

#pragma pack(push, 1)

// OBJ: one record per deep-sky object.
struct ObjectRecord {
    int16_t lon;   // binary angle
    int16_t lat;   // binary angle
    uint8_t type;  // 'G' galaxy, 'N' nebula, 'P' planetary nebula, 'D' globular cluster,
                   // 'C' open cluster, 'M' meteor-shower radiant
    uint8_t tint;  // spectral class letter, or a digit '0'..'9' (a digit on 'N' = dark nebula)
};
static_assert(sizeof(ObjectRecord) == 6);

// OBJN: the names of the object with the same index; zero-terminated 8-bit strings.
// For a meteor-shower radiant, messier[1..] is the Sun's longitude at the peak in degrees.
struct ObjectNameRecord {
    char popular[24];
    char messier[24];
    char ngc[24];
};
static_assert(sizeof(ObjectNameRecord) == 72);

// MILKY: vertices and marks; a negative lon is a mark (MilkyMark).
struct MilkyPair {
    int16_t lon;  // binary angle, or a mark
    int16_t lat;  // binary angle
};
static_assert(sizeof(MilkyPair) == 4);

// EARTH: a point on the unit sphere scaled by 4096; y = -4096 sin(latitude) (north negative),
// x = 4096 cos(lat) sin(lon), z = 4096 cos(lat) cos(lon), longitude east positive.
struct EarthTriple {
    int16_t x;  // 5000 lifts the pen, 6000 ends the block
    int16_t y;
    int16_t z;
};
static_assert(sizeof(EarthTriple) == 6);

// YAMA: landscape silhouette, fiftieths of a degree (18000 per turn).
struct YamaRecord {
    uint16_t az;   // azimuth from south through east (18000 - az: from south through west)
    uint16_t alt;  // altitude of the skyline; the loader lowers all by the smallest
};
static_assert(sizeof(YamaRecord) == 4);

#pragma pack(pop)

enum MilkyMark : int16_t {
    kMilkyEndPolygon = -1,
    kMilkyEndBlock = -2,
    kMilkyBand1 = -3,  // the faint outer glow
    kMilkyBand2 = -4,  // the bright core
};
inline constexpr int kMilkyMaxVertices = 1000;

// The globe's map picture "B_EARTHMAP" shares the coastlines' convention: 720 x 360 pixels,
// column c covers east longitude -180 + c / 2 degrees, row r latitude 90 - r / 2 degrees.
inline constexpr int kEarthMapWidth = 720;
inline constexpr int kEarthMapHeight = 360;

inline constexpr int16_t kEarthPenUp = 5000;
inline constexpr int16_t kEarthEnd = 6000;
inline constexpr int kEarthScale = 4096;

inline constexpr int kSinTableEntries = 8193;  // SINCOS: T[k] = 16384 sin(k * 90 / 8192 degrees)
inline constexpr int kDivisorEntries = 16386;  // ZBI, ZBI2: entries 0..16385

}  // namespace persist

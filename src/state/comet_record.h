// The 168-byte comet record: the in-memory comet table entry and the comet file format
// (files are plain arrays of these records, little-endian, no header). Names are UTF-8.
#pragma once

#include <array>
#include <cstdint>

namespace state {

#pragma pack(push, 1)
struct CometRecord {
    char NAMEJ[32] = {};   // Japanese name, zero-terminated, at most 31 bytes
    char NAMEE[32] = {};   // English name, zero-terminated, at most 31 bytes
    int32_t TY = 2000;     // perihelion year, 0..9999
    int32_t TM = 1;        // perihelion month, 1..12
    double TD = 1.0;       // perihelion day with fraction (UT), 1.0..31.99999
    double q = 1.0;        // perihelion distance, AU
    double e = 1.0;        // eccentricity; exactly 1.0 is the parabola
    double Peri = 0.0;     // argument of perihelion, degrees
    double Node = 0.0;     // longitude of the ascending node, degrees
    double i = 0.0;        // inclination, degrees
    int32_t show = 1;      // 1 = drawn on the sky
    uint8_t initialised = 0;  // 1 once the magnitude defaults were applied
    uint8_t padding[3] = {};
    float H1 = 0.0f;       // absolute magnitude term
    float K1 = 0.0f;       // coefficient of log10 r
    uint8_t reserved[32] = {};
};
#pragma pack(pop)
static_assert(sizeof(CometRecord) == 168);

inline constexpr int kCometFileLimit = 200;   // records read from a file
inline constexpr int kCometImportLimit = 99;  // import stops adding here

struct CometTable {
    std::array<CometRecord, kCometFileLimit> records{};
    int count = 0;
};

}  // namespace state

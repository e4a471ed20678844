// The three tables of the integer projection: the quarter-wave sine table SINCOS and the two
// divisor tables ZBI and ZBI2 that carry the radial law. They ship as data blocks of signed
// 16-bit little-endian entries; the data-set builder writes them with the Build functions below
// and the program reads them back through DecodeProjectionTables.
//
// Radial law: stereographic. A point at angle t from the view centre is drawn at radius
//     r(t) = Zoom * 16384 sin t / D(16384 cos t) = Zoom * 16 * tan(t / 2)   pixels,
// which needs D(z) = (16384 + z) / 16; the table holds it rounded, (16392 + z) / 16, and never
// below 1. The projection is conformal (star patterns keep their shape at the edges), the
// radius grows with t up to 180 degrees, and it is valid well beyond the 150 degrees the frame
// uses. Scale: D(16384) = 2048, so near the centre the view shows 8 * Zoom pixels per radian
// (11.2 pixels per degree at the default Zoom 80), and Zoom 80 shows 2 * 2 atan(640 / 1280)
// = 106 degrees across a 1280-pixel-wide view and 69 degrees across 800 pixels of height.
// Rounding the divisor makes r grow with t in small steps: exactly monotonic in front of the
// view plane, and to within one divisor step (under 0.8 %) behind it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "astro/bin_angle.h"

namespace astro {

inline constexpr int kSinCosEntries = 8193;    // T[0..8192], T[8192] = 16384
inline constexpr int kDivisorEntries = 16386;  // entries 0..16385, entry 16385 = entry 16384
inline constexpr int32_t kUnitScale = 16384;   // sine scale of the table (2^14)

// A read-only view of loaded tables; entry 16385 of both divisor tables is already fixed up.
// ZBI is indexed by the depth z (1..16385), ZBI2 by -z (0..16385).
struct ProjectionTables {
    const int16_t* sincos = nullptr;
    const int16_t* zbi = nullptr;
    const int16_t* zbi2 = nullptr;
};

// Owned copies of the three tables with a view onto them.
struct ProjectionTableStore {
    std::vector<int16_t> sincos;
    std::vector<int16_t> zbi;
    std::vector<int16_t> zbi2;

    ProjectionTables view() const { return {sincos.data(), zbi.data(), zbi2.data()}; }
};

// SINCOS: T[k] = round(16384 sin(k * 90 degrees / 8192)), k = 0..8192.
std::vector<int16_t> BuildSinCosTable();
// ZBI: divisors for the depths z = 0..16385 (index z; entry 0 is never used by the projection).
std::vector<int16_t> BuildZbiTable();
// ZBI2: divisors for the depths z = 0..-16385 (index -z).
std::vector<int16_t> BuildZbi2Table();
// The radial law itself, for one depth in -16385..16385.
int16_t StereographicDivisor(int32_t depth);

// The three tables built in memory (tests, tools).
ProjectionTableStore BuildProjectionTables();

// Little-endian bytes of a table, as the block files hold them.
std::vector<uint8_t> TableBytes(const std::vector<int16_t>& table);

// Reads the three blocks, each checked by its size and its end entries so that one table in
// place of another is refused: SINCOS holds exactly 8193 entries rising from 0 to 16384; each
// divisor table 16385 or 16386 entries (the 16386th is set to entry 16384) and no zero divisor,
// since a zero would divide by zero in the projection; the centre's divisor (ZBI entry 16384)
// exceeds ZBI entry 1, and ZBI2 entry 0 exceeds the antipode's (ZBI2 entry 16384). On failure
// returns nothing and names the faulty block in error.
std::optional<ProjectionTableStore> DecodeProjectionTables(std::span<const uint8_t> sincos,
                                                           std::span<const uint8_t> zbi,
                                                           std::span<const uint8_t> zbi2,
                                                           std::string* error = nullptr);

// Sine and cosine of a binary angle from the quarter-wave table, scale 16384. Written out as
// the folds of the table so that the hot routines can inline them.
inline int32_t Sin15(const int16_t* t, BinAngle a) {
    a &= kBinMask;
    if (a < 8192) return t[a];
    if (a < 16384) return t[16384 - a];
    if (a < 24576) return -t[a - 16384];
    return -t[32768 - a];
}

inline int32_t Cos15(const int16_t* t, BinAngle a) {
    a &= kBinMask;
    if (a < 8192) return t[8192 - a];
    if (a < 16384) return -t[a - 8192];
    if (a < 24576) return -t[24576 - a];
    return t[a - 24576];
}

inline int32_t Sin15(const ProjectionTables& tables, BinAngle a) {
    return Sin15(tables.sincos, a);
}
inline int32_t Cos15(const ProjectionTables& tables, BinAngle a) {
    return Cos15(tables.sincos, a);
}

}  // namespace astro

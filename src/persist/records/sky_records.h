// Packed little-endian records of the constellation, designation and name blocks. Positions are
// ecliptic longitude and latitude of epoch 2000 in binary angles (32768 per turn; longitudes are
// stored in 0..32767, so -1 never occurs as a position). Star numbers are 0-based STAR2 records.
// 8-bit texts are UTF-8, UTF-16 texts little-endian; both zero-terminated within their field.
#pragma once

#include <cstdint>

namespace persist {

#pragma pack(push, 1)

// Any position pair: SEIZAZ label points, PIC and KAI outline points.
struct SkyPoint {
    int16_t lon;
    int16_t lat;
};
static_assert(sizeof(SkyPoint) == 4);

// SEIZA: 89 records; record i belongs to SEIZAZ point i. Serpens is two records, both "Ser".
struct ConstellationNameRecord {
    char popular[20];     // English popular name
    char scientific[20];  // Latin name
    char code[20];        // IAU three-letter code
};
static_assert(sizeof(ConstellationNameRecord) == 60);

// ALPHA: one record per bright STAR2 record, in the same order.
struct DesignationRecord {
    char constellation[4];  // IAU code, zero-terminated; empty when unknown
    char bayer[3];          // '*' + Greek letter code ('a' = alpha .. 'x' = omega), or a Latin
                            // letter designation, zero-terminated; all zero = none
    char suffix[2];         // index digit of the designation ("1" of alpha-1), zero-terminated
    uint8_t flamsteed;      // Flamsteed number, 0 = none
};
static_assert(sizeof(DesignationRecord) == 10);

// STARN: proper names.
struct StarNameRecord {
    uint32_t star;    // STAR2 number; all bits set = removed (star-name dialog only)
    char second[32];  // second name, may be empty
    char name[32];    // the name shown on the sky
};
static_assert(sizeof(StarNameRecord) == 68);

// KISEN: seasonal asterism names; the list ends at a record whose lon is 0xFFFF.
struct AsterismNameRecord {
    int16_t lon;
    int16_t lat;
    char name[20];
};
static_assert(sizeof(AsterismNameRecord) == 24);

// SKUNU: Old Chinese asterism names in Chinese characters; ends at a record whose lon is 0xFFFF.
struct ChineseAsterismNameRecord {
    int16_t lon;
    int16_t lat;
    uint16_t name[10];  // UTF-16, up to 9 characters
};
static_assert(sizeof(ChineseAsterismNameRecord) == 24);

// SKUSU: Old Chinese star names; the list ends at a record whose star is 0xFFFF.
struct ChineseStarNameRecord {
    int16_t star;
    uint16_t name[10];  // UTF-16, up to 9 characters
};
static_assert(sizeof(ChineseStarNameRecord) == 22);

// SKUNM: the Old Chinese asterism name table (read by no drawing layer), one record per SKUNU
// record in the same order; ends at a record whose name starts with 0xFFFF.
struct ChineseNameTableRecord {
    uint16_t name[10];  // UTF-16 Chinese name
    char pinyin[32];    // romanised name, UTF-8
    char english[32];   // English translation
};
static_assert(sizeof(ChineseNameTableRecord) == 84);

// SKUSN: Old Chinese star names as 8-bit text (romanised); ends at a record whose star is 0xFFFF.
struct ChineseStarNameTextRecord {
    int16_t star;
    char name[32];  // romanised name, UTF-8
};
static_assert(sizeof(ChineseStarNameTextRecord) == 34);

#pragma pack(pop)

// Star-path blocks (LINE, KISETU, SKULI): i16 star numbers and these marks.
inline constexpr int16_t kPathPenUp = 10000;
inline constexpr int16_t kPathEnd = 20000;
// Outline blocks (PIC, KAI): a pair with lon -1 lifts the pen; two in a row end the block.
inline constexpr int16_t kOutlinePenUp = -1;
// Name lists (KISEN, SKUNU, SKUSU, SKUNM, SKUSN) end with this value in their first field.
inline constexpr uint16_t kListEnd = 0xFFFF;
inline constexpr int kConstellationCount = 89;
inline constexpr char kGreekBayerMark = '*';

}  // namespace persist

// The star-name table (block STARN): 68-byte records of a star number and two names. The user's
// edited copy is "QELSTARN.USR" in the user folder, the bare array of records; when it holds
// usable names it takes the place of the shipped block at start-up.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "persist/data_set.h"
#include "persist/records/sky_records.h"

namespace persist {

inline constexpr const char* kUserStarNameFile = "QELSTARN.USR";
// The star-name dialog holds at most this many records; files are read up to it.
inline constexpr std::size_t kStarNameLimit = 1000;
inline constexpr uint32_t kRemovedStar = 0xFFFFFFFF;

// The usable records of a table, at most kStarNameLimit: a record counts when its star number
// is below starCount (the STAR2 records), it is the first for that star and its name is not
// empty; both names are cut to 31 bytes. A trailing partial record is ignored.
std::vector<StarNameRecord> ParseStarNames(std::span<const uint8_t> bytes, std::size_t starCount);

// Reads a star-name file: a regular file only, at most kStarNameLimit records of it. Nothing
// when it cannot be read.
std::vector<StarNameRecord> ReadStarNameFile(const std::string& path, std::size_t starCount);

// Writes the records (count x 68 bytes) as a new file, atomically. False when that failed; an
// existing file is then left as it was.
bool SaveStarNames(const std::string& path, std::span<const StarNameRecord> records);

// Makes the records the star-name table of the data set (block STARN and its count).
void UseStarNames(DataSet& data, std::span<const StarNameRecord> records);

// At start-up: the user's QELSTARN.USR in userPath, when it holds usable names, replaces the
// shipped table. Returns true when it did.
bool LoadUserStarNames(DataSet& data, const std::string& userPath);

}  // namespace persist

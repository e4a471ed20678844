// Access to the built data set for the checks on the full output (the build always names one;
// the checks fail without it, as a skipped test would hide the missing data set).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "persist/profile.h"

namespace world_test {

inline std::filesystem::path DatasetDir() {
    return PLANETARIUM_DATASET_DIR;
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> ReadDatasetFile(const std::string& name) {
    return ReadFile(DatasetDir() / name);
}

// A block of the data set, found through its index file as the program finds it.
inline std::vector<uint8_t> ReadBlock(const std::string& key) {
    const persist::Profile index = persist::Profile::Load((DatasetDir() / "QELDATA.INI").string());
    const auto base = index.Find("QELDATA", key);
    if (!base) {
        ADD_FAILURE() << "QELDATA.INI has no key " << key;
        return {};
    }
    return ReadFile(DatasetDir() / (*base + ".DAT"));
}

// A block's whole records.
template <class Record>
std::vector<Record> Records(const std::string& key) {
    const std::vector<uint8_t> bytes = ReadBlock(key);
    EXPECT_EQ(bytes.size() % sizeof(Record), 0u) << key;
    std::vector<Record> out(bytes.size() / sizeof(Record));
    if (!out.empty()) std::memcpy(out.data(), bytes.data(), out.size() * sizeof(Record));
    return out;
}

inline int16_t I16(const std::vector<uint8_t>& b, size_t offset) {
    return static_cast<int16_t>(b.at(offset) | (b.at(offset + 1) << 8));
}

inline std::string Field(const std::vector<uint8_t>& b, size_t offset, size_t size) {
    std::string s;
    for (size_t i = offset; i < offset + size && b.at(i) != 0; ++i)
        s += static_cast<char>(b[i]);
    return s;
}

}  // namespace world_test

// Fields of a built block's little-endian bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace world_test {

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

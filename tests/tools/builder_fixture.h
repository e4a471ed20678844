// Shared pieces of the builder's tests: text as input bytes, decoded stars, fields of built blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../persist/test_world.h"
#include "sky/ecliptic.h"
#include "sky/star_file.h"

namespace builder_test {

inline std::vector<uint8_t> AsBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// A small input file of tests/tools/data, cut from the real catalogues.
inline std::string Fixture(const char* name) {
    return persist_test::ReadFile(std::string(PLANETARIUM_SOURCE_DIR) + "/tests/tools/data/" +
                                  name);
}

// A star as the star files give it, of the Sun's colour.
inline databuilder::DecodedStar Star(double ra, double dec, int magMilli, int hip = 0,
                                     int component = 0) {
    databuilder::DecodedStar s;
    s.position = databuilder::equatorialVector(ra, dec);
    s.magMilli = magMilli;
    s.hip = hip;
    s.component = component;
    s.bMinusV = 0.65;
    return s;
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

}  // namespace builder_test

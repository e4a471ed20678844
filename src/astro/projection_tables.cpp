#include "astro/projection_tables.h"

#include <cmath>
#include <numbers>

namespace astro {

std::vector<int16_t> BuildSinCosTable() {
    std::vector<int16_t> table(kSinCosEntries);
    for (int k = 0; k < kSinCosEntries; ++k) {
        double angle = k * (std::numbers::pi / 2.0) / 8192.0;
        table[k] = static_cast<int16_t>(std::lround(16384.0 * std::sin(angle)));
    }
    table[8192] = 16384;
    return table;
}

int16_t StereographicDivisor(int32_t depth) {
    int32_t divisor = (16392 + depth) / 16;
    return static_cast<int16_t>(divisor < 1 ? 1 : divisor);
}

std::vector<int16_t> BuildZbiTable() {
    std::vector<int16_t> table(kDivisorEntries);
    for (int z = 0; z < kDivisorEntries; ++z)
        table[z] = StereographicDivisor(z);
    table[16385] = table[16384];
    return table;
}

std::vector<int16_t> BuildZbi2Table() {
    std::vector<int16_t> table(kDivisorEntries);
    for (int k = 0; k < kDivisorEntries; ++k)
        table[k] = StereographicDivisor(-k);
    table[16385] = table[16384];
    return table;
}

ProjectionTableStore BuildProjectionTables() {
    return {BuildSinCosTable(), BuildZbiTable(), BuildZbi2Table()};
}

std::vector<uint8_t> TableBytes(const std::vector<int16_t>& table) {
    std::vector<uint8_t> bytes;
    bytes.reserve(table.size() * 2);
    for (int16_t v : table) {
        auto u = static_cast<uint16_t>(v);
        bytes.push_back(static_cast<uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<uint8_t>(u >> 8));
    }
    return bytes;
}

namespace {

std::vector<int16_t> DecodeEntries(std::span<const uint8_t> bytes, std::size_t count) {
    std::vector<int16_t> table(count);
    for (std::size_t i = 0; i < count; ++i) {
        auto u = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        table[i] = static_cast<int16_t>(u);
    }
    return table;
}

bool DecodeDivisors(std::span<const uint8_t> bytes, const char* name, std::vector<int16_t>& out,
                    std::string* error) {
    if (bytes.size() / 2 < kDivisorEntries - 1) {
        if (error) *error = std::string(name) + ": fewer than 16385 entries";
        return false;
    }
    out = DecodeEntries(bytes, kDivisorEntries - 1);
    out.push_back(out[16384]);
    for (int16_t d : out) {
        if (d == 0) {
            if (error) *error = std::string(name) + ": a divisor is zero";
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<ProjectionTableStore> DecodeProjectionTables(std::span<const uint8_t> sincos,
                                                           std::span<const uint8_t> zbi,
                                                           std::span<const uint8_t> zbi2,
                                                           std::string* error) {
    ProjectionTableStore store;
    if (sincos.size() / 2 < kSinCosEntries) {
        if (error) *error = "SINCOS: fewer than 8193 entries";
        return std::nullopt;
    }
    store.sincos = DecodeEntries(sincos, kSinCosEntries);
    for (int16_t v : store.sincos) {
        // Larger values could overflow the 32-bit products of the projection.
        if (v < 0 || v > kUnitScale) {
            if (error) *error = "SINCOS: an entry lies outside 0..16384";
            return std::nullopt;
        }
    }
    if (!DecodeDivisors(zbi, "ZBI", store.zbi, error)) return std::nullopt;
    if (!DecodeDivisors(zbi2, "ZBI2", store.zbi2, error)) return std::nullopt;
    return store;
}

}  // namespace astro

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

bool Refuse(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

// Front (ZBI, indexed by the depth) or back (ZBI2, indexed by minus the depth) divisors. The
// radius grows away from the view centre, so the centre's divisor, ZBI's last entry, is the
// largest of the front table and the antipode's, ZBI2's last entry, the smallest of the back
// one: a table put in place of the other shows at its ends.
bool DecodeDivisors(std::span<const uint8_t> bytes, const char* name, bool front,
                    std::vector<int16_t>& out, std::string* error) {
    const std::string table(name);
    if (bytes.size() != 2 * (kDivisorEntries - 1) && bytes.size() != 2 * kDivisorEntries)
        return Refuse(error, table + ": not 16385 entries");
    out = DecodeEntries(bytes, kDivisorEntries - 1);
    out.push_back(out[16384]);
    for (int16_t d : out) {
        if (d == 0) return Refuse(error, table + ": a divisor is zero");
    }
    const bool endsInOrder = front ? out[16384] > out[1] : out[0] > out[16384];
    if (!endsInOrder) return Refuse(error, table + ": the end entries are not this table's");
    return true;
}

}  // namespace

std::optional<ProjectionTableStore> DecodeProjectionTables(std::span<const uint8_t> sincos,
                                                           std::span<const uint8_t> zbi,
                                                           std::span<const uint8_t> zbi2,
                                                           std::string* error) {
    ProjectionTableStore store;
    if (sincos.size() != 2 * kSinCosEntries) {
        Refuse(error, "SINCOS: not 8193 entries");
        return std::nullopt;
    }
    store.sincos = DecodeEntries(sincos, kSinCosEntries);
    // A quarter wave from 0 up to the scale; larger values could overflow the 32-bit products
    // of the projection.
    if (store.sincos.front() != 0 || store.sincos.back() != kUnitScale) {
        Refuse(error, "SINCOS: the end entries are not 0 and 16384");
        return std::nullopt;
    }
    for (std::size_t k = 1; k < store.sincos.size(); ++k) {
        if (store.sincos[k] < store.sincos[k - 1]) {
            Refuse(error, "SINCOS: the entries do not rise");
            return std::nullopt;
        }
    }
    if (!DecodeDivisors(zbi, "ZBI", true, store.zbi, error)) return std::nullopt;
    if (!DecodeDivisors(zbi2, "ZBI2", false, store.zbi2, error)) return std::nullopt;
    return store;
}

}  // namespace astro

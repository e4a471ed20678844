// Little-endian byte sink for the block files, whatever the host byte order.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace databuilder {

class ByteWriter {
  public:
    void u8(uint8_t v) { bytes_.push_back(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    // A zero-terminated 8-bit string in a field of `width` bytes; longer text is cut so that the
    // terminator always fits.
    void text8(const std::string& s, size_t width) {
        const size_t n = std::min(s.size(), width - 1);
        for (size_t i = 0; i < width; ++i)
            u8(i < n ? static_cast<uint8_t>(s[i]) : 0);
    }
    // A zero-terminated UTF-16LE string in a field of `width` bytes (width / 2 - 1 characters).
    void text16(const std::u16string& s, size_t width) {
        const size_t n = std::min(s.size(), width / 2 - 1);
        for (size_t i = 0; i < width / 2; ++i)
            u16(i < n ? static_cast<uint16_t>(s[i]) : 0);
    }
    // A packed record struct copied as it lies in memory: the block layouts are little-endian.
    template <typename Record>
    void record(const Record& r) {
        static_assert(std::endian::native == std::endian::little);
        const auto* p = reinterpret_cast<const uint8_t*>(&r);
        bytes_.insert(bytes_.end(), p, p + sizeof(Record));
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t> take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace databuilder

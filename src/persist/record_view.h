// Bounds-checked views of packed little-endian records inside a loaded block. Records are
// copied out with memcpy, never read through a cast pointer, so a short or odd-sized block can
// never be read past its end. The program runs on little-endian machines only.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>

namespace persist {

static_assert(std::endian::native == std::endian::little,
              "data blocks are read in place as little-endian records");

// Raw bytes with checked reads: a read outside the bytes yields 0.
class ByteView {
  public:
    ByteView() = default;
    explicit ByteView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    bool contains(std::size_t offset, std::size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    std::span<const uint8_t> bytes() const { return bytes_; }

    template <class T>
    T read(std::size_t offset) const {
        static_assert(std::is_trivially_copyable_v<T>);
        T value{};
        if (contains(offset, sizeof(T))) std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }
    uint8_t u8(std::size_t offset) const { return read<uint8_t>(offset); }
    int16_t i16(std::size_t offset) const { return read<int16_t>(offset); }
    uint16_t u16(std::size_t offset) const { return read<uint16_t>(offset); }
    int32_t i32(std::size_t offset) const { return read<int32_t>(offset); }
    uint32_t u32(std::size_t offset) const { return read<uint32_t>(offset); }

  private:
    std::span<const uint8_t> bytes_;
};

// A block seen as an array of records of type T; count() whole records, at(i) copies record i
// out, or returns a value-initialised T when i is out of range (check count() first).
template <class T>
class RecordView {
    static_assert(std::is_trivially_copyable_v<T>);

  public:
    RecordView() = default;
    explicit RecordView(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::size_t count() const { return bytes_.size() / sizeof(T); }
    bool empty() const { return count() == 0; }
    T at(std::size_t index) const {
        T value{};
        if (index < count()) std::memcpy(&value, bytes_.data() + index * sizeof(T), sizeof(T));
        return value;
    }
    T operator[](std::size_t index) const { return at(index); }

  private:
    std::span<const uint8_t> bytes_;
};

// The text of a fixed-size 8-bit field: up to its first zero byte, or the whole field when it
// has none.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}

}  // namespace persist

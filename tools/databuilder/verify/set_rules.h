// The pieces of the data-set check: reading the set and the rules of each group of blocks.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace databuilder::verify {

using Bytes = std::vector<uint8_t>;

// Throws BuildError "where: rule" unless `ok`.
void require(bool ok, std::string_view where, std::string_view rule);

class SetFiles {
  public:
    explicit SetFiles(std::filesystem::path dir);
    const std::filesystem::path& dir() const { return dir_; }
    // A file by its path in the set; empty when it is missing.
    Bytes file(const std::string& path) const;
    // A block by its key in QELDATA.INI; a missing or empty block breaks a rule.
    Bytes block(const std::string& key) const;
    // A block's records; its size must be a whole number of them.
    template <class Record>
    std::vector<Record> records(const std::string& key) const {
        const Bytes bytes = block(key);
        require(bytes.size() % sizeof(Record) == 0, key, "not a whole number of records");
        std::vector<Record> out(bytes.size() / sizeof(Record));
        std::memcpy(out.data(), bytes.data(), out.size() * sizeof(Record));
        return out;
    }

  private:
    std::filesystem::path dir_;
    std::map<std::string, std::string> index_;  // key -> file base
};

inline int16_t i16(const Bytes& b, size_t offset) {
    return static_cast<int16_t>(b[offset] | (b[offset + 1] << 8));
}
inline uint32_t u32(const Bytes& b, size_t offset) {
    return b[offset] | (b[offset + 1] << 8) | (b[offset + 2] << 16) |
           (static_cast<uint32_t>(b[offset + 3]) << 24);
}

void checkStarBlocks(const SetFiles& set);
void checkFigureBlocks(const SetFiles& set);
void checkNameBlocks(const SetFiles& set);
void checkWorldBlocks(const SetFiles& set);
void checkWorldFiles(const SetFiles& set);
void checkPictures(const SetFiles& set);
void checkKnownAnswers(const SetFiles& set);

}  // namespace databuilder::verify

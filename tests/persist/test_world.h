// The shared test home: a fresh temporary folder, whole-file reads and writes, and a private
// little world for the code that reads settings and shows messages (its own data directory, its
// own XDG folders and a recorder for the messages). Used by the core and builder tests alike.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "persist/data_set.h"
#include "persist/paths.h"
#include "state/messages.h"
#include "state/view_state.h"

namespace persist_test {

namespace fs = std::filesystem;

// A data-set block holding these records, loaded as the loader leaves it.
template <class T>
void SetBlock(persist::Block& block, const std::vector<T>& records) {
    block.size = records.size() * sizeof(T);
    block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
    if (block.size) std::memcpy(block.storage.data(), records.data(), block.size);
    block.loaded = true;
}

// A fixed-size text field of a record, zero-padded, without a terminator when the text fills it.
template <std::size_t N>
void PutText(char (&field)[N], std::string_view text) {
    for (std::size_t i = 0; i < N; ++i)
        field[i] = i < text.size() ? text[i] : '\0';
}
template <std::size_t N>
void PutText(uint16_t (&field)[N], std::u16string_view text) {
    for (std::size_t i = 0; i < N; ++i)
        field[i] = i < text.size() ? text[i] : 0;
}

// The bytes of the records as a file holds them.
template <class T>
std::string Bytes(const std::vector<T>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()), records.size() * sizeof(T));
}
template <class T>
std::string Bytes(std::initializer_list<T> records) {
    return Bytes(std::vector<T>(records));
}

// A city record in tenths of a degree, or in whole degrees with the unit marker 0.
inline state::CityRecord City(std::string_view name, int latitude, int longitude, int zone,
                              uint8_t unitMarker = 10) {
    state::CityRecord city{};
    PutText(city.name, name.substr(0, sizeof city.name - 1));
    city.latitude = static_cast<int16_t>(latitude);
    city.longitude = static_cast<int16_t>(longitude);
    city.zone = static_cast<int16_t>(zone);
    city.unitMarker = unitMarker;
    return city;
}

// A fresh folder under the system temporary folder, removed with the object.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> serial{0};
        path_ = fs::temp_directory_path() /
                ("planetarium-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// Writes the bytes, making the folders on the way.
inline void WriteFile(const fs::path& path, std::string_view bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
inline void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TestWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(DataDir());
        ::setenv("XDG_CONFIG_HOME", (folder_.path() / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (folder_.path() / "share").c_str(), 1);
        persist::SetDataDirectory(DataDir());
        state::SetMessageHandler([this](const state::Message& message) {
            messages_.push_back(message);
            return message.buttons == state::MessageButtons::YesNo ? answer_
                                                                   : state::MessageAnswer::Ok;
        });
        state::SetTitleWindowCloser([this] { ++titleCloses_; });
    }

    void TearDown() override {
        state::SetMessageHandler({});
        state::SetTitleWindowCloser({});
        persist::SetDataDirectory({});
    }

    std::string Root() const { return folder_.path().string(); }
    std::string DataDir() const { return (folder_.path() / "data").string(); }
    std::string UserDir() const { return (folder_.path() / "user").string(); }

    const std::vector<state::Message>& Messages() const { return messages_; }
    int TitleCloses() const { return titleCloses_; }

    // What a Yes/No question is answered.
    state::MessageAnswer answer_ = state::MessageAnswer::Yes;

  private:
    TempFolder folder_;
    std::vector<state::Message> messages_;
    int titleCloses_ = 0;
};

}  // namespace persist_test

// A private little world for persist tests: its own data directory, its own XDG folders and a
// recorder for the messages the code shows. Every test gets a fresh one.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "persist/paths.h"
#include "state/messages.h"

namespace persist_test {

namespace fs = std::filesystem;

class TestWorld : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        root_ = fs::temp_directory_path() /
                ("persist-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::remove_all(root_);
        fs::create_directories(DataDir());
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root_ / "share").c_str(), 1);
        persist::SetDataDirectory(DataDir());
        state::SetMessageHandler([this](const state::Message& message) {
            messages_.push_back(message);
            return state::MessageAnswer::Ok;
        });
        state::SetTitleWindowCloser([this] { ++titleCloses_; });
    }

    void TearDown() override {
        state::SetMessageHandler({});
        state::SetTitleWindowCloser({});
        persist::SetDataDirectory({});
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string Root() const { return root_.string(); }
    std::string DataDir() const { return (root_ / "data").string(); }
    std::string UserDir() const { return (root_ / "user").string(); }

    static void WriteFile(const std::string& path, const std::string& bytes) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const std::vector<state::Message>& Messages() const { return messages_; }
    int TitleCloses() const { return titleCloses_; }

  private:
    fs::path root_;
    std::vector<state::Message> messages_;
    int titleCloses_ = 0;
};

}  // namespace persist_test

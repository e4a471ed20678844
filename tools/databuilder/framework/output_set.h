// The data set under construction. Files go into a temporary folder beside the output folder; only
// `commit`, after every step has succeeded, replaces the output folder with it, so a failed build
// never leaves a partial data set in place of a good one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace databuilder {

class OutputSet {
  public:
    explicit OutputSet(std::filesystem::path outDir);
    ~OutputSet();  // removes the temporary folder unless committed
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // Writes a catalogue block as FILEBASE.DAT and names it under `key` in QELDATA.INI.
    void writeBlock(const std::string& key, const std::vector<uint8_t>& bytes);
    void writeBlock(const std::string& key, const std::string& fileBase,
                    const std::vector<uint8_t>& bytes);
    // Any other file of the data set, by path relative to the data folder.
    void writeFile(const std::string& relativePath, const std::vector<uint8_t>& bytes);
    void writeFile(const std::string& relativePath, const std::string& text);

    const std::filesystem::path& stagingDir() const { return staging_; }
    const std::vector<std::pair<std::string, std::string>>& blocks() const { return blocks_; }

    // Writes QELDATA.INI, lets `verify` check the staged set (it throws BuildError on a broken
    // rule, and the old set stays), then puts the staged folder in place of the output folder.
    void commit(const std::function<void(const std::filesystem::path&)>& verify = {});

  private:
    std::filesystem::path outDir_;
    std::filesystem::path staging_;
    std::vector<std::pair<std::string, std::string>> blocks_;  // key -> file base
    bool committed_ = false;
};

}  // namespace databuilder

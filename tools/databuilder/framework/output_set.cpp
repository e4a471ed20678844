#include "framework/output_set.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <fstream>

#include "framework/build_error.h"

namespace fs = std::filesystem;

namespace databuilder {

namespace {

fs::path absoluteOf(const fs::path& p) {
    std::error_code ec;
    fs::path a = fs::absolute(p, ec);
    return ec ? p : a.lexically_normal();
}

// Staging folders of earlier runs that were killed: their process no longer exists.
void removeAbandonedStaging(const fs::path& parent, const std::string& prefix) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(parent, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const pid_t pid = static_cast<pid_t>(std::atol(name.c_str() + prefix.size()));
        if (pid > 0 && kill(pid, 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
    }
}

}  // namespace

OutputSet::OutputSet(fs::path outDir) : outDir_(absoluteOf(outDir)) {
    if (outDir_.filename().empty()) outDir_ = outDir_.parent_path();
    std::error_code ec;
    fs::create_directories(outDir_.parent_path(), ec);
    const std::string prefix = "." + outDir_.filename().string() + ".building-";
    staging_ = outDir_.parent_path() / (prefix + std::to_string(getpid()));
    removeAbandonedStaging(outDir_.parent_path(), prefix);
    fs::remove_all(staging_, ec);
    fs::create_directories(staging_, ec);
    if (ec) throw BuildError("cannot create the staging folder " + staging_.string());
}

OutputSet::~OutputSet() {
    if (!committed_) {
        std::error_code ec;
        fs::remove_all(staging_, ec);
    }
}

void OutputSet::writeBlock(const std::string& key, const std::vector<uint8_t>& bytes) {
    writeBlock(key, key, bytes);
}

void OutputSet::writeBlock(const std::string& key, const std::string& fileBase,
                           const std::vector<uint8_t>& bytes) {
    for (const auto& block : blocks_)
        if (block.first == key) throw BuildError("block " + key + " is written twice");
    writeFile(fileBase + ".DAT", bytes);
    blocks_.emplace_back(key, fileBase);
}

void OutputSet::writeFile(const std::string& relativePath, const std::vector<uint8_t>& bytes) {
    const fs::path path = staging_ / relativePath;
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw BuildError("cannot write " + path.string());
}

void OutputSet::writeFile(const std::string& relativePath, const std::string& text) {
    writeFile(relativePath, std::vector<uint8_t>(text.begin(), text.end()));
}

void OutputSet::commit(const std::function<void(const fs::path&)>& verify) {
    std::string index = "[QELDATA]\n";
    for (const auto& [key, fileBase] : blocks_)
        index += key + "=" + fileBase + "\n";
    writeFile("QELDATA.INI", index);
    if (verify) verify(staging_);

    std::error_code ec;
    const fs::path old = outDir_.parent_path() / ("." + outDir_.filename().string() + ".old");
    fs::remove_all(old, ec);
    if (fs::exists(outDir_, ec)) {
        fs::rename(outDir_, old, ec);
        if (ec) throw BuildError("cannot move the old data set " + outDir_.string() + " aside");
    }
    fs::rename(staging_, outDir_, ec);
    if (ec) {
        std::error_code ignored;
        fs::rename(old, outDir_, ignored);
        throw BuildError("cannot move the new data set into " + outDir_.string());
    }
    committed_ = true;
    fs::remove_all(old, ec);
}

}  // namespace databuilder

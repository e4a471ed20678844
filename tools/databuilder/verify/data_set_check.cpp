#include "verify/data_set_check.h"

#include <fstream>

#include "framework/build_error.h"
#include "verify/set_rules.h"

namespace fs = std::filesystem;

namespace databuilder {

namespace verify {

void require(bool ok, std::string_view where, std::string_view rule) {
    if (!ok) throw BuildError(std::string(where) + ": " + std::string(rule));
}

SetFiles::SetFiles(fs::path dir) : dir_(std::move(dir)) {
    std::ifstream in(dir_ / "QELDATA.INI");
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) index_[line.substr(0, eq)] = line.substr(eq + 1);
    }
}

Bytes SetFiles::file(const std::string& path) const {
    std::ifstream in(dir_ / path, std::ios::binary | std::ios::ate);
    Bytes bytes(in ? static_cast<size_t>(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

Bytes SetFiles::block(const std::string& key) const {
    const auto it = index_.find(key);
    require(it != index_.end(), key, "missing from QELDATA.INI");
    Bytes bytes = file(it->second + ".DAT");
    require(!bytes.empty(), key, "empty or missing");
    return bytes;
}

}  // namespace verify

void verifyDataSet(const fs::path& dir) {
    const verify::SetFiles set(dir);
    verify::checkStarBlocks(set);
    verify::checkFigureBlocks(set);
    verify::checkNameBlocks(set);
    verify::checkWorldBlocks(set);
    verify::checkWorldFiles(set);
    verify::checkPictures(set);
    verify::checkKnownAnswers(set);
}

}  // namespace databuilder

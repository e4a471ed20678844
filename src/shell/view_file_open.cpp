#include "shell/view_file_open.h"

#include <cstring>
#include <fstream>

#include "shell/program.h"
#include "state/messages.h"

namespace shell {
namespace {

constexpr size_t kViewRecordSize = 512;
constexpr size_t kShortestViewFile = 256;

void ShowFileError(const char* text) {
    state::ShowMessage({text, "", state::MessageIcon::Stop, state::MessageButtons::Ok});
}

std::string Unquoted(const std::string& path) {
    // A quoted path loses the opening quote and its last character.
    if (!path.empty() && path.front() == '"')
        return path.substr(1, path.size() >= 2 ? path.size() - 2 : 0);
    return path;
}

}  // namespace

bool OpenViewFile(Program& program, const std::string& givenPath, bool prompts) {
    const std::string path = Unquoted(givenPath);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        if (prompts) ShowFileError("Failed to open file.");
        return false;
    }
    unsigned char record[kViewRecordSize] = {};
    file.read(reinterpret_cast<char*>(record), kViewRecordSize);
    const size_t count = static_cast<size_t>(file.gcount());
    if (count >= 13 && std::memcmp(record, "[DORVANCOMET]", 13) == 0) return false;
    if (count < kShortestViewFile) {
        ShowFileError("Failed to read file.");
        return false;
    }
    program.view.ViewChanged = true;
    return true;
}

int FindCurrentCity(const Program&) {
    return -1;
}

}  // namespace shell

#include "platform/data_location.h"

#include <filesystem>
#include <system_error>

namespace platform {
namespace {

bool HoldsIndex(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(folder / "QELDATA.INI", error);
}

}  // namespace

std::string FindDataDirectory(const std::string& executableDir, const std::string& override) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!override.empty()) return fs::absolute(override, error).lexically_normal().string();
    const fs::path buildTree = fs::path(executableDir) / "data";
    const fs::path installed = fs::path(executableDir) / ".." / "share" / "planetarium";
    if (HoldsIndex(buildTree)) return buildTree.lexically_normal().string();
    if (HoldsIndex(installed)) return installed.lexically_normal().string();
    return buildTree.lexically_normal().string();
}

std::string ExecutableDirectory() {
    std::error_code error;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    return exe.parent_path().string();
}

}  // namespace platform

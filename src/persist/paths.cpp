#include "persist/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace persist {
namespace {

std::string& DataDirectoryStorage() {
    static std::string directory;
    return directory;
}

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return "/tmp";
}

// An XDG base directory: the variable when it holds an absolute path, else HOME/fallback.
std::string XdgDirectory(const char* variable, const char* homeRelative) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    return JoinPath(HomeDirectory(), homeRelative);
}

std::string WithoutTrailingSlash(std::string path) {
    if (path.size() >= 4 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

void SetDataDirectory(const std::string& directory) {
    DataDirectoryStorage() = directory;
}

const std::string& DataDirectory() {
    return DataDirectoryStorage();
}

std::string BareSettingsPath() {
    return JoinPath(JoinPath(XdgDirectory("XDG_CONFIG_HOME", ".config"), "planetarium"),
                    kSettingsFileName);
}

std::string ProgramSettingsPath() {
    return ProgramFile(kSettingsFileName);
}

std::string DefaultUserDirectory() {
    return JoinPath(XdgDirectory("XDG_DATA_HOME", ".local/share"), "planetarium");
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    if (directory.empty() || directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

std::string ProgramFile(const std::string& name) {
    return JoinPath(DataDirectory(), name);
}

std::string MakeAbsoluteFolder(const std::string& path) {
    if (path.empty()) return path;
    if (path.front() == '/') return WithoutTrailingSlash(path);
    return WithoutTrailingSlash(JoinPath(DataDirectory(), path));
}

}  // namespace persist

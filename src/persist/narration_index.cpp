#include "persist/narration_index.h"

#include <algorithm>

#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/settings.h"

namespace persist {
namespace {

constexpr std::size_t kPathBuffer = 260;

}  // namespace

std::string NarrationFolder() {
    const std::string source = ReadSettingText("source", "", kPathBuffer);
    return source.empty() ? DataDirectory() : MakeAbsoluteFolder(source);
}

std::string NarrationSoundFile(const std::string& folder, const std::string& event) {
    const Profile index = Profile::Load(JoinPath(folder, "BASIC.TXT"));
    std::string name = index.ReadText(event, "WAV", "", kPathBuffer);
    std::replace(name.begin(), name.end(), '\\', '/');
    name.erase(0, name.find_first_not_of('/'));
    if (name.empty()) return {};
    return JoinPath(folder, name);
}

}  // namespace persist

#include "platform/help.h"

#include <filesystem>
#include <system_error>

#include <QDesktopServices>

#include "platform/data_location.h"
#include "state/messages.h"

namespace platform {

std::string UserGuidePath(const std::string& executableDir) {
    namespace fs = std::filesystem;
    const fs::path dir(executableDir);
    for (const fs::path& candidate :
         {dir / "docs" / "user-guide.md",
          dir / ".." / "share" / "planetarium" / "docs" / "user-guide.md"}) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return candidate.lexically_normal().string();
    }
    return {};
}

QUrl HelpTopicUrl(const std::string& topic, const std::string& guidePath) {
    if (topic.find("http://") != std::string::npos || topic.find("https://") != std::string::npos)
        return QUrl(QString::fromStdString(topic));
    if (guidePath.empty()) return {};
    return QUrl::fromLocalFile(QString::fromStdString(guidePath));
}

void OpenHelpTopic(const std::string& topic) {
    const std::string guide = UserGuidePath(ExecutableDirectory());
    const QUrl url = HelpTopicUrl(topic, guide);
    if (url.isEmpty()) {
        state::ShowMessage(
            {"The user guide is missing: docs/user-guide.md was not installed "
             "with the program.",
             "", state::MessageIcon::Exclamation, state::MessageButtons::Ok});
        return;
    }
    if (QDesktopServices::openUrl(url)) return;
    const std::string where =
        url.isLocalFile() ? url.toLocalFile().toStdString() : url.toString().toStdString();
    state::ShowMessage({"No program on this computer could show it. Open it yourself:\n\n" + where,
                        "", state::MessageIcon::Information, state::MessageButtons::Ok});
}

}  // namespace platform

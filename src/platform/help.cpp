#include "platform/help.h"

#include <filesystem>
#include <system_error>

#include <QDesktopServices>
#include <QPointer>
#include <QTextBrowser>

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

namespace {

// The guide in a window of the program's own, for a desktop where no viewer takes it.
void ShowGuideInReader(const QUrl& guide) {
    static QPointer<QTextBrowser> reader;
    if (!reader) {
        reader = new QTextBrowser;
        reader->setAttribute(Qt::WA_DeleteOnClose);
        reader->setOpenExternalLinks(true);
        reader->setWindowTitle(QStringLiteral("Planetarium User Guide"));
        reader->resize(820, 720);
    }
    reader->setSource(guide, QTextDocument::MarkdownResource);
    reader->show();
    reader->raise();
    reader->activateWindow();
}

}  // namespace

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
    if (url.isLocalFile()) {
        ShowGuideInReader(url);
        return;
    }
    state::ShowMessage(
        {"No web browser could be started for this page:\n\n" + url.toString().toStdString(), "",
         state::MessageIcon::Information, state::MessageButtons::Ok});
}

}  // namespace platform

#include "platform/help.h"

#include <filesystem>
#include <system_error>

#include <QDesktopServices>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/data_location.h"
#include "state/messages.h"

namespace platform {
namespace {

// The anchor a Markdown viewer gives a heading: lower case, punctuation dropped, blanks as "-".
QString HeadingAnchor(const QString& heading) {
    QString anchor;
    for (QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'-') anchor += c;
        if (c.isSpace()) anchor += u'-';
    }
    return anchor;
}

}  // namespace

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
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(guidePath));
    // A dialog's topic is the heading of its section in the guide.
    const QString anchor = HeadingAnchor(QString::fromStdString(topic).trimmed());
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

namespace {

constexpr int kReaderPictureWidth = 760;

// Brings the heading that a "#anchor" link names to the top of the reader.
void ScrollToHeading(QTextBrowser& reader, const QString& anchor) {
    for (QTextBlock block = reader.document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || HeadingAnchor(block.text()) != anchor)
            continue;
        reader.verticalScrollBar()->setValue(reader.verticalScrollBar()->maximum());
        reader.setTextCursor(QTextCursor(block));
        reader.ensureCursorVisible();
        return;
    }
}

// Screenshots at the reader's width rather than at the screen's.
void FitPictures(QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat picture = fragment.charFormat().toImageFormat();
            picture.setWidth(kReaderPictureWidth);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
    }
}

// The guide in a window of the program's own, for a desktop where no viewer takes it.
void ShowGuideInReader(const QUrl& guide) {
    static QPointer<QTextBrowser> reader;
    if (!reader) {
        reader = new QTextBrowser;
        reader->setAttribute(Qt::WA_DeleteOnClose);
        reader->setOpenLinks(false);
        reader->setWindowTitle(QStringLiteral("Planetarium User Guide"));
        reader->resize(820, 720);
        QObject::connect(reader, &QTextBrowser::anchorClicked, reader,
                         [view = reader.data()](const QUrl& link) {
                             if (link.hasFragment()) {
                                 ScrollToHeading(*view, link.fragment());
                             } else {
                                 QDesktopServices::openUrl(link);
                             }
                         });
    }
    QUrl document = guide;
    document.setFragment({});
    reader->setSource(document, QTextDocument::MarkdownResource);
    FitPictures(*reader->document());
    if (guide.hasFragment()) ScrollToHeading(*reader, guide.fragment());
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

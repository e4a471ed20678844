#include "dialogs/help.h"

#include <QDesktopServices>

#include "persist/paths.h"

namespace dialogs {

QUrl HelpUrl(const std::string& topic) {
    const QString text = QString::fromStdString(topic);
    if (text.contains(QLatin1String("http://")) || text.contains(QLatin1String("https://")))
        return QUrl(text);
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(persist::ProgramFile(kUserGuideFile)));
    QString anchor = text.trimmed().toLower();
    anchor.replace(QLatin1Char(' '), QLatin1Char('-'));
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

void OpenHelpTopic(const std::string& topic) {
    QDesktopServices::openUrl(HelpUrl(topic));
}

}  // namespace dialogs

#include "platform/file_association.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

#include <vector>

#include "persist/regular_file.h"

namespace platform {
namespace {

constexpr const char* kMimeType = "application/x-planetarium-view";

// The entries are a few hundred bytes.
constexpr std::size_t kEntryFileLimit = 64 * 1024;

// Returns true when the file was written anew.
bool WriteIfChanged(const QString& path, const QByteArray& content) {
    std::vector<uint8_t> existing;
    const persist::FileStatus status =
        persist::ReadRegularFile(path.toStdString(), kEntryFileLimit, existing);
    if (status == persist::FileStatus::Ok &&
        QByteArray::fromRawData(reinterpret_cast<const char*>(existing.data()),
                                qsizetype(existing.size())) == content)
        return false;
    // Anything but a regular file (a FIFO, a device) is left alone.
    if (status != persist::FileStatus::Ok && status != persist::FileStatus::Missing) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(content);
    return file.commit();
}

// Rebuilds a cache of the desktop in the background, when its tool is installed.
void RefreshCache(const char* tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty()) return;
    QProcess process;
    process.setProgram(program);
    process.setArguments({folder});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

}  // namespace

QString DesktopExecArgument(const QString& argument) {
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        quoted += c;
    }
    quoted = u'"' + quoted + u'"';
    quoted.replace(u'%', QStringLiteral("%%"));
    // The key's value is itself escaped: each backslash is written twice.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return quoted;
}

AssociationPaths AssociationPathsUnder(const QString& dataHome) {
    return {dataHome + QStringLiteral("/mime/packages/planetarium-qel.xml"),
            dataHome + QStringLiteral("/applications/planetarium.desktop")};
}

bool InstalledEntryExists(const QString& programDir) {
    const QString entry = QStringLiteral("%1.desktop").arg(QLatin1String(kDesktopId));
    if (QFileInfo::exists(
            QDir::cleanPath(programDir + QStringLiteral("/../share/applications/") + entry))) {
        return true;
    }
    return !QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry).isEmpty();
}

QString XdgDataHome() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
    return home;
}

void RegisterViewFileType(const QString& extension, const QString& typeName,
                          const QString& description, const QString& programPath,
                          const QStringList& programArguments, const QString& dataHome) {
    if (dataHome.isEmpty()) return;
    const AssociationPaths paths = AssociationPathsUnder(dataHome);
    const QString bare = extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;

    QByteArray mime;
    mime += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    mime += "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    mime += QStringLiteral("  <mime-type type=\"%1\">\n").arg(QLatin1String(kMimeType)).toUtf8();
    mime += QStringLiteral("    <comment>%1</comment>\n").arg(description.toHtmlEscaped()).toUtf8();
    mime += QStringLiteral("    <glob pattern=\"*.%1\"/>\n").arg(bare.toLower()).toUtf8();
    mime += QStringLiteral("    <glob pattern=\"*.%1\"/>\n").arg(bare.toUpper()).toUtf8();
    mime += "  </mime-type>\n</mime-info>\n";
    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    if (WriteIfChanged(paths.mimePackage, mime) ||
        !QFileInfo::exists(mimeFolder + QStringLiteral("/mime.cache")))
        RefreshCache("update-mime-database", mimeFolder);

    QByteArray desktop;
    desktop += "[Desktop Entry]\nType=Application\n";
    desktop += QStringLiteral("Name=%1\n").arg(typeName).toUtf8();
    desktop += QStringLiteral("Comment=%1\n").arg(description).toUtf8();
    QString exec = DesktopExecArgument(programPath);
    for (const QString& argument : programArguments)
        exec += u' ' + DesktopExecArgument(argument);
    desktop += QStringLiteral("Exec=%1 %f\n").arg(exec).toUtf8();
    desktop += QStringLiteral("MimeType=%1;\n").arg(QLatin1String(kMimeType)).toUtf8();
    desktop += "Categories=Education;Science;Astronomy;\nTerminal=false\n";
    if (WriteIfChanged(paths.desktopEntry, desktop))
        RefreshCache("update-desktop-database", QFileInfo(paths.desktopEntry).absolutePath());
}

}  // namespace platform

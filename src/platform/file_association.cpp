#include "platform/file_association.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

#include "persist/regular_file.h"

namespace platform {
namespace {

constexpr const char* kMimeType = "application/x-planetarium-view";

// The entries are a few hundred bytes.
constexpr std::size_t kEntryFileLimit = 64 * 1024;

void WriteIfChanged(const QString& path, const QByteArray& content) {
    std::vector<uint8_t> existing;
    const persist::FileStatus status =
        persist::ReadRegularFile(path.toStdString(), kEntryFileLimit, existing);
    if (status == persist::FileStatus::Ok &&
        QByteArray::fromRawData(reinterpret_cast<const char*>(existing.data()),
                                qsizetype(existing.size())) == content)
        return;
    // Anything but a regular file (a FIFO, a device) is left alone.
    if (status != persist::FileStatus::Ok && status != persist::FileStatus::Missing) return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return;
    file.write(content);
    file.commit();
}

QString QuotedForExec(const QString& path) {
    QString quoted = path;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

AssociationPaths AssociationPathsUnder(const QString& dataHome) {
    return {dataHome + QStringLiteral("/mime/packages/planetarium-qel.xml"),
            dataHome + QStringLiteral("/applications/planetarium.desktop")};
}

QString XdgDataHome() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) home = QDir::homePath() + QStringLiteral("/.local/share");
    return home;
}

void RegisterViewFileType(const QString& extension, const QString& typeName,
                          const QString& description, const QString& programPath,
                          const QString& dataHome) {
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
    WriteIfChanged(paths.mimePackage, mime);

    QByteArray desktop;
    desktop += "[Desktop Entry]\nType=Application\n";
    desktop += QStringLiteral("Name=%1\n").arg(typeName).toUtf8();
    desktop += QStringLiteral("Comment=%1\n").arg(description).toUtf8();
    desktop += QStringLiteral("Exec=%1 %f\n").arg(QuotedForExec(programPath)).toUtf8();
    desktop += QStringLiteral("MimeType=%1;\n").arg(QLatin1String(kMimeType)).toUtf8();
    desktop += "Categories=Education;Science;Astronomy;\nTerminal=false\n";
    WriteIfChanged(paths.desktopEntry, desktop);
}

}  // namespace platform

#include "platform/picture_file.h"

#include <QBuffer>
#include <QImageReader>

#include <vector>

#include "persist/regular_file.h"

namespace platform {

std::optional<QByteArray> ReadPictureFile(const QString& path) {
    std::vector<uint8_t> bytes;
    if (persist::ReadRegularFile(path.toStdString(), kPictureFileLimit, bytes) !=
        persist::FileStatus::Ok)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QImage ReadPicture(const QString& path) {
    std::optional<QByteArray> bytes = ReadPictureFile(path);
    if (!bytes) return {};
    QBuffer buffer(&*bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

}  // namespace platform

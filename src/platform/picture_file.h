// Picture files (the title picture, object pictures, deep-sky photographs) are read whole and
// decoded from memory, and only when they are regular files of at most 64 MiB: a FIFO or a link
// to a device in their place must neither block the program nor exhaust its memory.
#pragma once

#include <cstddef>
#include <optional>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform {

inline constexpr std::size_t kPictureFileLimit = std::size_t{64} << 20;

// The bytes of a picture file; nothing when it is missing, special, unreadable or too large.
std::optional<QByteArray> ReadPictureFile(const QString& path);

// The picture in the file in any format Qt reads, whatever its extension; a null image when the
// file cannot be read or decoded.
QImage ReadPicture(const QString& path);

}  // namespace platform

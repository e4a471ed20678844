#include "windows/resource_picture.h"

#include <QFile>

#include "persist/paths.h"
#include "platform/deep_sky_pictures.h"

namespace windows {

QPixmap ResourcePicture(const std::string& name) {
    const std::string base =
        persist::JoinPath(persist::ProgramFile(platform::kDeepSkyPictureFolder), name);
    for (const char* extension : {".bmp", ".png"}) {
        const QString path = QString::fromStdString(base + extension);
        if (QFile::exists(path)) return QPixmap(path);
    }
    return {};
}

}  // namespace windows

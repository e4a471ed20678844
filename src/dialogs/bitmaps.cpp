#include "dialogs/bitmaps.h"

#include <QFileInfo>

#include "persist/paths.h"
#include "platform/deep_sky_pictures.h"
#include "platform/picture_file.h"

namespace dialogs {

namespace {

// The file of a bitmap of the program's, or an empty path.
QString BitmapResourcePath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return {};
    const std::string folder = persist::ProgramFile(platform::kDeepSkyPictureFolder);
    for (const char* extension : {".bmp", ".png"}) {
        const QString path = QString::fromStdString(persist::JoinPath(folder, name + extension));
        if (QFileInfo::exists(path)) return path;
    }
    return {};
}

}  // namespace

QImage LoadBitmapResource(const std::string& name) {
    const QString path = BitmapResourcePath(name);
    return path.isEmpty() ? QImage() : LoadPictureFile(path);
}

bool BitmapResourceExists(const std::string& name) {
    return !BitmapResourcePath(name).isEmpty();
}

QImage LoadPictureFile(const QString& path) {
    return platform::ReadPicture(path);
}

}  // namespace dialogs

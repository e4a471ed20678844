// Pictures for the dialogs and tool windows: the program's own bitmaps, which live in the data
// set's "pictures" folder as "B_NAME.bmp" or "B_NAME.png", and picture files of any format that
// Qt's image readers know (Windows bitmaps among them). A picture of at most 8 bits per pixel
// keeps its palette as the image's colour table; deeper pictures have none. Failures give a null
// image and no message; the caller goes on without the picture.
#pragma once

#include <string>

#include <QImage>
#include <QString>

namespace dialogs {

// The program's bitmap of that name ("B_PLANET3"), or a null image.
QImage LoadBitmapResource(const std::string& name);
// Whether the program has a bitmap of that name (without reading it).
bool BitmapResourceExists(const std::string& name);

// A picture file by its content, not its extension (platform::ReadPicture: only a regular file
// of at most 64 MiB is read, so a device, a pipe or a huge file never stalls the program).
QImage LoadPictureFile(const QString& path);

}  // namespace dialogs

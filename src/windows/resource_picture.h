// The program's pictures by resource name ("B_PLANET3", "B_COMET"): the file of that name in
// the data set's picture folder, as a bitmap or PNG.
#pragma once

#include <string>

#include <QPixmap>

namespace windows {

// A null pixmap when the picture is missing or unreadable.
QPixmap ResourcePicture(const std::string& name);

}  // namespace windows

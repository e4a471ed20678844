// Help: the program's own user guide, shipped with it, and web pages, shown in the desktop's
// viewer for their kind of file.
#pragma once

#include <string>

#include <QUrl>

namespace platform {

// The user guide for an executable in executableDir: <dir>/docs/user-guide.md in the build
// tree, <dir>/../share/planetarium/docs/user-guide.md in an installed tree; empty when neither
// exists.
std::string UserGuidePath(const std::string& executableDir);

// What a help topic opens: a web address ("http://", "https://") as it stands, any other topic
// (a dialog's name) the user guide at the section of that name ("Time Dialog" gives
// "#time-dialog"); empty when there is no guide.
QUrl HelpTopicUrl(const std::string& topic, const std::string& guidePath);

// Opens a help topic in the desktop's viewer; the guide opens in a reader window of the
// program when the desktop has no viewer for it. A missing guide or a web page that no browser
// takes is told in a message.
void OpenHelpTopic(const std::string& topic);

}  // namespace platform

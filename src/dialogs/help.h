// Opening help topics and web pages from the dialogs and the Help menu.
#pragma once

#include <string>

#include <QUrl>

namespace dialogs {

// The user guide beside the data set, which the help topics point into.
inline constexpr const char* kUserGuideFile = "user-guide.md";

// A text holding "http://" or "https://" is an address and stays as it is; any other text names a
// topic of the user guide ("Time Dialog" becomes its section anchor "#time-dialog").
QUrl HelpUrl(const std::string& topic);

// Opens the topic or page in the desktop's viewer; a failure is not reported.
void OpenHelpTopic(const std::string& topic);

}  // namespace dialogs

// Real message boxes for the core layers' messages: every box of the program goes through here,
// captioned with the window title unless the message names its own caption.
#pragma once

#include <QString>

class QWidget;

namespace platform {

inline const QString kWindowTitle = QStringLiteral("Planetarium");

// Installs the QMessageBox handler behind state::ShowMessage. The owner may be null.
void InstallMessageBoxes(QWidget* owner = nullptr);

// Changes the owner of later message boxes (the main window once it exists).
void SetMessageOwner(QWidget* owner);

}  // namespace platform

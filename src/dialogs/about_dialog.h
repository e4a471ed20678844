// The About dialog (command 153, modal): the program, its version, the Qt it runs on, and where
// its data set and the credits of its catalogues are.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

namespace dialogs {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    // dataDirectory: the data set shown; openGuide: what the "User Guide" button does.
    AboutDialog(const std::string& dataDirectory, std::function<void()> openGuide,
                QWidget* parent = nullptr);
};

}  // namespace dialogs

// The program's start-up, from the settings to the shown main window, and its shutdown.
#pragma once

#include <memory>
#include <string>

#include <QPointer>

#include "shell/command_line.h"
#include "shell/main_window.h"
#include "shell/picture_window.h"
#include "shell/program.h"

namespace shell {

struct StartupOptions {
    std::string commandLine;          // the arguments after the program name, joined by blanks
    std::string dataDirectory;        // the folder of the data set
    std::string programPath;          // the executable, for the view-file association
    bool dataDirectoryGiven = false;  // by --data-dir: the association passes it on
};

inline constexpr const char* kScreenSaverView = "ScrSaver.QEL";

// The view the screen saver opens: the user's own in UserPath (the program's folder may be
// read-only), else the one beside the program.
std::string ScreenSaverViewFile(const state::AppOptions& options);

// One run of the GUI program: owns the main window and the title picture.
class Session {
  public:
    explicit Session(Program& program);
    ~Session();

    // Runs the start-up steps. False when a step failed: its message was shown, whatever was
    // loaded is released, and the program ends with exit code 0.
    bool Start(const StartupOptions& options);

    MainWindow* mainWindow() const { return mainWindow_.get(); }
    PictureFileWindow* titleWindow() const { return titleWindow_.data(); }
    const StartupCommand& command() const { return command_; }

    void CloseTitleWindow();

  private:
    void ReadScreen();
    void OpenTitleWindowUnlessSuppressed();
    void Fail();

    Program& program_;
    StartupCommand command_;
    std::unique_ptr<MainWindow> mainWindow_;
    QPointer<PictureFileWindow> titleWindow_;
};

// The GUI program: start-up, the event loop, shutdown. Returns the exit code.
int RunGui(int argc, char** argv, const std::string& dataDirectoryOverride);

}  // namespace shell

// A main window over a program of the test's own, shown on the offscreen screen, with a home of
// its own for the files it writes and every message recorded and answered.
#pragma once

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

#include "shell/main_window.h"
#include "state/messages.h"

namespace fixture {

// Settings and user files land in a temporary folder, never in the shared test home.
class TemporaryHome {
  public:
    TemporaryHome() {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
    }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
};

// A black picture instead of the sky, for tests of the window rather than of the picture.
inline shell::MainWindowHooks BlackSky(shell::MainWindowHooks hooks = {}) {
    hooks.renderSky = [](QImage& bitmap, shell::Program&, int, int) {
        bitmap.fill(Qt::black);
        return shell::FrameFacts{};
    };
    return hooks;
}

// Inherited by a test class next to QObject.
struct MainWindowFixture {
    TemporaryHome home;
    std::unique_ptr<shell::Program> program;
    std::unique_ptr<shell::MainWindow> window;
    std::vector<state::Message> messages;

    // A new program; its messages are recorded and answered Yes to a question, else Ok.
    void NewProgram() {
        window.reset();
        program = std::make_unique<shell::Program>();
        messages.clear();
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m);
            const bool question = m.buttons == state::MessageButtons::YesNo ||
                                  m.buttons == state::MessageButtons::YesNoCancel;
            return question ? state::MessageAnswer::Yes : state::MessageAnswer::Ok;
        });
    }
    void ShowWindow(shell::MainWindowHooks hooks = {}) {
        window = std::make_unique<shell::MainWindow>(*program, std::move(hooks));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void CloseAll() {
        window.reset();
        program.reset();
        state::SetMessageHandler({});
    }
    bool Checked(int command) const { return window->menus().FirstAction(command)->isChecked(); }
    void Paint() { window->skyView()->repaint(); }
};

}  // namespace fixture

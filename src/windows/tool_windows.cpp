#include "windows/tool_windows.h"

#include "shell/program.h"

namespace windows {

ToolWindows::ToolWindows(shell::Program& program, QWidget* mainWindow, SkyFrameSource frame,
                         std::function<void(int)> mainCommand, std::function<void()> changed)
    : program_(program),
      mainWindow_(mainWindow),
      frame_(std::move(frame)),
      mainCommand_(std::move(mainCommand)),
      changed_(std::move(changed)) {}

template <class Window>
void ToolWindows::Attach(QPointer<Window>& slot, Window* window, int32_t& flag) {
    slot = window;
    flag = 1;
    // Closed by the user: the flag follows, and the main window's marks with it.
    QObject::connect(window, &ToolWindow::closed, window, [this, &slot, &flag] {
        slot.clear();
        flag = 0;
        if (changed_) changed_();
    });
    window->Open();
    if (changed_) changed_();
}

void ToolWindows::ToggleSolarSystem() {
    if (solarSystem_) {
        solarSystem_->close();
        return;
    }
    Attach(solarSystem_, new SolarSystemWindow(program_, frame_, mainWindow_, mainCommand_),
           program_.options.PlanetWnd);
}

void ToolWindows::ToggleMoon() {
    if (moon_) {
        moon_->close();
        return;
    }
    Attach(moon_, new MoonWindow(program_, frame_, mainWindow_), program_.options.MoonWnd);
}

void ToolWindows::Open(bool solarSystem, bool moon) {
    if (solarSystem && !solarSystem_) ToggleSolarSystem();
    if (moon && !moon_) ToggleMoon();
}

void ToolWindows::SkyFrameDrawn() {
    if (solarSystem_) solarSystem_->SkyFrameDrawn();
    if (moon_) moon_->update();
}

void ToolWindows::ColoursChanged() {
    if (solarSystem_) solarSystem_->ColoursChanged();
}

}  // namespace windows

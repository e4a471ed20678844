// The main window's two tool windows: opened and closed by commands 149 (Solar System) and 40011
// (Moon), their open flags PlanetWnd and MoonWnd kept equal to whether they exist, and redrawn
// after the sky's frames.
#pragma once

#include <functional>

#include <QPointer>

#include "windows/moon_window.h"
#include "windows/solar_system_window.h"

namespace windows {

class ToolWindows {
  public:
    // mainWindow owns the windows; mainCommand runs a main window command (the keys of "A_MAIN"
    // in the Solar System window); changed is called whenever a window opened or closed.
    ToolWindows(shell::Program& program, QWidget* mainWindow, SkyFrameSource frame,
                std::function<void(int)> mainCommand, std::function<void()> changed);

    void ToggleSolarSystem();
    void ToggleMoon();
    // Opens the windows asked for (at start-up, those that were open at the last exit).
    void Open(bool solarSystem, bool moon);

    // After each sky frame: the Solar System window when what it shows changed, the Moon window
    // always.
    void SkyFrameDrawn();
    void ColoursChanged();

    // What the windows draw from now.
    SkyFrameBodies frame() const { return FrameOrClock(frame_, program_); }
    SolarSystemWindow* solarSystem() const { return solarSystem_; }
    MoonWindow* moon() const { return moon_; }

  private:
    template <class Window>
    void Attach(QPointer<Window>& slot, Window* window, int32_t& flag);

    shell::Program& program_;
    QWidget* mainWindow_;
    SkyFrameSource frame_;
    std::function<void(int)> mainCommand_;
    std::function<void()> changed_;
    QPointer<SolarSystemWindow> solarSystem_;
    QPointer<MoonWindow> moon_;
};

}  // namespace windows

#include "shell/window_settings.h"

#include <QMainWindow>

#include "persist/settings.h"
#include "platform/window_placement.h"
#include "shell/program.h"

namespace shell {

void PlaceMainWindow(Program&, QMainWindow& window) {
    const persist::StoredWindowPlacement stored = persist::ReadMainWindowPlacement();
    if (stored.width != 0) {
        int x = stored.x;
        int y = stored.y;
        platform::FitToWorkArea(x, y, stored.width, stored.height);
        window.move(x, y);
        window.resize(std::max(1, stored.width), std::max(1, stored.height));
    }
    if (stored.z != 0) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void SaveSettingsOnClose(Program& program, const QMainWindow& window) {
    if (program.options.SaveDefault) persist::SaveDisplaySettings(program.view);
    persist::WindowPlacement placement;
    placement.maximisedOrMinimised = window.isMaximized() || window.isMinimized();
    // The frame's top-left (what move() places) and the size that resize() restores: the frame
    // is not known before the window is shown, so storing the outer size would grow the window
    // by its frame at every run.
    placement.x = window.frameGeometry().x();
    placement.y = window.frameGeometry().y();
    placement.width = window.width();
    placement.height = window.height();
    persist::SaveFullSettings(program.view, program.options, placement);
}

}  // namespace shell

// The main window's placement and the settings saved when it closes.
#pragma once

class QMainWindow;

namespace shell {

struct Program;

// Places the window from MainWndX, MainWndY, MainWndW, MainWndH (a width of 0 keeps the system's
// placement), fitted to the nearest monitor's work area, then maximises it when MainWndZ is set.
void PlaceMainWindow(Program& program, QMainWindow& window);

// The close of the main window: the display set when SaveDefault is on, then the full set with
// the window's placement (a maximised or minimised window keeps its last normal rectangle).
void SaveSettingsOnClose(Program& program, const QMainWindow& window);

}  // namespace shell

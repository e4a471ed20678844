// The one dispatch of the main window's command numbers: every menu item, key and toolbar button
// arrives here as its number. Commands change the view state and ask the window (through
// CommandHost) for what only a window can do.
#pragma once

#include <span>
#include <string>

#include "astro/projection_tables.h"
#include "dialogs/dialog_kind.h"
#include "state/view_state.h"

namespace shell {

struct Program;

// What a command needs from the main window.
class CommandHost {
  public:
    virtual ~CommandHost() = default;

    // Marks the picture for recomputation (ViewChanged) and asks for a paint.
    virtual void Redraw() = 0;
    virtual void RefreshMenus() = 0;
    virtual void RefreshStatusBar() = 0;
    // Starts a smooth move of the bits given (state::kMoveAzimuth ..) towards the targets
    // (tenths of a degree, percent).
    virtual void MoveSmoothly(int bits, double azimuth, double altitude, int zoom) = 0;
    virtual bool IsFullScreen() const = 0;
    virtual void SetFullScreen(bool on) = 0;
    virtual void ShowToolbar(bool on) = 0;
    virtual void ShowStatusBar(bool on) = 0;
    virtual void CloseMainWindow() = 0;
    virtual void ShowTimeStepMenu() = 0;
    virtual void HideTooltip() = 0;
    virtual void RunNarrationCheck() = 0;
    virtual void RebuildUserCityMenu() = 0;
    // Presets the Fast Clocking tick counter so that the first step comes at the next tick.
    virtual void PresetAutoTick() = 0;
    // Queues a command to run after the current one (the window's own message queue).
    virtual void PostCommand(int command) = 0;
    // The drawing area and the last click in sky coordinates (pixels from its centre).
    virtual int AreaWidth() const = 0;
    virtual int AreaHeight() const = 0;
    virtual int ClickX() const = 0;
    virtual int ClickY() const = 0;
    // Looks up the object at the last click, centres on it and starts tracking it; false when
    // nothing was found there.
    virtual bool TrackObjectAtClick() = 0;
    // The object at the last click: its information card (502), or its telescope view (504):
    // the view turned onto it and zoomed in. The constellation of the stars there (503). The
    // star there named in the open star-name dialog (40057).
    virtual void ShowObjectInfoAtClick(bool telescopeView) = 0;
    virtual void ShowConstellationAtClick() = 0;
    virtual void NameStarAtClick() = 0;
    // The projection tables the mouse turns the sky with, and the city list.
    virtual const astro::ProjectionTables& Tables() const = 0;
    virtual std::span<const state::CityRecord> BuiltinCities() const = 0;
    // Settings writes that belong to single commands.
    virtual void WriteSaveDefault() = 0;
    virtual void SaveDisplaySettings() = 0;
    // Runs an external program entry (path from the settings), or opens a page.
    virtual void RunExternal(int entry) = 0;
    // The File menu's commands with dialogs: view files, printing, exports (file_commands.h).
    virtual void RunFileCommand(int command) = 0;
    // The user locations' modal dialogs: add one (105), edit the list (106).
    virtual void RunUserCityCommand(int command) = 0;
    // The modal About dialog, and help (the user guide, or a web page) in the desktop's viewer.
    virtual void ShowAbout() = 0;
    virtual void OpenHelp(const std::string& topic) = 0;
    // Opens the tool window when it is closed and closes it when it is open; its flag
    // (PlanetWnd, MoonWnd) follows.
    virtual void ToggleSolarSystemWindow() = 0;
    virtual void ToggleMoonWindow() = 0;
    // Opens a modeless dialog, or brings the open one up and lets it reload.
    virtual void OpenDialog(dialogs::DialogKind kind) = 0;
};

// Runs one command. Returns false for a number that no handler serves.
bool RunCommand(Program& program, CommandHost& host, int command);

// The zoom steps of the zoom in and zoom out commands (percent, 10..7700); each returns the
// current zoom when it cannot go further.
int ZoomedIn(int zoom, int minimum = 10);
int ZoomedOut(int zoom);

// The Zoom menu's values, items 40041.. in order.
inline constexpr int kZoomMenuValues[14] = {60,  70,  80,  100, 120, 140, 170,
                                            200, 240, 290, 350, 420, 500, 600};

}  // namespace shell

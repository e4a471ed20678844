// The sky window: the off-screen sky picture and its repaint cycle, the smooth view moves, timer 1
// (tooltip hover count, Real Time clock, Fast Clocking, the paced "Planets Location" writes), the
// mouse, the keys, full screen, dropped files, the menus, toolbar and status bar, and the close
// that saves the settings.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QTimer>

#include "astro/projection_tables.h"
#include "dialogs/modeless_dialog.h"
#include "render/text_formats.h"
#include "shell/commands.h"
#include "shell/external_programs.h"
#include "shell/file_commands.h"
#include "shell/menu_state.h"
#include "shell/menus.h"
#include "shell/program.h"
#include "shell/sky_painter.h"
#include "shell/sky_tooltip.h"
#include "shell/status_bar.h"
#include "shell/toolbar.h"
#include "windows/tool_windows.h"

class QMenu;

namespace shell {

class MainWindow;

// What a context menu needs to know about the object under the click.
struct ObjectHit {
    bool found = false;
    int kind = -1;  // -1 none, 1 star, other kinds of objects (astro::ObjectRef kinds)
    int index = 0;
    std::string name;     // the object's name as the tooltip shows it
    std::string picture;  // its picture for the tooltip (dialogs::PictureControl), or empty
};

// The context menu's items that do not apply to the object under the click (command numbers;
// the separator before Set Tracking and before Name a Star goes with its item).
std::vector<int> ContextMenuRemovals(const ObjectHit& hit, bool starDialogOpen);

// Replacements for parts of the window (tests, tools); each may be left empty.
struct MainWindowHooks {
    // Draws the sky into the bitmap, centred on its centre, within +-halfWidth, +-halfHeight
    // (default: RenderSky on the data set).
    std::function<FrameFacts(QImage& bitmap, Program& program, int halfWidth, int halfHeight)>
        renderSky;
    // The object under a point in sky coordinates.
    std::function<ObjectHit(int x, int y)> objectAt;
    // Opens a view file with its prompts (default: the view-file loader).
    std::function<void(const std::string& path)> openViewFile;
    // The city list (default: the data set's CITY block, tenths of a degree).
    std::span<const state::CityRecord> builtinCities;
    // The projection tables (default: the data set's, or built when it has none).
    astro::ProjectionTables tables;
    // Called after a change of the view that the narration may speak about (default: the
    // narration check, which plays the event it finds).
    std::function<void()> narrationCheck;
    // Opens a help topic (default: the user guide or web page in the desktop's viewer).
    std::function<void(const std::string& topic)> openHelp;
};

// The drawing area of the main window (the client area between toolbar and status bar).
class SkyView : public QWidget {
    Q_OBJECT
  public:
    SkyView(MainWindow& window, Program& program, QWidget* parent);

    const QImage& skyBitmap() const { return skyBitmap_; }
    int renderCount() const { return renderCount_; }
    int paintCount() const { return paintCount_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    friend class MainWindow;

    MainWindow& window_;
    Program& program_;
    QImage skyBitmap_;
    int wheelAngle_ = 0;  // wheel angle not yet turned into zoom steps
    int renderCount_ = 0;
    int paintCount_ = 0;
};

class MainWindow : public QMainWindow, public CommandHost, public dialogs::DialogHost {
    Q_OBJECT
  public:
    explicit MainWindow(Program& program, MainWindowHooks hooks = {});
    ~MainWindow() override;

    // Places the window from the stored placement (MainWndX .. MainWndZ), fitted to a monitor.
    void PlaceFromSettings();

    // Opens the Solar System and Moon windows that were open at the last exit.
    void OpenToolWindowsAtStart();
    windows::ToolWindows& toolWindows() { return *toolWindows_; }

    // Runs a command number as a menu item, key or button would; then the open dialogs follow
    // the view state.
    bool Command(int command) override;
    // The message that opens a view file by path (bit 0 of flags opens the two tool windows).
    void OpenViewFileMessage(const std::string& path, int flags);
    // Opens the first of the dropped paths when it is a file.
    void OpenDroppedFile(const QString& path);

    // The line colours changed: a new sky palette for the next frame.
    void ColoursChanged() override;

    // One tick of timer 1 (normally every 100 ms).
    void TimerTick();
    // Replaces the millisecond clock of the smooth moves (tests).
    void SetMillisecondClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    SkyView* skyView() const { return skyView_; }
    MenuSet& menus() { return menus_; }
    Toolbar& toolbar() { return *toolbar_; }
    StatusBar* statusPanes() const { return statusBar_; }
    bool fullScreen() const { return fullScreen_; }
    SkyTooltip* tooltip() const { return tooltip_; }
    int activeMoves() const { return activeMoves_; }
    int pendingMoves() const { return program_.view.PendingMoves; }
    // The context menu as last shown (items removed for the object under the click).
    QMenu* BuildContextMenu(const ObjectHit& hit);

    // CommandHost.
    void Redraw() override;
    void RefreshMenus() override;
    void RefreshStatusBar() override;
    void MoveSmoothly(int bits, double azimuth, double altitude, int zoom) override;
    bool IsFullScreen() const override { return fullScreen_; }
    void SetFullScreen(bool on) override;
    void ShowToolbar(bool on) override;
    void ShowStatusBar(bool on) override;
    void CloseMainWindow() override { close(); }
    void ShowTimeStepMenu() override;
    void HideTooltip() override;
    void RunNarrationCheck() override;
    void RebuildUserCityMenu() override;
    void PresetAutoTick() override;
    void PostCommand(int command) override;
    int AreaWidth() const override;
    int AreaHeight() const override;
    int ClickX() const override { return clickPoint_.x(); }
    int ClickY() const override { return clickPoint_.y(); }
    bool TrackObjectAtClick() override;
    void ShowObjectInfoAtClick(bool telescopeView) override;
    void ShowConstellationAtClick() override;
    void NameStarAtClick() override;
    const astro::ProjectionTables& Tables() const override;
    std::span<const state::CityRecord> BuiltinCities() const override;
    void WriteSaveDefault() override;
    void SaveDisplaySettings() override;
    void RunExternal(int entry) override;
    void RunFileCommand(int command) override;
    void RunUserCityCommand(int command) override;
    void ShowAbout() override;
    void OpenHelp(const std::string& topic) override;

    FileCommands& fileCommands() { return *files_; }
    void ToggleSolarSystemWindow() override { toolWindows_->ToggleSolarSystem(); }
    void ToggleMoonWindow() override { toolWindows_->ToggleMoon(); }
    void OpenDialog(dialogs::DialogKind kind) override;

    // DialogHost.
    QWidget* DialogParent() override { return this; }
    void ViewStateWritten() override;
    const render::StarCatalog& Stars() override { return Painter().stars(); }
    int CenterOnObject(astro::ObjectRef object, bool interactive) override;

    const dialogs::OpenDialogs& openDialogs() const { return openDialogs_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    friend class SkyView;

    // A command from a menu item or a toolbar button: run, then the marks shown again.
    void CommandFromMenu(int command);
    void ReturnKeysToTheSky();
    // The paint in two halves: moves, bitmap and render; then, after the copy, the next frame.
    QRect PrepareFrame();
    void FinishFrame();
    void StartPendingMoves(qint64 t0);
    void AdvanceMoves(qint64 now);
    bool HandleKey(QKeyEvent* event);
    void ScreenSaverInput();
    void CoverWholeDesktop();
    QPoint SkyPoint(const QPointF& position) const;
    void MouseMoved(QPoint point);
    void LeftDown(QPoint point);
    void LeftUp();
    void RightDown(QPoint point, QPoint globalPosition);
    void StepFastClocking();
    void HoverTick();
    // The object at a point in sky coordinates: the hook's, or the last frame's (for a dialog
    // with the dialog's wider reach).
    ObjectHit ObjectAt(QPoint point, bool forDialog = false);
    // The star at the point named in the open star-name dialog.
    void NameStarAt(QPoint point);
    // Turns the view onto the object and zooms in as far as a telescope would show it.
    void TelescopeView(astro::ObjectRef object);
    double MoonElongation() const;
    render::BuiltinCityLookup BuiltinCityOf() const;
    SkyPainter& Painter();
    void OpenViewFileWithPrompts(const std::string& path);
    qint64 Now() const { return clock_ ? clock_() : elapsed_.elapsed(); }

    Program& program_;
    MainWindowHooks hooks_;
    SkyView* skyView_;
    MenuSet menus_;
    // Resources taken from the data set once it is loaded (it loads after the window exists).
    mutable astro::ProjectionTableStore tableStore_;
    mutable astro::ProjectionTables tables_;
    mutable bool tablesFromData_ = false;
    mutable std::vector<state::CityRecord> cities_;
    std::unique_ptr<SkyPainter> painter_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<Toolbar> toolbar_;
    StatusBar* statusBar_;
    MenuMemory menuMemory_;
    QTimer timer1_;
    QElapsedTimer elapsed_;
    std::function<qint64()> clock_;
    FrameFacts frameFacts_;
    std::vector<ExternalProgram> externalPrograms_;
    std::unique_ptr<windows::ToolWindows> toolWindows_;
    // The tool windows open at the last exit; their flags stay 0 until they really open.
    bool startSolarSystem_ = false;
    bool startMoon_ = false;

    // Smooth moves: index 0 azimuth, 1 altitude, 2 zoom; requested through the view state's
    // PendingMoves and targets.
    int activeMoves_ = 0;
    std::array<double, 3> moveStart_{};
    std::array<double, 3> moveTarget_{};
    std::array<qint64, 3> moveStartTime_{};
    qint64 lastPaintTime_ = 0;
    qint64 paintStart_ = 0;

    bool dragging_ = false;
    bool dragged_ = false;
    QPoint lastPoint_;
    QPoint clickPoint_;
    QPoint hoverPoint_;
    bool fullScreen_ = false;
    QRect savedRect_;  // the normal rectangle before full screen
    bool savedMaximised_ = false;
    int hoverTicks_ = -1;
    bool tipShown_ = false;
    QString tipText_ = QStringLiteral("Dummy");
    QPoint tipPoint_;
    SkyTooltip* tooltip_;
    int autoTick_ = 0;
    int screenSaverMoves_ = 0;
    dialogs::OpenDialogs openDialogs_;
};

}  // namespace shell

// What the Solar System window and the Moon window share: they draw from the body state of the
// main window's last sky frame, open at their remembered place and size (a dialog-position slot
// and a size pair of the settings), store both whenever they are moved or sized, and report
// when the user closes them.
#pragma once

#include <cstdint>
#include <functional>

#include <QWidget>

#include "astro/bodies.h"
#include "state/view_state.h"

namespace shell {
struct Program;
}

namespace windows {

// The body state of the sky's last frame and its instant; no bodies before the first frame.
struct SkyFrameBodies {
    const astro::SolarSystemState* bodies = nullptr;
    int32_t currentMjd = 0;
    int32_t utMinutes = 0;
};
using SkyFrameSource = std::function<SkyFrameBodies()>;

// The frame's bodies and instant, or the instant of the view's clock when there is no frame.
SkyFrameBodies FrameOrClock(const SkyFrameSource& source, const shell::Program& program);

// Where a tool window keeps its place: its dialog-position slot and the size fields of the
// settings.
struct ToolWindowSlot {
    state::AppOptions* options;
    int slot;
    int32_t* width;
    int32_t* height;
};

class ToolWindow : public QWidget {
    Q_OBJECT
  public:
    // parent: the main window (the position is kept relative to it).
    ToolWindow(QWidget* parent, ToolWindowSlot slot, const char* className, const QString& title);

    // Sizes and places the window from its slot and shows it.
    void Open();

  signals:
    // The user closed the window (not sent when the main window takes it down at exit).
    void closed();

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void StorePlace();

    ToolWindowSlot slot_;
    bool placed_ = false;
};

}  // namespace windows

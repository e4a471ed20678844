// The Solar System window ("PLANETWINDOW", "Solar System"): the orbits and the bodies of the
// sky's instant seen from outside the solar system. Dragging turns and tilts the plot, the wheel
// and the keys of "A_PLANET" zoom, turn and tilt it, a resting mouse names what lies under it,
// and a right click opens the menu "M_POPUPP" with the information card.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <vector>

#include <QImage>
#include <QPointer>
#include <QTimer>

#include "dialogs/info_dialog.h"
#include "render/glyph_sheet.h"
#include "render/palette.h"
#include "render/solar_system_plot.h"
#include "shell/accelerators.h"
#include "shell/menus.h"
#include "windows/body_card.h"
#include "windows/tool_window.h"

class QMenu;
class QToolBar;

namespace shell {
class SkyTooltip;
}

namespace windows {

class PlotArea;

// The keys of "A_PLANET"; a key that is not there goes on to the main window's "A_MAIN".
std::span<const shell::Accelerator> PlanetAccelerators();

class SolarSystemWindow : public ToolWindow {
    Q_OBJECT
  public:
    // mainCommand runs a command of the main window (keys of "A_MAIN").
    SolarSystemWindow(shell::Program& program, SkyFrameSource frame, QWidget* parent,
                      std::function<void(int)> mainCommand);
    ~SolarSystemWindow() override;

    // The window's commands: the plot commands, 502 / 504 the card of the last right click
    // (the telescope view closes it at once, as it is never available), 150 close.
    bool Command(int command);

    // The sky drew a new frame: redraw when what the window shows no longer matches it.
    void SkyFrameDrawn();
    // The line colours changed.
    void ColoursChanged();

    // The hit test at a point of the plot area (pixels from its top-left corner).
    render::PlotHit HitAt(QPoint point, bool traceMarks) const;
    // The right-click menu; "Object Info" and "Telescope View" are greyed without a hit.
    QMenu* BuildPopupMenu(bool hit);
    // One tick of the hover timer (every 100 ms).
    void HoverTick();

    QWidget* plotArea() const;
    QToolBar* toolBar() const { return toolBar_; }
    const render::PlotMemory& plotMemory() const { return memory_; }
    int paintCount() const { return paintCount_; }
    // The tip's text while it is shown, else empty.
    QString tipText() const;
    dialogs::InfoDialog* card() const { return card_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    friend class PlotArea;

    // What a paint showed, to tell whether a new sky frame changes it: the instant, the
    // switches of the bodies and comets, and the trace with its steps.
    struct Shown {
        int32_t mjd = 0, ut = 0;
        bool bodies = false;
        std::array<int32_t, 5> display{};
        bool trace = false;
        std::array<int32_t, 9> steps{};
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    Shown ShownNow(const SkyFrameBodies& frame) const;
    bool TraceShown() const;

    void PaintPlot(QWidget& area);
    void Pressed(QMouseEvent* event);
    void Moved(QMouseEvent* event);
    void Released(QMouseEvent* event);
    void Left();
    void ShowTip(const render::PlotHit& hit);
    void HideTip();
    void ShowCard(bool telescopeView);
    void RefreshButtons();

    shell::Program& program_;
    SkyFrameSource frame_;
    std::function<void(int)> mainCommand_;
    PlotArea* area_;
    QToolBar* toolBar_;
    shell::MenuSet menus_;
    render::SkyPalette palette_;
    render::GlyphSheet glyphs_;
    render::PlotMemory memory_;
    QImage bitmap_;
    std::vector<render::PlotMark> marks_;
    Shown shown_;
    int paintCount_ = 0;

    bool dragging_ = false;
    QPoint lastPoint_;
    render::PlotHit rightHit_;

    QTimer hoverTimer_;
    int hoverTicks_ = -1;
    QPoint hoverPoint_;
    shell::SkyTooltip* tip_;
    QPointer<dialogs::InfoDialog> card_;
};

}  // namespace windows

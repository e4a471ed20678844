// The status bar: twelve panes showing the place and zone, the Moon's age, the faintest magnitude
// drawn, the view direction, the date and time, and the mode letters.
#pragma once

#include <array>
#include <string>

#include <QStatusBar>

#include "render/text_formats.h"
#include "state/view_state.h"

namespace shell {

inline constexpr int kStatusPanes = 12;
using StatusTexts = std::array<std::string, kStatusPanes>;

// Values that come from the last drawn frame.
struct FrameFacts {
    double moonAge = 0.0;  // days
    int starLevel = 0;     // faintest magnitude drawn, tenths; 0 when no star is drawn
};

StatusTexts MakeStatusTexts(const state::ViewState& view, const state::AppOptions& options,
                            const render::BuiltinCityLookup& builtinCity, const FrameFacts& facts);

// Right edges of the panes: panes 1..11 are as wide as their text plus 10 pixels, pane 11 ends
// 18 pixels before the bar's right edge (the size grip) and pane 0 takes what is left.
std::array<int, kStatusPanes> PaneRightEdges(int barWidth,
                                             const std::array<int, kStatusPanes>& textWidths);

// What a pane shows, for its tooltip; panes 3 and 4 show the right ascension and declination
// in equator mode.
const char* StatusPaneTip(int pane, bool equatorMode);

class StatusBar : public QStatusBar {
    Q_OBJECT
  public:
    explicit StatusBar(int screenDpi, QWidget* parent = nullptr);

    // Sets all twelve texts, re-lays the panes and repaints at once.
    void SetTexts(const StatusTexts& texts);
    const StatusTexts& texts() const { return texts_; }
    const std::array<int, kStatusPanes>& rightEdges() const { return edges_; }
    void LayoutPanes();
    void SetEquatorMode(bool on) { equatorMode_ = on; }
    // The pane under x (pixels from the bar's left edge), or -1.
    int PaneAt(int x) const;

    QSize sizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    StatusTexts texts_;
    std::array<int, kStatusPanes> edges_{};
    bool equatorMode_ = false;
};

}  // namespace shell

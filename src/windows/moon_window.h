// The Moon window ("MOONWINDOW", "Moon View"): the Moon's phase of the sky's instant as a large
// disc on black.
#pragma once

#include "windows/tool_window.h"

namespace windows {

class MoonWindow : public ToolWindow {
    Q_OBJECT
  public:
    MoonWindow(shell::Program& program, SkyFrameSource frame, QWidget* parent);

    // The elongation drawn by the last paint (radians; the Moon's longitude minus the Sun's).
    double elongation() const { return elongation_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    shell::Program& program_;
    SkyFrameSource frame_;
    double elongation_ = 0.0;
};

}  // namespace windows

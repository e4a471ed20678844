// Fitting window rectangles onto the monitors' work areas (the desktop minus panels).
#pragma once

#include <climits>

#include <QRect>

class QWidget;

namespace platform {

// The "let the window system choose" position; it is never moved to the work area's edge.
inline constexpr int kDefaultPosition = INT_MIN;

// Moves (x, y) so that a width x height window fits in the work area: right and bottom edges
// first, then left and top, so a window larger than the area ends aligned to its left/top edge.
void FitToArea(int& x, int& y, int width, int height, const QRect& workArea);

// The work area of the monitor nearest to the point, or the primary work area.
QRect WorkAreaNearest(const QPoint& point);

// The full rectangle of the monitor nearest to the point (for full-screen display).
QRect MonitorNearest(const QPoint& point);

// The rectangle that holds every monitor (a screen saver covers it all).
QRect WholeDesktop();

// The top-left that centres a window of the given size over a reference rectangle (integer
// halving of the size difference, as dialogs and the title picture are placed).
QPoint CentredOver(const QSize& window, const QRect& reference);

// Moves the window (size kept, not activated) so that its centre matches the reference
// window's; a minimised or missing reference means the desktop of the window's screen.
void CentreWindow(QWidget& window, const QWidget* reference);

// Fits a window rectangle onto the monitor nearest to its centre.
void FitToWorkArea(int& x, int& y, int width, int height);

}  // namespace platform

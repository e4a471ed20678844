#include "windows/tool_window_placement.h"

#include <QWidget>

namespace windows {

void PlaceToolWindow(QWidget& window, const QWidget& parent, int32_t x, int32_t y) {
    window.move(parent.pos() + QPoint(x, y));
}

void StoreToolWindowPosition(const QWidget& window, const QWidget& parent, int32_t& x, int32_t& y) {
    if (window.isMinimized()) return;
    const QPoint offset = window.pos() - parent.pos();
    x = offset.x();
    y = offset.y();
}

}  // namespace windows

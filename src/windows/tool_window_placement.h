// Where the tool windows appear: each remembers its top-left as an offset from the main window's
// top-left (its dialog-position slot) and its size.
#pragma once

#include <cstdint>

class QWidget;

namespace windows {

// Moves the window to the parent's top-left plus (x, y), its size kept.
void PlaceToolWindow(QWidget& window, const QWidget& parent, int32_t x, int32_t y);

// The offset to remember: the window's top-left minus the parent's. Nothing is stored while the
// window is minimised, so that the last normal position stays.
void StoreToolWindowPosition(const QWidget& window, const QWidget& parent, int32_t& x, int32_t& y);

}  // namespace windows

// Where the program's dialogs and tool windows appear: the thirteen remembered positions (offsets
// in screen pixels of the window's top-left corner from the main window's top-left corner, kept in
// AppOptions::DlgPosX/DlgPosY and the settings file), placed so that the window stays on one
// monitor, and a minimised window that comes back where it was.
#pragma once

#include <QPoint>
#include <QRect>

#include "state/view_state.h"

class QWidget;

namespace dialogs {

// The slots, numbered as the settings keys "DlgPosX1" .. "DlgPosY13" (8, 9, 11, 12 are unused).
inline constexpr int kSlotView = 1;
inline constexpr int kSlotTime = 2;
inline constexpr int kSlotCity = 3;
inline constexpr int kSlotAuto = 4;
inline constexpr int kSlotScreen = 5;
inline constexpr int kSlotFind = 6;
inline constexpr int kSlotSolarSystem = 7;
inline constexpr int kSlotMoon = 10;
inline constexpr int kSlotOption = 13;

// The top-left corner for a window of the given size at parentTopLeft + offset, moved onto the
// monitor: first so that its right and bottom edges are inside, then its left and top edges, so
// the top-left corner wins when the window is larger than the monitor.
QPoint KeptOnMonitor(QPoint parentTopLeft, QPoint offset, QSize size, const QRect& monitor);

// Moves the window (frame top-left, size kept) to the parent's top-left plus the offset, kept on
// the monitor (whole screen, not the work area) nearest to the window's centre there.
void PlaceDialog(QWidget& window, const QWidget* parent, QPoint offset);
void PlaceDialog(QWidget& window, const QWidget* parent, const state::AppOptions& options,
                 int slot);

// Stores the window's offset from the parent into the slot, unless the window is minimised.
void StoreDialogPosition(const QWidget& window, const QWidget* parent, state::AppOptions& options,
                         int slot);

// Restores the window to the top-left corner it had when it was minimised, keeping its size.
void KeepMinimisedInPlace(QWidget& window);

}  // namespace dialogs

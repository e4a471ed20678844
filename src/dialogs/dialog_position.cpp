#include "dialogs/dialog_position.h"

#include <QEvent>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include "platform/window_placement.h"

namespace dialogs {
namespace {

bool ValidSlot(int slot) {
    return slot >= 1 && slot <= state::kDialogSlots;
}

QPoint TopLeftOf(const QWidget* parent) {
    return parent ? parent->frameGeometry().topLeft() : QPoint(0, 0);
}

// Remembers the top-left corner while the window is minimised and puts it back on restore.
class MinimisedPlaceKeeper : public QObject {
  public:
    explicit MinimisedPlaceKeeper(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &window_ || event->type() != QEvent::WindowStateChange) return false;
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimised = change->oldState() & Qt::WindowMinimized;
        if (window_.isMinimized() && !wasMinimised) {
            topLeft_ = window_.frameGeometry().topLeft();
            remembered_ = true;
        } else if (wasMinimised && !window_.isMinimized() && remembered_) {
            window_.move(topLeft_);
        }
        return false;
    }

  private:
    QWidget& window_;
    QPoint topLeft_;
    bool remembered_ = false;
};

// The window's outer size; before it is first shown its frame is not known, and the parent's
// frame is the best guess of it.
QSize FrameSize(const QWidget& window, const QWidget* parent) {
    if (window.isVisible() || !parent) return window.frameGeometry().size();
    return window.size() + parent->frameGeometry().size() - parent->geometry().size();
}

}  // namespace

QPoint KeptOnMonitor(QPoint parentTopLeft, QPoint offset, QSize size, const QRect& monitor) {
    int x = parentTopLeft.x() + offset.x();
    int y = parentTopLeft.y() + offset.y();
    platform::FitToArea(x, y, size.width(), size.height(), monitor);
    return {x, y};
}

void PlaceDialog(QWidget& window, const QWidget* parent, QPoint offset) {
    const QSize size = FrameSize(window, parent);
    const QPoint wanted = TopLeftOf(parent) + offset;
    const QRect monitor = platform::MonitorNearest(
        QPoint(wanted.x() + size.width() / 2, wanted.y() + size.height() / 2));
    window.move(KeptOnMonitor(TopLeftOf(parent), offset, size, monitor));
}

void PlaceDialog(QWidget& window, const QWidget* parent, const state::AppOptions& options,
                 int slot) {
    if (!ValidSlot(slot)) return;
    PlaceDialog(window, parent, QPoint(options.DlgPosX[slot - 1], options.DlgPosY[slot - 1]));
}

void StoreDialogPosition(const QWidget& window, const QWidget* parent, state::AppOptions& options,
                         int slot) {
    if (!ValidSlot(slot) || window.isMinimized()) return;
    const QPoint offset = window.frameGeometry().topLeft() - TopLeftOf(parent);
    options.DlgPosX[slot - 1] = offset.x();
    options.DlgPosY[slot - 1] = offset.y();
}

void KeepMinimisedInPlace(QWidget& window) {
    window.installEventFilter(new MinimisedPlaceKeeper(window));
}

}  // namespace dialogs

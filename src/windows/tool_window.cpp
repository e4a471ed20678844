#include "windows/tool_window.h"

#include <algorithm>

#include <QCloseEvent>

#include "astro/clock.h"
#include "dialogs/dialog_position.h"
#include "shell/program.h"

namespace windows {
namespace {

// A stored size outside these bounds (a damaged settings file) is brought into them.
constexpr int kMinimumSide = 60;
constexpr int kMaximumSide = 8000;

}  // namespace

SkyFrameBodies FrameOrClock(const SkyFrameSource& source, const shell::Program& program) {
    SkyFrameBodies frame = source ? source() : SkyFrameBodies{};
    if (!frame.bodies) {
        const state::CivilClock& c = program.view.clock;
        frame.currentMjd = astro::ModifiedJulianDay(c.year, c.month, c.day);
        frame.utMinutes = astro::UtMinutesOf(program.view);
    }
    return frame;
}

ToolWindow::ToolWindow(QWidget* parent, ToolWindowSlot slot, const char* className,
                       const QString& title)
    : QWidget(parent, Qt::Tool), slot_(slot) {
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    dialogs::KeepMinimisedInPlace(*this);
}

void ToolWindow::Open() {
    resize(std::clamp(*slot_.width, kMinimumSide, kMaximumSide),
           std::clamp(*slot_.height, kMinimumSide, kMaximumSide));
    dialogs::PlaceDialog(*this, parentWidget(), *slot_.options, slot_.slot);
    show();
    placed_ = true;
    StorePlace();
}

void ToolWindow::StorePlace() {
    if (!placed_ || isMinimized()) return;
    dialogs::StoreDialogPosition(*this, parentWidget(), *slot_.options, slot_.slot);
    *slot_.width = width();
    *slot_.height = height();
}

void ToolWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    StorePlace();
}

void ToolWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    StorePlace();
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    StorePlace();
    emit closed();
    event->accept();
}

}  // namespace windows

#include "windows/moon_window.h"

#include <algorithm>

#include <QImage>
#include <QPainter>

#include "dialogs/dialog_position.h"
#include "platform/qpainter_canvas.h"
#include "render/moon_disc.h"
#include "shell/program.h"

namespace windows {

MoonWindow::MoonWindow(shell::Program& program, SkyFrameSource frame, QWidget* parent)
    : ToolWindow(parent,
                 {&program.options, dialogs::kSlotMoon, &program.options.DlgWid10,
                  &program.options.DlgHei10},
                 "MOONWINDOW", QStringLiteral("Moon View")),
      program_(program),
      frame_(std::move(frame)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MoonWindow::paintEvent(QPaintEvent*) {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    const SkyFrameBodies frame = FrameOrClock(frame_, program_);
    if (frame.bodies) {
        elongation_ = frame.bodies->MoonElongation;
        platform::QPainterCanvas canvas(picture);
        const int diameter = static_cast<int>(0.8 * std::min(width(), height()));
        render::DrawMoonDisc(canvas, {width() / 2, height() / 2}, diameter, elongation_);
    }
    QPainter(this).drawImage(0, 0, picture);
}

}  // namespace windows

#include "shell/main_window.h"

#include <QCloseEvent>
#include <QPainter>

#include "platform/message_box.h"
#include "platform/window_placement.h"
#include "shell/window_settings.h"

namespace shell {

SkyView::SkyView(Program& program, QWidget* parent) : QWidget(parent), program_(program) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void SkyView::EnsureBitmapCovers(QSize area) {
    if (skyBitmap_.width() >= area.width() && skyBitmap_.height() >= area.height()) return;
    skyBitmap_ = QImage(area.expandedTo(skyBitmap_.size()), QImage::Format_RGB32);
    skyBitmap_.fill(Qt::black);
    program_.view.ViewChanged = true;
}

void SkyView::paintEvent(QPaintEvent*) {
    EnsureBitmapCovers(size());
    if (program_.view.ViewChanged) {
        program_.view.ViewChanged = false;
        skyBitmap_.fill(Qt::black);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), skyBitmap_, QRect(QPoint(0, 0), size()));
}

MainWindow::MainWindow(Program& program)
    : QMainWindow(nullptr), program_(program), skyView_(new SkyView(program, this)) {
    setWindowTitle(platform::kWindowTitle);
    setCentralWidget(skyView_);
    resize(1024, 700);
}

void MainWindow::PlaceFromSettings() {
    PlaceMainWindow(program_, *this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!program_.view.ScreenSaverMode) SaveSettingsOnClose(program_, *this);
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
}

}  // namespace shell

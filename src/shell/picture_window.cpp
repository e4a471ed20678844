#include "shell/picture_window.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "platform/picture_file.h"
#include "platform/window_placement.h"

namespace shell {

QSize FitPictureSize(QSize picture, QSize window, bool zoomToFit) {
    if (!zoomToFit || picture.isEmpty() || window.isEmpty()) return picture;
    long long w = window.width();
    long long h = picture.height() * w / picture.width();
    if (h > window.height()) {
        h = window.height();
        w = picture.width() * h / picture.height();
    }
    if (w < picture.width() || h < picture.height()) return picture;
    if (w < window.width() && (window.width() - w) * 20 < window.width()) w = window.width();
    if (h < window.height() && (window.height() - h) * 20 < window.height()) h = window.height();
    return QSize(int(w), int(h));
}

PictureFileWindow::PictureFileWindow(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureFileWindow::SetPictureFile(const QString& path) {
    setWindowTitle(path);
    picture_ = path.isEmpty() ? QImage() : platform::ReadPicture(path);
    update();
}

void PictureFileWindow::SetCaptions(const QString& left, const QString& right) {
    leftCaption_ = left;
    rightCaption_ = right;
    update();
}

void PictureFileWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull()) return;
    const QSize size = FitPictureSize(picture_.size(), this->size(), zoomToFit_);
    const QRect target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                       size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);

    if (leftCaption_.isEmpty() && rightCaption_.isEmpty()) return;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(std::max(1, width() / 35));
    painter.setFont(font);
    const QRect textArea = rect().adjusted(4, 4, -4, -4);
    auto drawShadowed = [&](const QString& text, Qt::Alignment align) {
        painter.setPen(Qt::black);
        painter.drawText(textArea.translated(1, 1), align, text);
        painter.drawText(textArea.translated(2, 2), align, text);
        painter.setPen(Qt::white);
        painter.drawText(textArea, align, text);
    };
    drawShadowed(leftCaption_, Qt::AlignLeft | Qt::AlignTop);
    drawShadowed(rightCaption_, Qt::AlignRight | Qt::AlignTop);
}

PictureFileWindow* OpenTitleWindow(const QString& picturePath, bool zoomToFit) {
    auto* window = new PictureFileWindow(
        nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->resize(638, 478);
    platform::CentreWindow(*window, nullptr);
    window->SetZoomToFit(zoomToFit);
    window->SetPictureFile(picturePath);
    window->show();
    QTimer::singleShot(3000, window, &QWidget::close);
    return window;
}

}  // namespace shell

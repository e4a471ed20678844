#include "platform/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {
namespace {

QScreen* ScreenNearest(const QPoint& point) {
    QScreen* best = QGuiApplication::primaryScreen();
    long long bestDistance = -1;
    for (QScreen* screen : QGuiApplication::screens()) {
        QRect area = screen->geometry();
        if (area.contains(point)) return screen;
        long long dx = point.x() < area.left()    ? area.left() - point.x()
                       : point.x() > area.right() ? point.x() - area.right()
                                                  : 0;
        long long dy = point.y() < area.top()      ? area.top() - point.y()
                       : point.y() > area.bottom() ? point.y() - area.bottom()
                                                   : 0;
        long long distance = dx * dx + dy * dy;
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = screen;
        }
    }
    return best;
}

}  // namespace

void FitToArea(int& x, int& y, int width, int height, const QRect& workArea) {
    // QRect's right()/bottom() are inclusive; the window's edges are exclusive.
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    if (x != kDefaultPosition && x + width > right) x = right - width;
    if (x < workArea.x() && x != kDefaultPosition) x = workArea.x();
    if (y != kDefaultPosition && y + height > bottom) y = bottom - height;
    if (y < workArea.y() && y != kDefaultPosition) y = workArea.y();
}

QRect WorkAreaNearest(const QPoint& point) {
    QScreen* screen = ScreenNearest(point);
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QRect MonitorNearest(const QPoint& point) {
    QScreen* screen = ScreenNearest(point);
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QRect WholeDesktop() {
    QRect desktop;
    for (QScreen* screen : QGuiApplication::screens())
        desktop = desktop.united(screen->geometry());
    return desktop.isEmpty() ? QRect(0, 0, 1024, 768) : desktop;
}

QPoint CentredOver(const QSize& window, const QRect& reference) {
    return {reference.left() + (reference.width() - window.width()) / 2,
            reference.top() + (reference.height() - window.height()) / 2};
}

void CentreWindow(QWidget& window, const QWidget* reference) {
    QRect area;
    if (reference && !reference->isMinimized()) {
        area = reference->frameGeometry();
    } else {
        QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    }
    window.move(CentredOver(window.frameGeometry().size(), area));
}

void FitToWorkArea(int& x, int& y, int width, int height) {
    QPoint centre(x + width / 2, y + height / 2);
    FitToArea(x, y, width, height, WorkAreaNearest(centre));
}

}  // namespace platform

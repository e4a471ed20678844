#include "shell/toolbar.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolBar>

#include "shell/string_table.h"

namespace shell {
namespace {

constexpr int kHorizonButtons[] = {
    131,   0,     400, 402, 401, 403,   0,     410,   411, 0,   413,   0,   132,  0, 332,
    331,   0,     133, 0,   207, 217,   227,   237,   247, 0,   251,   252, 39,   0, 253,
    40062, 40015, 0,   134, 0,   40069, 40070, 40068, 0,   149, 40011, 0,   40010};
constexpr int kEquatorButtons[] = {131, 0,   404,   405,   406,   407, 0,   410,   411, 0,     413,
                                   0,   132, 0,     332,   331,   0,   133, 0,     207, 217,   227,
                                   237, 247, 0,     251,   252,   39,  0,   271,   272, 40015, 0,
                                   134, 0,   40069, 40070, 40068, 0,   149, 40011, 0,   40010};
static_assert(std::size(kHorizonButtons) == kToolbarEntryCount);
static_assert(std::size(kEquatorButtons) == kToolbarEntryCount);

int ImageOf(int command, int incTime) {
    switch (command) {
        case 131:
            return 2;
        case 400:
        case 404:
            return 3;
        case 402:
            return 4;
        case 401:
        case 405:
            return 5;
        case 403:
            return 6;
        case 406:
            return 32;
        case 407:
            return 33;
        case 410:
            return 7;
        case 411:
            return 8;
        case 413:
            return 9;
        case 132:
            return 10;
        case 332:
            return 11;
        case 331:
            return 12;
        case 133:
            return 13;
        case 207:
            return 14;
        case 217:
            return 15;
        case 227:
            return 16;
        case 237:
            return 17;
        case 247:
            return 18;
        case 251:
            return 19;
        case 252:
            return 20;
        case 39:
            return 50;
        case 253:
            return 21;
        case 40062:
            return 22;
        case 271:
            return 35;
        case 272:
            return 34;
        case 40015:
            return 49;
        case 134:
            return 23;
        case 40069:
            return 52;
        case 40068:
            return 53;
        case 149:
            return 25;
        case 40011:
            return 44;
        case 40010:
            return 36;
        case 40070:
            return 54 + incTime;
        default:
            return 0;
    }
}

bool IsPressButton(int command) {
    for (int c :
         {331, 207, 217, 227, 237, 247, 251, 252, 39, 149, 40011, 271, 272, 253, 40062, 40015})
        if (c == command) return true;
    return false;
}

// The time-step picture names its step.
constexpr const char* kStepLabels[21] = {"1m", "3m", "5m", "10m", "30m", "1h", "3h",
                                         "6h", "1d", "5d", "10d", "1M",  "3M", "1y",
                                         "5y", "10", "50", "100", "500", "1k", "sd"};

const QColor kInk(20, 30, 70);
const QColor kStar(230, 180, 20);
const QColor kSky(40, 70, 150);

void Letter(QPainter& p, const QString& text, const QColor& colour, int pixel = 9) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixel);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, text);
}

void Magnifier(QPainter& p, const QString& sign) {
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kInk, 2.4));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    if (sign.isEmpty()) return;
    p.setPen(QPen(kInk, 1.4));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (sign == "+") p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
}

void Compass(QPainter& p, const QString& letter, double angle) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(235, 240, 250));
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.save();
    p.translate(8, 8);
    p.rotate(angle);
    QPainterPath needle;
    needle.moveTo(0, -7);
    needle.lineTo(2.2, -3.5);
    needle.lineTo(-2.2, -3.5);
    needle.closeSubpath();
    p.fillPath(needle, QColor(200, 30, 30));
    p.restore();
    Letter(p, letter, kInk, 8);
}

void Dots(QPainter& p, bool joined) {
    const QPointF points[] = {{2, 12}, {6, 5}, {10, 9}, {14, 3}};
    if (joined) {
        p.setPen(QPen(kSky, 1.2));
        p.drawPolyline(points, 4);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kStar);
    for (const QPointF& point : points)
        p.drawEllipse(point, 1.8, 1.8);
}

void Label(QPainter& p, const QString& text, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(kStar);
    p.drawEllipse(QPointF(3, 3), 2, 2);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 5, 16, 11), Qt::AlignCenter, text);
}

void Arrow(QPainter& p, bool forward) {
    QPainterPath path;
    if (forward) {
        path.moveTo(3, 3);
        path.lineTo(13, 8);
        path.lineTo(3, 13);
    } else {
        path.moveTo(13, 3);
        path.lineTo(3, 8);
        path.lineTo(13, 13);
    }
    path.closeSubpath();
    p.fillPath(path, QColor(30, 120, 60));
}

void Clock(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void Paint(QPainter& p, int index) {
    p.setRenderHint(QPainter::Antialiasing);
    if (index >= 54 && index < 54 + 21) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(255, 250, 220));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
        Letter(p, QString::fromLatin1(kStepLabels[index - 54]), kInk, index - 54 >= 14 ? 7 : 8);
        return;
    }
    switch (index) {
        case 2:  // view direction
            p.fillRect(QRectF(1, 2, 14, 12), kSky);
            p.setPen(QPen(Qt::white, 1));
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            p.setPen(QPen(kStar, 1.5));
            p.drawLine(QPointF(8, 5), QPointF(8, 11));
            p.drawLine(QPointF(5, 8), QPointF(11, 8));
            break;
        case 3:
            Compass(p, QStringLiteral("N"), 0);
            break;
        case 4:
            Compass(p, QStringLiteral("E"), 270);
            break;
        case 5:
            Compass(p, QStringLiteral("S"), 180);
            break;
        case 6:
            Compass(p, QStringLiteral("W"), 90);
            break;
        case 32:
            Compass(p, QStringLiteral("P"), 0);
            break;
        case 33:
            Compass(p, QStringLiteral("P"), 180);
            break;
        case 7:
            Magnifier(p, QStringLiteral("+"));
            break;
        case 8:
            Magnifier(p, QStringLiteral("-"));
            break;
        case 9:
            Magnifier(p, QString());
            break;
        case 10:
            Clock(p);
            break;
        case 11:  // automatic mode settings
            Clock(p);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 120, 60));
            p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
            break;
        case 12: {  // automatic mode on/off
            QPainterPath play;
            play.moveTo(4, 2);
            play.lineTo(14, 8);
            play.lineTo(4, 14);
            play.closeSubpath();
            p.fillPath(play, QColor(200, 60, 30));
            break;
        }
        case 13:  // display mode
            p.setPen(QPen(kInk, 1));
            p.setBrush(kSky);
            p.drawRect(QRectF(1.5, 2.5, 13, 9));
            p.fillRect(QRectF(6, 12, 4, 2), kInk);
            p.fillRect(QRectF(4, 14, 8, 1), kInk);
            break;
        case 14:
            Label(p, QStringLiteral("Ori"), kInk);
            break;
        case 15:
            Label(p, QStringLiteral("\u03b1"), QColor(120, 40, 140));
            break;
        case 16:
            Label(p, QStringLiteral("M"), QColor(30, 110, 60));
            break;
        case 17:
            Label(p, QStringLiteral("\u2642"), QColor(170, 50, 20));
            break;
        case 18:
            Label(p, QStringLiteral("C"), QColor(20, 110, 150));
            break;
        case 19:
            Dots(p, true);
            break;
        case 20:  // constellation picture
            Dots(p, false);
            p.setPen(QPen(QColor(150, 90, 40), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(3, 3, 10, 10));
            break;
        case 50:  // asterisms
            Dots(p, true);
            p.setPen(QPen(QColor(200, 60, 120), 1));
            p.drawLine(QPointF(2, 12), QPointF(14, 3));
            break;
        case 21:  // horizon
            p.fillRect(QRectF(0, 0, 16, 9), kSky);
            p.fillRect(QRectF(0, 9, 16, 7), QColor(60, 110, 40));
            p.setPen(QPen(QColor(240, 240, 120), 1));
            p.drawLine(QPointF(0, 9), QPointF(16, 9));
            break;
        case 22:  // grid
            p.setPen(QPen(kSky, 1));
            for (int i = 2; i < 16; i += 4) {
                p.drawLine(QPointF(i + 0.5, 0), QPointF(i + 0.5, 16));
                p.drawLine(QPointF(0, i + 0.5), QPointF(16, i + 0.5));
            }
            break;
        case 49: {  // twilight
            QLinearGradient gradient(0, 0, 0, 16);
            gradient.setColorAt(0, QColor(20, 30, 90));
            gradient.setColorAt(0.7, QColor(230, 120, 60));
            gradient.setColorAt(1, QColor(250, 210, 90));
            p.fillRect(QRectF(0, 0, 16, 16), gradient);
            break;
        }
        case 35:  // equator grid
            p.setPen(QPen(kSky, 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(QPen(QColor(200, 40, 40), 1.5));
            p.drawLine(QPointF(1, 8), QPointF(15, 8));
            break;
        case 34:  // ecliptic grid
            p.setPen(QPen(kSky, 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(QPen(QColor(210, 160, 20), 1.5));
            p.drawLine(QPointF(1, 11), QPointF(15, 5));
            break;
        case 23: {  // location
            QPainterPath pin;
            pin.addEllipse(QRectF(4, 1, 8, 8));
            pin.moveTo(4.5, 6.5);
            pin.lineTo(8, 15);
            pin.lineTo(11.5, 6.5);
            p.fillPath(pin, QColor(200, 40, 40));
            p.setBrush(Qt::white);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(8, 5), 1.6, 1.6);
            break;
        }
        case 52:
            Arrow(p, false);
            break;
        case 53:
            Arrow(p, true);
            break;
        case 25:  // solar system
            p.setPen(QPen(kSky, 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRectF(1.5, 4.5, 13, 7));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(240, 170, 20));
            p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
            p.setBrush(kSky);
            p.drawEllipse(QPointF(14, 8), 1.5, 1.5);
            break;
        case 44: {  // moon
            QPainterPath moon;
            moon.addEllipse(QRectF(2, 2, 12, 12));
            QPainterPath bite;
            bite.addEllipse(QRectF(6, 0, 12, 12));
            p.fillPath(moon.subtracted(bite), QColor(210, 180, 40));
            break;
        }
        case 36: {  // home page
            QPainterPath house;
            house.moveTo(8, 2);
            house.lineTo(15, 8);
            house.lineTo(13, 8);
            house.lineTo(13, 14);
            house.lineTo(3, 14);
            house.lineTo(3, 8);
            house.lineTo(1, 8);
            house.closeSubpath();
            p.fillPath(house, QColor(60, 100, 170));
            p.fillRect(QRectF(7, 10, 2.5, 4), Qt::white);
            break;
        }
        default:
            p.setPen(QPen(kInk, 1));
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
            break;
    }
}

}  // namespace

std::vector<ToolbarEntry> ToolbarLayout(bool equatorMode, int incTime) {
    std::vector<ToolbarEntry> entries;
    for (int command : equatorMode ? kEquatorButtons : kHorizonButtons)
        entries.push_back({command, ImageOf(command, incTime)});
    return entries;
}

QIcon ToolbarImage(int index) {
    // Drawn once for each device pixel ratio, so the buttons stay sharp on HiDPI screens.
    QIcon icon;
    for (int ratio = 1; ratio <= 3; ++ratio) {
        QPixmap pixmap(16 * ratio, 16 * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        Paint(painter, index);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Toolbar::Rebuild(bool equatorMode, int incTime) {
    // The old buttons go once the event that rebuilt the bar is over.
    const QList<QAction*> old = bar_->actions();
    bar_->clear();
    for (QAction* action : old)
        action->deleteLater();
    buttons_.clear();
    for (const ToolbarEntry& entry : ToolbarLayout(equatorMode, incTime)) {
        if (entry.command == 0) {
            bar_->addSeparator();
            continue;
        }
        QAction* action = bar_->addAction(ToolbarImage(entry.image), QString());
        action->setData(entry.command);
        action->setToolTip(QString::fromStdString(LoadString(entry.command)));
        action->setText(action->toolTip());
        action->setCheckable(IsPressButton(entry.command));
        QObject::connect(action, &QAction::triggered, bar_,
                         [callback = onCommand_, command = entry.command] { callback(command); });
        buttons_[entry.command] = action;
    }
}

QAction* Toolbar::Button(int command) const {
    auto found = buttons_.find(command);
    return found == buttons_.end() ? nullptr : found->second;
}

}  // namespace shell

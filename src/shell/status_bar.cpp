#include "shell/status_bar.h"

#include <cmath>
#include <cstdio>

#include <QHelpEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>

namespace shell {
namespace {

std::string Printf(const char* format, auto... values) {
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

StatusTexts MakeStatusTexts(const state::ViewState& view, const state::AppOptions& options,
                            const render::BuiltinCityLookup& builtinCity, const FrameFacts& facts) {
    StatusTexts texts;
    texts[0] = render::LocationText(view, options, builtinCity) + "  " + render::ZoneText(view);
    texts[1] = Printf("Age %4.1f", facts.moonAge);
    texts[2] = facts.starLevel == 0
                   ? std::string(" ----")
                   : Printf("Mag%2d.%01d", facts.starLevel / 10, std::abs(facts.starLevel % 10));
    if (view.SekidouMod) {
        const int tenths = ((static_cast<int>(view.Houi2 + 0.5) % 3600) + 3600) % 3600;
        texts[3] = Printf("%2dh%02dm", tenths / 150, (2 * tenths / 5) % 60);
    } else {
        texts[3] = Printf("%5.1f", view.Houi2 / 10.0);
    }
    texts[4] = Printf("%5.1f", view.Koudo2 / 10.0);
    texts[5] = render::DateText(view.clock);
    texts[6] = Printf("%02d:%02d", view.clock.hour, view.clock.minute);
    static constexpr const char* kModes[] = {"L", "G", "S", "R"};
    texts[7] = view.Keisanji >= 0 && view.Keisanji <= 3 ? kModes[view.Keisanji] : " ";
    texts[8] = view.Dst ? "D" : " ";
    texts[9] = view.AutoRunning ? "A" : " ";
    texts[10] = view.Tracking ? "C" : " ";
    texts[11] = view.SekidouMod ? "Q" : " ";
    return texts;
}

std::array<int, kStatusPanes> PaneRightEdges(int barWidth,
                                             const std::array<int, kStatusPanes>& textWidths) {
    std::array<int, kStatusPanes> edges{};
    int right = barWidth - 18;
    for (int pane = kStatusPanes - 1; pane >= 1; --pane) {
        edges[pane] = right;
        right -= textWidths[pane] + 10;
    }
    edges[0] = std::max(right, 0);
    return edges;
}

const char* StatusPaneTip(int pane, bool equatorMode) {
    static constexpr const char* kTips[kStatusPanes] = {
        "Observing place (latitude, longitude) and time zone",
        "Age of the Moon: days since new moon",
        "Faintest star magnitude drawn",
        "Azimuth of the view centre: degrees from south through west",
        "Altitude of the view centre: degrees above the horizon",
        "Date",
        "Time (hours:minutes)",
        "Time mode: L local, G Greenwich, S system, R real time",
        "D: daylight-saving time",
        "A: automatic mode running",
        "C: tracking an object",
        "Q: equator mode (the view is oriented on the celestial equator)",
    };
    if (equatorMode && pane == 3) return "Right ascension of the view centre: hours and minutes";
    if (equatorMode && pane == 4) return "Declination of the view centre: degrees";
    return pane >= 0 && pane < kStatusPanes ? kTips[pane] : "";
}

StatusBar::StatusBar(int screenDpi, QWidget* parent) : QStatusBar(parent) {
    QFont font = this->font();
    font.setPixelSize(std::max(8, 12 * screenDpi / 96));
    setFont(font);
    setSizeGripEnabled(true);
}

QSize StatusBar::sizeHint() const {
    return {QStatusBar::sizeHint().width(), fontMetrics().height() + 8};
}

void StatusBar::SetTexts(const StatusTexts& texts) {
    texts_ = texts;
    LayoutPanes();
    update();
}

void StatusBar::LayoutPanes() {
    std::array<int, kStatusPanes> widths{};
    const QFontMetrics metrics = fontMetrics();
    for (int i = 0; i < kStatusPanes; ++i)
        widths[i] = metrics.horizontalAdvance(QString::fromStdString(texts_[i]));
    edges_ = PaneRightEdges(width(), widths);
}

int StatusBar::PaneAt(int x) const {
    for (int i = 0; i < kStatusPanes; ++i)
        if (x >= 0 && x < edges_[i]) return i;
    return -1;
}

bool StatusBar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QStatusBar::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int pane = PaneAt(help->pos().x());
    if (pane < 0) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), QString::fromUtf8(StatusPaneTip(pane, equatorMode_)),
                           this);
    }
    return true;
}

void StatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    LayoutPanes();
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    int left = 0;
    for (int i = 0; i < kStatusPanes; ++i) {
        const QRect pane(left, 2, std::max(0, edges_[i] - left - 2), height() - 4);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(pane.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(pane.adjusted(5, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromStdString(texts_[i]));
        left = edges_[i];
    }
}

}  // namespace shell

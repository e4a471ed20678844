#include "windows/solar_system_window.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "astro/solar_system_plot.h"
#include "dialogs/dialog_position.h"
#include "dialogs/info_dialog.h"
#include "platform/qpainter_canvas.h"
#include "render/fonts.h"
#include "shell/program.h"
#include "shell/sky_tooltip.h"
#include "shell/toolbar.h"
#include "windows/body_card.h"

namespace windows {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

const shell::Accelerator kPlanetKeys[] = {
    {Qt::Key_Up, kNone, 601},         {Qt::Key_Down, kNone, 603},   {Qt::Key_Left, kNone, 605},
    {Qt::Key_Right, kNone, 607},      {Qt::Key_Home, kNone, 501},   {Qt::Key_PageUp, kNone, 410},
    {Qt::Key_F3, kNone, 410},         {Qt::Key_Z, kNone, 410},      {Qt::Key_Z, kCtrl, 410},
    {Qt::Key_PageDown, kNone, 411},   {Qt::Key_F4, kNone, 411},     {Qt::Key_Z, kShift, 411},
    {Qt::Key_Z, kCtrl | kShift, 411}, {Qt::Key_Escape, kNone, 150},
};

const shell::MenuRow kPopupRows[] = {
    {0, 502, "O&bject Info..."}, {0, 504, "&Telescope View..."}, {0, shell::kSeparator, ""},
    {0, 410, "Zoom &In"},        {0, 411, "Zoom &Out"},
};

struct PlotButton {
    int command;
    const char* tip;
    bool toggle;
};
constexpr PlotButton kButtons[] = {
    {410, "Zoom In(PageUp)", false},
    {411, "Zoom Out(PageDown)", false},
    {0, nullptr, false},
    {501, "Reset View(Home)", false},
    {0, nullptr, false},
    {608, "Vernal Equinox", true},
    {609, "Comet Orbits", true},
    {41, "Outer Orbits", true},
};

const QColor kOrbitInk(40, 70, 150);
const QColor kSunInk(240, 170, 20);

// The pictures of the window's own buttons; the zoom buttons are the main toolbar's.
QIcon ButtonImage(int command) {
    if (command == 410) return shell::ToolbarImage(7);
    if (command == 411) return shell::ToolbarImage(8);
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    switch (command) {
        case 501:  // seen from the pole again
            p.setPen(QPen(kOrbitInk, 1.2));
            p.drawEllipse(QRectF(2, 2, 12, 12));
            p.setPen(Qt::NoPen);
            p.setBrush(kSunInk);
            p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
            break;
        case 608: {  // the equinox direction
            p.setPen(QPen(kOrbitInk, 1.2, Qt::DotLine));
            p.drawLine(QPointF(3, 8), QPointF(15, 8));
            p.setPen(Qt::NoPen);
            p.setBrush(kSunInk);
            p.drawEllipse(QPointF(3, 8), 2.5, 2.5);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(8);
            p.setFont(font);
            p.setPen(QColor(20, 30, 70));
            p.drawText(QRect(7, 0, 9, 8), Qt::AlignCenter, QStringLiteral("\u2648"));
            break;
        }
        case 609: {  // a comet's long orbit
            p.setPen(QPen(kOrbitInk, 1.2));
            p.drawEllipse(QRectF(1.5, 5, 14, 6));
            QPainterPath tail;
            tail.moveTo(3, 8);
            tail.lineTo(7, 6);
            tail.lineTo(7, 10);
            tail.closeSubpath();
            p.fillPath(tail, QColor(20, 110, 150));
            break;
        }
        default:  // 41: the outer orbits
            p.setPen(QPen(kOrbitInk, 1));
            p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
            p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
            p.setPen(Qt::NoPen);
            p.setBrush(kSunInk);
            p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
            break;
    }
    return QIcon(pixmap);
}

std::string JoinedNames(std::string_view japanese, std::string_view english) {
    if (japanese.empty() || japanese == english) return std::string(english);
    if (english.empty()) return std::string(japanese);
    return std::string(japanese) + " " + std::string(english);
}

}  // namespace

std::span<const shell::Accelerator> PlanetAccelerators() {
    return kPlanetKeys;
}

// The drawing area under the tool bar.
class PlotArea : public QWidget {
  public:
    explicit PlotArea(SolarSystemWindow& window) : window_(window) {
        setObjectName(QStringLiteral("plot"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
    }

  protected:
    void paintEvent(QPaintEvent*) override { window_.PaintPlot(*this); }
    void mousePressEvent(QMouseEvent* event) override { window_.Pressed(event); }
    void mouseMoveEvent(QMouseEvent* event) override { window_.Moved(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { window_.Released(event); }
    void leaveEvent(QEvent*) override { window_.Left(); }
    void wheelEvent(QWheelEvent* event) override {
        const int delta = event->angleDelta().y();
        if (delta != 0) window_.Command(delta > 0 ? 410 : 411);
        event->accept();
    }

  private:
    SolarSystemWindow& window_;
};

SolarSystemWindow::SolarSystemWindow(shell::Program& program, SkyFrameSource frame, QWidget* parent,
                                     std::function<void(int)> mainCommand)
    : ToolWindow(parent,
                 {&program.options, dialogs::kSlotSolarSystem, &program.options.DlgWid7,
                  &program.options.DlgHei7},
                 "PLANETWINDOW", QStringLiteral("Solar System")),
      program_(program),
      frame_(std::move(frame)),
      mainCommand_(std::move(mainCommand)),
      area_(new PlotArea(*this)),
      toolBar_(new QToolBar(this)),
      menus_([this](int command) { Command(command); }),
      glyphs_(render::BuildGlyphSheet()),
      tip_(new shell::SkyTooltip(this)) {
    ColoursChanged();
    toolBar_->setIconSize(QSize(16, 16));
    for (const PlotButton& button : kButtons) {
        if (button.command == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = toolBar_->addAction(ButtonImage(button.command), QString());
        action->setData(button.command);
        action->setToolTip(QString::fromLatin1(button.tip));
        action->setCheckable(button.toggle);
        connect(action, &QAction::triggered, this,
                [this, command = button.command] { Command(command); });
    }
    RefreshButtons();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar_);
    layout->addWidget(area_, 1);

    connect(&hoverTimer_, &QTimer::timeout, this, &SolarSystemWindow::HoverTick);
    hoverTimer_.start(100);
    area_->setFocus();
}

SolarSystemWindow::~SolarSystemWindow() = default;

QWidget* SolarSystemWindow::plotArea() const {
    return area_;
}

bool SolarSystemWindow::Command(int command) {
    switch (command) {
        case 150:
            close();
            return true;
        case 502:
        case 504:
            ShowCard(command == 504);
            return true;
        default:
            break;
    }
    if (!astro::ApplyPlotCommand(program_.options, command)) return false;
    RefreshButtons();
    area_->update();
    return true;
}

void SolarSystemWindow::RefreshButtons() {
    const auto& o = program_.options;
    for (QAction* action : toolBar_->actions()) {
        const int command = action->data().toInt();
        if (command == 608) action->setChecked(o.PlaShunbun);
        if (command == 609) action->setChecked(o.PlaCometKidou);
        if (command == 41) action->setChecked(o.PlaWaiwakuKidou);
    }
}

void SolarSystemWindow::ColoursChanged() {
    palette_ = render::CreateSkyPalette(program_.view.lineSets);
    // The star colours that the orbits and glyphs use are those of any night.
    render::AnimateSkyPalette(palette_, render::TwilightIntensities{});
    area_->update();
}

bool SolarSystemWindow::TraceShown() const {
    return program_.view.AutoRunning && program_.options.AutoType == 1;
}

SolarSystemWindow::Shown SolarSystemWindow::ShownNow(const SkyFrameBodies& frame) const {
    const auto& v = program_.view;
    const auto& o = program_.options;
    Shown shown{frame.currentMjd,
                frame.utMinutes,
                frame.bodies != nullptr,
                {v.WakuseiLevel, v.Solar, v.Comet, o.CometBright, o.CometKyori},
                TraceShown()};
    if (shown.trace) {
        shown.steps = {o.AutoRepeat,     o.AutoYear,       o.AutoMonth,
                       o.AutoDay,        o.AutoHour,       o.AutoMinit,
                       o.AutoTaishou[0], o.AutoTaishou[2], o.AutoTaishou[3]};
    }
    return shown;
}

void SolarSystemWindow::SkyFrameDrawn() {
    if (ShownNow(FrameOrClock(frame_, program_)) != shown_) area_->update();
}

void SolarSystemWindow::PaintPlot(QWidget& area) {
    if (bitmap_.size() != area.size()) bitmap_ = QImage(area.size(), QImage::Format_RGB32);
    const SkyFrameBodies frame = FrameOrClock(frame_, program_);
    render::PlotInputs in;
    in.view = &program_.view;
    in.options = &program_.options;
    in.comets = &program_.comets;
    in.bodies = frame.bodies;
    in.currentMjd = frame.currentMjd;
    in.utMinutes = frame.utMinutes;
    in.width = bitmap_.width();
    in.height = bitmap_.height();
    in.palette = &palette_;
    // Displays of 8 bits or fewer get the pixel glyphs.
    in.glyphs = program_.view.TrueColourDisplay ? &glyphs_ : nullptr;
    if (!bitmap_.isNull()) {
        platform::QPainterCanvas canvas(bitmap_);
        marks_ = render::DrawSolarSystemPlot(canvas, in, memory_);
    }
    shown_ = ShownNow(frame);
    ++paintCount_;
    QPainter(&area).drawImage(0, 0, bitmap_);
}

render::PlotHit SolarSystemWindow::HitAt(QPoint point, bool traceMarks) const {
    const render::Point p{point.x() - area_->width() / 2, point.y() - area_->height() / 2};
    return render::HitTestPlot(marks_, p, traceMarks);
}

// --- Mouse -----------------------------------------------------------------------------------

void SolarSystemWindow::Pressed(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    HideTip();
    hoverTicks_ = -1;
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        lastPoint_ = point;
    } else if (event->button() == Qt::RightButton) {
        rightHit_ = HitAt(point, false);
        QMenu* menu = BuildPopupMenu(rightHit_.found);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPosition().toPoint());
    }
}

void SolarSystemWindow::Moved(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (dragging_) {
        const QPoint d = point - lastPoint_;
        lastPoint_ = point;
        if (d.isNull()) return;
        astro::DragPlot(program_.options, d.x(), -d.y(), area_->width() / 2, area_->height() / 2);
        area_->update();
        return;
    }
    if (point == hoverPoint_) return;
    hoverPoint_ = point;
    HideTip();
    hoverTicks_ = 0;
}

void SolarSystemWindow::Released(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void SolarSystemWindow::Left() {
    HideTip();
    hoverTicks_ = -1;
}

QMenu* SolarSystemWindow::BuildPopupMenu(bool hit) {
    QMenu* menu = menus_.BuildTransientPopup(this, kPopupRows);
    menu->setObjectName(QStringLiteral("M_POPUPP"));
    for (QAction* action : menu->actions()) {
        const int command = action->data().toInt();
        if (command == 502 || command == 504) action->setEnabled(hit);
    }
    return menu;
}

// --- Hover tips ------------------------------------------------------------------------------

// After a second at rest the point is looked at; the tip goes when the mouse moves, or after
// about ten seconds.
void SolarSystemWindow::HoverTick() {
    if (hoverTicks_ < 0) return;
    ++hoverTicks_;
    if (hoverTicks_ == 10) {
        const render::PlotHit hit = HitAt(hoverPoint_, TraceShown());
        if (hit.found) {
            ShowTip(hit);
        } else {
            hoverTicks_ = -1;
        }
    } else if (hoverTicks_ > 99) {
        HideTip();
        hoverTicks_ = -1;
    }
}

void SolarSystemWindow::ShowTip(const render::PlotHit& hit) {
    using render::PlotMarkKind;
    std::string text, picture;
    const auto& table = astro::BodyTable();
    if (hit.kind == PlotMarkKind::Comet || hit.kind == PlotMarkKind::CometTrace) {
        if (hit.index < 0 || hit.index >= program_.comets.count) return;
        const state::CometRecord& comet =
            program_.comets.records[static_cast<std::size_t>(hit.index)];
        text = JoinedNames(render::FieldText(comet.NAMEJ, sizeof comet.NAMEJ),
                           render::FieldText(comet.NAMEE, sizeof comet.NAMEE));
        picture = "B_COMET";
    } else if (hit.kind != PlotMarkKind::Sun && hit.index == astro::kSunIndex) {
        text = render::PlotBodyName(astro::kSunIndex, false);  // the Earth has no picture
    } else {
        const auto& body = table[static_cast<std::size_t>(hit.index)];
        text = JoinedNames(body.japaneseName, body.englishName);
        if (hit.index < 10) picture = "B_PLANET" + std::to_string(hit.index);
    }
    if (hit.kind == PlotMarkKind::BodyTrace || hit.kind == PlotMarkKind::CometTrace)
        text = render::TracePointText(text, program_.view.clock, program_.options, hit.mark);
    tip_->ShowAt(QString::fromStdString(text), area_->mapToGlobal(hoverPoint_), frameGeometry(),
                 QString::fromStdString(picture));
}

void SolarSystemWindow::HideTip() {
    tip_->hide();
}

QString SolarSystemWindow::tipText() const {
    return tip_->isVisible() ? tip_->text() : QString();
}

// --- Card and keys ---------------------------------------------------------------------------

void SolarSystemWindow::ShowCard(bool telescopeView) {
    // The telescope view is never available: its card would close again at once.
    if (!rightHit_.found || telescopeView) return;
    const SkyFrameBodies frame = FrameOrClock(frame_, program_);
    if (!frame.bodies) return;
    const BodyCardTexts texts = BodyCardOf(rightHit_, *frame.bodies, &program_.comets,
                                           frame.currentMjd + frame.utMinutes / 1440.0);
    if (texts.dialog.empty()) return;
    card_ = dialogs::ShowInfoCard(texts, parentWidget() ? parentWidget() : this);
}

void SolarSystemWindow::keyPressEvent(QKeyEvent* event) {
    if (const int command =
            shell::AcceleratorCommand(kPlanetKeys, event->key(), event->modifiers())) {
        Command(command);
        return;
    }
    const int mainCommand = shell::AcceleratorCommand(event->key(), event->modifiers());
    if (mainCommand != 0 && mainCommand_) {
        mainCommand_(mainCommand);
        return;
    }
    ToolWindow::keyPressEvent(event);
}

}  // namespace windows

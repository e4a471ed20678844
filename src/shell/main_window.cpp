#include "shell/main_window.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QToolBar>
#include <QWheelEvent>

#include "astro/centring.h"
#include "astro/city_lookup.h"
#include "astro/clock.h"
#include "astro/inverse_projection.h"
#include "astro/time_steps.h"
#include "dialogs/about_dialog.h"
#include "dialogs/bitmaps.h"
#include "dialogs/create_dialog.h"
#include "dialogs/info_dialog.h"
#include "dialogs/star_name_dialog.h"
#include "dialogs/user_city_dialogs.h"
#include "persist/settings.h"
#include "platform/help.h"
#include "platform/message_box.h"
#include "platform/window_placement.h"
#include "render/object_info.h"
#include "render/render_sky.h"
#include "shell/accelerators.h"
#include "shell/external_programs.h"
#include "shell/narration.h"
#include "shell/view_file_open.h"
#include "shell/window_settings.h"
#include "state/messages.h"
#include "state/user_city.h"

namespace shell {
namespace {

constexpr int kMoveMilliseconds = 500;
constexpr int kMaxDroppedPath = 512;
constexpr int kWheelNotch = 120;  // wheel angle units of one notch
// The zoom of the telescope view (percent): a field of about four degrees across a window
// of 1280 pixels.
constexpr int kTelescopeZoom = 2400;

QSize ScreenSize() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->size();
    return {1024, 768};
}

}  // namespace

std::vector<int> ContextMenuRemovals(const ObjectHit& hit, bool starDialogOpen) {
    // Removed last first, as the items stand from the bottom of the menu.
    std::vector<int> removed;
    if (!(hit.found && hit.kind == 1 && starDialogOpen)) removed.push_back(40057);
    if (!hit.found) removed.push_back(416);
    if (!hit.found || hit.kind == 1) removed.push_back(504);
    if (!hit.found) removed.push_back(502);
    return removed;
}

// --- SkyView ---------------------------------------------------------------------------------

SkyView::SkyView(MainWindow& window, Program& program, QWidget* parent)
    : QWidget(parent), window_(window), program_(program) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    skyBitmap_ = QImage(ScreenSize(), QImage::Format_RGB32);
    skyBitmap_.fill(Qt::black);
}

void SkyView::paintEvent(QPaintEvent*) {
    ++paintCount_;
    const QRect source = window_.PrepareFrame();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), skyBitmap_, source);
    painter.end();
    window_.FinishFrame();
}

void SkyView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The picture is drawn for the area's half extents; a new size needs a new frame.
    program_.view.ViewChanged = true;
}

void SkyView::mouseMoveEvent(QMouseEvent* event) {
    window_.MouseMoved(window_.SkyPoint(event->position()));
}

void SkyView::mousePressEvent(QMouseEvent* event) {
    const QPoint point = window_.SkyPoint(event->position());
    if (program_.view.ScreenSaverMode) {
        window_.ScreenSaverInput();
        return;
    }
    if (event->button() == Qt::LeftButton) window_.LeftDown(point);
    if (event->button() == Qt::RightButton)
        window_.RightDown(point, event->globalPosition().toPoint());
}

void SkyView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) window_.LeftUp();
}

void SkyView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (program_.view.ScreenSaverMode) {
        window_.ScreenSaverInput();
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    window_.clickPoint_ = window_.SkyPoint(event->position());
    window_.PostCommand(501 + std::clamp(program_.view.DblClick, 0, 3));
}

void SkyView::leaveEvent(QEvent*) {
    window_.HideTooltip();
}

void SkyView::wheelEvent(QWheelEvent* event) {
    if (program_.view.ScreenSaverMode) {
        window_.ScreenSaverInput();
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    event->accept();
    // One zoom step per notch of 120 units; a touchpad's small steps add up to notches, and a
    // turn the other way starts afresh.
    if ((delta > 0) != (wheelAngle_ > 0)) wheelAngle_ = 0;
    wheelAngle_ += delta;
    for (; wheelAngle_ >= kWheelNotch; wheelAngle_ -= kWheelNotch)
        window_.PostCommand(410);
    for (; wheelAngle_ <= -kWheelNotch; wheelAngle_ += kWheelNotch)
        window_.PostCommand(411);
}

void SkyView::keyPressEvent(QKeyEvent* event) {
    if (!window_.HandleKey(event)) QWidget::keyPressEvent(event);
}

// --- MainWindow ------------------------------------------------------------------------------

MainWindow::MainWindow(Program& program, MainWindowHooks hooks)
    : QMainWindow(nullptr),
      program_(program),
      hooks_(std::move(hooks)),
      skyView_(new SkyView(*this, program, this)),
      menus_([this](int command) { CommandFromMenu(command); }) {
    setWindowTitle(platform::kWindowTitle);
    setCentralWidget(skyView_);
    setAcceptDrops(true);
    tooltip_ = new SkyTooltip(this);
    elapsed_.start();
    files_ = std::make_unique<FileCommands>(
        program_,
        FileCommandHost{this, [this]() -> SkyPainter& { return Painter(); },
                        [this] { return skyView_->size(); },
                        [this](const std::string& path) { OpenViewFileWithPrompts(path); },
                        [this] { Redraw(); }});

    menus_.BuildMenuBar(menuBar(), MainMenuRows());
    for (int i = 0; QMenu* menu = menus_.TopMenu(i); ++i)
        connect(menu, &QMenu::aboutToHide, this, &MainWindow::ReturnKeysToTheSky);

    auto* bar = new QToolBar(QStringLiteral("Toolbar"), this);
    bar->setObjectName(QStringLiteral("toolbar3001"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, bar);
    toolbar_ = std::make_unique<Toolbar>(bar, [this](int command) { CommandFromMenu(command); });

    statusBar_ = new StatusBar(program_.screenDpi, this);
    statusBar_->setObjectName(QStringLiteral("statusbar3002"));
    setStatusBar(statusBar_);

    // The open flags tell whether the windows exist; the stored ones are the start's request.
    startSolarSystem_ = program_.options.PlanetWnd != 0;
    startMoon_ = program_.options.MoonWnd != 0;
    program_.options.PlanetWnd = 0;
    program_.options.MoonWnd = 0;
    toolWindows_ = std::make_unique<windows::ToolWindows>(
        program_, this,
        [this] {
            windows::SkyFrameBodies frame;
            if (painter_ && painter_->painted()) {
                const render::SkyScene& scene = painter_->scene();
                frame = {&scene.bodies, scene.viewFrame.CurrentMjd, scene.viewFrame.UtMinutes};
            }
            return frame;
        },
        [this](int command) { Command(command); }, [this] { RefreshMenus(); });

    bar->setVisible(program_.options.ToolBar);
    statusBar_->setVisible(program_.options.StatusBar);
    externalPrograms_ = ReadExternalPrograms();
    std::vector<MenuSet::ExternalEntry> entries;
    for (const ExternalProgram& program : externalPrograms_)
        entries.push_back({program.number, program.name});
    menus_.AddExternalPrograms(entries);
    RebuildUserCityMenu();
    RefreshMenus();
    RefreshStatusBar();
    resize(ScreenSize() * 3 / 4);

    connect(&timer1_, &QTimer::timeout, this, &MainWindow::TimerTick);
    timer1_.start(100);
    program_.view.ViewChanged = true;
    skyView_->setFocus();
}

MainWindow::~MainWindow() {
    // Before the window's own parts go, as the dialogs talk to it.
    openDialogs_.DeleteAll();
}

void MainWindow::PlaceFromSettings() {
    PlaceMainWindow(program_, *this);
}

void MainWindow::OpenToolWindowsAtStart() {
    toolWindows_->Open(startSolarSystem_, startMoon_);
}

bool MainWindow::Command(int command) {
    const bool known = RunCommand(program_, *this, command);
    openDialogs_.ViewStateChanged();
    return known;
}

void MainWindow::CommandFromMenu(int command) {
    Command(command);
    // Qt takes the mark off a checked item that is chosen again; the marks follow the state.
    RefreshMenus();
}

void MainWindow::ReturnKeysToTheSky() {
    // After a menu closes (by Esc, a click or a choice) the menu bar would keep the keyboard
    // without showing it; the keys belong to the sky again once no other menu has opened.
    QTimer::singleShot(0, this, [this] {
        if (!QApplication::activePopupWidget()) skyView_->setFocus(Qt::OtherFocusReason);
    });
}

// --- Paint -----------------------------------------------------------------------------------

void MainWindow::StartPendingMoves(qint64 t0) {
    auto& view = program_.view;
    const double targets[3] = {view.MoveTargetHoui2, view.MoveTargetKoudo2,
                               static_cast<double>(view.MoveTargetZoom)};
    for (int i = 0; i < 3; ++i) {
        const int bit = state::kMoveAzimuth << i;
        if (!(view.PendingMoves & bit)) continue;
        view.PendingMoves &= ~bit;
        activeMoves_ |= bit;
        moveTarget_[i] = targets[i];
        moveStart_[i] = i == 0 ? view.Houi2 : i == 1 ? view.Koudo2 : view.Zoom;
        moveStartTime_[i] = t0 - lastPaintTime_;
        if (i == 0) {
            // The short way round.
            if (moveTarget_[0] - moveStart_[0] >= 1800) moveStart_[0] += 3600;
            if (moveTarget_[0] - moveStart_[0] < -1800) moveTarget_[0] += 3600;
        }
    }
}

void MainWindow::AdvanceMoves(qint64 now) {
    auto& view = program_.view;
    for (int i = 0; i < 3; ++i) {
        const int bit = state::kMoveAzimuth << i;
        if (!(activeMoves_ & bit)) continue;
        const qint64 f = view.SmoothIdou
                             ? std::clamp<qint64>(now - moveStartTime_[i], 0, kMoveMilliseconds)
                             : kMoveMilliseconds;
        bool reached = false;
        if (i == 2) {
            const qint64 start = static_cast<qint64>(moveStart_[2]);
            const qint64 target = static_cast<qint64>(moveTarget_[2]);
            view.Zoom = static_cast<int>(((kMoveMilliseconds - f) * start + f * target) /
                                         kMoveMilliseconds);
            reached = view.Zoom == target;
        } else {
            double value =
                ((kMoveMilliseconds - f) * moveStart_[i] + f * moveTarget_[i]) / kMoveMilliseconds;
            reached = value == moveTarget_[i];
            if (i == 0 && value >= 3600) value -= 3600;
            (i == 0 ? view.Houi2 : view.Koudo2) = value;
        }
        if (f >= kMoveMilliseconds || reached) activeMoves_ &= ~bit;
    }
}

QRect MainWindow::PrepareFrame() {
    auto& view = program_.view;
    const qint64 t0 = Now();
    paintStart_ = t0;
    StartPendingMoves(t0);
    AdvanceMoves(t0);

    const QSize area = skyView_->size();
    QImage& bitmap = skyView_->skyBitmap_;
    // On a HiDPI screen the picture has that many device pixels per logical pixel (whole
    // ratios; a fractional one is drawn at the next whole ratio and scaled down by Qt).
    const int ratio =
        std::max(1, static_cast<int>(std::ceil(skyView_->devicePixelRatioF() - 0.01)));
    const QSize logical = bitmap.deviceIndependentSize().toSize();
    if (logical.width() < area.width() || logical.height() < area.height() ||
        bitmap.devicePixelRatio() != ratio) {
        // Grown in the outgrown direction only, so that the other keeps its margin. When the
        // memory cannot be had the old picture stays and shows its middle part.
        QImage grown(area.expandedTo(logical) * ratio, QImage::Format_RGB32);
        if (!grown.isNull()) {
            grown.setDevicePixelRatio(ratio);
            bitmap = std::move(grown);
            bitmap.fill(Qt::black);
            view.ViewChanged = true;
        }
    }
    const int halfWidth = (area.width() + 1) / 2;
    const int halfHeight = (area.height() + 1) / 2;

    // While a page is printed the window shows its last picture; the frame follows after.
    if (view.ViewChanged && !files_->printing()) {
        view.ViewChanged = false;
        if (activeMoves_ == 0 && !dragged_) RunNarrationCheck();
        if (view.BrightAuto) view.DrawStars = render::AutoStarLevelOf(view) - 40;
        if (hooks_.renderSky) {
            frameFacts_ = hooks_.renderSky(bitmap, program_, halfWidth, halfHeight);
        } else {
            frameFacts_ = Painter().Paint(bitmap, area.width(), area.height(), activeMoves_ != 0);
        }
        ++skyView_->renderCount_;
        RefreshStatusBar();
        RefreshMenus();
        toolWindows_->SkyFrameDrawn();
    }

    // The part of the picture that the window shows, in the picture's own pixels.
    const QSize size = bitmap.deviceIndependentSize().toSize();
    const int scale = static_cast<int>(bitmap.devicePixelRatio());
    const QPoint origin(size.width() / 2 - area.width() / 2, size.height() / 2 - area.height() / 2);
    return QRect(origin * scale, area * scale);
}

void MainWindow::FinishFrame() {
    auto& view = program_.view;
    lastPaintTime_ = Now() - paintStart_;

    if (activeMoves_ != 0) {
        view.ViewChanged = true;
        skyView_->update();
    }
}

// --- Timer 1 ---------------------------------------------------------------------------------

void MainWindow::StepFastClocking() {
    auto& view = program_.view;
    auto& options = program_.options;
    autoTick_ += 1;
    if (autoTick_ < options.Interval) return;
    const int sum = options.AutoYear + options.AutoMonth + options.AutoDay + options.AutoHour +
                    options.AutoMinit;
    const bool zeroStep = sum == 0;
    if (options.Interval == 0 || zeroStep) {
        view.AutoRunning = false;
        RefreshStatusBar();
        RefreshMenus();
    }
    autoTick_ = 0;
    if (zeroStep) return;
    const int sign = options.AutoBack ? -1 : 1;
    astro::AddToClock(view, sign * options.AutoYear, sign * options.AutoMonth,
                      sign * options.AutoDay, sign * options.AutoHour, sign * options.AutoMinit);
    Redraw();
}

// After a second without mouse movement the object under the cursor is named; the tip goes
// when the mouse moves off, when nothing is there, or after about ten seconds.
void MainWindow::HoverTick() {
    if (hoverTicks_ == -1) return;
    if (++hoverTicks_ < 10) return;
    const ObjectHit hit = ObjectAt(hoverPoint_);
    const bool moved = tipShown_ && hoverPoint_ != tipPoint_;
    // Trace points are no objects of their own, but they are named.
    if (moved || hit.name.empty()) {
        HideTooltip();
        return;
    }
    const QString name = QString::fromStdString(hit.name);
    if (!tipShown_ || name != tipText_) {
        tipText_ = name;
        tipPoint_ = hoverPoint_;
        const QPoint cursor = skyView_->mapToGlobal(QPoint(
            hoverPoint_.x() + skyView_->width() / 2, hoverPoint_.y() + skyView_->height() / 2));
        tooltip_->ShowAt(name, cursor, frameGeometry(), QString::fromStdString(hit.picture),
                         MoonElongation());
        tipShown_ = true;
        hoverTicks_ = 10;
    } else if (hoverTicks_ > 99) {
        HideTooltip();
    }
}

void MainWindow::TimerTick() {
    auto& view = program_.view;
    HoverTick();
    if (painter_) painter_->FlushPlanetsLocation(Now(), false);
    if (view.Keisanji == 3) {
        PostCommand(321);
        return;
    }
    if (view.AutoRunning && program_.options.AutoType == 0) {
        StepFastClocking();
        openDialogs_.ViewStateChanged();
    }
}

// --- Mouse and keys --------------------------------------------------------------------------

QPoint MainWindow::SkyPoint(const QPointF& position) const {
    const QPoint p = position.toPoint();
    return {p.x() - skyView_->width() / 2, p.y() - skyView_->height() / 2};
}

void MainWindow::ScreenSaverInput() {
    close();
}

void MainWindow::MouseMoved(QPoint point) {
    auto& view = program_.view;
    if (view.ScreenSaverMode) {
        if (++screenSaverMoves_ >= 16) close();
        return;
    }
    if (point != hoverPoint_ && !tipShown_) hoverTicks_ = 0;
    hoverPoint_ = point;
    if (!dragging_) return;
    if (view.Tracking) {
        view.Tracking = false;
        RefreshStatusBar();
        RefreshMenus();
    }
    if (astro::DragView(view, Tables(), lastPoint_.x(), lastPoint_.y(), point.x(), point.y())) {
        dragged_ = true;
        Redraw();
    }
    lastPoint_ = point;
}

void MainWindow::LeftDown(QPoint point) {
    dragging_ = true;
    program_.view.TrackingSuppressed = true;
    dragged_ = false;
    lastPoint_ = clickPoint_ = point;
}

void MainWindow::LeftUp() {
    dragging_ = false;
    program_.view.TrackingSuppressed = false;
    if (dragged_) {
        RunNarrationCheck();
    } else {
        NameStarAt(clickPoint_);
    }
    dragged_ = false;
}

QMenu* MainWindow::BuildContextMenu(const ObjectHit& hit) {
    QMenu* menu =
        menus_.BuildTransientPopup(this, fullScreen_ ? FullScreenPopupRows() : PopupRows());
    const QList<QAction*> items = menu->actions();
    const bool starDialogOpen = openDialogs_.Find(dialogs::DialogKind::StarSet) != nullptr;
    for (int command : ContextMenuRemovals(hit, starDialogOpen)) {
        for (int i = 0; i < items.size(); ++i) {
            if (items[i]->data().toInt() != command || items[i]->isSeparator()) continue;
            menu->removeAction(items[i]);
            // Set Tracking and Name a Star take the separator above them along.
            if ((command == 416 || command == 40057) && i > 0 && items[i - 1]->isSeparator())
                menu->removeAction(items[i - 1]);
        }
    }
    return menu;
}

void MainWindow::RightDown(QPoint point, QPoint globalPosition) {
    clickPoint_ = point;
    QMenu* menu = BuildContextMenu(ObjectAt(point));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

bool MainWindow::HandleKey(QKeyEvent* event) {
    if (program_.view.ScreenSaverMode) {
        close();
        return true;
    }
    const int command =
        AcceleratorCommand(event->key(), event->modifiers(), event->nativeScanCode());
    if (command == 0) return false;
    Command(command);
    return true;
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event)) QMainWindow::keyPressEvent(event);
}

// --- Files -----------------------------------------------------------------------------------

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    OpenDroppedFile(urls.first().toLocalFile());
}

void MainWindow::OpenDroppedFile(const QString& path) {
    if (path.isEmpty() || path.size() > kMaxDroppedPath) return;
    const QFileInfo info(path);
    if (!info.isFile()) return;
    OpenViewFileWithPrompts(path.toStdString());
}

void MainWindow::OpenViewFileMessage(const std::string& path, int flags) {
    state::ShowMessage({path, path, state::MessageIcon::Information, state::MessageButtons::Ok});
    OpenViewFileWithPrompts(path);
    if (flags & 1) {
        if (!program_.options.PlanetWnd) Command(149);
        if (!program_.options.MoonWnd) Command(40011);
    }
}

// --- Window ----------------------------------------------------------------------------------

void MainWindow::SetFullScreen(bool on) {
    if (on == fullScreen_) return;
    fullScreen_ = on;
    if (on) {
        savedMaximised_ = isMaximized();
        savedRect_ = savedMaximised_ ? normalGeometry() : geometry();
        toolbar_->bar()->hide();
        statusBar_->hide();
        menuBar()->hide();
        if (program_.view.ScreenSaverMode) {
            CoverWholeDesktop();
        } else {
            setGeometry(platform::MonitorNearest(frameGeometry().center()));
            showFullScreen();
        }
    } else {
        showNormal();
        setGeometry(savedRect_);
        if (savedMaximised_) showMaximized();
        menuBar()->show();
        toolbar_->bar()->setVisible(program_.options.ToolBar);
        statusBar_->setVisible(program_.options.StatusBar);
    }
    Redraw();
}

// A screen saver covers every monitor, above every window and panel, and takes the keyboard so
// that any key reaches it (and ends it); the mouse is over it wherever it is.
void MainWindow::CoverWholeDesktop() {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::X11BypassWindowManagerHint);
    setGeometry(platform::WholeDesktop());
    show();
    raise();
    activateWindow();
    skyView_->setFocus();
    skyView_->grabKeyboard();
}

void MainWindow::ShowToolbar(bool on) {
    if (!fullScreen_) toolbar_->bar()->setVisible(on);
}

void MainWindow::ShowStatusBar(bool on) {
    if (!fullScreen_) statusBar_->setVisible(on);
}

int MainWindow::AreaWidth() const {
    return skyView_->width();
}

int MainWindow::AreaHeight() const {
    return skyView_->height();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (painter_) painter_->FlushPlanetsLocation(Now(), true);
    if (!program_.view.ScreenSaverMode) {
        if (fullScreen_) SetFullScreen(false);
        SaveSettingsOnClose(program_, *this);
    }
    timer1_.stop();
    event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && program_.view.ScreenSaverMode &&
        !isActiveWindow())
        close();
}

// --- CommandHost -----------------------------------------------------------------------------

void MainWindow::Redraw() {
    program_.view.ViewChanged = true;
    skyView_->update();
}

void MainWindow::RefreshMenus() {
    shell::RefreshMenus(program_.view, program_.options, menus_, *toolbar_, menuMemory_);
}

void MainWindow::RefreshStatusBar() {
    statusBar_->SetTexts(
        MakeStatusTexts(program_.view, program_.options, BuiltinCityOf(), frameFacts_));
    statusBar_->SetEquatorMode(program_.view.SekidouMod != 0);
}

void MainWindow::MoveSmoothly(int bits, double azimuth, double altitude, int zoom) {
    auto& view = program_.view;
    if (bits & state::kMoveAzimuth) view.MoveTargetHoui2 = azimuth;
    if (bits & state::kMoveAltitude) view.MoveTargetKoudo2 = altitude;
    if (bits & state::kMoveZoom) view.MoveTargetZoom = zoom;
    view.PendingMoves |= bits;
    Redraw();
}

bool MainWindow::TrackObjectAtClick() {
    const ObjectHit hit = ObjectAt(clickPoint_);
    if (!hit.found) return false;
    auto& view = program_.view;
    CenterOnObject(astro::ObjectRef{hit.kind, hit.index}, false);
    view.TrackedKind = hit.kind;
    view.TrackedIndex = hit.index;
    view.Tracking = true;
    Redraw();
    return true;
}

ObjectHit MainWindow::ObjectAt(QPoint point, bool forDialog) {
    if (hooks_.objectAt) return hooks_.objectAt(point.x(), point.y());
    if (!painter_ || !painter_->painted()) return {};
    const render::SkyScene& scene = painter_->scene();
    const render::SkyHit hit = render::FindObjectAt(scene, point.x(), point.y(), forDialog);
    const render::InfoCard card = render::InfoCardOf(scene, hit, dialogs::BitmapResourceExists);
    const astro::ObjectRef object = render::ObjectOfHit(hit);
    return ObjectHit{object.kind >= 0, object.kind, object.index, card.line, card.picture};
}

double MainWindow::MoonElongation() const {
    return painter_ ? painter_->scene().bodies.MoonElongation : 0.0;
}

void MainWindow::ShowObjectInfoAtClick(bool telescopeView) {
    if (!painter_ || !painter_->painted()) return;
    const render::SkyScene& scene = painter_->scene();
    const render::SkyHit hit = render::FindObjectAt(scene, clickPoint_.x(), clickPoint_.y(), true);
    const astro::ObjectRef object = render::ObjectOfHit(hit);
    if (object.kind < 0) return;
    if (telescopeView) {
        TelescopeView(object);
        return;
    }
    dialogs::ShowInfoCard(render::InfoCardOf(scene, hit, dialogs::BitmapResourceExists), this,
                          MoonElongation(), [this, object] { TelescopeView(object); });
}

void MainWindow::ShowConstellationAtClick() {
    if (!painter_ || !painter_->painted()) return;
    const int constellation =
        render::ConstellationAt(painter_->scene(), clickPoint_.x(), clickPoint_.y());
    if (constellation >= 0)
        dialogs::ShowInfoCard(render::ConstellationCard(program_.data, constellation), this);
}

void MainWindow::NameStarAtClick() {
    NameStarAt(clickPoint_);
}

void MainWindow::NameStarAt(QPoint point) {
    auto* dialog =
        static_cast<dialogs::StarNameDialog*>(openDialogs_.Find(dialogs::DialogKind::StarSet));
    if (!dialog) return;
    const ObjectHit hit = ObjectAt(point);
    if (hit.found && hit.kind == astro::kStarObject)
        dialog->PickStar(static_cast<uint32_t>(hit.index));
}

void MainWindow::TelescopeView(astro::ObjectRef object) {
    auto& view = program_.view;
    view.Tracking = false;
    // Centred at the telescope's zoom, where a pixel is a finer step than at the sky's.
    const int zoom = view.Zoom;
    const int telescope = std::max(zoom, kTelescopeZoom);
    view.Zoom = telescope;
    CenterOnObject(object, true);
    view.Zoom = zoom;
    if (telescope != zoom) MoveSmoothly(state::kMoveZoom, 0, 0, telescope);
    ViewStateWritten();
}

int MainWindow::CenterOnObject(astro::ObjectRef object, bool interactive) {
    return Painter().CenterOnObject(object, interactive);
}

void MainWindow::ColoursChanged() {
    if (painter_) painter_->RebuildPalette();
    toolWindows_->ColoursChanged();
    Redraw();
}

void MainWindow::RunFileCommand(int command) {
    files_->Run(command);
}

void MainWindow::OpenViewFileWithPrompts(const std::string& path) {
    if (hooks_.openViewFile) {
        hooks_.openViewFile(path);
    } else {
        OpenViewFile(program_, path, true);
    }
    Redraw();
    RefreshStatusBar();
    RefreshMenus();
    openDialogs_.ViewStateChanged();
}

const astro::ProjectionTables& MainWindow::Tables() const {
    if (hooks_.tables.sincos) return hooks_.tables;
    if (!tablesFromData_) {
        const auto& data = program_.data;
        const auto& sincos = data.block(persist::BlockId::SINCOS);
        const auto& zbi = data.block(persist::BlockId::ZBI);
        const auto& zbi2 = data.block(persist::BlockId::ZBI2);
        if (sincos.loaded && zbi.loaded && zbi2.loaded) {
            if (auto store =
                    astro::DecodeProjectionTables(sincos.bytes(), zbi.bytes(), zbi2.bytes())) {
                tableStore_ = std::move(*store);
                tables_ = tableStore_.view();
                tablesFromData_ = true;
            }
        }
    }
    // Until a data set is there, the tables are built as the data-set builder builds them.
    if (!tables_.sincos) {
        tableStore_ = astro::BuildProjectionTables();
        tables_ = tableStore_.view();
    }
    return tables_;
}

std::span<const state::CityRecord> MainWindow::BuiltinCities() const {
    if (!hooks_.builtinCities.empty()) return hooks_.builtinCities;
    const auto& block = program_.data.block(persist::BlockId::CITY);
    if (block.loaded && cities_.empty()) {
        const auto records = block.records<state::CityRecord>();
        for (std::size_t i = 0; i < records.count(); ++i)
            cities_.push_back(records.at(i));
    }
    return cities_;
}

SkyPainter& MainWindow::Painter() {
    if (!painter_) {
        painter_ = std::make_unique<SkyPainter>(program_, &program_.data, Tables(),
                                                program_.options.GscPath);
        menus_.SetStarCounts(painter_->stars().countByLevel);
    }
    return *painter_;
}

render::BuiltinCityLookup MainWindow::BuiltinCityOf() const {
    return [cities = BuiltinCities()](int index) -> std::optional<state::CityRecord> {
        if (index < 0 || static_cast<std::size_t>(index) >= cities.size()) return std::nullopt;
        return cities[index];
    };
}

void MainWindow::ShowTimeStepMenu() {
    QMenu* menu = menus_.BuildTransientPopup(this, TimeStepRows());
    for (QAction* action : menu->actions())
        action->setChecked(action->data().toInt() == 40071 + program_.view.IncTime);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QPoint below = mapToGlobal(QPoint(0, 0));
    if (QAction* button = toolbar_->Button(40070)) {
        if (QWidget* widget = toolbar_->bar()->widgetForAction(button))
            below = widget->mapToGlobal(QPoint(0, widget->height()));
    }
    menu->popup(below);
}

void MainWindow::HideTooltip() {
    tooltip_->hide();
    tipShown_ = false;
    tipText_ = QStringLiteral("Dummy");
    // The next tip waits for the mouse to move and rest again.
    hoverTicks_ = -1;
}

void MainWindow::RunNarrationCheck() {
    if (hooks_.narrationCheck) {
        hooks_.narrationCheck();
    } else {
        RunNarration(program_);
    }
}

void MainWindow::RebuildUserCityMenu() {
    std::vector<std::string> names;
    const auto& options = program_.options;
    for (int i = 0; i < options.UserCitys && i < state::kUserCityLimit; ++i) {
        // An "&" in a name is shown, not taken as the item's key.
        QString name = QString::fromStdString(state::UserCityName(options.userCities[i]));
        names.push_back(name.replace(u'&', QStringLiteral("&&")).toStdString());
    }
    menus_.SetUserCities(names);
}

void MainWindow::PresetAutoTick() {
    autoTick_ = std::max(0, program_.options.Interval - 1);
}

void MainWindow::PostCommand(int command) {
    QMetaObject::invokeMethod(
        this, [this, command] { Command(command); }, Qt::QueuedConnection);
}

void MainWindow::WriteSaveDefault() {
    persist::WriteSaveDefault(program_.options);
}

void MainWindow::SaveDisplaySettings() {
    persist::SaveDisplaySettings(program_.view);
}

void MainWindow::ShowAbout() {
    auto* about = new dialogs::AboutDialog(
        program_.dataDirectory, [this] { OpenHelp({}); }, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setModal(true);
    about->show();
}

void MainWindow::OpenHelp(const std::string& topic) {
    if (hooks_.openHelp) {
        hooks_.openHelp(topic);
    } else {
        platform::OpenHelpTopic(topic);
    }
}

void MainWindow::OpenDialog(dialogs::DialogKind kind) {
    if (dialogs::RunModalDialog(kind, program_, *this)) return;
    openDialogs_.Open(kind, [this, kind] { return dialogs::CreateDialog(kind, program_, *this); });
}

void MainWindow::ViewStateWritten() {
    Redraw();
    RefreshStatusBar();
    RefreshMenus();
    openDialogs_.ViewStateChanged();
}

void MainWindow::RunUserCityCommand(int command) {
    const bool changed = command == 105 ? dialogs::AddUserCity(program_, BuiltinCities(), this)
                                        : dialogs::EditUserCities(program_, this);
    if (!changed) return;
    persist::SaveUserCities(program_.options);
    RebuildUserCityMenu();
    auto& view = program_.view;
    view.CurrentCity =
        astro::FindCity(BuiltinCities(), program_.options, view.Ido2, view.Keido2, view.TimeZone);
    RefreshStatusBar();
    RefreshMenus();
}

void MainWindow::RunExternal(int entry) {
    for (const ExternalProgram& program : externalPrograms_)
        if (program.number == entry) RunExternalProgram(program);
}

}  // namespace shell

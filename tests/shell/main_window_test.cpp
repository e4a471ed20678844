// The main window: smooth moves, the off-screen picture, timer 1, the mouse, the menu marks, the
// toolbar layouts, the status bar, the context menu and dropped files.
#include <QtTest>

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolTip>

#include "persist/paths.h"
#include "persist/profile.h"
#include "platform/help.h"
#include "shell/external_programs.h"
#include "shell/main_window.h"
#include "shell/menus.h"
#include "shell/toolbar.h"
#include "state/messages.h"

using shell::MainWindow;

namespace {

QList<int> Commands(QMenu* menu) {
    QList<int> list;
    for (QAction* action : menu->actions())
        list.append(action->isSeparator() ? -1 : action->data().toInt());
    return list;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<shell::Program> program;
    std::unique_ptr<MainWindow> window;
    qint64 now = 100000;
    int renders = 0;
    int helpOpened = 0;

    void Paint() { window->skyView()->repaint(); }
    // A cheap picture unless a test asks for the real sky; help never starts a viewer.
    void Make(shell::MainWindowHooks hooks = {}, bool realSky = false) {
        if (!hooks.renderSky && !realSky)
            hooks.renderSky = [](QImage& bitmap, shell::Program&, int, int) {
                bitmap.fill(Qt::black);
                return shell::FrameFacts{};
            };
        if (!hooks.openHelp) hooks.openHelp = [this](const std::string&) { ++helpOpened; };
        window = std::make_unique<MainWindow>(*program, std::move(hooks));
        window->SetMillisecondClock([this] { return now; });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        Paint();
    }
    bool Checked(int command) { return window->menus().FirstAction(command)->isChecked(); }

    QTemporaryDir home;

  private slots:
    void initTestCase() {
        // Settings writes land in a folder of this test's own.
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
    }

    void init() {
        program = std::make_unique<shell::Program>();
        now = 100000;
        renders = 0;
        helpOpened = 0;
        state::SetMessageHandler([](const state::Message&) { return state::MessageAnswer::Ok; });
    }
    void cleanup() {
        window.reset();
        program.reset();
        state::SetMessageHandler({});
    }

    void turnFrom3500To100GoesThroughSouth() {
        Make();
        auto& v = program->view;
        v.Houi2 = 3500;
        window->MoveSmoothly(state::kMoveAzimuth, 100, 0, 0);
        Paint();  // starts the move: no time has passed
        QCOMPARE(v.Houi2, 3500.0);
        now += 100;
        Paint();
        QCOMPARE(v.Houi2, 3540.0);
        now += 150;
        Paint();
        QCOMPARE(v.Houi2, 0.0);
        now += 150;
        Paint();
        QCOMPARE(v.Houi2, 60.0);
        QVERIFY(window->activeMoves() != 0);
        now += 100;
        Paint();
        QCOMPARE(v.Houi2, 100.0);
        QCOMPARE(window->activeMoves(), 0);
        QVERIFY(!v.ViewChanged || window->activeMoves() == 0);
    }

    void turnFrom100To3500GoesBackThroughSouth() {
        Make();
        auto& v = program->view;
        v.Houi2 = 100;
        window->MoveSmoothly(state::kMoveAzimuth, 3500, 0, 0);
        Paint();
        now += 250;
        Paint();
        QCOMPARE(v.Houi2, 0.0);
        now += 250;
        Paint();
        QCOMPARE(v.Houi2, 3500.0);
    }

    void smoothZoomUsesWholeNumbers() {
        Make();
        auto& v = program->view;
        v.Zoom = 80;
        window->Command(40054);  // 600 %
        Paint();
        now += 123;
        Paint();
        QCOMPARE(v.Zoom, int((377 * 80 + 123 * 600) / 500));
        now += 1000;
        Paint();
        QCOMPARE(v.Zoom, 600);
    }

    void withoutSmoothMovesAMoveEndsInOnePaint() {
        program->view.SmoothIdou = 0;
        Make();
        auto& v = program->view;
        window->Command(400);
        window->Command(40060);
        QVERIFY(window->pendingMoves() != 0);
        Paint();
        QCOMPARE(v.Houi2, 1800.0);
        QCOMPARE(v.Koudo2, 900.0);
        QCOMPARE(window->activeMoves(), 0);
    }

    void aMoveToWhereTheViewIsStartsNothing() {
        Make();
        program->view.Houi2 = 1800;
        window->Command(400);
        QCOMPARE(window->pendingMoves(), 0);
    }

    void bitmapIsKeptWhenShrinkingAndReplacedWhenOutgrown() {
        Make();
        const QSize screen = window->screen()->size();
        window->resize(300, 200);
        Paint();
        QCOMPARE(window->skyView()->skyBitmap().size(), screen);
        const uchar* key = window->skyView()->skyBitmap().constBits();
        const int renders = window->skyView()->renderCount();
        const int height = window->skyView()->height();
        window->resize(window->width(), window->height() - 100);
        QTRY_VERIFY(window->skyView()->height() < height);
        Paint();
        QCOMPARE(window->skyView()->skyBitmap().constBits(), key);
        // A new size draws a new frame into the same picture.
        QCOMPARE(window->skyView()->renderCount(), renders + 1);
        window->resize(screen.width() + 200, screen.height() + 300);
        QTRY_COMPARE(window->skyView()->width() > screen.width(), true);
        Paint();
        QCOMPARE(window->skyView()->skyBitmap().size(),
                 window->skyView()->size().expandedTo(screen));
        QVERIFY(window->skyView()->skyBitmap().constBits() != key);
    }

    void exposureAndMouseMovesOnlyCopyThePicture() {
        shell::MainWindowHooks hooks;
        hooks.renderSky = [this](QImage& bitmap, shell::Program&, int, int) {
            ++renders;
            bitmap.fill(Qt::darkBlue);
            return shell::FrameFacts{};
        };
        Make(hooks);
        const int before = renders;
        QTest::mouseMove(window->skyView(), QPoint(10, 10));
        QTest::mouseMove(window->skyView(), QPoint(40, 30));
        Paint();
        Paint();
        QCOMPARE(renders, before);
        QCOMPARE(window->skyView()->grab().toImage().pixelColor(5, 5), QColor(Qt::darkBlue));
        window->Command(208);
        Paint();
        QCOMPARE(renders, before + 1);
    }

    void dragTurnsTheSkyAndRendersOncePerMove() {
        shell::MainWindowHooks hooks;
        hooks.renderSky = [this](QImage&, shell::Program&, int, int) {
            ++renders;
            return shell::FrameFacts{};
        };
        Make(hooks);
        auto& v = program->view;
        v.Houi2 = 1000;
        v.Koudo2 = 300;
        v.Tracking = true;
        QWidget* sky = window->skyView();
        const QPoint centre(sky->width() / 2, sky->height() / 2);
        QTest::mousePress(sky, Qt::LeftButton, {}, centre);
        const int before = renders;
        for (int step = 1; step <= 4; ++step) {
            QMouseEvent move(QEvent::MouseMove, QPointF(centre + QPoint(20 * step, 0)),
                             sky->mapToGlobal(QPointF(centre + QPoint(20 * step, 0))), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(sky, &move);
            Paint();
        }
        QTest::mouseRelease(sky, Qt::LeftButton, {}, centre + QPoint(80, 0));
        QVERIFY(!v.Tracking);
        QVERIFY(v.Houi2 != 1000.0);
        QVERIFY(renders - before <= 4);
        QVERIFY(renders - before >= 1);
        // Moving without the button turns nothing.
        const double azimuth = v.Houi2;
        QTest::mouseMove(sky, centre + QPoint(-50, 10));
        QCOMPARE(v.Houi2, azimuth);
    }

    void centringOnAClickedPointMovesSmoothly() {
        Make();
        auto& v = program->view;
        v.Houi2 = 1000;
        v.Koudo2 = 300;
        v.DblClick = 0;
        QWidget* sky = window->skyView();
        QTest::mouseDClick(sky, Qt::LeftButton, {},
                           QPoint(sky->width() / 2 + 100, sky->height() / 2));
        QCoreApplication::processEvents();
        QVERIFY(window->pendingMoves() != 0);
        QCOMPARE(v.Houi2, 1000.0);
        Paint();
        now += 600;
        Paint();
        QVERIFY(std::abs(v.Houi2 - 1000.0) > 10);
        QCOMPARE(window->activeMoves(), 0);
    }

    void theRealSkyIsDrawnAndDescribed() {
        // A few bright stars around ecliptic longitude and latitude 0, where the view looks.
        std::vector<persist::StarRecord> stars;
        for (int i = 0; i < 40; ++i)
            stars.push_back({static_cast<int16_t>((i * 97) % 1200 - 600),
                             static_cast<int16_t>((i * 53) % 800 - 400), 0, 0, 25, 'G'});
        auto& block = program->data.block(persist::BlockId::STAR2);
        block.size = stars.size() * sizeof stars[0];
        block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
        std::memcpy(block.storage.data(), stars.data(), block.size);
        block.loaded = true;
        auto& alpha = program->data.block(persist::BlockId::ALPHA);
        alpha.size = stars.size() * 10;
        alpha.storage.assign(alpha.size + persist::kBlockSpareBytes, 0);
        alpha.loaded = true;
        program->data.brightStarCount = stars.size();
        program->view.clock = {2026, 12, 6, 22, 0};
        program->view.SekidouMod = 1;
        program->view.Houi2 = 0;
        program->view.Koudo2 = 0;
        Make({}, true);
        const QImage picture = window->skyView()->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours.size() > 2);
        // The Brightness menu counts the catalogue's stars.
        QVERIFY(window->menus().FirstAction(2001)->text().contains("40 stars"));
        const auto& texts = window->statusPanes()->texts();
        QVERIFY(QString::fromStdString(texts[1]).startsWith("Age "));
        QVERIFY(texts[2].starts_with("Mag") || texts[2] == " ----");
    }

    void tooltipNamesTheObjectUnderARestingMouse() {
        shell::MainWindowHooks hooks;
        hooks.objectAt = [](int x, int) {
            if (x < 0) return shell::ObjectHit{};
            return shell::ObjectHit{true, 1, 0, x < 50 ? "Sirius" : "Canopus", {}};
        };
        Make(hooks);
        QWidget* sky = window->skyView();
        const QPoint centre(sky->width() / 2, sky->height() / 2);
        auto move = [&](QPoint offset) {
            QMouseEvent event(QEvent::MouseMove, QPointF(centre + offset),
                              sky->mapToGlobal(QPointF(centre + offset)), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(sky, &event);
        };
        move({10, 5});
        for (int i = 0; i < 9; ++i)
            window->TimerTick();
        QVERIFY(!window->tooltip()->isVisible());
        window->TimerTick();
        QVERIFY(window->tooltip()->isVisible());
        QCOMPARE(window->tooltip()->text(), QString("Sirius"));
        // About ten seconds on the same object, then the tip goes.
        for (int i = 0; i < 85; ++i)
            window->TimerTick();
        QVERIFY(window->tooltip()->isVisible());
        for (int i = 0; i < 10; ++i)
            window->TimerTick();
        QVERIFY(!window->tooltip()->isVisible());
        // Moving off the shown object hides the tip at the next tick.
        move({60, 5});
        for (int i = 0; i < 10; ++i)
            window->TimerTick();
        QCOMPARE(window->tooltip()->text(), QString("Canopus"));
        move({70, 5});
        window->TimerTick();
        QVERIFY(!window->tooltip()->isVisible());
        // Nothing under the cursor: no tip; a command hides a shown one.
        move({-20, 5});
        for (int i = 0; i < 12; ++i)
            window->TimerTick();
        QVERIFY(!window->tooltip()->isVisible());
        move({20, 5});
        for (int i = 0; i < 10; ++i)
            window->TimerTick();
        QVERIFY(window->tooltip()->isVisible());
        window->Command(208);
        QVERIFY(!window->tooltip()->isVisible());
    }

    void trackingTakesTheObjectUnderTheClick() {
        shell::MainWindowHooks hooks;
        hooks.objectAt = [](int x, int) {
            return x > 0 ? shell::ObjectHit{true, 3, 7, "M 42", {}} : shell::ObjectHit{};
        };
        std::vector<state::Message> messages;
        state::SetMessageHandler([&messages](const state::Message& m) {
            messages.push_back(m);
            return state::MessageAnswer::Ok;
        });
        Make(hooks);
        QTest::mouseClick(window->skyView(), Qt::LeftButton, {},
                          QPoint(window->skyView()->width() / 2 + 40, 50));
        window->Command(416);
        QVERIFY(program->view.Tracking);
        QCOMPARE(program->view.TrackedKind, 3);
        QCOMPARE(program->view.TrackedIndex, 7);
        QVERIFY(window->menus().FirstAction(415)->isEnabled());
        QCOMPARE(window->statusPanes()->texts()[10], std::string("C"));
        window->Command(415);
        QVERIFY(!program->view.Tracking);
        QTest::mouseClick(window->skyView(), Qt::LeftButton, {}, QPoint(10, 50));
        window->Command(416);
        QVERIFY(!program->view.Tracking);
        QCOMPARE(messages.size(), std::size_t(1));
    }

    void tooltipStaysInsideTheWindow() {
        const QRect owner(100, 100, 800, 600);
        auto plain = shell::PlaceTooltip({300, 300}, {50, 12}, owner, false);
        QCOMPARE(plain.rect, QRect(300, 320, 56, 15));
        QVERIFY(!plain.movedLeft && !plain.movedUp);
        auto right = shell::PlaceTooltip({880, 300}, {50, 12}, owner, false);
        QCOMPARE(right.rect.right() + 1, 892);
        QVERIFY(right.movedLeft);
        auto low = shell::PlaceTooltip({300, 660}, {50, 12}, owner, false);
        QCOMPARE(low.rect.top(), 644);
        QVERIFY(low.movedUp);
        // Room for a picture below the tip counts too.
        QVERIFY(shell::PlaceTooltip({300, 560}, {50, 12}, owner, true).movedUp);
        QVERIFY(!shell::PlaceTooltip({300, 560}, {50, 12}, owner, false).movedUp);
    }

    void realTimeTicksReadTheClock() {
        Make();
        auto& v = program->view;
        v.Keisanji = 3;
        v.clock = {1900, 1, 1, 0, 0};
        window->TimerTick();
        QCoreApplication::processEvents();
        QVERIFY(v.clock.year >= 2020);
    }

    void fastClockingStepsEveryIntervalTicks() {
        Make();
        auto& v = program->view;
        auto& o = program->options;
        o.AutoType = 0;
        o.AutoMinit = 3;
        o.AutoHour = 1;
        o.Interval = 2;
        v.clock = {2000, 1, 1, 23, 58};
        window->Command(331);
        QVERIFY(v.AutoRunning);
        window->TimerTick();  // the first step comes at once
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 2, 1, 1}));
        window->TimerTick();
        QCOMPARE(v.clock.minute, 1);
        window->TimerTick();
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 2, 2, 4}));
        o.AutoBack = 1;
        window->TimerTick();
        window->TimerTick();
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 2, 1, 1}));
        window->Command(331);
        QVERIFY(!v.AutoRunning);
    }

    void aZeroStepStopsFastClocking() {
        Make();
        auto& v = program->view;
        auto& o = program->options;
        o.AutoMinit = 0;
        o.Interval = 1;
        v.clock = {2000, 1, 1, 12, 0};
        window->Command(331);
        window->TimerTick();
        QVERIFY(!v.AutoRunning);
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 1, 12, 0}));
        QCOMPARE(window->menus().FirstAction(331)->text(), QString("F&ast Clocking ON\tA"));
    }

    void anIntervalOfZeroMakesOneStepAndStops() {
        Make();
        auto& v = program->view;
        program->options.Interval = 0;
        program->options.AutoMinit = 5;
        v.clock = {2000, 1, 1, 12, 0};
        window->Command(331);
        window->TimerTick();
        QVERIFY(!v.AutoRunning);
        QCOMPARE(v.clock.minute, 5);
    }

    void menuMarksTellTheTruth() {
        Make();
        auto& v = program->view;
        v.Zoom = 100;
        window->RefreshMenus();
        QVERIFY(Checked(40044));
        v.Zoom = 90;
        window->RefreshMenus();
        for (int command = 40041; command <= 40054; ++command)
            QVERIFY(!Checked(command));
        v.Constella = 2;
        v.Keisanji = 1;
        v.DrawStars = 20;
        v.Glid = 0;
        v.Horizon = 0;
        window->RefreshMenus();
        QVERIFY(Checked(202));
        QVERIFY(!Checked(201));
        QVERIFY(Checked(301));
        QVERIFY(Checked(2021));
        QVERIFY(!Checked(1230));
        QVERIFY(!window->menus().FirstAction(1231)->isEnabled());
        QVERIFY(!window->menus().FirstAction(40014)->isEnabled());
        QVERIFY(!window->menus().FirstAction(415)->isEnabled());
        v.DrawStars = 17;  // no item for this value
        window->RefreshMenus();
        for (int command = 2001; command <= 2056; ++command)
            if (auto* action = window->menus().FirstAction(command)) QVERIFY(!action->isChecked());
        v.Keisanji = 3;
        window->RefreshMenus();
        QVERIFY(!window->menus().FirstAction(40068)->isEnabled());
        QVERIFY(!window->toolbar().Button(40069)->isEnabled());
        v.GscAvailable = false;
        v.UseGsc = 1;
        window->RefreshMenus();
        QVERIFY(!Checked(40039));
    }

    void toolbarPressedStates() {
        Make();
        auto& v = program->view;
        v.Constella = 0;
        v.Line = 1;
        v.Sekidou = 2;
        window->RefreshMenus();
        QVERIFY(!window->toolbar().Button(207)->isChecked());
        QVERIFY(window->toolbar().Button(251)->isChecked());
        window->Command(207);
        QVERIFY(window->toolbar().Button(207)->isChecked());
        window->Command(107);
        QVERIFY(window->toolbar().Button(271)->isChecked());
        QVERIFY(!window->toolbar().Button(272)->isChecked());
    }

    void equatorModeSwapsToolbarAndMenu() {
        Make();
        auto& bar = window->toolbar();
        QCOMPARE(bar.bar()->actions().size(), shell::kToolbarEntryCount);
        QVERIFY(bar.Button(400) && bar.Button(253) && !bar.Button(404));
        QVERIFY(window->menus().FirstAction(400)->isVisible());
        QVERIFY(!window->menus().FirstAction(404)->isVisible());
        QVERIFY(bar.Button(40015)->isEnabled());
        window->Command(107);
        QCOMPARE(bar.bar()->actions().size(), shell::kToolbarEntryCount);
        for (int command : {404, 405, 406, 407, 271, 272})
            QVERIFY(bar.Button(command));
        for (int command : {400, 401, 402, 403, 253, 40062})
            QVERIFY(!bar.Button(command));
        QVERIFY(!bar.Button(40015)->isEnabled());
        for (int command : {400, 401, 402, 403, 40060, 40061})
            QVERIFY(!window->menus().FirstAction(command)->isVisible());
        QCOMPARE(window->menus().FirstAction(404)->text(), QString("Celestial &North Pole\tN"));
        QVERIFY(window->menus().FirstAction(407)->isVisible());
        QVERIFY(Checked(107));
        window->Command(107);
        QVERIFY(bar.Button(402));
        QCOMPARE(window->menus().FirstAction(40060)->text(), QString("&Zenith\tHome"));
    }

    void timeStepButtonShowsTheStep() {
        Make();
        const auto layout = shell::ToolbarLayout(false, 13);
        bool found = false;
        for (const auto& entry : layout)
            if (entry.command == 40070) found = entry.image == 67;
        QVERIFY(found);
        window->Command(40071 + 13);
        QVERIFY(Checked(40084));
        QCOMPARE(window->toolbar().Button(40070)->toolTip(), QString("Increment Time"));
        QCOMPARE(window->toolbar().Button(207)->toolTip(), QString("Constellation Label(C)"));
    }

    void menuItemsAndButtonsRunTheirCommands() {
        Make();
        auto& v = program->view;
        window->menus().FirstAction(40084)->trigger();
        QCOMPARE(v.IncTime, 13);
        QVERIFY(Checked(40084));
        QVERIFY(!Checked(40071));
        v.Line = 1;
        window->toolbar().Button(251)->trigger();
        QCOMPARE(v.Line, 0);
        QVERIFY(!window->toolbar().Button(251)->isChecked());
        QVERIFY(!Checked(251));
        // A radio item chosen again keeps its mark, also where the command changes nothing.
        v.Zoom = 140;
        v.Keisanji = 0;
        v.BrightAuto = 0;
        v.DrawStars = 30;
        for (int command : {202, 202, 40046, 300, 2031}) {
            window->menus().FirstAction(command)->trigger();
            QVERIFY2(Checked(command), qPrintable(QString::number(command)));
        }
    }

    void escapeFromAMenuGivesTheKeysBackToTheSky() {
        Make();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QMenu* view = window->menus().TopMenu(1);
        window->menuBar()->setActiveAction(view->menuAction());
        QTRY_VERIFY(view->isVisible());
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(!view->isVisible());
        // The offscreen platform leaves the window to be activated again, as a desktop does.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTRY_COMPARE(QApplication::focusWidget(), window->skyView());
        program->view.Zoom = 100;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
        QCOMPARE(program->view.Zoom, 120);
    }

    // In every menu, in both view modes, no two shown items share an access letter.
    void accessLettersAreUniqueInEveryMenu() {
        Make();
        std::function<void(QMenu*)> check = [&](QMenu* menu) {
            QSet<QChar> letters;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator() || !action->isVisible()) continue;
                const QString text = action->text().section('\t', 0, 0).remove("&&");
                const int at = text.indexOf('&');
                if (at >= 0 && at + 1 < text.size()) {
                    const QChar letter = text[at + 1].toLower();
                    QVERIFY2(!letters.contains(letter), qPrintable(menu->title() + ": " + text));
                    letters.insert(letter);
                }
                if (action->menu()) check(action->menu());
            }
        };
        for (int mode = 0; mode < 2; ++mode) {
            for (int i = 0; QMenu* menu = window->menus().TopMenu(i); ++i)
                check(menu);
            window->Command(107);
            window->Command(147);  // the context menu of full screen the second time
            check(window->BuildContextMenu(shell::ObjectHit{true, 3, 0, {}, {}}));
        }
    }

    // Each pane of the status bar says what it shows, the direction panes by the view's mode.
    void statusPanesTellWhatTheyShow() {
        Make();
        window->resize(1000, 600);
        shell::StatusBar* bar = window->statusPanes();
        bar->LayoutPanes();
        const struct {
            int pane, equator;
            const char* words;
        } cases[] = {{0, 0, "time zone"},
                     {3, 0, "Azimuth"},
                     {3, 1, "Right ascension"},
                     {7, 0, "R real time"},
                     {11, 1, "equator mode"}};
        for (const auto& c : cases) {
            program->view.SekidouMod = c.equator;
            window->RefreshStatusBar();
            const int left = c.pane == 0 ? 0 : bar->rightEdges()[c.pane - 1];
            const QPoint at((left + bar->rightEdges()[c.pane]) / 2, bar->height() / 2);
            QHelpEvent help(QEvent::ToolTip, at, bar->mapToGlobal(at));
            QCoreApplication::sendEvent(bar, &help);
            QTRY_VERIFY2(QToolTip::text().contains(c.words), qPrintable(QToolTip::text()));
        }
    }

    void autoCaptionFollowsTheMode() {
        Make();
        auto& o = program->options;
        o.AutoType = 1;
        window->Command(331);
        QCOMPARE(window->menus().FirstAction(331)->text(), QString("Tr&acing Mode OFF\tA"));
        window->Command(331);
        QCOMPARE(window->menus().FirstAction(331)->text(), QString("Tr&acing Mode ON\tA"));
    }

    void statusBarTexts() {
        Make();
        auto& v = program->view;
        v.Ido2 = 410;
        v.Keido2 = 740;
        v.TimeZone = -300;
        v.Keisanji = 0;
        v.Dst = 1;
        v.Houi2 = 1234.5;
        v.Koudo2 = -45;
        v.clock = {2026, 3, 7, 9, 5};
        v.Tracking = false;
        v.AutoRunning = true;
        shell::FrameFacts facts{12.34, 95};
        const auto texts = shell::MakeStatusTexts(v, program->options, {}, facts);
        QCOMPARE(QString::fromStdString(texts[0]),
                 QString::fromUtf8("41.0\u00b0N\u00b774.0\u00b0W  GMT-4"));
        QCOMPARE(texts[1], std::string("Age 12.3"));
        QCOMPARE(texts[2], std::string("Mag 9.5"));
        QCOMPARE(texts[3], std::string("123.5"));
        QCOMPARE(texts[4], std::string(" -4.5"));
        QCOMPARE(texts[5], std::string("Mar 07,  2026"));
        QCOMPARE(texts[6], std::string("09:05"));
        QCOMPARE(texts[7], std::string("L"));
        QCOMPARE(texts[8], std::string("D"));
        QCOMPARE(texts[9], std::string("A"));
        QCOMPARE(texts[10], std::string(" "));
        QCOMPARE(texts[11], std::string(" "));
        v.SekidouMod = 1;
        v.Houi2 = 1874.6;  // 187.5 degrees = 12h30m
        v.Keisanji = 1;
        facts.starLevel = 0;
        const auto equator = shell::MakeStatusTexts(v, program->options, {}, facts);
        QCOMPARE(equator[3], std::string("12h30m"));
        QCOMPARE(equator[2], std::string(" ----"));
        QCOMPARE(equator[7], std::string("G"));
        QCOMPARE(equator[11], std::string("Q"));
        QVERIFY(QString::fromStdString(equator[0]).endsWith("GMT+1"));
        // The window shows the same texts after a paint.
        program->view.Tracking = true;
        window->RefreshStatusBar();
        QCOMPARE(window->statusPanes()->texts()[10], std::string("C"));
    }

    void statusPaneWidthRule() {
        std::array<int, shell::kStatusPanes> widths{};
        widths.fill(20);
        const auto edges = shell::PaneRightEdges(800, widths);
        QCOMPARE(edges[11], 782);
        QCOMPARE(edges[10], 752);
        QCOMPARE(edges[0], 782 - 11 * 30);
        // A bar too narrow for the panes leaves pane 0 empty rather than negative.
        QCOMPARE(shell::PaneRightEdges(100, widths)[0], 0);
    }

    void contextMenuDropsWhatDoesNotApply() {
        Make();
        QMenu* none = window->BuildContextMenu(shell::ObjectHit{false, -1, 0, {}, {}});
        QCOMPARE(Commands(none), (QList<int>{501, 503, -1, 40055, 40056}));
        QMenu* star = window->BuildContextMenu(shell::ObjectHit{true, 1, 0, {}, {}});
        QCOMPARE(Commands(star), (QList<int>{501, 502, 503, -1, 40055, 40056, -1, 416}));
        QMenu* other = window->BuildContextMenu(shell::ObjectHit{true, 3, 0, {}, {}});
        QCOMPARE(Commands(other), (QList<int>{501, 502, 504, 503, -1, 40055, 40056, -1, 416}));
        QCOMPARE(shell::ContextMenuRemovals(shell::ObjectHit{true, 1, 0, {}, {}}, true),
                 (std::vector<int>{504}));
        delete none;
        delete star;
        delete other;
    }

    void fullScreenHidesBarsAndComesBack() {
        Make();
        window->Command(147);
        QVERIFY(window->fullScreen());
        QVERIFY(!window->toolbar().bar()->isVisible());
        QVERIFY(!window->statusPanes()->isVisible());
        QMenu* menu = window->BuildContextMenu(shell::ObjectHit{false, -1, 0, {}, {}});
        QCOMPARE(Commands(menu).first(), 40001);
        delete menu;
        window->Command(40001);
        QVERIFY(!window->fullScreen());
        QVERIFY(window->toolbar().bar()->isVisible());
        window->Command(40001);
        QVERIFY(!window->fullScreen());
        // A maximised window comes back maximised.
        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        window->Command(147);
        window->Command(147);
        QTRY_VERIFY(window->isMaximized());
    }

    void barsFollowTheirSwitches() {
        Make();
        window->Command(145);
        QCOMPARE(program->options.StatusBar, 0);
        QVERIFY(!window->statusPanes()->isVisible());
        QVERIFY(!Checked(145));
        window->Command(146);
        QVERIFY(!window->toolbar().bar()->isVisible());
        window->Command(146);
        QVERIFY(window->toolbar().bar()->isVisible());
        QVERIFY(Checked(146));
    }

    void wheelAndDoubleClickPostTheirCommands() {
        Make();
        auto& v = program->view;
        v.Zoom = 100;
        QWheelEvent away(QPointF(10, 10), window->skyView()->mapToGlobal(QPointF(10, 10)), QPoint(),
                         QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window->skyView(), &away);
        QCoreApplication::processEvents();
        QCOMPARE(v.Zoom, 120);
        // A touchpad's small steps add up to a notch of 120; a turn back starts afresh.
        const int turns[][2] = {{30, 120}, {30, 120}, {30, 120}, {30, 140}, {-60, 140}, {-60, 120}};
        for (const auto& [delta, zoom] : turns) {
            QWheelEvent small(QPointF(10, 10), window->skyView()->mapToGlobal(QPointF(10, 10)),
                              QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(window->skyView(), &small);
            QCoreApplication::processEvents();
            QCOMPARE(v.Zoom, zoom);
        }
        v.DblClick = 0;
        v.Tracking = true;
        QTest::mouseDClick(window->skyView(), Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(!v.Tracking);
    }

    void droppedDirectoriesAndOtherFilesChangeNothing() {
        int opened = 0;
        shell::MainWindowHooks hooks;
        hooks.openViewFile = [&opened](const std::string&) { ++opened; };
        Make(hooks);
        const shell::Program before = *program;
        QTemporaryDir dir;
        window->OpenDroppedFile(dir.path());
        window->OpenDroppedFile(dir.path() + "/missing.qel");
        window->OpenDroppedFile(QString());
        window->OpenDroppedFile(QString(600, 'a'));
        QCOMPARE(opened, 0);
        QCOMPARE(program->view.Houi2, before.view.Houi2);
        QFile file(dir.path() + "/Orion.QEL");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        window->OpenDroppedFile(file.fileName());
        QCOMPARE(opened, 1);
    }

    void aDroppedFileThatIsNoViewIsRefusedByTheLoader() {
        std::vector<state::Message> messages;
        state::SetMessageHandler([&messages](const state::Message& m) {
            messages.push_back(m);
            return state::MessageAnswer::Ok;
        });
        Make();
        program->view.Houi2 = 1234;
        QTemporaryDir dir;
        QFile file(dir.path() + "/notes.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("just some words\n");
        file.close();
        window->OpenDroppedFile(file.fileName());
        QCOMPARE(messages.size(), std::size_t(1));
        QVERIFY(messages[0].icon == state::MessageIcon::Stop);
        QCOMPARE(program->view.Houi2, 1234.0);
    }

    void viewFileMessageOpensTheToolWindows() {
        Make();
        window->Command(40011);  // the Moon window is open already and stays open
        window->OpenViewFileMessage("/tmp/none.qel", 1);
        QVERIFY(window->toolWindows().solarSystem() && window->toolWindows().moon());
        QCOMPARE(program->options.PlanetWnd, 1);
        QCOMPARE(program->options.MoonWnd, 1);
    }

    void everyMenuItemIsServed() {
        // Commands that ask through a modal dialog get it cancelled.
        QTimer canceller;
        connect(&canceller, &QTimer::timeout, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
        canceller.start(20);
        for (auto rows : {shell::MainMenuRows(), shell::PopupRows(), shell::FullScreenPopupRows(),
                          shell::TimeStepRows()}) {
            for (const auto& row : rows) {
                if (row.command <= 0 || row.command == 111 || row.command == 147) continue;
                Make();
                QVERIFY2(window->Command(row.command), row.caption);
                window.reset();
            }
        }
    }

    void externalProgramsAndUserCitiesJoinTheirMenus() {
        QDir().mkpath(home.path() + "/planetarium");
        QFile file(QString::fromStdString(persist::BareSettingsPath()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[Gaibu v7]\nName0=Calendar\nPath0=cal -3\nName1=-\nName3=Guide\nPath3=#guide\n");
        file.close();
        program->options.UserCitys = 0;
        Make();
        QMenu* astronomy = window->menus().TopMenu(shell::kAstronomyMenu);
        const QList<int> tail = Commands(astronomy).mid(Commands(astronomy).size() - 3);
        QCOMPARE(tail, (QList<int>{30000, -1, 30003}));
        QMenu* location = window->menus().TopMenu(shell::kLocationMenu);
        QCOMPARE(Commands(location).last(), 106);
        program->options.UserCitys = 2;
        std::strcpy(program->options.userCities[0].name, "Home");
        std::strcpy(program->options.userCities[1].name, "Cabin");
        window->RebuildUserCityMenu();
        window->RebuildUserCityMenu();
        QCOMPARE(Commands(location).mid(Commands(location).size() - 3),
                 (QList<int>{106, 2111, 2112}));
        QCOMPARE(window->menus().FirstAction(2112)->text(), QString("Cabin"));
        file.remove();
    }

    void externalCommandLines() {
        QCOMPARE(shell::ExternalCommandLine({0, "Calc", "tools/calc -x"}, "/opt/data"),
                 std::string("/opt/data/tools/calc -x"));
        QCOMPARE(shell::ExternalCommandLine({0, "Calc", "/usr/bin/cal"}, "/opt/data"),
                 std::string("/usr/bin/cal"));
        QVERIFY(shell::ExternalCommandLine({0, "Page", "#home"}, "/opt/data").empty());
        QVERIFY(shell::ExternalCommandLine({0, "None", ""}, "/opt/data").empty());
    }

    void saveSwitchesAreWrittenAtOnce() {
        Make();
        program->options.SaveDefault = 1;
        window->Command(163);
        const auto profile = persist::Profile::Load(persist::BareSettingsPath());
        QCOMPARE(profile.ReadInt("Tavilo Pro v7", "SaveDefault", -1), 0);
        QVERIFY(!Checked(163));
    }

    void screenSaverClosesOnAnyKeyButtonOrWheel() {
        const std::function<void(QWidget*)> inputs[] = {
            [](QWidget* sky) { QTest::keyClick(sky, Qt::Key_Space); },
            [](QWidget* sky) { QTest::mousePress(sky, Qt::MiddleButton); },
            [](QWidget* sky) {
                QWheelEvent wheel(QPointF(5, 5), sky->mapToGlobal(QPointF(5, 5)), {},
                                  QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                                  false);
                QCoreApplication::sendEvent(sky, &wheel);
            },
        };
        for (const auto& input : inputs) {
            program->view.ScreenSaverMode = true;
            Make();
            input(window->skyView());
            QVERIFY(!window->isVisible());
        }
    }

    void helpCommandsOpenTheGuideAndAboutIsModal() {
        Make();
        for (int command : {40005, 40010, 151})
            QVERIFY(window->Command(command));
        QCOMPARE(helpOpened, 3);
        QVERIFY(window->Command(153));
        auto* about = window->findChild<QDialog*>("D_ABOUT");
        QVERIFY(about && about->isVisible() && about->isModal());
        QTest::mouseClick(about->findChild<QPushButton*>("userGuide"), Qt::LeftButton);
        QCOMPARE(helpOpened, 4);
    }

    void userGuideLiesInTheBuildOrTheInstalledTree() {
        QTemporaryDir tree;
        QDir().mkpath(tree.path() + "/bin");
        const std::string bin = (tree.path() + "/bin").toStdString();
        QVERIFY(platform::UserGuidePath(bin).empty());
        QVERIFY(platform::HelpTopicUrl("Time Dialog", "").isEmpty());
        for (const char* place : {"/share/planetarium/docs", "/bin/docs"}) {
            QDir().mkpath(tree.path() + place);
            QFile guide(tree.path() + place + "/user-guide.md");
            QVERIFY(guide.open(QIODevice::WriteOnly));
            guide.close();
            QCOMPARE(QString::fromStdString(platform::UserGuidePath(bin)), guide.fileName());
        }
        const std::string guide = platform::UserGuidePath(bin);
        QUrl section = QUrl::fromLocalFile(QString::fromStdString(guide));
        section.setFragment("time-dialog");
        QCOMPARE(platform::HelpTopicUrl("Time Dialog", guide), section);
        QCOMPARE(platform::HelpTopicUrl("", guide).fragment(), QString());
        QCOMPARE(platform::HelpTopicUrl("https://example.org/x", guide),
                 QUrl("https://example.org/x"));
    }

    void screenSaverClosesOnTheSixteenthMove() {
        program->view.ScreenSaverMode = true;
        Make();
        auto move = [this](int x) {
            QMouseEvent event(QEvent::MouseMove, QPointF(x, 10),
                              window->skyView()->mapToGlobal(QPointF(x, 10)), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window->skyView(), &event);
        };
        for (int i = 0; i < 15; ++i)
            move(10 + i);
        QVERIFY(window->isVisible());
        move(40);
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

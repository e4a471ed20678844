// The main window: smooth moves, the off-screen picture, timer 1, the mouse, the menu marks, the
// toolbar layouts, the status bar, the context menu and dropped files.

#include "persist/paths.h"
#include "persist/profile.h"
#include "platform/help.h"
#include "render_fixture.h"
#include "shell/external_programs.h"
#include "shell/menus.h"
#include "shell/toolbar.h"
#include "window_fixture.h"

class MainWindowTest : public QObject, fixture::MainWindowFixture {
    Q_OBJECT

    // The commands of a menu's items, -1 for a separator.
    static QList<int> Commands(QMenu* menu) {
        QList<int> list;
        for (QAction* action : menu->actions())
            list.append(action->isSeparator() ? -1 : action->data().toInt());
        return list;
    }

    qint64 now = 100000;
    int renders = 0;
    int helpOpened = 0;

    // A dark blue picture that counts its frames unless a test asks for the real sky; help never
    // starts a viewer.
    void Make(shell::MainWindowHooks hooks = {}, bool realSky = false) {
        if (!hooks.renderSky && !realSky)
            hooks.renderSky = [this](QImage& bitmap, shell::Program&, int, int) {
                ++renders;
                bitmap.fill(Qt::darkBlue);
                return shell::FrameFacts{};
            };
        if (!hooks.openHelp) hooks.openHelp = [this](const std::string&) { ++helpOpened; };
        ShowWindow(std::move(hooks));
        window->SetMillisecondClock([this] { return now; });
        Paint();
    }
    auto* Sky() { return window->skyView(); }
    QPoint Centre() { return QPoint(Sky()->width() / 2, Sky()->height() / 2); }
    void MoveMouse(QPoint at, Qt::MouseButtons held = Qt::NoButton) {
        fixture::MoveMouse(Sky(), at, held);
    }
    void Wheel(int delta) {
        QWheelEvent wheel(QPointF(10, 10), Sky()->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Sky(), &wheel);
        QCoreApplication::processEvents();
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            window->TimerTick();
    }
    bool TipShown() { return window->tooltip()->isVisible(); }
    // A frame drawn this many milliseconds later.
    void PaintAfter(int milliseconds) {
        now += milliseconds;
        Paint();
    }

  private slots:
    void init() {
        NewProgram();
        std::tie(now, renders, helpOpened) = std::tuple(100000, 0, 0);
        Make();  // tests that need hooks or set-up first make their own
    }
    void cleanup() { CloseAll(); }

    // Half a second along the shorter way round, in whole numbers for the zoom.
    void smoothMovesGoTheShortWay() {
        auto& v = program->view;
        // From, to, and the azimuth after each number of milliseconds.
        const std::tuple<double, double, std::vector<std::pair<int, double>>> moves[] = {
            {3500, 100, {{0, 3500}, {100, 3540}, {150, 0}, {150, 60}, {100, 100}}},
            {100, 3500, {{0, 100}, {250, 0}, {250, 3500}}}};
        for (const auto& [from, to, path] : moves) {
            v.Houi2 = from;
            window->MoveSmoothly(state::kMoveAzimuth, to, 0, 0);
            for (const auto& [milliseconds, azimuth] : path) {
                PaintAfter(milliseconds);
                QCOMPARE(v.Houi2, azimuth);
            }
            QCOMPARE(window->activeMoves(), 0);
        }
        v.Zoom = 80;
        window->Command(40054);  // 600 %
        Paint();
        PaintAfter(123);
        QCOMPARE(v.Zoom, int((377 * 80 + 123 * 600) / 500));
        PaintAfter(1000);
        QCOMPARE(v.Zoom, 600);
        // A move to where the view is starts nothing.
        v.Houi2 = 1800;
        window->Command(400);
        QCOMPARE(window->pendingMoves(), 0);
    }

    void bitmapIsKeptWhenShrinkingAndReplacedWhenOutgrown() {
        const QSize screen = window->screen()->size();
        window->resize(300, 200);
        Paint();
        QCOMPARE(Sky()->skyBitmap().size(), screen);
        const uchar* key = Sky()->skyBitmap().constBits();
        const int renders = Sky()->renderCount();
        const int height = Sky()->height();
        window->resize(window->width(), window->height() - 100);
        QTRY_VERIFY(Sky()->height() < height);
        Paint();
        // A new size draws a new frame into the same picture.
        QCOMPARE(std::pair(Sky()->skyBitmap().constBits(), Sky()->renderCount()),
                 std::pair(key, renders + 1));
        window->resize(screen.width() + 200, screen.height() + 300);
        QTRY_COMPARE(Sky()->width() > screen.width(), true);
        Paint();
        QCOMPARE(Sky()->skyBitmap().size(), Sky()->size().expandedTo(screen));
        QVERIFY(Sky()->skyBitmap().constBits() != key);
    }

    void exposureAndMouseMovesOnlyCopyThePicture() {
        const int before = renders;
        QTest::mouseMove(Sky(), QPoint(10, 10));
        QTest::mouseMove(Sky(), QPoint(40, 30));
        Paint();
        Paint();
        QCOMPARE(std::pair(renders, Sky()->grab().toImage().pixelColor(5, 5)),
                 std::pair(before, QColor(Qt::darkBlue)));
        window->Command(208);
        Paint();
        QCOMPARE(renders, before + 1);
    }

    void dragTurnsTheSkyAndRendersOncePerMove() {
        auto& v = program->view;
        std::tie(v.Houi2, v.Koudo2, v.Tracking) = std::tuple(1000.0, 300.0, true);
        QTest::mousePress(Sky(), Qt::LeftButton, {}, Centre());
        const int before = renders;
        for (int step = 1; step <= 4; ++step) {
            MoveMouse(Centre() + QPoint(20 * step, 0), Qt::LeftButton);
            Paint();
        }
        QTest::mouseRelease(Sky(), Qt::LeftButton, {}, Centre() + QPoint(80, 0));
        QVERIFY(!v.Tracking && v.Houi2 != 1000.0 && renders - before >= 1 && renders - before <= 4);
        // Moving without the button turns nothing.
        const double azimuth = v.Houi2;
        MoveMouse(Centre() + QPoint(-50, 10));
        QCOMPARE(v.Houi2, azimuth);
    }

    void doubleClickCentresSmoothlyAndWheelNotchesZoom() {
        auto& v = program->view;
        std::tie(v.Houi2, v.Koudo2, v.DblClick, v.Tracking) = std::tuple(1000.0, 300.0, 0, true);
        QTest::mouseDClick(Sky(), Qt::LeftButton, {}, Centre() + QPoint(100, 0));
        QCoreApplication::processEvents();
        QVERIFY(!v.Tracking && window->pendingMoves() != 0 && v.Houi2 == 1000.0);
        Paint();
        PaintAfter(600);
        QVERIFY(std::abs(v.Houi2 - 1000.0) > 10 && window->activeMoves() == 0);
        // A touchpad's small steps add up to a notch of 120; a turn back starts afresh.
        std::tie(v.SmoothIdou, v.Zoom) = std::pair(0, 100);
        const int turns[][2] = {{120, 120}, {30, 120},  {30, 120}, {30, 120},
                                {30, 140},  {-60, 140}, {-60, 120}};
        for (const auto& [delta, zoom] : turns) {
            Wheel(delta);
            QCOMPARE(v.Zoom, zoom);
        }
    }

    void theRealSkyIsDrawnAndDescribed() {
        // A few bright stars around ecliptic longitude and latitude 0, where the view looks.
        std::vector<persist::StarRecord> stars;
        for (int i = 0; i < 40; ++i)
            stars.push_back({static_cast<int16_t>((i * 97) % 1200 - 600),
                             static_cast<int16_t>((i * 53) % 800 - 400), 0, 0, 25, 'G'});
        const QString data = home.filePath("data");
        QVERIFY(fixture::WriteDataSet(data, stars, int(stars.size())));
        persist::SetDataDirectory(data.toStdString());
        std::string gscPath;
        QVERIFY(persist::LoadDataSet(program->data, {}, gscPath));
        program->view.clock = {2026, 12, 6, 22, 0};
        program->view.SekidouMod = 1;
        Make({}, true);
        const QImage picture = Sky()->grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours.size() > 2);
        // The Brightness menu counts the catalogue's stars.
        QVERIFY(window->menus().FirstAction(2001)->text().contains("40 stars"));
        const auto& texts = window->statusPanes()->texts();
        QVERIFY(texts[1].starts_with("Age ") &&
                (texts[2].starts_with("Mag") || texts[2] == " ----"));
    }

    void tooltipNamesTheObjectUnderARestingMouse() {
        shell::MainWindowHooks hooks;
        hooks.objectAt = [](int x, int) {
            if (x < 0) return shell::ObjectHit{};
            return shell::ObjectHit{true, 1, 0, x < 50 ? "Sirius" : "Canopus", {}};
        };
        Make(hooks);
        // Where the mouse comes to rest (kStay: where it is), the ticks of a tenth of a second
        // that follow, and the tip shown then: after a second, for about ten seconds on the
        // same object, gone at the next tick when the mouse leaves it, none over nothing.
        const int kStay = 1000;
        const std::tuple<int, int, QString> steps[] = {
            {10, 9, ""},         {kStay, 1, "Sirius"}, {kStay, 85, "Sirius"}, {kStay, 10, ""},
            {60, 10, "Canopus"}, {70, 1, ""},          {-20, 12, ""},         {20, 10, "Sirius"}};
        for (const auto& [x, ticks, tip] : steps) {
            if (x != kStay) MoveMouse(Centre() + QPoint(x, 5));
            Ticks(ticks);
            QCOMPARE(TipShown() ? window->tooltip()->text() : QString(), tip);
        }
        window->Command(208);  // a command hides a shown tip
        QVERIFY(!TipShown());
    }

    // The tip moves left and up to stay inside the window, counting the room for a picture.
    void tooltipStaysInsideTheWindow() {
        // The mouse, whether a picture comes with the tip, and where the tip goes.
        const std::tuple<QPoint, bool, QRect, bool, bool> cases[] = {
            {{300, 300}, false, {300, 320, 56, 15}, false, false},
            {{880, 300}, false, {836, 320, 56, 15}, true, false},
            {{300, 660}, false, {300, 644, 56, 15}, false, true},
            {{300, 560}, true, {300, 544, 56, 15}, false, true},
            {{300, 560}, false, {300, 580, 56, 15}, false, false}};
        for (const auto& [mouse, picture, rect, left, up] : cases) {
            const auto tip = shell::PlaceTooltip(mouse, {50, 12}, {100, 100, 800, 600}, picture);
            QCOMPARE(std::tuple(tip.rect, tip.movedLeft, tip.movedUp), std::tuple(rect, left, up));
        }
    }

    void trackingTakesTheObjectUnderTheClick() {
        shell::MainWindowHooks hooks;
        hooks.objectAt = [](int x, int) {
            return x > 0 ? shell::ObjectHit{true, 3, 7, "M 42", {}} : shell::ObjectHit{};
        };
        Make(hooks);
        QTest::mouseClick(Sky(), Qt::LeftButton, {}, QPoint(Sky()->width() / 2 + 40, 50));
        window->Command(416);
        const auto& v = program->view;
        QCOMPARE(std::tuple(v.Tracking, v.TrackedKind, v.TrackedIndex,
                            window->menus().FirstAction(415)->isEnabled(),
                            window->statusPanes()->texts()[10]),
                 std::tuple(true, 3, 7, true, std::string("C")));
        window->Command(415);
        QVERIFY(!program->view.Tracking);
        QTest::mouseClick(Sky(), Qt::LeftButton, {}, QPoint(10, 50));
        window->Command(416);
        QVERIFY(!program->view.Tracking);
        QCOMPARE(MessageTexts(),
                 QStringList("Cursor did not find a bright object, \n\nTracking setting failed!"));
    }

    void ticksRunTheClock() {
        auto& v = program->view;
        auto& o = program->options;
        std::tie(o.AutoType, o.AutoMinit, o.AutoHour, o.Interval) = std::tuple(0, 3, 1, 2);
        v.clock = {2000, 1, 1, 23, 58};
        window->Command(331);
        QCOMPARE(std::pair(v.AutoRunning, window->menus().FirstAction(331)->text()),
                 std::pair(true, QString("F&ast Clocking OFF\tA")));
        window->TimerTick();  // the first step comes at once
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 2, 1, 1}));
        window->TimerTick();
        QCOMPARE(v.clock.minute, 1);
        window->TimerTick();
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 2, 2, 4}));
        o.AutoBack = 1;
        Ticks(2);
        QCOMPARE(v.clock, (state::CivilClock{2000, 1, 2, 1, 1}));
        window->Command(331);
        QVERIFY(!v.AutoRunning);
        o.AutoType = 1;
        for (const char* caption : {"Tr&acing Mode OFF\tA", "Tr&acing Mode ON\tA"}) {
            window->Command(331);
            QCOMPARE(window->menus().FirstAction(331)->text(), QString(caption));
        }
    }

    // A step of nothing stops Fast Clocking before it moves; an interval of 0 makes one step.
    void fastClockingStopsOnAZeroStepOrInterval() {
        for (const auto& [minutes, interval, minuteAfter] : {std::tuple(0, 1, 0), {5, 0, 5}}) {
            auto& o = program->options;
            std::tie(o.AutoType, o.AutoMinit, o.Interval) = std::tuple(0, minutes, interval);
            program->view.clock = {2000, 1, 1, 12, 0};
            window->Command(331);
            Ticks(2);
            QCOMPARE(std::tuple(program->view.AutoRunning, program->view.clock.minute,
                                window->menus().FirstAction(331)->text()),
                     std::tuple(false, minuteAfter, QString("F&ast Clocking ON\tA")));
        }
    }

    void menuMarksTellTheTruth() {
        auto& v = program->view;
        v.Zoom = 100;
        window->RefreshMenus();
        QVERIFY(Checked(40044));
        std::tie(v.Zoom, v.Constella, v.Keisanji, v.DrawStars, v.Glid, v.Horizon) =
            std::tuple(90, 2, 1, 20, 0, 0);
        window->RefreshMenus();
        for (int command = 40041; command <= 40054; ++command)
            QVERIFY(!Checked(command));
        QVERIFY(Checked(202) && !Checked(201) && Checked(301) && Checked(2021) && !Checked(1230));
        for (int command : {1231, 40014, 415})
            QVERIFY(!window->menus().FirstAction(command)->isEnabled());
        v.DrawStars = 17;  // no item for this value
        window->RefreshMenus();
        for (int command = 2001; command <= 2056; ++command)
            if (auto* action = window->menus().FirstAction(command)) QVERIFY(!action->isChecked());
        std::tie(v.Keisanji, v.GscAvailable, v.UseGsc) = std::tuple(3, false, 1);
        window->RefreshMenus();
        QVERIFY(!window->menus().FirstAction(40068)->isEnabled() &&
                !window->toolbar().Button(40069)->isEnabled() && !Checked(40039));
    }

    void toolbarFollowsTheViewAndItsMode() {
        auto& v = program->view;
        auto& bar = window->toolbar();
        std::tie(v.Constella, v.Line, v.Sekidou) = std::tuple(0, 1, 2);
        window->RefreshMenus();
        QVERIFY(!bar.Button(207)->isChecked() && bar.Button(251)->isChecked());
        window->Command(207);
        QVERIFY(bar.Button(207)->isChecked() && bar.Button(40015)->isEnabled() && bar.Button(400) &&
                bar.Button(253) && !bar.Button(404) &&
                !window->menus().FirstAction(404)->isVisible());
        window->Command(107);  // equator mode swaps directions and grids
        QCOMPARE(bar.bar()->actions().size(), shell::kToolbarEntryCount);
        for (int command : {404, 405, 406, 407, 271, 272})
            QVERIFY(bar.Button(command));
        for (int command : {400, 401, 402, 403, 253, 40062})
            QVERIFY(!bar.Button(command));
        QVERIFY(bar.Button(271)->isChecked() && !bar.Button(272)->isChecked() &&
                !bar.Button(40015)->isEnabled());
        for (int command : {400, 401, 402, 403, 40060, 40061})
            QVERIFY(!window->menus().FirstAction(command)->isVisible());
        QVERIFY(window->menus().FirstAction(407)->isVisible() && Checked(107));
        window->Command(107);
        QVERIFY(bar.Button(402) && window->menus().FirstAction(40060)->isVisible());
        // The time-step button shows the step chosen.
        for (const auto& entry : shell::ToolbarLayout(false, 13))
            if (entry.command == 40070) QCOMPARE(entry.image, 67);
    }

    void menuItemsAndButtonsRunTheirCommands() {
        auto& v = program->view;
        window->menus().FirstAction(40084)->trigger();
        QVERIFY(v.IncTime == 13 && Checked(40084) && !Checked(40071));
        v.Line = 1;
        window->toolbar().Button(251)->trigger();
        QVERIFY(v.Line == 0 && !window->toolbar().Button(251)->isChecked() && !Checked(251));
        // A radio item chosen again keeps its mark, also where the command changes nothing.
        std::tie(v.Zoom, v.BrightAuto, v.DrawStars) = std::tuple(140, 0, 30);
        for (int command : {202, 202, 40046, 300, 2031}) {
            window->menus().FirstAction(command)->trigger();
            QVERIFY2(Checked(command), qPrintable(QString::number(command)));
        }
    }

    void escapeFromAMenuGivesTheKeysBackToTheSky() {
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
        QTRY_COMPARE(QApplication::focusWidget(), Sky());
        program->view.Zoom = 100;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
        QCOMPARE(program->view.Zoom, 120);
    }

    void statusBarTexts() {
        auto& v = program->view;
        std::tie(v.Ido2, v.Keido2, v.TimeZone, v.Dst) = std::tuple(410, 740, -300, 1);
        std::tie(v.Houi2, v.Koudo2) = std::pair(1234.5, -45.0);
        v.clock = {2026, 3, 7, 9, 5};
        v.AutoRunning = true;
        shell::FrameFacts facts{12.34, 95};
        const auto Texts = [&] {
            QStringList texts;
            for (const std::string& text : shell::MakeStatusTexts(v, program->options, {}, facts))
                texts << QString::fromStdString(text);
            return texts;
        };
        QCOMPARE(Texts(), QStringList({QString::fromUtf8("41.0\u00b0N\u00b774.0\u00b0W  GMT-4"),
                                       "Age 12.3", "Mag 9.5", "123.5", " -4.5", "Mar 07,  2026",
                                       "09:05", "L", "D", "A", " ", " "}));
        // 187.5 degrees = 12h30m.
        std::tie(v.SekidouMod, v.Houi2, v.Keisanji) = std::tuple(1, 1874.6, 1);
        facts.starLevel = 0;
        QCOMPARE(Texts(), QStringList({QString::fromUtf8("41.0\u00b0N\u00b774.0\u00b0W  GMT+1"),
                                       "Age 12.3", " ----", "12h30m", " -4.5", "Mar 07,  2026",
                                       "09:05", "G", "D", "A", " ", "Q"}));
        // Panes of 20 pixels and a gap of 10 from the right; too narrow a bar leaves pane 0 empty.
        std::array<int, shell::kStatusPanes> widths{};
        widths.fill(20);
        const auto edges = shell::PaneRightEdges(800, widths);
        for (int pane = 0; pane < shell::kStatusPanes; ++pane)
            QCOMPARE(edges[pane], 782 - (11 - pane) * 30);
        QCOMPARE(shell::PaneRightEdges(100, widths)[0], 0);
    }

    void contextMenuDropsWhatDoesNotApply() {
        const std::pair<shell::ObjectHit, QList<int>> cases[] = {
            {{false, -1, 0, {}, {}}, {501, 503, -1, 40055, 40056}},
            {{true, 1, 0, {}, {}}, {501, 502, 503, -1, 40055, 40056, -1, 416}},
            {{true, 3, 0, {}, {}}, {501, 502, 504, 503, -1, 40055, 40056, -1, 416}}};
        for (const auto& [hit, commands] : cases) {
            std::unique_ptr<QMenu> menu(window->BuildContextMenu(hit));
            QCOMPARE(Commands(menu.get()), commands);
        }
        QCOMPARE(shell::ContextMenuRemovals(shell::ObjectHit{true, 1, 0, {}, {}}, true),
                 (std::vector<int>{504}));
    }

    void fullScreenAndTheBarsComeAndGo() {
        // Full screen, the toolbar and the status bar shown.
        const auto shown = [this] {
            return std::tuple(window->fullScreen(), window->toolbar().bar()->isVisible(),
                              window->statusPanes()->isVisible());
        };
        window->Command(147);
        QCOMPARE(shown(), std::tuple(true, false, false));
        std::unique_ptr<QMenu> menu(
            window->BuildContextMenu(shell::ObjectHit{false, -1, 0, {}, {}}));
        QCOMPARE(Commands(menu.get()).first(), 40001);
        for (int again = 0; again < 2; ++again) {
            window->Command(40001);
            QCOMPARE(shown(), std::tuple(false, true, true));
        }
        // A maximised window comes back maximised.
        window->showMaximized();
        QTRY_VERIFY(window->isMaximized());
        window->Command(147);
        window->Command(147);
        QTRY_VERIFY(window->isMaximized());
        // The bars follow their own switches.
        window->Command(145);
        QCOMPARE(std::tuple(shown(), program->options.StatusBar, Checked(145)),
                 std::tuple(std::tuple(false, true, false), 0, false));
        window->Command(146);
        QCOMPARE(shown(), std::tuple(false, false, false));
        window->Command(146);
        QVERIFY(window->toolbar().bar()->isVisible() && Checked(146));
    }

    // Only a readable view file reaches the opener; anything else that is no view file is
    // refused by the loader with its message.
    void droppedFilesAreCheckedBeforeTheyAreOpened() {
        int opened = 0;
        shell::MainWindowHooks hooks;
        hooks.openViewFile = [&opened](const std::string&) { ++opened; };
        Make(hooks);
        QTemporaryDir dir;
        for (const QString& path :
             {dir.path(), dir.path() + "/missing.qel", QString(), QString(600, 'a')})
            window->OpenDroppedFile(path);
        QCOMPARE(opened, 0);
        QVERIFY(fixture::WriteBytes(dir.filePath("Orion.QEL"), "x", 1));
        window->OpenDroppedFile(dir.filePath("Orion.QEL"));
        QCOMPARE(opened, 1);
        window.reset();
        Make();
        messages.clear();
        program->view.Houi2 = 1234;
        QVERIFY(fixture::WriteBytes(dir.filePath("notes.txt"), "just some words\n", 16));
        window->OpenDroppedFile(dir.filePath("notes.txt"));
        QCOMPARE(std::tuple(messages.size(), messages[0].icon, program->view.Houi2),
                 std::tuple(std::size_t(1), state::MessageIcon::Stop, 1234.0));
    }

    void viewFileMessageOpensTheToolWindows() {
        window->Command(40011);  // the Moon window is open already and stays open
        window->OpenViewFileMessage("/tmp/none.qel", 1);
        QVERIFY(window->toolWindows().solarSystem() && window->toolWindows().moon());
        QCOMPARE(std::pair(program->options.PlanetWnd, program->options.MoonWnd), std::pair(1, 1));
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
        const QString settings = QString::fromStdString(persist::BareSettingsPath());
        const QByteArray programs =
            "[Gaibu v7]\nName0=Calendar\nPath0=cal -3\nName1=-\nName3=Guide\nPath3=#guide\n";
        QVERIFY(fixture::WriteBytes(settings, programs));
        program->options.UserCitys = 0;
        Make();
        QCOMPARE(Commands(window->menus().TopMenu(shell::kAstronomyMenu)).last(3),
                 (QList<int>{30000, -1, 30003}));
        QMenu* location = window->menus().TopMenu(shell::kLocationMenu);
        QCOMPARE(Commands(location).last(), 106);
        program->options.UserCitys = 2;
        std::strcpy(program->options.userCities[0].name, "Home");
        std::strcpy(program->options.userCities[1].name, "Cabin");
        window->RebuildUserCityMenu();
        window->RebuildUserCityMenu();
        QCOMPARE(std::pair(Commands(location).last(3), window->menus().FirstAction(2112)->text()),
                 std::pair(QList<int>{106, 2111, 2112}, QString("Cabin")));
        QFile::remove(settings);
        // A relative path runs from the data folder; a page or nothing is no command line.
        const std::pair<shell::ExternalProgram, std::string> lines[] = {
            {{0, "Calc", "tools/calc -x"}, "/opt/data/tools/calc -x"},
            {{0, "Calc", "/usr/bin/cal"}, "/usr/bin/cal"},
            {{0, "Page", "#home"}, ""},
            {{0, "None", ""}, ""}};
        for (const auto& [entry, line] : lines)
            QCOMPARE(shell::ExternalCommandLine(entry, "/opt/data"), line);
    }

    void saveSwitchesAreWrittenAtOnce() {
        program->options.SaveDefault = 1;
        window->Command(163);
        const auto profile = persist::Profile::Load(persist::BareSettingsPath());
        QVERIFY(profile.ReadInt("Tavilo Pro v7", "SaveDefault", -1) == 0 && !Checked(163));
    }

    // The screen saver ends on any key, button or wheel, and on the sixteenth mouse move.
    void screenSaverEndsOnInput() {
        const std::function<void(MainWindowTest&)> inputs[] = {
            [](MainWindowTest& t) { QTest::keyClick(t.Sky(), Qt::Key_Space); },
            [](MainWindowTest& t) { QTest::mousePress(t.Sky(), Qt::MiddleButton); },
            [](MainWindowTest& t) { t.Wheel(-120); },
            [](MainWindowTest& t) {
                for (int i = 0; i < 15; ++i)
                    t.MoveMouse(QPoint(10 + i, 10));
                QVERIFY(t.window->isVisible());
                t.MoveMouse(QPoint(40, 10));
            }};
        for (const auto& input : inputs) {
            program->view.ScreenSaverMode = true;
            Make();
            input(*this);
            QVERIFY(!window->isVisible());
        }
    }

    void helpCommandsOpenTheGuideAndAboutIsModal() {
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
        QVERIFY(platform::UserGuidePath(bin).empty() &&
                platform::HelpTopicUrl("Time Dialog", "").isEmpty());
        for (const char* place : {"/share/planetarium/docs", "/bin/docs"}) {
            QDir().mkpath(tree.path() + place);
            const QString guide = tree.path() + place + "/user-guide.md";
            QVERIFY(fixture::WriteBytes(guide, nullptr, 0));
            QCOMPARE(QString::fromStdString(platform::UserGuidePath(bin)), guide);
        }
        const std::string guide = platform::UserGuidePath(bin);
        QUrl section = QUrl::fromLocalFile(QString::fromStdString(guide));
        section.setFragment("time-dialog");
        QCOMPARE(platform::HelpTopicUrl("Time Dialog", guide), section);
        QCOMPARE(platform::HelpTopicUrl("", guide).fragment(), QString());
        QCOMPARE(platform::HelpTopicUrl("https://example.org/x", guide),
                 QUrl("https://example.org/x"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

// The Solar System and Moon windows on a real main window: the menu marks and buttons follow
// the windows, they reopen where they were, the plot's mouse, keys, tips, menu and card, the
// Moon's phase, and the redraw after a new instant.

#include "windows/tool_windows.h"
#include "window_fixture.h"

using windows::SolarSystemWindow;

class ToolWindowsTest : public QObject, fixture::MainWindowFixture {
    Q_OBJECT

    windows::ToolWindows& tools() { return window->toolWindows(); }
    // The window a command opens and closes: 149 the Solar System, 40011 the Moon.
    QWidget* Tool(int command) {
        return command == 149 ? static_cast<QWidget*>(tools().solarSystem()) : tools().moon();
    }
    bool Pressed(int command) { return window->toolbar().Button(command)->isChecked(); }
    SolarSystemWindow* OpenPlot() {
        if (!tools().solarSystem()) window->Command(149);
        SolarSystemWindow* w = tools().solarSystem();
        w->resize(400, 300);
        Redraw();
        QCoreApplication::processEvents();
        w->plotArea()->repaint();
        return w;
    }
    QPoint Centre(SolarSystemWindow* w) { return w->plotArea()->rect().center() + QPoint(1, 1); }
  private slots:
    void init() {
        NewProgram();
        program->view.clock = state::CivilClock{2024, 1, 18, 20, 0};  // first quarter
        // Open at the last exit.
        std::tie(program->options.PlanetWnd, program->options.MoonWnd) = std::pair(1, 0);
        ShowWindow();
    }
    void cleanup() { CloseAll(); }

    void marksAndButtonsTellWhetherTheWindowsExist() {
        // Before the start opens them nothing is open, whatever the settings said.
        QVERIFY(program->options.PlanetWnd == 0 && !Checked(149) && !Pressed(149));
        window->OpenToolWindowsAtStart();
        QVERIFY(tools().solarSystem() && !tools().moon() && program->options.PlanetWnd == 1);

        for (int command : {149, 40011}) {
            const int32_t& flag =
                command == 149 ? program->options.PlanetWnd : program->options.MoonWnd;
            // Whether the window is there, its flag, its menu mark and its button.
            const auto shown = [&] {
                return std::tuple(Tool(command) != nullptr, flag, Checked(command),
                                  Pressed(command));
            };
            for (int round = 0; round < 2; ++round) {
                const bool open = !Tool(command);
                window->Command(command);
                QCOMPARE(shown(), std::tuple(open, int(open), open, open));
            }
            // Closed by its own close box.
            if (!Tool(command)) window->Command(command);
            Tool(command)->close();
            QCOMPARE(shown(), std::tuple(false, 0, false, false));
        }
    }

    void bothWindowsReopenWhereTheyWere() {
        for (int command : {149, 40011}) {
            window->Command(command);
            Tool(command)->move(window->pos() + QPoint(123, 77));
            Tool(command)->resize(333, 222);
            window->Command(command);  // closed
            window->Command(command);  // and open again
            QCOMPARE(QRect(Tool(command)->pos() - window->pos(), Tool(command)->size()),
                     QRect(123, 77, 333, 222));
        }
        QCOMPARE(std::pair(program->options.DlgPosX[6], program->options.DlgHei10),
                 std::pair(123, 222));
    }

    void rightClickMenuAndCard() {
        SolarSystemWindow* w = OpenPlot();
        const std::tuple<QPoint, bool> cases[] = {{QPoint(5, 5), false}, {Centre(w), true}};
        for (const auto& [point, enabled] : cases) {
            QTest::mousePress(w->plotArea(), Qt::RightButton, {}, point);
            QMenu* menu = w->findChild<QMenu*>(QStringLiteral("M_POPUPP"));
            for (QAction* item : menu->actions()) {
                const int command = item->data().toInt();
                if (command == 502 || command == 504) QCOMPARE(item->isEnabled(), enabled);
                if (command == 410) QVERIFY(item->isEnabled());
            }
            delete menu;
        }
        // The last click found the Sun: its card.
        QVERIFY(w->Command(502) && w->card());
        QCOMPARE(QStringList({w->card()->findChild<QLabel*>("201")->text(),
                              w->card()->findChild<QLabel*>("205")->text()}),
                 QStringList({"Sun", "------"}));
    }

    void cardsOfTheEarthAndOfAComet() {
        Redraw();
        const windows::SkyFrameBodies painted = tools().frame();
        state::CometTable comets;
        comets.count = 1;
        std::snprintf(comets.records[0].NAMEE, 32, "Test comet");
        const double mjd = painted.currentMjd + painted.utMinutes / 1440.0;
        using render::PlotMarkKind;
        // What was hit, the card's dialog, its first field, and a second field of the kind.
        const std::tuple<render::PlotHit, std::string, std::string, std::string, int> cases[] = {
            {{true, PlotMarkKind::Body, 0, 0}, "D_PLANETINFO2", "Earth", "Planet", 5},
            {{true, PlotMarkKind::Body, 20, 0}, "D_PLANETINFO2", "1 Ceres", "Dwarf Planet", 5},
            {{true, PlotMarkKind::Body, 5, 0}, "D_PLANETINFO", "Jupiter", "Planet", 5},
            {{true, PlotMarkKind::Comet, 0, 0}, "D_COMETINFO", "Test comet", "---", 4}};
        for (const auto& [hit, dialog, first, second, secondField] : cases) {
            const windows::BodyCardTexts card =
                windows::BodyCardOf(hit, *painted.bodies, &comets, mjd);
            QCOMPARE(std::tuple(card.dialog, card.field[0],
                                card.field[static_cast<std::size_t>(secondField)]),
                     std::tuple(dialog, first, second));
        }
        const windows::BodyCardTexts earth =
            windows::BodyCardOf({true, PlotMarkKind::Body, 0, 0}, *painted.bodies, &comets, mjd);
        QVERIFY(earth.field[2] == "------" && earth.picture.empty());  // no place on the sky
    }

    void mouseAndKeysTurnTiltAndZoom() {
        SolarSystemWindow* w = OpenPlot();
        auto& o = program->options;
        QWidget* area = w->plotArea();
        const QPoint from = Centre(w);
        QTest::mousePress(area, Qt::LeftButton, {}, from);
        QTest::mouseMove(area, from + QPoint(area->width() / 2, 0));
        QTest::mouseRelease(area, Qt::LeftButton, {}, from + QPoint(area->width() / 2, 0));
        QCOMPARE(o.PlanetK1, 1800);

        const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, int> keys[] = {
            {Qt::Key_PageUp, {}, 3, 0}, {Qt::Key_Z, Qt::ShiftModifier, 2, 0},
            {Qt::Key_Up, {}, 2, 0},     {Qt::Key_Down, {}, 2, 75},
            {Qt::Key_F3, {}, 3, 75},    {Qt::Key_Home, {}, 3, 0}};
        for (const auto& [key, modifiers, zoom, tilt] : keys) {
            QTest::keyClick(area, key, modifiers);
            QCOMPARE(std::pair(o.PlanetZoom, o.PlanetK2), std::pair(zoom, tilt));
        }
        QCOMPARE(o.PlanetK1, 0);
        // A key the plot does not have goes to the main window: F9 closes this window.
        QTest::keyClick(area, Qt::Key_F9);
        QVERIFY(!tools().solarSystem());
    }

    void restingMouseNamesTheBody() {
        SolarSystemWindow* w = OpenPlot();
        fixture::MoveMouse(w->plotArea(), Centre(w));
        for (int tick = 0; tick < 10; ++tick)
            w->HoverTick();
        QVERIFY2(w->tipText().contains(QStringLiteral("Sun")), qPrintable(w->tipText()));
        fixture::MoveMouse(w->plotArea(), QPoint(5, 5));
        QVERIFY(w->tipText().isEmpty());
    }

    void moonPhaseMatchesTheSky() {
        window->Command(40011);
        Redraw();
        windows::MoonWindow* moon = tools().moon();
        moon->resize(200, 200);
        const QImage picture = moon->grab().toImage();
        const windows::SkyFrameBodies frame = tools().frame();
        QCOMPARE(moon->elongation(), frame.bodies->MoonElongation);
        // Waxing: lit on the right.
        QCOMPARE(std::tuple(moon->elongation() > 0, picture.pixelColor(140, 100),
                            picture.pixelColor(60, 100)),
                 std::tuple(true, QColor(255, 255, 128), QColor(0, 0, 0)));
    }

    void redrawnWhenTheInstantChanges() {
        SolarSystemWindow* w = OpenPlot();
        QCoreApplication::processEvents();
        const int before = w->paintCount();
        window->Command(410);  // a new sky, the same instant
        Redraw();
        QCoreApplication::processEvents();
        QCOMPARE(w->paintCount(), before);
        window->Command(623);  // one day on
        Redraw();
        QTRY_VERIFY(w->paintCount() > before);
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "tool_windows_test.moc"

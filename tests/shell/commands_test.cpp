// The command table: every family of commands changes the view state as its row says, and
// commands that make no sense in the current state change nothing.
#include <QtTest>

#include <vector>

#include "astro/clock.h"
#include "astro/time_steps.h"
#include "shell/accelerators.h"
#include "shell/commands.h"
#include "shell/main_window.h"
#include "state/messages.h"

using shell::MainWindow;

class CommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<shell::Program> program;
    std::unique_ptr<MainWindow> window;
    std::vector<state::Message> messages;

    void Run(int command) { QVERIFY(window->Command(command)); }
    void Paint() { window->skyView()->repaint(); }

    QTemporaryDir home;

  private slots:
    void initTestCase() {
        // Settings writes land in a folder of this test's own.
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
    }

    void init() {
        program = std::make_unique<shell::Program>();
        program->view.SmoothIdou = 0;
        window = std::make_unique<MainWindow>(*program);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        messages.clear();
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m);
            return state::MessageAnswer::Ok;
        });
    }
    void cleanup() {
        window.reset();
        program.reset();
        state::SetMessageHandler({});
    }

    void constellationLabelsCycleForwardAndBack() {
        auto& v = program->view;
        v.Constella = 1;
        for (int expected : {2, 3, 0, 1}) {
            Run(208);
            QCOMPARE(v.Constella, expected);
        }
        Run(209);
        QCOMPARE(v.Constella, 0);
        Run(209);
        QCOMPARE(v.Constella, 3);
    }

    void starLabelsSkipTheModeWithoutMenuItem() {
        auto& v = program->view;
        v.StarName = 0;
        Run(218);
        QCOMPARE(v.StarName, 2);
        Run(218);
        QCOMPARE(v.StarName, 3);
        Run(218);
        QCOMPARE(v.StarName, 0);
        Run(219);
        QCOMPARE(v.StarName, 3);
        Run(219);
        QCOMPARE(v.StarName, 2);
        Run(219);
        QCOMPARE(v.StarName, 0);
    }

    void scientificLabelsCycleThroughBayerAndFlamsteed() {
        auto& v = program->view;
        v.StarName = 2;
        v.AlphaMode = 3;
        Run(40018);
        QCOMPARE(v.StarName, 3);
        QCOMPARE(v.AlphaMode, 1);
        Run(40018);
        QCOMPARE(v.AlphaMode, 3);
        Run(40018);
        QCOMPARE(v.AlphaMode, 2);
        Run(40018);
        QCOMPARE(v.StarName, 0);
        QCOMPARE(v.AlphaMode, 1);
        // Backward enters with Flamsteed.
        Run(40019);
        QCOMPARE(v.StarName, 3);
        QCOMPARE(v.AlphaMode, 2);
        Run(40019);
        QCOMPARE(v.AlphaMode, 3);
        Run(40019);
        QCOMPARE(v.AlphaMode, 1);
        Run(40019);
        QCOMPARE(v.StarName, 0);
    }

    void bayerAndFlamsteedNeverBothOff() {
        auto& v = program->view;
        v.AlphaMode = 1;
        Run(40030);
        QCOMPARE(v.AlphaMode, 1);
        QCOMPARE(v.StarName, 3);
        Run(40031);
        QCOMPARE(v.AlphaMode, 3);
        Run(40030);
        QCOMPARE(v.AlphaMode, 2);
    }

    void planetsCometsAndDeepSkyCycle() {
        auto& v = program->view;
        v.Solar = 1;
        Run(238);
        QCOMPARE(v.Solar, 3);
        Run(238);
        QCOMPARE(v.Solar, 0);
        Run(239);
        QCOMPARE(v.Solar, 3);
        Run(239);
        QCOMPARE(v.Solar, 1);
        v.Comet = 3;
        Run(248);
        QCOMPARE(v.Comet, 0);
        Run(249);
        QCOMPARE(v.Comet, 3);
        v.Galaxy = 4;
        Run(228);
        QCOMPARE(v.Galaxy, 0);
        Run(229);
        QCOMPARE(v.Galaxy, 4);
    }

    void asterismsCycleThroughLinesAndNames() {
        auto& v = program->view;
        v.Kisetu = 0;
        v.KisetuName = 0;
        const int expected[][2] = {{1, 0}, {1, 1}, {0, 1}, {0, 0}};
        for (const auto& pair : expected) {
            Run(40028);
            QCOMPARE(v.Kisetu, pair[0]);
            QCOMPARE(v.KisetuName, pair[1]);
        }
        Run(40029);
        QCOMPARE(v.Kisetu, 0);
        QCOMPARE(v.KisetuName, 1);
    }

    void minorBodyLevelsCycle() {
        auto& v = program->view;
        v.WakuseiLevel = 0;
        Run(25430);
        QCOMPARE(v.WakuseiLevel, 3);
        Run(25430);
        QCOMPARE(v.WakuseiLevel, 5);
        Run(25430);
        QCOMPARE(v.WakuseiLevel, 2);
        Run(25429);
        QCOMPARE(v.WakuseiLevel, 5);
        Run(25429);
        QCOMPARE(v.WakuseiLevel, 3);
        Run(25429);
        QCOMPARE(v.WakuseiLevel, 2);
        Run(40105);
        QCOMPARE(v.WakuseiLevel, 5);
        Run(40104);
        QCOMPARE(v.WakuseiLevel, 2);
    }

    void oldChineseCyclesOnlyWithUnicodeText() {
        auto& v = program->view;
        Run(40023);
        QCOMPARE(v.ShukuLine, 1);
        QCOMPARE(v.ShukuName, 0);
        Run(40024);
        Run(40024);
        QCOMPARE(v.ShukuLine + v.ShukuName + v.ShukuStar, 3);
        v.UnicodeText = false;
        Run(40024);
        Run(40020);
        QCOMPARE(v.ShukuLine + v.ShukuName + v.ShukuStar, 3);
    }

    void oneButtonSwitchesRememberTheirModes() {
        auto& v = program->view;
        v.Constella = 2;
        Run(207);
        QCOMPARE(v.Constella, 0);
        QCOMPARE(v.ConstellaDef, 2);
        Run(207);
        QCOMPARE(v.Constella, 2);
        v.Galaxy = 4;
        Run(227);
        Run(227);
        QCOMPARE(v.Galaxy, 4);
        // A remembered mode of 0 would leave the button dead; it turns on the usual mode.
        v.StarName = 0;
        v.StarNameDef = 0;
        Run(217);
        QCOMPARE(v.StarName, 2);
        // Asterisms remember their names.
        v.Kisetu = 1;
        v.KisetuName = 1;
        Run(39);
        QCOMPARE(v.Kisetu, 0);
        QCOMPARE(v.KisetuName, 0);
        Run(39);
        QCOMPARE(v.Kisetu, 1);
        QCOMPARE(v.KisetuName, 1);
    }

    void gridButtonsSwapBetweenWithAndWithoutGrid() {
        auto& v = program->view;
        v.Sekidou = 1;
        v.SekidouDef2 = 3;
        Run(271);
        QCOMPARE(v.Sekidou, 3);
        QCOMPARE(v.SekidouDef, 1);
        Run(271);
        QCOMPARE(v.Sekidou, 1);
        QCOMPARE(v.SekidouDef2, 3);
        v.Koudou = 0;
        Run(272);
        QCOMPARE(v.Koudou, 2);
        Run(638);
        QCOMPARE(v.Koudou, 3);
        Run(639);
        Run(639);
        QCOMPARE(v.Koudou, 1);
    }

    void zoomStepsAndLimits() {
        auto& v = program->view;
        v.Zoom = 7000;
        Run(410);
        QCOMPARE(v.Zoom, 7700);
        Run(410);
        QCOMPARE(v.Zoom, 7700);
        v.Zoom = 10;
        Run(411);
        QCOMPARE(v.Zoom, 10);
        v.Zoom = 80;
        Run(410);
        QCOMPARE(v.Zoom, 100);
        Run(411);
        QCOMPARE(v.Zoom, 80);
        v.Zoom = 7700;
        Run(411);
        QCOMPARE(v.Zoom, 6420);
    }

    void zoomNeverStallsAtTheSmallScales() {
        // Rounding alone would keep 10 and 20 on zoom in and 20 and 30 on zoom out.
        QCOMPARE(shell::ZoomedIn(10), 20);
        QCOMPARE(shell::ZoomedIn(20), 30);
        QCOMPARE(shell::ZoomedIn(10, 30), 30);
        QCOMPARE(shell::ZoomedOut(30), 20);
        QCOMPARE(shell::ZoomedOut(20), 10);
        QCOMPARE(shell::ZoomedOut(11), 10);
    }

    void zoomMenuMovesSmoothlyToItsValue() {
        auto& v = program->view;
        v.Zoom = 80;
        Run(40048);
        Paint();
        QCOMPARE(v.Zoom, 200);
    }

    void longitudeAndLatitudeToTheNextDegree() {
        auto& v = program->view;
        v.Keido2 = -1800;
        Run(611);
        QCOMPARE(v.Keido2, 1790);
        v.Keido2 = 740;
        Run(611);
        QCOMPARE(v.Keido2, 730);
        Run(614);
        QCOMPARE(v.Keido2, 740);
        v.Keido2 = 1800;
        Run(614);
        QCOMPARE(v.Keido2, -1790);
        v.Ido2 = 895;
        Run(612);
        QCOMPARE(v.Ido2, 900);
        Run(612);
        QCOMPARE(v.Ido2, 900);
        v.Ido2 = -900;
        Run(613);
        QCOMPARE(v.Ido2, -900);
    }

    void clockStepsMoveTheClock() {
        auto& v = program->view;
        v.clock = {2001, 1, 31, 23, 30};
        Run(622);  // M: 31 January + 1 month carries into March
        QCOMPARE(v.clock, (state::CivilClock{2001, 3, 3, 23, 30}));
        Run(2201);
        Run(2210);
        QCOMPARE(v.clock.minute, 41);
        Run(2310);
        QCOMPARE(v.clock.minute, 31);
        Run(624);
        QCOMPARE(v.clock, (state::CivilClock{2001, 3, 4, 0, 31}));
        v.IncTime = 12;  // "3 months" steps two months
        Run(40068);
        QCOMPARE(v.clock.month, 5);
        v.IncTime = 20;  // 23 h 56 min
        Run(40069);
        QCOMPARE(v.clock, (state::CivilClock{2001, 5, 3, 0, 35}));
        Run(40071 + 13);
        QCOMPARE(v.IncTime, 13);
        Run(40068);
        QCOMPARE(v.clock.year, 2002);
    }

    void clockStepsDoNothingInRealTime() {
        auto& v = program->view;
        v.Keisanji = 3;
        v.clock = {1990, 6, 15, 12, 0};
        const state::CivilClock before = v.clock;
        for (int command : {621, 631, 622, 632, 623, 633, 624, 634, 625, 635, 2201, 2210, 2301,
                            2310, 40068, 40069})
            Run(command);
        QCOMPARE(v.clock, before);
    }

    void timeModeSwitchesKeepTheInstant() {
        auto& v = program->view;
        v.TimeZone = -300;
        v.SystemZone = 60;
        v.clock = {2001, 1, 1, 20, 0};
        Run(301);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 2, 1, 0}));
        QCOMPARE(v.Keisanji, 1);
        Run(302);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 2, 2, 0}));
        Run(300);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 1, 20, 0}));
        Run(300);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 1, 20, 0}));
        v.clock = {2001, 12, 31, 23, 30};
        Run(311);
        QCOMPARE(v.clock, (state::CivilClock{2002, 1, 1, 0, 30}));
        QCOMPARE(v.Dst, 1);
        Run(311);
        QCOMPARE(v.clock, (state::CivilClock{2001, 12, 31, 23, 30}));
    }

    void realTimeStopsTheAutomaticModeAndRefusesIt() {
        auto& v = program->view;
        v.AutoRunning = true;
        Run(303);
        QVERIFY(!v.AutoRunning);
        Run(331);
        QVERIFY(!v.AutoRunning);
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text,
                 std::string("Auto drive does not work\n\nwhen you set real time mode."));
        QVERIFY(messages[0].icon == state::MessageIcon::Exclamation);
    }

    void directionsInHorizonMode() {
        auto& v = program->view;
        const std::pair<int, double> rows[] = {{400, 1800}, {402, 2700}, {401, 0}, {403, 900}};
        for (auto [command, azimuth] : rows) {
            Run(command);
            Paint();
            QCOMPARE(v.Houi2, azimuth);
        }
        Run(40060);
        Paint();
        QCOMPARE(v.Koudo2, 900.0);
        Run(40061);
        Paint();
        QCOMPARE(v.Koudo2, 0.0);
    }

    void directionsInEquatorMode() {
        auto& v = program->view;
        Run(107);
        v.Houi2 = 450;
        Run(402);
        Run(403);
        Paint();
        QCOMPARE(v.Houi2, 450.0);
        QCOMPARE(window->pendingMoves() | window->activeMoves(), 0);
        Run(400);
        Paint();
        QCOMPARE(v.Koudo2, 900.0);
        Run(401);
        Paint();
        QCOMPARE(v.Koudo2, -900.0);
        Run(407);
        Paint();
        QCOMPARE(v.Houi2, 1800.0);
        QCOMPARE(v.Koudo2, 0.0);
        Run(406);
        Paint();
        QCOMPARE(v.Houi2, 0.0);
    }

    void arrowsTurnAndStopAtTheLimits() {
        auto& v = program->view;
        v.UnderHorizon = 0;
        v.Koudo2 = 880;
        Run(601);
        QCOMPARE(v.Koudo2, 900.0);
        Run(601);
        QCOMPARE(v.Koudo2, 900.0);
        v.Koudo2 = 20;
        Run(603);
        QCOMPARE(v.Koudo2, 0.0);
        v.Houi2 = 30;
        Run(605);
        QCOMPARE(v.Houi2, 3555.0);
        Run(616);
        QCOMPARE(v.Houi2, 3560.0);
        Run(107);
        Run(605);
        QCOMPARE(v.Houi2, 35.0);
        v.Koudo2 = -880;
        Run(603);
        QCOMPARE(v.Koudo2, -900.0);
    }

    void leavingEquatorModeLiftsANegativeAltitude() {
        auto& v = program->view;
        v.UnderHorizon = 0;
        Run(107);
        v.Koudo2 = -300;
        Run(107);
        QCOMPARE(v.SekidouMod, 0);
        QCOMPARE(v.Koudo2, 0.0);
    }

    void brightnessStepsAndLimits() {
        auto& v = program->view;
        v.BrightAuto = 1;
        v.DrawStars = 15;
        Run(333);
        QCOMPARE(v.DrawStars, 15);
        Run(2001 + 50);
        QCOMPARE(v.BrightAuto, 0);
        QCOMPARE(v.DrawStars, 50);
        for (int i = 0; i < 10; ++i)
            Run(333);
        QCOMPARE(v.DrawStars, 55);
        v.Zoom = 500;
        v.GscAvailable = true;
        Run(333);
        QCOMPARE(v.DrawStars, 56);
        v.DrawStars = 0;
        Run(334);
        QCOMPARE(v.DrawStars, 0);
    }

    void missingGuideStarCatalogIsExplained() {
        auto& v = program->view;
        v.GscAvailable = false;
        v.UseGsc = 0;
        program->options.GscPath = "/media/gsc";
        Run(40039);
        QCOMPARE(v.UseGsc, 1);
        QCOMPARE(messages.size(), std::size_t(1));
        QVERIFY(messages[0].text.find("/media/gsc") != std::string::npos);
        QVERIFY(messages[0].icon == state::MessageIcon::Information);
    }

    void trackingWithNothingUnderTheCursorFails() {
        Run(416);
        QVERIFY(!program->view.Tracking);
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text,
                 std::string("Cursor did not find a bright object, \n\nTracking setting failed!"));
    }

    void userCityLimitIsRefused() {
        program->options.UserCitys = 40;
        Run(105);
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].text, std::string("You can not add any more city!"));
    }

    void userCitySelectionKeepsTheInstantInLocalTime() {
        auto& v = program->view;
        auto& o = program->options;
        o.UserCitys = 1;
        std::strcpy(o.userCities[0].name, "Tokyo");
        o.userCities[0].latitude = 357;
        o.userCities[0].longitude = -1398;
        o.userCities[0].zone = 540;
        window->RebuildUserCityMenu();
        v.clock = {2001, 1, 1, 12, 0};
        Run(2111);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 2, 2, 0}));
        QCOMPARE(v.Ido2, 357);
        QCOMPARE(v.CurrentCity, 10000);
        Run(2111);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 2, 2, 0}));
        // An item beyond the stored cities does nothing.
        Run(2112);
        QCOMPARE(v.Ido2, 357);
    }

    void unknownNumbersAreNotServed() {
        QVERIFY(!window->Command(152));
        QVERIFY(!window->Command(0));
        QVERIFY(!window->Command(65535));
    }

    void keysReachTheirCommands() {
        auto& v = program->view;
        v.Constella = 1;
        QTest::keyClick(window->skyView(), Qt::Key_C);
        QCOMPARE(v.Constella, 2);
        QTest::keyClick(window->skyView(), Qt::Key_C, Qt::ShiftModifier);
        QCOMPARE(v.Constella, 1);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_Exclam, Qt::ShiftModifier), 2301);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_0, Qt::NoModifier), 2210);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_0, Qt::KeypadModifier), 2210);
        QCOMPARE(shell::AcceleratorCommand(
                     Qt::Key_Bar, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier),
                 214);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_X, Qt::ControlModifier | Qt::ShiftModifier),
                 40019);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_F1, Qt::NoModifier), 151);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_V, Qt::AltModifier), 0);
        // The digit row by key codes 10..19 on any layout: German Shift+7, French 1.
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_Slash, Qt::ShiftModifier, 16), 2307);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_Equal, Qt::ShiftModifier, 19), 2310);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_Ampersand, Qt::NoModifier, 10), 2201);
        QCOMPARE(shell::AcceleratorCommand(Qt::Key_Q, Qt::NoModifier, 24), 636);
        const state::CivilClock before = v.clock;
        QKeyEvent shifted7(QEvent::KeyPress, Qt::Key_Slash, Qt::ShiftModifier, 16, 0, 0, "/");
        QCoreApplication::sendEvent(window->skyView(), &shifted7);
        QCOMPARE(v.clock.minute, (before.minute + 53) % 60);
    }

    void noKeyIsBoundTwice() {
        const auto keys = shell::MainAccelerators();
        for (std::size_t i = 0; i < keys.size(); ++i)
            for (std::size_t j = i + 1; j < keys.size(); ++j)
                QVERIFY2(
                    keys[i].key != keys[j].key || keys[i].modifiers != keys[j].modifiers,
                    qPrintable(QString("%1 and %2").arg(keys[i].command).arg(keys[j].command)));
    }

    // The computer on daylight time (POSIX rules of Australia/Sydney and America/New_York): in
    // every mode the clock, its zone and Dst give the real UT after start-up, Ctrl+N and a tick.
    void everyClockPathTakesTheSameInstant() {
        const QByteArray savedZone = qgetenv("TZ");
        const auto restore = qScopeGuard([&savedZone] {
            astro::FixComputerInstant(std::nullopt);
            savedZone.isEmpty() ? qunsetenv("TZ") : qputenv("TZ", savedZone);
        });
        auto& v = program->view;
        const auto shownUt = [&v] {  // minutes since 1970
            return (astro::ModifiedJulianDay(v.clock.year, v.clock.month, v.clock.day) - 40587) *
                       1440LL +
                   astro::UtMinutesOf(v);
        };
        for (const auto& [zone, ut] : {std::pair{"AEST-10AEDT,M10.1.0,M4.1.0/3", 29430626LL},
                                       {"EST5EDT,M3.2.0,M11.1.0", 29210045LL}}) {
            qputenv("TZ", zone);
            astro::FixComputerInstant(std::time_t(ut * 60));
            for (int mode = 0; mode <= 3; ++mode) {
                v.Keisanji = mode;
                v.Dst = 0;
                astro::SetClockAtStartup(v);
                QCOMPARE(shownUt(), ut);
                QCOMPARE(v.Dst, mode == astro::kSystemTime ? 1 : 0);  // follows the computer
                v.clock = {2000, 1, 1, 0, 0};
                Run(321);
                QCOMPARE(shownUt(), ut);
                v.clock = {2000, 1, 1, 0, 0};
                window->TimerTick();
                QCoreApplication::processEvents();
                if (mode == astro::kRealTime) QCOMPARE(shownUt(), ut);
            }
        }
    }

    void everyKeyAndMenuItemIsServed() {
        for (const auto& accelerator : shell::MainAccelerators()) {
            if (accelerator.command == 151 || accelerator.command == 111) continue;
            if (accelerator.command == 147 || accelerator.command == 40001) continue;
            if (accelerator.command == 303) continue;
            QVERIFY2(window->Command(accelerator.command),
                     qPrintable(QString::number(accelerator.command)));
        }
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"

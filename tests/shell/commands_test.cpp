// The command table: every family of commands changes the view state as its row says, and
// commands that make no sense in the current state change nothing.

#include "astro/clock.h"
#include "astro/time_steps.h"
#include "shell/accelerators.h"
#include "window_fixture.h"

using V = state::ViewState;

class CommandsTest : public QObject, fixture::MainWindowFixture {
    Q_OBJECT

    void Run(int command) {
        QVERIFY2(window->Command(command), qPrintable(QString::number(command)));
    }

  private slots:
    void init() {
        NewProgram();
        program->view.SmoothIdou = 0;
        ShowWindow();
    }
    void cleanup() { CloseAll(); }

    // Pressing a command again and again walks its fields through these values: the first row
    // is where they start, each further row what one more press leaves.
    void commandsWalkTheirFields() {
        const std::tuple<int, std::vector<int32_t V::*>, std::vector<std::vector<int>>> walks[] = {
            {208, {&V::Constella}, {{1}, {2}, {3}, {0}, {1}}},
            {209, {&V::Constella}, {{1}, {0}, {3}}},
            {218, {&V::StarName}, {{0}, {2}, {3}, {0}}},  // mode 1 has no menu item
            {219, {&V::StarName}, {{0}, {3}, {2}, {0}}},
            // Scientific labels: Bayer, Bayer and Flamsteed, Flamsteed; backward from Flamsteed.
            {40018, {&V::StarName, &V::AlphaMode}, {{2, 3}, {3, 1}, {3, 3}, {3, 2}, {0, 1}}},
            {40019, {&V::StarName, &V::AlphaMode}, {{0, 1}, {3, 2}, {3, 3}, {3, 1}, {0, 1}}},
            // Bayer and Flamsteed are never both off.
            {40030, {&V::StarName, &V::AlphaMode}, {{0, 1}, {3, 1}}},
            {40031, {&V::AlphaMode}, {{1}, {3}}},
            {40030, {&V::AlphaMode}, {{3}, {2}}},
            {238, {&V::Solar}, {{1}, {3}, {0}}},
            {239, {&V::Solar}, {{0}, {3}, {1}}},
            {248, {&V::Comet}, {{3}, {0}}},
            {249, {&V::Comet}, {{0}, {3}}},
            {228, {&V::Galaxy}, {{4}, {0}}},
            {229, {&V::Galaxy}, {{0}, {4}}},
            {40028, {&V::Kisetu, &V::KisetuName}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}}},
            {40029, {&V::Kisetu, &V::KisetuName}, {{0, 0}, {0, 1}}},
            {25430, {&V::WakuseiLevel}, {{0}, {3}, {5}, {2}}},
            {25429, {&V::WakuseiLevel}, {{2}, {5}, {3}, {2}}},
            {40105, {&V::WakuseiLevel}, {{2}, {5}}},
            {40104, {&V::WakuseiLevel}, {{5}, {2}}},
            // One-button switches remember the mode they turned off.
            {207, {&V::Constella, &V::ConstellaDef}, {{2, 1}, {0, 2}, {2, 2}}},
            {227, {&V::Galaxy}, {{4}, {0}, {4}}},
            {217, {&V::StarName, &V::StarNameDef}, {{0, 0}, {2, 0}}},  // a dead 0 turns on 2
            {39, {&V::Kisetu, &V::KisetuName}, {{1, 1}, {0, 0}, {1, 1}}},
            // Grid buttons swap between the modes with and without the grid.
            {271,
             {&V::Sekidou, &V::SekidouDef, &V::SekidouDef2},
             {{1, 0, 3}, {3, 1, 3}, {1, 1, 3}}},
            {272, {&V::Koudou}, {{0}, {2}}},
            {638, {&V::Koudou}, {{2}, {3}}},
            {639, {&V::Koudou}, {{3}, {2}, {1}}},
            // Zoom steps never stall at the small scales and stop at the limits.
            {410, {&V::Zoom}, {{10}, {20}, {30}}},
            {410, {&V::Zoom}, {{80}, {100}}},
            {410, {&V::Zoom}, {{7000}, {7700}, {7700}}},
            {411, {&V::Zoom}, {{100}, {80}}},
            {411, {&V::Zoom}, {{30}, {20}, {10}, {10}}},
            {411, {&V::Zoom}, {{11}, {10}}},
            {411, {&V::Zoom}, {{7700}, {6420}}},
            // Longitude and latitude to the next whole degree, across the date line, to the poles.
            {611, {&V::Keido2}, {{-1800}, {1790}, {1780}}},
            {614, {&V::Keido2}, {{1790}, {1800}, {-1790}}},
            {612, {&V::Ido2}, {{895}, {900}, {900}}},
            {613, {&V::Ido2}, {{-900}, {-900}}},
            // Brightness: Auto ignores the steps; a menu value ends Auto; limits 0 and 55.
            {333, {&V::BrightAuto, &V::DrawStars}, {{1, 15}, {1, 15}}},
            {2051, {&V::BrightAuto, &V::DrawStars}, {{1, 15}, {0, 50}}},
            {333, {&V::BrightAuto, &V::DrawStars}, {{0, 54}, {0, 55}, {0, 55}}},
            {334, {&V::BrightAuto, &V::DrawStars}, {{0, 1}, {0, 0}, {0, 0}}}};
        for (const auto& [command, fields, steps] : walks) {
            program->view = {};
            program->view.SmoothIdou = 0;
            for (std::size_t step = 0; step < steps.size(); ++step) {
                std::vector<int> values;
                for (std::size_t f = 0; f < fields.size(); ++f) {
                    if (step == 0) program->view.*fields[f] = steps[0][f];
                    values.push_back(program->view.*fields[f]);
                }
                QVERIFY2(values == steps[step],
                         qPrintable(QString("command %1, press %2").arg(command).arg(step)));
                if (step + 1 < steps.size()) Run(command);
            }
        }
        // With the deep catalogue at hand, zoomed in, the limit goes one step further.
        auto& v = program->view;
        std::tie(v.DrawStars, v.Zoom, v.GscAvailable) = std::tuple(55, 500, true);
        Run(333);
        QCOMPARE(v.DrawStars, 56);
    }

    void oldChineseCyclesOnlyWithUnicodeText() {
        auto& v = program->view;
        Run(40023);
        QCOMPARE(std::pair(v.ShukuLine, v.ShukuName), std::pair(1, 0));
        Run(40024);
        Run(40024);
        QCOMPARE(v.ShukuLine + v.ShukuName + v.ShukuStar, 3);
        v.UnicodeText = false;
        Run(40024);
        Run(40020);
        QCOMPARE(v.ShukuLine + v.ShukuName + v.ShukuStar, 3);
    }

    void clockStepsMoveTheClock() {
        auto& v = program->view;
        v.clock = {2001, 1, 31, 23, 30};
        // The time step chosen first (0: as it is), a command, and the clock after it.
        const std::tuple<int, int, state::CivilClock> steps[] = {
            {0, 622, {2001, 3, 3, 23, 30}},  // M: 31 January + 1 month carries into March
            {0, 2201, {2001, 3, 3, 23, 31}},
            {0, 2210, {2001, 3, 3, 23, 41}},
            {0, 2310, {2001, 3, 3, 23, 31}},
            {0, 624, {2001, 3, 4, 0, 31}},
            {12, 40068, {2001, 5, 4, 0, 31}},  // "3 months" steps two months
            {20, 40069, {2001, 5, 3, 0, 35}},  // back 23 h 56 min
            {0, 40071 + 13, {2001, 5, 3, 0, 35}},
            {0, 40068, {2002, 5, 3, 0, 35}},  // the step just chosen: a year
        };
        for (const auto& [step, command, clock] : steps) {
            if (step) v.IncTime = step;
            Run(command);
            QCOMPARE(v.clock, clock);
        }
        // In Real Time no step moves the clock.
        v.Keisanji = 3;
        const state::CivilClock before = v.clock;
        for (int command : {621, 631, 622, 632, 623, 633, 624, 634, 625, 635, 2201, 2210, 2301,
                            2310, 40068, 40069})
            Run(command);
        QCOMPARE(v.clock, before);
    }

    void timeModeSwitchesKeepTheInstant() {
        auto& v = program->view;
        std::tie(v.TimeZone, v.SystemZone) = std::pair(-300, 60);
        v.clock = {2001, 1, 1, 20, 0};
        const std::pair<int, state::CivilClock> steps[] = {
            {301, {2001, 1, 2, 1, 0}},  {302, {2001, 1, 2, 2, 0}},  {300, {2001, 1, 1, 20, 0}},
            {300, {2001, 1, 1, 20, 0}}, {311, {2001, 1, 1, 21, 0}},  // daylight saving on and off
            {311, {2001, 1, 1, 20, 0}}};
        for (const auto& [command, clock] : steps) {
            Run(command);
            QCOMPARE(v.clock, clock);
        }
    }

    void refusedCommandsSayWhy() {
        auto& v = program->view;
        v.AutoRunning = true;
        Run(303);  // Real Time stops the automatic mode and refuses to start it
        QVERIFY(!v.AutoRunning);
        Run(331);
        QVERIFY(!v.AutoRunning);
        program->options.UserCitys = 40;
        Run(105);
        std::tie(v.GscAvailable, v.UseGsc) = std::pair(false, 0);
        program->options.GscPath = "/media/gsc";
        Run(40039);
        QCOMPARE(v.UseGsc, 1);
        const QStringList texts = MessageTexts();
        QCOMPARE(texts.first(2),
                 QStringList({"Auto drive does not work\n\nwhen you set real time mode.",
                              "You can not add any more city!"}));
        QVERIFY(texts.size() == 3 && texts[2].contains("/media/gsc") &&
                messages[0].icon == state::MessageIcon::Exclamation);
    }

    void directionsAndArrows() {
        auto& v = program->view;
        v.UnderHorizon = 0;
        // Equator mode or not, the command, the field, where it starts and where it ends. In
        // equator mode the keys go to the poles and the equinoxes; azimuth keys do nothing, arrows
        // reverse.
        const std::tuple<int, int, double V::*, double, double> cases[] = {
            {0, 400, &V::Houi2, 0, 1800},    {0, 402, &V::Houi2, 0, 2700},
            {0, 401, &V::Houi2, 900, 0},     {0, 403, &V::Houi2, 0, 900},
            {0, 40060, &V::Koudo2, 0, 900},  {0, 40061, &V::Koudo2, 900, 0},
            {0, 601, &V::Koudo2, 880, 900},  {0, 601, &V::Koudo2, 900, 900},
            {0, 603, &V::Koudo2, 20, 0},     {0, 605, &V::Houi2, 30, 3555},
            {0, 616, &V::Houi2, 3555, 3560}, {1, 402, &V::Houi2, 450, 450},
            {1, 403, &V::Houi2, 450, 450},   {1, 400, &V::Koudo2, 0, 900},
            {1, 401, &V::Koudo2, 0, -900},   {1, 407, &V::Houi2, 0, 1800},
            {1, 406, &V::Houi2, 900, 0},     {1, 605, &V::Houi2, 3560, 35},
            {1, 603, &V::Koudo2, -880, -900}};
        for (const auto& [equator, command, field, start, expected] : cases) {
            v.SekidouMod = equator;
            v.*field = start;
            Run(command);
            Paint();
            QVERIFY2(v.*field == expected,
                     qPrintable(QString("command %1 gave %2").arg(command).arg(v.*field)));
            QCOMPARE(window->pendingMoves() | window->activeMoves(), 0);
        }
        QCOMPARE(v.Koudo2, -900.0);
        Run(107);  // leaving equator mode lifts a negative altitude
        QCOMPARE(std::pair(v.SekidouMod, v.Koudo2), std::pair(0, 0.0));
    }

    void userCitySelectionKeepsTheInstantInLocalTime() {
        auto& v = program->view;
        auto& o = program->options;
        o.UserCitys = 1;
        std::strcpy(o.userCities[0].name, "Tokyo");
        auto& tokyo = o.userCities[0];
        std::tie(tokyo.latitude, tokyo.longitude, tokyo.zone) = std::tuple(357, -1398, 540);
        window->RebuildUserCityMenu();
        v.clock = {2001, 1, 1, 12, 0};
        Run(2111);
        QCOMPARE(std::tuple(v.clock, v.Ido2, v.CurrentCity),
                 std::tuple(state::CivilClock{2001, 1, 2, 2, 0}, 357, 10000));
        Run(2111);
        QCOMPARE(v.clock, (state::CivilClock{2001, 1, 2, 2, 0}));
        // An item beyond the stored cities does nothing.
        Run(2112);
        QCOMPARE(v.Ido2, 357);
    }

    void keysReachTheirCommands() {
        auto& v = program->view;
        const std::tuple<Qt::Key, Qt::KeyboardModifiers, quint32, int> keys[] = {
            {Qt::Key_C, Qt::NoModifier, 0, 208},
            {Qt::Key_C, Qt::ShiftModifier, 0, 209},
            {Qt::Key_Exclam, Qt::ShiftModifier, 0, 2301},
            {Qt::Key_0, Qt::KeypadModifier, 0, 2210},
            {Qt::Key_Bar, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, 0, 214},
            {Qt::Key_V, Qt::AltModifier, 0, 0},
            // The digit row by key codes 10..19 on any layout: German Shift+7, French 1.
            {Qt::Key_Slash, Qt::ShiftModifier, 16, 2307},
            {Qt::Key_Equal, Qt::ShiftModifier, 19, 2310},
            {Qt::Key_Ampersand, Qt::NoModifier, 10, 2201},
            {Qt::Key_Q, Qt::NoModifier, 24, 636}};
        for (const auto& [key, modifiers, code, command] : keys)
            QCOMPARE(shell::AcceleratorCommand(key, modifiers, code), command);
        const state::CivilClock before = v.clock;
        QKeyEvent shifted7(QEvent::KeyPress, Qt::Key_Slash, Qt::ShiftModifier, 16, 0, 0, "/");
        QCoreApplication::sendEvent(window->skyView(), &shifted7);
        QCOMPARE(v.clock.minute, (before.minute + 53) % 60);
    }

    void everyKeyIsBoundOnceAndServed() {
        const auto keys = shell::MainAccelerators();
        for (std::size_t i = 0; i < keys.size(); ++i)
            for (std::size_t j = i + 1; j < keys.size(); ++j)
                QVERIFY2(
                    keys[i].key != keys[j].key || keys[i].modifiers != keys[j].modifiers,
                    qPrintable(QString("%1 and %2").arg(keys[i].command).arg(keys[j].command)));
        // Help, exit, full screen and Real Time would end or hide this window.
        for (const auto& key : keys)
            if (!QList<int>{151, 111, 147, 40001, 303}.contains(key.command)) Run(key.command);
        for (int unknown : {152, 0, 65535})
            QVERIFY(!window->Command(unknown));
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
                std::tie(v.Keisanji, v.Dst) = std::pair(mode, 0);
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
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"

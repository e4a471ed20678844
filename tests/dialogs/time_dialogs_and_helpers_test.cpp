// The time dialog and the automatic mode dialog on a real main window: carrying typed values,
// the calendar, the Julian dates, Real Time, Auto Apply, the step and its description, the two
// tabs, and starting and stopping the automatic mode. Then the helpers every dialog shares:
// remembered positions kept on a monitor, typed numbers, the string table and its ring, the
// natural order of lists and picture files.

#include "astro/clock.h"
#include "astro/time_steps.h"
#include "dialogs/auto_dialog.h"
#include "dialogs/bitmaps.h"
#include "dialogs/dialog_position.h"
#include "dialogs/time_dialog.h"
#include "shell/string_table.h"
#include "window_fixture.h"

using namespace dialogs;
using namespace fixture;

class TimeDialogsAndHelpersTest : public QObject, MainWindowFixture {
    Q_OBJECT

    TimeDialog* OpenTime() { return Open<TimeDialog>(132, DialogKind::Time); }
    AutoDialog* OpenAuto() { return Open<AutoDialog>(332, DialogKind::Auto); }

  private slots:
    void init() {
        NewProgram();
        program->view.clock = {2000, 1, 15, 10, 30};
        ShowWindow(BlackSky());
    }
    void cleanup() { CloseAll(); }

    void typedFieldsCarryIntoTheirNeighbours() {
        TimeDialog* dialog = OpenTime();
        const std::tuple<int, const char*, state::CivilClock> cases[] = {
            {109, "75", {2000, 1, 15, 11, 15}},  // minute 75: the next hour
            {105, "0", {1999, 12, 31, 11, 15}},  // day 0: the last day of the month before
            {101, "-1", {0, 12, 31, 11, 15}},    // -1 is 1 BC, year 0
            {101, "abc", {0, 12, 31, 11, 15}},   // not a number: 0, which is year 0 too
            {101, "200000", {99999, 12, 31, 11, 15}}, {101, "-200000", {-99998, 12, 31, 11, 15}}};
        for (const auto& [id, typed, expected] : cases) {
            Type(dialog, id, QString::fromLatin1(typed));
            QCOMPARE(dialog->work().clock, expected);
        }
        Type(dialog, 101, QStringLiteral("0"));
        Type(dialog, 103, QStringLiteral("1"));
        QCOMPARE(Text(dialog, 101) + "|" + Text(dialog, 1108), QStringLiteral("   -1|Jan 0"));
        QCOMPARE(program->view.clock, state::CivilClock({2000, 1, 15, 10, 30}));  // not applied
    }

    void calendarEnablesTheDaysOfTheMonth() {
        TimeDialog* dialog = OpenTime();
        const std::tuple<const char*, int, int> cases[] = {
            {"2000", 29, 1203}, {"1900", 28, 1205}, {"-5", 29, 1206}};
        for (const auto& [year, days, firstButton] : cases) {
            Type(dialog, 103, QStringLiteral("2"));
            Type(dialog, 101, QString::fromLatin1(year));
            int enabled = 0;
            for (int id = 1201; id <= 1240; ++id)
                enabled += FindControl<QPushButton>(*dialog, id)->isEnabled();
            QCOMPARE(std::pair(enabled, Text(dialog, firstButton)), std::pair(days, QString("1")));
        }
        Click(dialog, 1220);  // in February of 5 BC, which begins on a Friday
        QVERIFY(dialog->work().clock.day == 15 && Checked(dialog, 1220));
    }

    void julianDatesKeepTheMoment() {
        program->view.TimeZone = -300;
        TimeDialog* dialog = OpenTime();
        const QString jd = Text(dialog, 117);
        Click(dialog, 112);  // Greenwich Time: five hours later on the clock, the same moment
        QCOMPARE(std::pair(dialog->work().clock, Text(dialog, 117)),
                 std::pair(state::CivilClock{2000, 1, 15, 15, 30}, jd));
        Type(dialog, 119, QStringLiteral("51544.5"));
        QCOMPARE(std::pair(dialog->work().clock, Text(dialog, 117)),
                 std::pair(state::CivilClock{2000, 1, 1, 12, 0}, QString("  2451545.0000")));
        Type(dialog, 117, QStringLiteral("1e15"));
        QCOMPARE(dialog->work().clock.year, astro::kMaxYear);
        Type(dialog, 119, QStringLiteral("-1e15"));
        QCOMPARE(dialog->work().clock.year, astro::kMinYear);
    }

    void realTimeDisablesTheInputsAndApplyTakesTheComputerClock() {
        program->view.AutoRunning = true;
        program->options.AutoType = 1;
        TimeDialog* dialog = OpenTime();
        Click(dialog, 114);
        for (int id : {101, 102, 105, 110, 116, 117, 119, 1102, 1105, 1107, 1203, 1231})
            QVERIFY2(!Enabled(dialog, id), qPrintable(QString::number(id)));
        Click(dialog, kIdApply);
        state::ViewState expected = program->view;
        astro::ObtainCurrentTime(expected, astro::ReadComputerStandardClock());
        const auto& v = program->view;
        QCOMPARE(std::tuple(v.Keisanji, v.clock, v.AutoRunning),
                 std::tuple(astro::kRealTime, expected.clock, false));
        Click(dialog, 111);
        QVERIFY(Enabled(dialog, 1107));
    }

    void autoApplyRendersOnceForAKeystrokeAndFollowsOtherChanges() {
        TimeDialog* dialog = OpenTime();
        Click(dialog, kIdAutoApply);
        QCOMPARE(program->options.KosinAutoTime, 1);
        QTest::qWait(50);
        const int renders = window->skyView()->renderCount();
        QTest::keyClick(FindControl<QLineEdit>(*dialog, 109), Qt::Key_Up);
        QTest::qWait(100);
        QCOMPARE(std::pair(program->view.clock.minute, window->skyView()->renderCount()),
                 std::pair(31, renders + 1));
        // The clock stepped elsewhere: the dialog shows it (command 999).
        window->Command(624);
        QCOMPARE(Text(dialog, 107), QStringLiteral("11"));
        // Opening it again brings up the same dialog.
        QCOMPARE(OpenTime(), dialog);
    }

    void stepIsCarriedAndDescribed() {
        const std::tuple<AutoWork, const char*> cases[] = {
            {{0, 0, 0, 0, 25, 90}, "1 day 2 hours 30 minutes"},
            {{0, 0, 14, 0, 0, 0}, "1 year 2 months"},
            {{0, 0, 0, 0, 0, 0}, "0 minutes"},
            {{0, 0, 0, 0, 1, 0}, "1 hour"},
            {{0, 0, 0, 5000, 0, 0}, "1000 days"},
            {{0, INT32_MAX, INT32_MAX, 0, 0, -5}, "1000 years"}};
        for (const auto& [step, duration] : cases) {
            AutoWork work = step;
            NormalizeStep(work);
            QCOMPARE(DurationText(work.years, work.months, work.days, work.hours, work.minutes),
                     std::string(duration));
        }
        AutoDialog* dialog = OpenAuto();
        Type(dialog, 107, QStringLiteral("25"));
        Type(dialog, 109, QStringLiteral("90"));
        QCOMPARE(Text(dialog, 105) + Text(dialog, 107) + Text(dialog, 109),
                 QStringLiteral("00010230"));
        QCOMPARE(Text(dialog, 902),
                 QStringLiteral("Every tick, clock advances\nby 1 day 2 hours 30 "
                                "minutes.\nTick speed is very fast."));
    }

    void tracingModeHidesTheTickSpeedsAndTracesBackwards() {
        AutoDialog* dialog = OpenAuto();
        QVERIFY(FindControl(*dialog, 1034)->isVisible());
        FindControl<QTabBar>(*dialog, 201)->setCurrentIndex(1);
        QCOMPARE(Text(dialog, 1003), QStringLiteral("-"));
        QList<bool> shown;
        for (int id : {1003, 1034, 1035, 902, 1030, 251, 1032, 1015, 901})
            shown << FindControl(*dialog, id)->isVisible();
        QCOMPARE(shown, QList<bool>({false, false, false, false, true, true, true, true, true}));
        Type(dialog, 251, QStringLiteral("500"));
        QCOMPARE(Text(dialog, 251), QStringLiteral("120"));
        QCOMPARE(Text(dialog, 901), QStringLiteral("Display the trace of object\nfor the last 6 "
                                                   "hours\nwith the interval of 3 minutes.\nFrom: "
                                                   "Jan 15,  2000  04:30\nTo: Jan 15,  2000  10:30 "
                                                   "(SetTime button)"));
        Click(dialog, kIdOk);
        QCOMPARE(std::tuple(program->view.AutoRunning, program->options.AutoType,
                            program->options.AutoRepeat),
                 std::tuple(true, 1, 120));
        QVERIFY(!window->openDialogs().Find(DialogKind::Auto));
    }

    void cancelStopsARunningFastClockingAndKeepsThePlace() {
        program->options.DlgPosX[3] = 5000;  // off every monitor
        AutoDialog* dialog = OpenAuto();
        QVERIFY(window->screen()->geometry().contains(dialog->frameGeometry()));
        Click(dialog, kIdApply);
        QCOMPARE(std::pair(program->view.AutoRunning, Text(dialog, kIdApply)),
                 std::pair(true, QString("&Stop")));
        window->TimerTick();
        QCOMPARE(std::pair(program->view.clock.minute, Text(dialog, 902).isEmpty()),
                 std::pair(33, false));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!program->view.AutoRunning && !dialog->isVisible());
        QCOMPARE(program->options.DlgPosX[3],
                 dialog->frameGeometry().x() - window->frameGeometry().x());
    }

    // A 300 x 200 window placed from a parent at (100, 50) on a 1920 x 1080 monitor: inside,
    // off the right and bottom, left of and above; larger than the monitor, the top-left wins.
    void positionIsKeptOnTheMonitor() {
        const std::tuple<QPoint, QSize, QPoint> cases[] = {{{20, 80}, {300, 200}, {120, 130}},
                                                           {{1700, 1000}, {300, 200}, {1620, 880}},
                                                           {{-400, -90}, {300, 200}, {0, 0}},
                                                           {{20, 80}, {2500, 1200}, {0, 0}}};
        for (const auto& [offset, size, kept] : cases)
            QCOMPARE(KeptOnMonitor({100, 50}, offset, size, QRect(0, 0, 1920, 1080)), kept);
    }

    void storedPositionIsTheOffsetAndSurvivesMinimising() {
        QWidget parent;
        parent.setGeometry(100, 100, 800, 600);
        parent.show();
        QWidget window(&parent, Qt::Window);
        window.resize(200, 100);
        state::AppOptions options;
        PlaceDialog(window, &parent, QPoint(30, 40));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.move(window.pos() + QPoint(5, 6));
        StoreDialogPosition(window, &parent, options, kSlotTime);
        QCOMPARE(QPoint(options.DlgPosX[1], options.DlgPosY[1]), QPoint(35, 46));
        window.showMinimized();
        window.move(0, 0);
        StoreDialogPosition(window, &parent, options, kSlotTime);
        QCOMPARE(QPoint(options.DlgPosX[1], options.DlgPosY[1]), QPoint(35, 46));
    }

    void typedNumbersNeverFail() {
        const std::tuple<const char*, int32_t, double> cases[] = {
            {"abc", 0, 0.0},
            {"  12x", 12, 12.0},
            {"-5", -5, -5.0},
            {"99999999999", INT32_MAX, 99999999999.0},
            {"-99999999999", INT32_MIN, -99999999999.0},
            {"nan", 0, 0.0},
            {"1e999", 1, 0.0},
            {"0x10", 0, 0.0},
            {" 51544.5", 51544, 51544.5},
            {"", 0, 0.0}};
        for (const auto& [text, integer, real] : cases)
            QCOMPARE(std::pair(ReadInt(text), ReadDouble(text)), std::pair(integer, real));
    }

    void nineStringLoadsReuseTheFirstBuffer() {
        const char* first = shell::LoadStringInRing(11);
        QCOMPARE(QByteArray(first), QByteArray("You can not add any more city!"));
        for (int i = 0; i < 7; ++i)
            QVERIFY(shell::LoadStringInRing(12) != first);
        QCOMPARE(shell::LoadStringInRing(42), first);  // a missing entry is empty
        QCOMPARE(std::tuple(QByteArray(first), shell::LoadString(-1), shell::LoadString(131)),
                 std::tuple(QByteArray(), std::string(), std::string("View(F5)")));
    }

    void numbersAfterASharedPrefixComeInNumericOrder() {
        QListWidget list;
        list.setSortingEnabled(true);
        const char* names[] = {"M 1",     "M 10",     "M 2",     "M 31",   "Mira",
                               "NGC 224", "NGC 7000", "NGC 891", "10 Lac", "2 Lac"};
        for (const char* name : names) {
            auto* item = new QListWidgetItem(QString::fromLatin1(name));
            item->setData(Qt::UserRole, QString::fromLatin1(name));
            list.addItem(item);
        }
        NaturalOrder(list);
        QStringList order;
        for (int i = 0; i < list.count(); ++i) {
            QCOMPARE(list.item(i)->data(Qt::UserRole).toString(), list.item(i)->text());
            order << list.item(i)->text();
        }
        QCOMPARE(order, QStringList({"2 Lac", "10 Lac", "M 1", "M 2", "M 10", "M 31", "Mira",
                                     "NGC 224", "NGC 891", "NGC 7000"}));
    }

    void pictureFilesKeepTheirPaletteOnlyUpTo8Bits() {
        QTemporaryDir folder;
        QImage truecolour(4, 3, QImage::Format_RGB888);
        truecolour.fill(Qt::red);
        QImage indexed = truecolour.convertToFormat(QImage::Format_Indexed8);
        QVERIFY(truecolour.save(folder.filePath("deep.bmp"), "BMP") &&
                indexed.save(folder.filePath("flat.picture"), "BMP"));
        const QImage deep = LoadPictureFile(folder.filePath("deep.bmp"));
        QVERIFY(deep.size() == QSize(4, 3) && deep.colorTable().isEmpty());
        QVERIFY(!LoadPictureFile(folder.filePath("flat.picture")).colorTable().isEmpty());
        // Not regular files, or not pictures: no image and no stall.
        QVERIFY(LoadPictureFile(folder.path()).isNull() &&
                LoadPictureFile(QStringLiteral("/dev/zero")).isNull() &&
                LoadBitmapResource("../B_NONE").isNull());
    }
};

QTEST_MAIN(TimeDialogsAndHelpersTest)
#include "time_dialogs_and_helpers_test.moc"

// The helpers every dialog shares: remembered positions kept on a monitor, typed numbers,
// the string table and its ring, the natural order of lists and picture files.
#include <QtTest>

#include <QListWidget>

#include <tuple>

#include "dialogs/bitmaps.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "shell/string_table.h"

using namespace dialogs;

class DialogHelpersTest : public QObject {
    Q_OBJECT
  private slots:
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
            {"", 0, 0.0},
        };
        for (const auto& [text, integer, real] : cases) {
            QCOMPARE(ReadInt(QString::fromLatin1(text)), integer);
            QCOMPARE(ReadDouble(QString::fromLatin1(text)), real);
        }
    }

    void nineStringLoadsReuseTheFirstBuffer() {
        const char* first = shell::LoadStringInRing(11);
        QCOMPARE(QByteArray(first), QByteArray("You can not add any more city!"));
        for (int i = 0; i < 7; ++i)
            QVERIFY(shell::LoadStringInRing(12) != first);
        QCOMPARE(shell::LoadStringInRing(42), first);  // a missing entry is empty
        QCOMPARE(QByteArray(first), QByteArray());
        QVERIFY(shell::LoadString(-1).empty());
        QCOMPARE(shell::LoadString(131), std::string("View(F5)"));
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
        QVERIFY(truecolour.save(folder.filePath("deep.bmp"), "BMP"));
        QVERIFY(indexed.save(folder.filePath("flat.picture"), "BMP"));
        const QImage deep = LoadPictureFile(folder.filePath("deep.bmp"));
        QCOMPARE(deep.size(), QSize(4, 3));
        QVERIFY(deep.colorTable().isEmpty());
        QVERIFY(!LoadPictureFile(folder.filePath("flat.picture")).colorTable().isEmpty());
        // Not regular files, or not pictures: no image and no stall.
        QVERIFY(LoadPictureFile(folder.path()).isNull());
        QVERIFY(LoadPictureFile(QStringLiteral("/dev/zero")).isNull());
        QVERIFY(LoadBitmapResource("../B_NONE").isNull());
    }
};

QTEST_MAIN(DialogHelpersTest)
#include "dialog_helpers_test.moc"

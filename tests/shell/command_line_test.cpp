#include <QtTest>

#include "shell/command_line.h"
#include "shell/picture_window.h"

class CommandLineTest : public QObject {
    Q_OBJECT
  private slots:
    void screenSaverSwitchIsFoundAnywhereInAnyCase() {
        QVERIFY(shell::ParseCommandLine("/screensaver").screenSaver);
        QVERIFY(shell::ParseCommandLine("x -ScreenSaver y").screenSaver);
        QVERIFY(shell::ParseCommandLine("abc/SCREENSAVERdef").screenSaver);
        QVERIFY(!shell::ParseCommandLine("SCREENSAVER").screenSaver);
        QVERIFY(shell::ParseCommandLine("/screensaver view.qel").viewFile.empty());
    }

    void hashFormSkipsEightCharactersAndTheTitle() {
        auto command = shell::ParseCommandLine("#$#abcde/tmp/sky view.QEL");
        QVERIFY(command.noTitle);
        QCOMPARE(command.viewFile, std::string("/tmp/sky view.QEL"));
        QVERIFY(shell::ParseCommandLine("#$#ab").viewFile.empty());
    }

    void plainLineIsTheFileName() {
        auto command = shell::ParseCommandLine("/home/me/Orion.QEL");
        QVERIFY(!command.noTitle);
        QCOMPARE(command.viewFile, std::string("/home/me/Orion.QEL"));
        QVERIFY(shell::ParseCommandLine("").viewFile.empty());
    }

    void ownOptionsAreNotPartOfTheLine() {
        QCOMPARE(shell::CommandLineText({"--data-dir", "/d", "a.qel"}), std::string("a.qel"));
        QCOMPARE(shell::CommandLineText({"my", "view.qel"}), std::string("my view.qel"));
    }

    void picturesAreEnlargedToFitButNeverReduced() {
        QCOMPARE(shell::FitPictureSize({320, 240}, {638, 478}, true), QSize(638, 478));
        // Height-limited, and short of the width by more than 5 %: kept.
        QCOMPARE(shell::FitPictureSize({100, 80}, {638, 478}, true), QSize(597, 478));
        // Short of the width by less than 5 %: widened to it.
        QCOMPARE(shell::FitPictureSize({100, 76}, {638, 478}, true), QSize(638, 478));
        QCOMPARE(shell::FitPictureSize({1000, 800}, {638, 478}, true), QSize(1000, 800));
        QCOMPARE(shell::FitPictureSize({320, 240}, {638, 478}, false), QSize(320, 240));
        QCOMPARE(shell::FitPictureSize({100, 400}, {638, 478}, true), QSize(119, 478));
    }

    void aFileThatIsNoPictureLeavesTheWindowBlack() {
        QTemporaryFile junk;
        QVERIFY(junk.open());
        junk.write("GIF89a, or so it says");
        junk.close();
        shell::PictureFileWindow window;
        window.resize(64, 48);
        window.SetPictureFile(junk.fileName());
        QVERIFY(window.picture().isNull());
        QCOMPARE(window.grab().toImage().pixelColor(30, 20), QColor(Qt::black));
    }
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"

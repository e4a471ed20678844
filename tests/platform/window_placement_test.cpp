// Where windows go on the desktop, the files that tell the desktop about view files, and the
// font faces the desktop has.
#include <QtTest>

#include <tuple>

#include "platform/file_association.h"
#include "platform/font_families.h"
#include "platform/window_placement.h"

class WindowPlacementTest : public QObject {
    Q_OBJECT
  private slots:
    // A window is pulled onto its area, a wider one to the area's left edge; the default
    // position is never moved, and a place on a missing monitor goes to the nearest one.
    void windowsAreKeptOnTheirArea() {
        const int kDefault = platform::kDefaultPosition;
        const std::tuple<QPoint, QSize, QRect, QPoint> cases[] = {
            {{100, 50}, {800, 600}, {0, 0, 1920, 1040}, {100, 50}},
            {{1500, 900}, {800, 600}, {0, 0, 1920, 1040}, {1120, 440}},
            {{300, 10}, {2500, 600}, {1920, 24, 1920, 1056}, {1920, 24}},
            {{kDefault, kDefault}, {800, 600}, {0, 0, 1920, 1040}, {kDefault, kDefault}},
        };
        for (const auto& [at, size, area, kept] : cases) {
            int x = at.x(), y = at.y();
            platform::FitToArea(x, y, size.width(), size.height(), area);
            QCOMPARE(QPoint(x, y), kept);
        }
        int x = 50000, y = 50000;
        platform::FitToWorkArea(x, y, 400, 300);
        QVERIFY(platform::WorkAreaNearest(QPoint(x, y)).contains(QRect(x, y, 400, 300)));
    }

    void centringHalvesTheDifferenceTowardZero() {
        QCOMPARE(platform::CentredOver(QSize(638, 478), QRect(0, 0, 1920, 1080)), QPoint(641, 301));
        QCOMPARE(platform::CentredOver(QSize(101, 51), QRect(10, 20, 200, 100)), QPoint(59, 44));
        // A window larger than the reference sits left of and above it.
        QCOMPARE(platform::CentredOver(QSize(301, 100), QRect(0, 0, 100, 100)), QPoint(-100, 0));
    }

    void associationFilesAreWrittenOnceAndNameTheProgram() {
        QTemporaryDir home;
        const QStringList arguments = {"--data-dir", "/srv/sky $1 \\ \"100%\""};
        platform::RegisterViewFileType(".qel", "Planetarium", "Planetarium Data File",
                                       "/opt/my planetarium/planetarium", arguments, home.path());
        auto paths = platform::AssociationPathsUnder(home.path());
        QFile desktop(paths.desktopEntry);
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        QByteArray entry = desktop.readAll();
        // Quoted, with ", `, $ and \ escaped inside the quotes, % doubled, and the backslashes of
        // that escaping written twice in the file.
        QVERIFY(entry.contains(R"(Exec="/opt/my planetarium/planetarium" "--data-dir" )"
                               R"("/srv/sky \\$1 \\\\ \\"100%%\\"" %f)"));
        // The desktop learns the type: its MIME cache is rebuilt in the background.
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(home.path() + "/mime/application/x-planetarium-view.xml"), 10000);
        QFile mime(paths.mimePackage);
        QVERIFY(mime.open(QIODevice::ReadOnly));
        QByteArray xml = mime.readAll();
        QVERIFY(xml.contains("*.qel"));
        QVERIFY(xml.contains("Planetarium Data File"));
        const QDateTime written = QFileInfo(paths.mimePackage).lastModified();
        QTest::qWait(20);
        platform::RegisterViewFileType(".qel", "Planetarium", "Planetarium Data File",
                                       "/opt/my planetarium/planetarium", arguments, home.path());
        QCOMPARE(QFileInfo(paths.mimePackage).lastModified(), written);
    }

    void installedEntryIsFoundBesideTheProgramOrInTheDataDirs() {
        QTemporaryDir prefix, dataDirs;
        qputenv("XDG_DATA_DIRS", dataDirs.path().toUtf8());
        const QString bin = prefix.path() + "/bin";
        const QString entry = QStringLiteral("/applications/%1.desktop").arg(platform::kDesktopId);
        QVERIFY(!platform::InstalledEntryExists(bin));
        for (const QString& share : {prefix.path() + "/share", dataDirs.path()}) {
            QVERIFY(QDir().mkpath(share + "/applications"));
            QFile file(share + entry);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QVERIFY(platform::InstalledEntryExists(bin));
            QVERIFY(file.remove());
        }
    }

    void unwritableHomeIsIgnored() {
        platform::RegisterViewFileType(".qel", "Planetarium", "Planetarium Data File",
                                       "/usr/bin/planetarium", {}, "/proc/no-such-place");
    }

    void installedAndBuiltInFacesAreKnown() {
        for (const char* face : {"DejaVu Sans", "Arial", "Symbol"})
            QVERIFY2(platform::FontFamilyKnown(face), face);
        for (const char* face : {"No Such Face 7", ""})
            QVERIFY2(!platform::FontFamilyKnown(face), face);
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"

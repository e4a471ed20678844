// The File menu's dialogs and pages on the full data set: view files saved and opened through
// the dialogs with their companions, and the printed page as PDF, on paper and as PNG.
#include <QtTest>

#include <QApplication>
#include <QFileDialog>
#include <QPrinter>
#include <QProcess>

#include "persist/data_set.h"
#include "persist/paths.h"
#include "shell/main_window.h"
#include "state/messages.h"

using shell::MainWindow;

class FileCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    shell::Program program;
    std::unique_ptr<MainWindow> window;
    std::vector<state::Message> messages;
    int zoomWhenShown = 0;

    // Answers the next file dialog with path.
    void AnswerFileDialog(const QString& path) {
        QTimer::singleShot(0, [path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        });
    }

    // Orion in equator mode, drawn the same whatever the computer's clock says.
    void ViewOrion() {
        auto& v = program.view;
        v.SekidouMod = 1;
        v.Houi2 = 840;
        v.Koudo2 = 0;
        v.Zoom = 80;
        v.SaisaKeisan = 0;
        v.Constella = 1;
        v.clock = {2024, 1, 15, 21, 0};
    }

    // The page's text and whether any pixel of it (at 20 dpi) has a colour other than a grey.
    std::pair<QString, bool> ReadPdf(const QString& pdf) {
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        text.waitForFinished(30000);
        QProcess raster;
        raster.start("pdftoppm", {"-r", "20", "-png", "-singlefile", pdf, dir.path() + "/page"});
        raster.waitForFinished(30000);
        const QImage page(dir.path() + "/page.png");
        bool coloured = page.isNull();
        for (int y = 0; y < page.height() && !coloured; ++y)
            for (int x = 0; x < page.width() && !coloured; ++x) {
                const QRgb p = page.pixel(x, y);
                coloured = qRed(p) != qGreen(p) || qGreen(p) != qBlue(p);
            }
        return {QString::fromUtf8(text.readAllStandardOutput()), coloured};
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
        std::string gscPath;
        QVERIFY(persist::LoadDataSet(program.data, dir.path().toStdString(), gscPath));
        window = std::make_unique<MainWindow>(program);
        window->resize(900, 700);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m);
            zoomWhenShown = program.view.Zoom;
            return state::MessageAnswer::Ok;
        });
    }
    void init() { messages.clear(); }
    void cleanupTestCase() {
        window.reset();
        state::SetMessageHandler({});
    }

    void viewFilesGoThroughTheDialogsWithTheirCompanions() {
        program.view.Zoom = 350;
        AnswerFileDialog(dir.path() + "/orion");  // the extension is added
        QVERIFY(window->Command(102));
        const QString saved = dir.path() + "/orion.QEL";
        QCOMPARE(QFileInfo(saved).size(), 512);
        // Companions in the case a Linux user writes them: a text over the 9999-byte limit and
        // a sound file that is no sound.
        QFile text(dir.path() + "/orion.txt");
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(12000, 'a'));
        text.close();
        QFile sound(dir.path() + "/orion.wav");
        QVERIFY(sound.open(QIODevice::WriteOnly) && sound.write("not a sound") > 0);
        sound.close();
        program.view.Zoom = 100;
        AnswerFileDialog(saved);
        QVERIFY(window->Command(101));
        QCOMPARE(program.view.Zoom, 350);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages[0].text.size(), size_t(9999));
        QCOMPARE(zoomWhenShown, 350);  // the text comes once its view is in force
    }

    void pagesGoThroughOnePrintPath_data() {
        QTest::addColumn<int>("colorPrint");
        QTest::addColumn<bool>("onPrinter");
        QTest::newRow("monochrome PDF export") << 0 << false;
        QTest::newRow("colour PDF export") << 1 << false;
        QTest::newRow("printer without a printer: PDF file") << 0 << true;
    }
    void pagesGoThroughOnePrintPath() {
        QFETCH(int, colorPrint);
        QFETCH(bool, onPrinter);
        ViewOrion();
        program.options.ColorPrint = colorPrint;
        const QString pdf = dir.path() + "/page.pdf";
        QFile::remove(pdf);
        shell::FileCommands& files = window->fileCommands();
        if (onPrinter) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            QVERIFY(files.PrintPage(printer));
        } else {
            QVERIFY(files.ExportPdf(pdf));
        }
        QCOMPARE(program.view.Zoom, 80);
        QVERIFY(!files.printing());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(!window->findChild<QWidget*>("D_PRINTING"));
        const auto [text, coloured] = ReadPdf(pdf);
        QVERIFY2(text.contains("Orion"), qPrintable(text));  // text stays text
        QVERIFY(text.contains("Printed by Planetarium"));
        QCOMPARE(coloured, colorPrint == 1);
        QVERIFY(messages.empty());
    }

    void pngExportAndFailures() {
        shell::FileCommands& files = window->fileCommands();
        QVERIFY(files.ExportPng(dir.path() + "/sky.png"));
        QCOMPARE(QImage(dir.path() + "/sky.png").size(), window->skyView()->size());
        QVERIFY(!files.ExportPng("/proc/self/sky.png"));
        QVERIFY(!files.ExportPdf("/proc/self/sky.pdf"));
        QCOMPARE(messages.size(), size_t(2));
        QCOMPARE(messages[1].text, std::string("Failed to create file."));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"

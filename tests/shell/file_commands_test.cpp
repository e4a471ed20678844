// The File menu's dialogs and pages on the full data set: view files saved and opened through
// the dialogs, and the printed page as PDF, on paper and as PNG.

#include <QPrinter>
#include <QProcess>

#include "window_fixture.h"

class FileCommandsTest : public QObject, fixture::MainWindowFixture {
    Q_OBJECT

    // Answers the next file dialog with path.
    static void AnswerFileDialog(const QString& path) {
        fixture::OnModal([path](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) files->selectFile(path);
            dialog.accept();
        });
    }

    // Answers the save option dialog that follows the file dialog: "Time" unticked, then OK.
    static void AnswerSaveOptions(int tries = 100) {
        QTimer::singleShot(10, [tries] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != "D_SAVEOPTION") {
                if (tries > 0) AnswerSaveOptions(tries - 1);
                return;
            }
            dialog->findChild<QCheckBox*>("1046")->setChecked(false);
            static_cast<QDialog*>(dialog)->accept();
        });
    }

    // The page's text, and whether it is all greys (rendered at 20 dpi).
    std::pair<QString, bool> ReadPdf(const QString& pdf) {
        const QString text = home.path() + "/page.txt";
        QProcess::execute("pdftotext", {pdf, text});
        QProcess::execute("pdftoppm",
                          {"-r", "20", "-png", "-singlefile", pdf, home.path() + "/page"});
        QFile file(text);
        file.open(QIODevice::ReadOnly);
        return {QString::fromUtf8(file.readAll()), QImage(home.path() + "/page.png").allGray()};
    }

    // A page of Orion in equator mode exported or printed, and what it shows.
    void PrintPage(int colorPrint, bool onPrinter) {
        auto& v = program->view;  // Orion in equator mode, whatever the computer's clock says
        std::tie(v.SekidouMod, v.Houi2, v.Koudo2, v.Zoom) = std::tuple(1, 840.0, 0.0, 80);
        program->options.ColorPrint = colorPrint;
        const QString pdf = home.path() + "/page.pdf";
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
        QVERIFY(program->view.Zoom == 80 && !files.printing() && !QApplication::overrideCursor() &&
                !window->findChild<QWidget*>("D_PRINTING"));
        const auto [text, grey] = ReadPdf(pdf);
        QVERIFY2(text.contains("Orion") && text.contains("Printed by Planetarium"),
                 qPrintable(text));
        QVERIFY(grey == (colorPrint == 0) && messages.empty());
    }

  private slots:
    void initTestCase() {
        NewProgram();
        LoadDataSet();
        ShowWindow();
        window->resize(900, 700);
    }
    void cleanupTestCase() { CloseAll(); }
    void init() { messages.clear(); }

    void viewFilesGoThroughTheDialogs() {
        program->view.Zoom = 350;
        program->options.SaveOption = 15;
        AnswerFileDialog(home.path() + "/orion");  // the extension is added
        AnswerSaveOptions();
        QVERIFY(window->Command(102));
        QCOMPARE(
            std::pair(QFileInfo(home.path() + "/orion.QEL").size(), program->options.SaveOption),
            std::pair(qint64(512), 13));
        program->view.Zoom = 100;
        AnswerFileDialog(home.path() + "/orion.QEL");
        QVERIFY(window->Command(101));
        QVERIFY(program->view.Zoom == 350 && messages.empty());
    }

    // A monochrome and a colour PDF export, and a printer without a printer: a PDF file.
    void pagesGoThroughOnePrintPath() {
        for (const auto& [colorPrint, onPrinter] : {std::pair(0, false), {1, false}, {0, true}})
            PrintPage(colorPrint, onPrinter);
    }

    void pngExportAndFailures() {
        shell::FileCommands& files = window->fileCommands();
        QVERIFY(files.ExportPng(home.path() + "/sky.png"));
        QCOMPARE(QImage(home.path() + "/sky.png").size(), window->skyView()->size());
        QVERIFY(!files.ExportPng("/proc/self/sky.png") && !files.ExportPdf("/proc/self/sky.pdf"));
        QCOMPARE(MessageTexts(), QStringList(2, "Failed to create file."));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"

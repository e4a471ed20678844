#include "shell/file_commands.h"

#include <algorithm>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "dialogs/save_option_dialog.h"
#include "platform/message_box.h"
#include "platform/sky_painting.h"
#include "platform/window_placement.h"
#include "shell/program.h"
#include "shell/sky_painter.h"
#include "shell/view_file_open.h"
#include "state/messages.h"

namespace shell {
namespace {

const QString kViewFileFilter = QStringLiteral("Planetarium (*.QEL *.qel)");

// Where a file dialog opens: the last file or folder used, else the user's documents.
QString StartAt(const QString& last) {
    if (!last.isEmpty()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void ShowStop(const char* text) {
    state::ShowMessage({text, "", state::MessageIcon::Stop, state::MessageButtons::Ok});
}

// The "Printing..." box over the window and the wait cursor, for as long as a page is made.
class PrintingNotice {
  public:
    explicit PrintingNotice(QWidget* window) {
        box_ = new QFrame(window, Qt::Tool | Qt::FramelessWindowHint);
        box_->setObjectName(QStringLiteral("D_PRINTING"));
        box_->setFrameStyle(QFrame::Box | QFrame::Raised);
        box_->setAttribute(Qt::WA_ShowWithoutActivating);
        auto* text = new QLabel(QStringLiteral("Printing..."), box_);
        text->setObjectName(QStringLiteral("static1000"));
        auto* layout = new QVBoxLayout(box_);
        layout->setContentsMargins(24, 16, 24, 16);
        layout->addWidget(text);
        box_->adjustSize();
        if (window) platform::CentreWindow(*box_, window);
        box_->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Shown before the work starts; nothing the user does is taken meanwhile.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~PrintingNotice() {
        QApplication::restoreOverrideCursor();
        delete box_;
    }
    PrintingNotice(const PrintingNotice&) = delete;
    PrintingNotice& operator=(const PrintingNotice&) = delete;

  private:
    QPointer<QFrame> box_;
};

}  // namespace

FileCommands::FileCommands(Program& program, FileCommandHost host)
    : program_(program), host_(std::move(host)) {}

FileCommands::~FileCommands() = default;

QPrinter& FileCommands::printer() {
    // Made on first use: finding the printers may take a moment. The paper starts in the
    // shape of the view; the printer set-up may turn it.
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setDocName(platform::kWindowTitle);
        const QSize view = host_.viewSize();
        printer_->setPageOrientation(view.width() > view.height() ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    }
    return *printer_;
}

bool FileCommands::Run(int command) {
    switch (command) {
        case kCommandOpenViewFile:
            OpenViewFileDialog();
            return true;
        case kCommandSaveViewFile:
            SaveViewFileDialog();
            return true;
        case kCommandPrinterSetup:
            PrinterSetup();
            return true;
        case kCommandPrint:
            Print();
            return true;
        case kCommandPrintPreview:
            PrintPreview();
            return true;
        case kCommandExportPdf:
            ExportDialog(QStringLiteral("Export as PDF"), QStringLiteral("PDF document (*.pdf)"),
                         QStringLiteral("pdf"), &FileCommands::ExportPdf);
            return true;
        case kCommandExportPng:
            ExportDialog(QStringLiteral("Export as PNG"), QStringLiteral("PNG image (*.png)"),
                         QStringLiteral("png"), &FileCommands::ExportPng);
            return true;
        default:
            return false;
    }
}

void FileCommands::OpenViewFileDialog() {
    QFileDialog dialog(host_.window, QStringLiteral("Open View File"), StartAt(lastViewFile_),
                       kViewFileFilter + QStringLiteral(";;All files (*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    lastViewFile_ = dialog.selectedFiles().first();
    host_.openViewFile(lastViewFile_.toStdString());
}

void FileCommands::SaveViewFileDialog() {
    QFileDialog dialog(host_.window, QStringLiteral("Save View File"), StartAt(lastViewFile_),
                       kViewFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("QEL"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    lastViewFile_ = dialog.selectedFiles().first();
    if (!dialogs::RunSaveOptionDialog(host_.window, program_.options.SaveOption)) return;
    SaveViewFile(program_, lastViewFile_.toStdString());
}

void FileCommands::PrinterSetup() {
    QPageSetupDialog dialog(&printer(), host_.window);
    dialog.exec();
}

void FileCommands::Print() {
    QPrintDialog dialog(&printer(), host_.window);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Printing to a PDF file stays offered: without a printer it is the only way to print.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintPage(printer());
}

void FileCommands::PrintPreview() {
    QPrintPreviewDialog dialog(&printer(), host_.window);
    if (host_.window) dialog.resize(host_.window->size() * 4 / 5);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [this](QPrinter* target) {
        QPainter painter;
        if (painter.begin(target)) PaintPage(*target, painter);
    });
    dialog.exec();
    host_.redraw();
}

void FileCommands::PaintPage(QPagedPaintDevice& device, QPainter& painter) {
    const QSize view = host_.viewSize();
    host_.painter().PaintPage(painter, device.width(), device.height(), view.width(), view.height(),
                              program_.options.ColorPrint + 1);
}

bool FileCommands::PrintPage(QPagedPaintDevice& device) {
    printing_ = true;
    bool started = false;
    {
        PrintingNotice notice(host_.window);
        QPainter painter;
        started = painter.begin(&device);
        if (started) PaintPage(device, painter);
    }
    printing_ = false;
    host_.redraw();
    if (!started) ShowStop("The page could not be printed.");
    return started;
}

bool FileCommands::ExportPdf(const QString& path) {
    if (QFile file(path); !file.open(QIODevice::WriteOnly)) {
        ShowStop("Failed to create file.");
        return false;
    }
    QPdfWriter pdf(path);
    platform::PreparePdfPage(pdf, printer().pageLayout());
    return PrintPage(pdf);
}

bool FileCommands::ExportPng(const QString& path) {
    const QSize view = host_.viewSize();
    // At the screen's device pixels, as the window shows it.
    const int ratio = host_.window ? std::max(1, qRound(host_.window->devicePixelRatioF())) : 1;
    QImage image(view * ratio, QImage::Format_RGB32);
    bool written = false;
    if (!image.isNull()) {
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        host_.painter().Paint(image, view.width(), view.height());
        written = image.save(path, "PNG");
    }
    host_.redraw();
    if (!written) ShowStop("Failed to create file.");
    return written;
}

void FileCommands::ExportDialog(const QString& caption, const QString& filter,
                                const QString& suffix,
                                bool (FileCommands::*write)(const QString&)) {
    QFileDialog dialog(host_.window, caption, StartAt(lastExport_), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().first();
    lastExport_ = QFileInfo(path).absolutePath();
    (this->*write)(path);
}

}  // namespace shell

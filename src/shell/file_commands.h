// The File menu's commands that ask the user through dialogs: open and save a view file, the
// printer set-up, print, the print preview, and the exports as PDF and PNG. The page of print,
// preview and PDF is one: the sky view five times enlarged at five times the zoom, widened to
// the paper. The printer set-up lives as long as the window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QSize>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace shell {

struct Program;
class SkyPainter;

inline constexpr int kCommandOpenViewFile = 101;
inline constexpr int kCommandSaveViewFile = 102;
inline constexpr int kCommandPrinterSetup = 103;
inline constexpr int kCommandPrint = 104;
// Beyond the program's own table.
inline constexpr int kCommandPrintPreview = 40201;
inline constexpr int kCommandExportPdf = 40202;
inline constexpr int kCommandExportPng = 40203;

// What the commands need from the main window.
struct FileCommandHost {
    QWidget* window = nullptr;
    std::function<SkyPainter&()> painter;
    std::function<QSize()> viewSize;                            // the drawing area in pixels
    std::function<void(const std::string& path)> openViewFile;  // with its prompts
    std::function<void()> redraw;
};

class FileCommands {
  public:
    FileCommands(Program& program, FileCommandHost host);
    ~FileCommands();

    // Runs one of the commands above; false for any other number.
    bool Run(int command);

    // The steps after the dialogs (also for tests).
    // Produces the page on a printer or PDF writer that is set up, with the "Printing..." box
    // and the wait cursor; reports a page that could not be started.
    bool PrintPage(QPagedPaintDevice& device);
    bool ExportPdf(const QString& path);
    bool ExportPng(const QString& path);

    // A page is being produced: the window's paint keeps the old picture meanwhile.
    bool printing() const { return printing_; }
    QPrinter& printer();

  private:
    void OpenViewFileDialog();
    void SaveViewFileDialog();
    void PrinterSetup();
    void Print();
    void PrintPreview();
    void ExportDialog(const QString& caption, const QString& filter, const QString& suffix,
                      bool (FileCommands::*write)(const QString&));
    // The page on a painter begun on device, for the print target of the options.
    void PaintPage(QPagedPaintDevice& device, QPainter& painter);

    Program& program_;
    FileCommandHost host_;
    std::unique_ptr<QPrinter> printer_;
    QString lastViewFile_;  // shared by the open and save dialogs
    QString lastExport_;
    bool printing_ = false;
};

}  // namespace shell

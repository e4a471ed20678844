// The sky window: the off-screen sky picture, the toolbar band and status bar, and the close that
// saves the settings.
#pragma once

#include <QImage>
#include <QMainWindow>

#include "shell/program.h"

namespace shell {

// The drawing area of the main window.
class SkyView : public QWidget {
    Q_OBJECT
  public:
    explicit SkyView(Program& program, QWidget* parent = nullptr);

    const QImage& skyBitmap() const { return skyBitmap_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void EnsureBitmapCovers(QSize area);

    Program& program_;
    QImage skyBitmap_;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Program& program);

    // Places the window from the stored placement (MainWndX .. MainWndZ), fitted to a monitor.
    void PlaceFromSettings();

    SkyView* skyView() const { return skyView_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    Program& program_;
    SkyView* skyView_;
};

}  // namespace shell

// The picture-file window: shows one picture file on black, centred, enlarged to fit when asked,
// with two caption texts. The start-up title picture is one of these, closing after 3 seconds.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

namespace shell {

// The size a picture is drawn at in a window: enlarged to the window's width keeping the aspect
// ratio, or to its height when that is too high; never reduced; a fitted side that falls short
// of the window's by less than 5 % is widened to it.
QSize FitPictureSize(QSize picture, QSize window, bool zoomToFit);

class PictureFileWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PictureFileWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Shows the picture in the file (any format Qt reads, whatever the extension); an empty
    // path or a file that platform::ReadPicture cannot read leaves the window black.
    void SetPictureFile(const QString& path);
    void SetCaptions(const QString& left, const QString& right);
    void SetZoomToFit(bool zoom) { zoomToFit_ = zoom; }

    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    QString leftCaption_;
    QString rightCaption_;
    bool zoomToFit_ = true;
};

// Opens the start-up title picture over the desktop without taking focus, enlarged to fit when
// zoomToFit (MediaZoom); it closes itself after 3000 ms. Returns the window (deleted on close).
PictureFileWindow* OpenTitleWindow(const QString& picturePath, bool zoomToFit);

}  // namespace shell

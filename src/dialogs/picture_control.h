// The picture of the information cards and of the sky tooltip: one of the program's bitmaps by
// name, centred on black (made smaller when it does not fit), or, for "MOON", the Moon in its
// phase filling 0.8 of the smaller side.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace dialogs {

inline constexpr int kPictureSide = 98;  // pixels each way

class PictureControl : public QWidget {
    Q_OBJECT
  public:
    explicit PictureControl(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // The picture by name; for "MOON" (any case) the Moon's longitude minus the Sun's
    // (radians) gives the phase. An empty name or a missing bitmap shows black.
    void SetPicture(const QString& name, double moonElongation = 0.0);
    const QString& pictureName() const { return name_; }
    // A picture of that name is there to be shown.
    bool hasPicture() const { return moon_ || !image_.isNull(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString name_;
    QImage image_;
    bool moon_ = false;
    double elongation_ = 0.0;
};

}  // namespace dialogs

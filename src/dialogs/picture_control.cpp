#include "dialogs/picture_control.h"

#include <algorithm>

#include <QPainter>

#include "dialogs/bitmaps.h"
#include "platform/qpainter_canvas.h"
#include "render/moon_disc.h"

namespace dialogs {

PictureControl::PictureControl(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    setFixedSize(kPictureSide, kPictureSide);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureControl::SetPicture(const QString& name, double moonElongation) {
    name_ = name;
    moon_ = name.compare(QLatin1String("MOON"), Qt::CaseInsensitive) == 0;
    elongation_ = moonElongation;
    image_ = moon_ ? QImage() : LoadBitmapResource(name.toStdString());
    update();
}

void PictureControl::paintEvent(QPaintEvent*) {
    QImage picture(size(), QImage::Format_RGB32);
    picture.fill(Qt::black);
    if (moon_) {
        platform::QPainterCanvas canvas(picture);
        const render::MoonDiscColours colours{render::Colour::Rgb(255, 255, 128),
                                              render::Colour::Rgb(128, 128, 0),
                                              render::Colour::Rgb(128, 128, 0)};
        render::DrawMoonDisc(canvas, {width() / 2, height() / 2},
                             static_cast<int>(0.8 * std::min(width(), height())), elongation_,
                             colours);
    } else if (!image_.isNull()) {
        QPainter painter(&picture);
        const QImage shown =
            image_.width() > width() || image_.height() > height()
                ? image_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : image_;
        painter.drawImage((width() - shown.width()) / 2, (height() - shown.height()) / 2, shown);
    }
    QPainter(this).drawImage(0, 0, picture);
}

}  // namespace dialogs

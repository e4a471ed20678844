#include "shell/sky_tooltip.h"

namespace shell {

TooltipPlacement PlaceTooltip(QPoint cursor, QSize textSize, const QRect& owner, bool picture) {
    TooltipPlacement placement;
    const QSize size(textSize.width() + 6, textSize.height() + 3);
    int left = cursor.x();
    int top = cursor.y() + 20;
    const int rightLimit = owner.x() + owner.width() - 8;
    if (left + size.width() > rightLimit) {
        left = rightLimit - size.width();
        placement.movedLeft = true;
    }
    const int bottomLimit = owner.y() + owner.height() - 20;
    if (top + size.height() + (picture ? 98 : 0) > bottomLimit) {
        top = cursor.y() - 16;
        placement.movedUp = true;
    }
    placement.rect = QRect(QPoint(left, top), size);
    return placement;
}

QRect PlaceTipPicture(const TooltipPlacement& tip, const QRect& owner) {
    const int side = dialogs::kPictureSide;
    const QRect& r = tip.rect;
    const int rightLimit = owner.x() + owner.width() - 8;
    const bool right = tip.movedLeft || r.left() + side > rightLimit;
    const int left = right ? r.left() + r.width() - side : r.left();
    const int top = tip.movedUp ? r.top() - side : r.top() + r.height();
    return QRect(left, top, side, side);
}

SkyTooltip::SkyTooltip(QWidget* owner)
    : QLabel(owner, Qt::ToolTip | Qt::FramelessWindowHint),
      picture_(new dialogs::PictureControl(owner, Qt::ToolTip | Qt::FramelessWindowHint)) {
    setObjectName(QStringLiteral("ZEBTT"));
    QFont tipFont(QStringLiteral("Arial"));
    tipFont.setPixelSize(11);
    setFont(tipFont);
    setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(255,255,224); color: black; border: 1px solid black; "
        "padding: 0px 2px 1px 2px; }"));
    hide();
    picture_->hide();
}

TooltipPlacement SkyTooltip::ShowAt(const QString& text, QPoint cursor, const QRect& owner,
                                    const QString& picture, double moonElongation) {
    setText(text);
    picture_->SetPicture(picture, moonElongation);
    const bool pictured = picture_->hasPicture();
    // The label's own measure also counts the glyphs that come from a fallback font (Japanese
    // names); the text extent is what remains without the border and padding.
    const QSize textSize =
        fontMetrics().size(Qt::TextSingleLine, text).expandedTo(sizeHint() - QSize(6, 3));
    const TooltipPlacement placement = PlaceTooltip(cursor, textSize, owner, pictured);
    setGeometry(placement.rect);
    show();
    if (pictured) {
        picture_->setGeometry(PlaceTipPicture(placement, owner));
        picture_->show();
    } else {
        picture_->hide();
    }
    return placement;
}

void SkyTooltip::hideEvent(QHideEvent* event) {
    QLabel::hideEvent(event);
    picture_->hide();
}

}  // namespace shell

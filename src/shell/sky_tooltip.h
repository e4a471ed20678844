// The tooltip that names the object under a resting mouse: a small pop-up with a thin border and
// a pale yellow ground, placed below the cursor and kept inside the main window.
#pragma once

#include <QLabel>
#include <QRect>

#include "dialogs/picture_control.h"

namespace shell {

// Where the tip goes, in screen coordinates: left at the cursor, 20 pixels below it; moved left
// to end 8 pixels inside the owner's right edge; moved above the cursor (top = y - 16) when its
// bottom, plus 98 pixels for a picture, would pass 20 pixels above the owner's bottom.
struct TooltipPlacement {
    QRect rect;
    bool movedLeft = false;
    bool movedUp = false;
};
TooltipPlacement PlaceTooltip(QPoint cursor, QSize textSize, const QRect& owner, bool picture);

// Where the tip's picture (98 x 98) goes: under the tip, or above it when the tip was moved up;
// left-aligned with the tip, or right-aligned when it would pass 8 pixels inside the owner's
// right edge or the tip was moved left.
QRect PlaceTipPicture(const TooltipPlacement& tip, const QRect& owner);

class SkyTooltip : public QLabel {
    Q_OBJECT
  public:
    explicit SkyTooltip(QWidget* owner);

    // Shows the text at the cursor (screen coordinates) inside the owner window's rectangle,
    // with the picture of that name (see dialogs::PictureControl) under it when there is one.
    TooltipPlacement ShowAt(const QString& text, QPoint cursor, const QRect& owner,
                            const QString& picture = {}, double moonElongation = 0.0);

    dialogs::PictureControl* pictureWindow() const { return picture_; }

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    dialogs::PictureControl* picture_;
};

}  // namespace shell

// The information cards: one small modeless dialog about an object of the sky, the Solar System
// window or a constellation ("D_STARINFO", "D_STARINFOMINI", "D_MOONINFO", "D_PLANETINFO",
// "D_PLANETINFO2", "D_COMETINFO", "D_OBJECTINFO", "D_OBJECTINFOBMP", "D_SEIZAINFO"). The texts
// sit in the labels 201..206, the picture in the control 501; the "&Telescope View" button is
// 101. Only one card is open at a time.
#pragma once

#include <functional>

#include <QDialog>

#include "render/object_info.h"

namespace dialogs {

class InfoDialog : public QDialog {
    Q_OBJECT
  public:
    // telescopeView is what the "&Telescope View" button does; without it the button stays
    // disabled. moonElongation gives the Moon's phase to its picture.
    InfoDialog(const render::InfoCard& card, QWidget* parent, double moonElongation = 0.0,
               std::function<void()> telescopeView = {});

    const render::InfoCard& card() const { return card_; }

  private:
    render::InfoCard card_;
};

// Shows the card as the one open information card (an open one closes first), centred over the
// parent (over the screen while it is minimised).
InfoDialog* ShowInfoCard(const render::InfoCard& card, QWidget* parent, double moonElongation = 0.0,
                         std::function<void()> telescopeView = {});

// The open information card, or nullptr.
InfoDialog* OpenInfoCard();

}  // namespace dialogs

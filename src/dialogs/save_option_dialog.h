// The save option dialog "D_SAVEOPTION" (modal, run by the view-file save between the name and
// the write): which groups of settings a saved view restores, the bits of SaveOption.
#pragma once

#include <cstdint>

#include <QDialog>

namespace dialogs {

class SaveOptionDialog : public QDialog {
    Q_OBJECT
  public:
    SaveOptionDialog(int32_t saveOption, QWidget* parent);

    // The sum of the bits of the checked boxes ("Auto Mode ON" counts even while disabled).
    int32_t saveOption() const;

  private:
    void FollowAutoMode();
};

// Runs the dialog centred over parent; on OK stores the chosen bits and returns true.
bool RunSaveOptionDialog(QWidget* parent, int32_t& saveOption);

}  // namespace dialogs

// The display mode dialog "D_SCREEN": every switch of what the sky shows (labels, constellation
// figures, asterisms, Old Chinese, the Milky Way, horizon, ground, grids, twilight, planets,
// comets, deep-sky objects, the Guide Star Catalog) and the faintest star magnitude with the
// number of catalogue stars it shows. It edits a working copy and writes it to the view state on
// "&Apply" and "OK", or after every edit while "Auto Apply" (KosinAutoScrn) is on.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

#include <QString>

#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

class QGroupBox;

namespace dialogs {

// "Mag4.0    480": the magnitude limit of drawStars (tenths above 4.0) and the number of stars
// at least that bright, taken from countByLevel (indexed by tenths of magnitude); "Mag9.5 GSC"
// when the Guide Star Catalog is in use and the limit reaches beyond the catalogue.
QString StarLimitText(int32_t drawStars, bool gscInUse, std::span<const int> countByLevel);

// The typed limit: the first number other than 0 found from the start of the text on, in tenths
// above magnitude 4.0 (not yet clamped).
int32_t ReadStarLimit(const QString& text);

class DisplayModeDialog : public ModelessDialog {
    Q_OBJECT
  public:
    DisplayModeDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;
    void ViewStateChanged() override;

    // The working copy; only the fields this dialog edits are meaningful.
    const state::ViewState& work() const { return work_; }

  protected:
    void Apply() override;
    void Help() override;

  private:
    struct Item {
        int id;
        const char* text;
        bool radio;
    };
    // A group of radios and check boxes, each reporting its clicks.
    QGroupBox* Group(const QString& title, std::initializer_list<Item> items);
    QGroupBox* BuildStarLimit();

    void Clicked(int id);
    void ReadFields();
    // Ends every edit: the display follows and Auto Apply posts "&Apply".
    void Edited();
    void RefreshEnabling();
    bool GscInUse() const;
    // The view state's fields as the dialog shows them: with "Auto" the limit follows the zoom.
    state::ViewState Shown() const;

    state::ViewState work_;
    state::ViewState seen_;  // Shown() when last loaded or written
};

}  // namespace dialogs

// The font dialog "D_FONTSET" (modeless, command 162): face, size, bold and italic of each of the
// listed font slots with which labels are drawn. It edits a working copy of the 23 font records;
// "&Apply" and "OK" put it in the view state and redraw the sky and the Solar System window,
// "OK" also saves the records to the settings file.
#pragma once

#include <array>

#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

namespace dialogs {

using FontSets = std::array<state::FontSet, state::kFontSetCount>;

// A typed font size: its absolute value, held to 4..72.
int32_t FontSizeOf(int32_t typed);

class FontDialog : public ModelessDialog {
    Q_OBJECT
  public:
    FontDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;

    const FontSets& work() const { return work_; }
    int current() const;

  protected:
    void Apply() override;
    void Ok() override;
    void Help() override;

  private:
    void ReadCurrent();
    void EntryChosen(int row);
    void Default(bool all);

    FontSets work_{};
};

}  // namespace dialogs

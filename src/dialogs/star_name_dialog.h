// The star-name dialog "D_STARSET" ("Edit Fixed Star Label"): a working copy of the star-name
// table (at most 1000 names) in a sorted list, where the user renames stars, names further
// stars picked in the sky, removes names, restores the shipped table ("Reset All") and saves
// the table as "QELSTARN.USR" for the next start. The view state's table changes only on "OK",
// "&Apply" and "Save".
#pragma once

#include <cstdint>
#include <vector>

#include "dialogs/modeless_dialog.h"
#include "persist/records/sky_records.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace dialogs {

class StarNameDialog : public ModelessDialog {
    Q_OBJECT
  public:
    StarNameDialog(shell::Program& program, DialogHost& host);

    // A star picked in the sky (its STAR2 number): its name is selected, or, while there is
    // room, "New Name" is added for it; the dialog comes up with the name ready to be typed over.
    void PickStar(uint32_t star);

    // The working table; removed records stay in it, marked, until a store drops them.
    const std::vector<persist::StarNameRecord>& table() const { return table_; }
    // The record that the name field shows, or -1.
    int shownRecord() const { return shown_; }

    // The open command again: the dialog comes up as it is.
    void Reopened() override {}

  protected:
    void Apply() override;
    void Help() override;

  private:
    void FillList();
    QListWidgetItem* AddItem(int record);
    QListWidgetItem* ItemOf(int record) const;
    void Select(QListWidgetItem* item);
    void ShowSelected();
    // Reads the edits into the shown record; a changed name moves its entry to its sorted place.
    void ReadEdits();
    void SelectionChanged();
    void Remove();
    void ResetAll();
    void Save();
    void Search();
    // The records not removed, made the view state's table.
    std::vector<persist::StarNameRecord> Store();

    QListWidget* list_;
    QLineEdit* second_;
    QLineEdit* name_;
    std::vector<persist::StarNameRecord> table_;
    int shown_ = -1;
    bool updating_ = false;
};

}  // namespace dialogs

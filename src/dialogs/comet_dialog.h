// The comet dialog "D_COMET" (modal; command 246 and the display mode dialog): the list of the
// comets whose orbits the program computes, the elements of one, adding, removing and resetting
// comets, importing current comets from the Minor Planet Center's one-line elements (a file or
// the clipboard), which comets are shown and the two limits that decide whether a comet is
// drawn. It edits a working copy; only "OK", "&Apply" and "&Save" write the program's table,
// and "&Save" also writes the user's comet file QELCOMET.USR.
#pragma once

#include <cstdint>
#include <string>

#include <QDialog>

#include "state/comet_record.h"

class QTreeWidgetItem;

namespace shell {
struct Program;
}

namespace dialogs {

class DialogHost;

// "A&dd" refuses a comet beyond this count; imports stop adding there too.
inline constexpr int kCometDialogLimit = 100;

// The working copy: the whole table, the record shown and the two display limits (CometBright,
// magnitude x 10; CometKyori, AU x 10).
struct CometWork {
    state::CometTable table;
    int current = 0;
    int32_t cometBright = 60;
    int32_t cometKyori = 20;
};

class CometDialog : public QDialog {
    Q_OBJECT
  public:
    CometDialog(shell::Program& program, DialogHost& host);

    const CometWork& work() const { return work_; }

    // Takes comets in the one-line format into the working copy: a bad line is reported and
    // nothing changes; otherwise the first comet taken in is shown and a summary follows.
    void ImportText(const std::string& text);

    void accept() override;

  private:
    QLayout* BuildElements();
    QLayout* BuildLimits();
    QLayout* BuildButtons();

    // The controls into the working copy, each value held to its range, and back.
    void ReadCurrent();
    void ShowCurrent();
    void FillList();
    void Choose(int index);
    // Read, then show: ends every edit.
    void Edited();

    void Add();
    void Remove();
    void ResetAll();
    void Save();
    void Apply();
    void ImportFile();
    void PasteElements();
    void Store();

    shell::Program& program_;
    DialogHost& host_;
    CometWork work_;
};

}  // namespace dialogs

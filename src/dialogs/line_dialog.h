// The colour and line dialog "D_LINESET" (modeless, command 161): the colour of each of the 23
// line and label kinds and, for lines, solid or dotted. It edits a working copy of the line
// records. "&Apply" and "OK" put it in the view state, which gives the sky a new palette; "OK"
// also saves the records, while "&Apply" closes the dialog and opens it again where it was.
#pragma once

#include <array>

#include <QWidget>

#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

namespace dialogs {

using LineSets = std::array<state::LineSet, state::kLineSetCount>;

// The colour swatch "COLORBOX": a rectangle of one colour outlined in black. Its text is the
// colour as the decimal number 0x00BBGGRR.
class ColourBox : public QWidget {
    Q_OBJECT
  public:
    explicit ColourBox(QWidget* parent = nullptr);

    void SetColour(QColor colour);
    QColor colour() const { return colour_; }
    QString text() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_ = Qt::black;
};

class LineDialog : public ModelessDialog {
    Q_OBJECT
  public:
    LineDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;

    const LineSets& work() const { return work_; }
    int current() const;

  protected:
    void Apply() override;
    void Ok() override;
    void Help() override;

  private:
    void ReadCurrent();
    void EntryChosen(int row);
    void ChangeColour();
    void Default(bool all);
    void Store();

    LineSets work_{};
    bool reopening_ = false;
};

}  // namespace dialogs

// The base of the program's modeless dialogs and the main window's list of open ones.
//
// How a dialog is written:
//  1. Derive from ModelessDialog with the dialog's remembered-position slot and caption. Build
//     the controls with their control ids as object names (WithId<QLineEdit>(101)), add the
//     standard buttons with ButtonRow() and end the constructor with Reload().
//  2. Keep a working copy of the view state fields the dialog edits. Reload() copies the view
//     state into it and calls Refresh(); Refresh() shows the working copy with SetTextIfChanged
//     so that a field being typed in is left alone; Apply() reads the controls into the working
//     copy and, when it differs from the view state, writes it there and calls
//     host().ViewStateWritten(), which redraws the sky once and lets the other dialogs follow.
//  3. Every edit handler reads, refreshes and ends with EditDone(), which posts "&Apply" when
//     the dialog's "Auto Apply" switch is on.
//  4. ViewStateChanged() runs after every main-window command, timer tick and applied dialog:
//     compare what the dialog shows with the view state and Reload() (command 999) or Refresh()
//     (message 0x040A) when it changed.
//  5. Add a case to CreateDialog (dialogs/create_dialog.cpp); the command that opens the
//     dialog calls CommandHost::OpenDialog with its DialogKind.
// "OK" runs Ok() (Apply() unless overridden), "Cancel", Esc and the close box run Cancel();
// both store the position in the slot and close the dialog, which deletes itself.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include <QDialog>
#include <QPointer>

#include "astro/centring.h"
#include "dialogs/dialog_kind.h"

class QHBoxLayout;

namespace shell {
struct Program;
}
namespace render {
struct StarCatalog;
}

namespace dialogs {

// What the dialogs need from the main window.
class DialogHost {
  public:
    virtual ~DialogHost() = default;
    // The window the dialogs belong to; their positions are offsets from its top-left corner.
    virtual QWidget* DialogParent() = 0;
    // Runs a main-window command at once (331 automatic mode on or off, 132 the time dialog).
    virtual bool Command(int command) = 0;
    // A dialog wrote the view state: the sky is recomputed at the next paint, the menus and
    // status bar follow, and the other open dialogs are told.
    virtual void ViewStateWritten() = 0;
    // The star catalogue the sky is drawn from (its star counts by magnitude).
    virtual const render::StarCatalog& Stars() = 0;
    // A dialog changed the line colours or the fonts: the sky gets a new palette and is drawn
    // again, and so is the Solar System window.
    virtual void ColoursChanged() = 0;
    // Turns the view onto an object (astro::CenterOnObject on the sky's catalogues and bodies);
    // interactive allows the "Below Horizon Line." message. 1 when the view moved, else 0.
    virtual int CenterOnObject(astro::ObjectRef object, bool interactive) = 0;
};

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdApply = 800;
inline constexpr int kIdAutoApply = 1045;

class ModelessDialog : public QDialog {
    Q_OBJECT
  public:
    ModelessDialog(shell::Program& program, DialogHost& host, int slot, const QString& caption);

    // Command 999: the working copy again from the view state, then Refresh().
    virtual void Reload() {}
    // Message 0x040A: the controls again from the working copy.
    virtual void Refresh() {}
    // The dialog's open command came while it is open: command 999 unless overridden.
    virtual void Reopened() { Reload(); }
    // The view state may have changed elsewhere.
    virtual void ViewStateChanged() {}

    // Places the dialog at its remembered position and shows it.
    void ShowAtSlot();
    // OK or Cancel has run; the dialog is on its way out.
    bool closing() const { return closing_; }

    void accept() override;
    void reject() override;

  protected:
    virtual void Apply() {}
    virtual void Ok() { Apply(); }
    virtual void Cancel() {}
    // Command 998, sent by F1.
    virtual void Help() {}

    // OK (1, the default button), Cancel (2), "&Apply" (800) and, when autoApply is given, the
    // "Auto Apply" switch (1045) bound to that setting.
    QHBoxLayout* ButtonRow(int32_t* autoApply = nullptr);
    // Ends an edit: posts Apply() when the Auto Apply switch is on.
    void EditDone();

    shell::Program& program() { return program_; }
    const shell::Program& program() const { return program_; }
    DialogHost& host() { return host_; }

  private:
    void Finish();

    shell::Program& program_;
    DialogHost& host_;
    int slot_;
    int32_t* autoApply_ = nullptr;
    bool closing_ = false;
};

// The open modeless dialogs, at most one of each kind.
class OpenDialogs {
  public:
    // The open dialog of that kind, or nullptr (also while it closes).
    ModelessDialog* Find(DialogKind kind) const;

    // Brings an open dialog up (Reopened, restored, activated), or shows what create() makes.
    void Open(DialogKind kind, const std::function<ModelessDialog*()>& create);

    // Tells every open dialog that the view state may have changed.
    void ViewStateChanged() const;

    // Deletes the open dialogs without storing anything (the main window goes).
    void DeleteAll();

  private:
    std::array<QPointer<ModelessDialog>, kDialogKindCount> dialogs_;
};

}  // namespace dialogs

// Makes the dialog of a kind for the main window.
#pragma once

#include "dialogs/dialog_kind.h"

namespace shell {
struct Program;
}

namespace dialogs {

class DialogHost;
class ModelessDialog;

// A new dialog of that kind, not yet shown; nullptr for a kind that has no dialog yet.
ModelessDialog* CreateDialog(DialogKind kind, shell::Program& program, DialogHost& host);

// Runs the modal dialog of that kind to its end; false for a kind that is not modal.
bool RunModalDialog(DialogKind kind, shell::Program& program, DialogHost& host);

}  // namespace dialogs

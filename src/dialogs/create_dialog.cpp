#include "dialogs/create_dialog.h"

#include "dialogs/auto_dialog.h"
#include "dialogs/find_dialog.h"
#include "dialogs/star_name_dialog.h"
#include "dialogs/time_dialog.h"

namespace dialogs {

ModelessDialog* CreateDialog(DialogKind kind, shell::Program& program, DialogHost& host) {
    switch (kind) {
        case DialogKind::Time:
            return new TimeDialog(program, host);
        case DialogKind::Auto:
            return new AutoDialog(program, host);
        case DialogKind::Find:
            return new FindDialog(program, host);
        case DialogKind::StarSet:
            return new StarNameDialog(program, host);
        default:
            return nullptr;
    }
}

}  // namespace dialogs

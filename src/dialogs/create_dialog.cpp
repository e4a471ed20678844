#include "dialogs/create_dialog.h"

#include "dialogs/auto_dialog.h"
#include "dialogs/comet_dialog.h"
#include "dialogs/display_mode_dialog.h"
#include "dialogs/find_dialog.h"
#include "dialogs/font_dialog.h"
#include "dialogs/line_dialog.h"
#include "dialogs/location_dialog.h"
#include "dialogs/option_dialog.h"
#include "dialogs/star_name_dialog.h"
#include "dialogs/time_dialog.h"
#include "dialogs/view_dialog.h"

namespace dialogs {

ModelessDialog* CreateDialog(DialogKind kind, shell::Program& program, DialogHost& host) {
    switch (kind) {
        case DialogKind::Time:
            return new TimeDialog(program, host);
        case DialogKind::Auto:
            return new AutoDialog(program, host);
        case DialogKind::View:
            return new ViewDialog(program, host);
        case DialogKind::Screen:
            return new DisplayModeDialog(program, host);
        case DialogKind::Option:
            return new OptionDialog(program, host);
        case DialogKind::City:
            return new LocationDialog(program, host);
        case DialogKind::FontSet:
            return new FontDialog(program, host);
        case DialogKind::LineSet:
            return new LineDialog(program, host);
        case DialogKind::Find:
            return new FindDialog(program, host);
        case DialogKind::StarSet:
            return new StarNameDialog(program, host);
        default:
            return nullptr;
    }
}

bool RunModalDialog(DialogKind kind, shell::Program& program, DialogHost& host) {
    if (kind != DialogKind::Comet) return false;
    CometDialog dialog(program, host);
    dialog.exec();
    return true;
}

}  // namespace dialogs

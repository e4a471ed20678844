// The modeless dialogs of the main window; each exists at most once.
#pragma once

namespace dialogs {

enum class DialogKind {
    FontSet,     // "D_FONTSET"
    LineSet,     // "D_LINESET"
    View,        // "D_VIEW", command 131
    Find,        // "D_FIND", command 413
    Time,        // "D_TIME", command 132
    Screen,      // "D_SCREEN", command 133
    City,        // "D_CITY", command 134
    Auto,        // "D_AUTO", command 332
    Option,      // "D_OPTION", command 169
    ObjectInfo,  // the object information card
    Comet,       // "D_COMET", command 246, modal
    StarSet,     // "D_STARSET"
};
inline constexpr int kDialogKindCount = static_cast<int>(DialogKind::StarSet) + 1;

}  // namespace dialogs

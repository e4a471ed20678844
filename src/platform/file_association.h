// The desktop association of view files (".qel"): an XDG MIME type and a desktop entry under
// $XDG_DATA_HOME, written at start-up by a program run from its build tree, and the desktop's
// MIME and application caches brought up to date after a change (so that a file manager opens
// view files with the program). An installed program has both files in its share folder
// already, so then nothing is written. Failures are ignored; unchanged files are not rewritten.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

struct AssociationPaths {
    QString mimePackage;   // .../mime/packages/planetarium-qel.xml
    QString desktopEntry;  // .../applications/planetarium.desktop
};

// Where the association files go for the given XDG data home.
AssociationPaths AssociationPathsUnder(const QString& dataHome);

// Writes both files for the program at programPath, started with programArguments before the
// file (the data folder the program was given); typeName names the type ("Planetarium"),
// description describes it ("Planetarium Data File").
void RegisterViewFileType(const QString& extension, const QString& typeName,
                          const QString& description, const QString& programPath,
                          const QStringList& programArguments, const QString& dataHome);

// One argument of a desktop entry's Exec key, quoted and escaped as the entry's reader expects.
QString DesktopExecArgument(const QString& argument);

// The desktop id of the installed program (its desktop entry, icon and AppStream file).
inline constexpr const char* kDesktopId = "io.github.planetarium.Planetarium";

// Whether the installed desktop entry exists: in the program's own tree
// (programDir/../share/applications) or in one of the XDG application folders.
bool InstalledEntryExists(const QString& programDir);

// The XDG data home: $XDG_DATA_HOME, else ~/.local/share.
QString XdgDataHome();

}  // namespace platform

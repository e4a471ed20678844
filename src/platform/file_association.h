// The desktop association of view files (".qel"): an XDG MIME type and a desktop entry under
// $XDG_DATA_HOME, written at start-up by a program run from its build tree. An installed program
// has both files in its share folder already, so then nothing is written. Failures are ignored;
// unchanged files are not rewritten.
#pragma once

#include <QString>

namespace platform {

struct AssociationPaths {
    QString mimePackage;   // .../mime/packages/planetarium-qel.xml
    QString desktopEntry;  // .../applications/planetarium.desktop
};

// Where the association files go for the given XDG data home.
AssociationPaths AssociationPathsUnder(const QString& dataHome);

// Writes both files for the program at programPath; typeName names the type ("Planetarium"),
// description describes it ("Planetarium Data File").
void RegisterViewFileType(const QString& extension, const QString& typeName,
                          const QString& description, const QString& programPath,
                          const QString& dataHome);

// The desktop id of the installed program (its desktop entry, icon and AppStream file).
inline constexpr const char* kDesktopId = "io.github.planetarium.Planetarium";

// Whether the installed desktop entry exists: in the program's own tree
// (programDir/../share/applications) or in one of the XDG application folders.
bool InstalledEntryExists(const QString& programDir);

// The XDG data home: $XDG_DATA_HOME, else ~/.local/share.
QString XdgDataHome();

}  // namespace platform

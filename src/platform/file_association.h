// The desktop association of view files (".qel"): an XDG MIME type and a desktop entry under
// $XDG_DATA_HOME, written at start-up. Failures are ignored; unchanged files are not rewritten.
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

// The XDG data home: $XDG_DATA_HOME, else ~/.local/share.
QString XdgDataHome();

}  // namespace platform

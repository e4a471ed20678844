// The external programs of the Astronomy menu: section "Gaibu v7" of the settings file, keys
// "Name0".."Name31" and "Path0".."Path31".
#pragma once

#include <string>
#include <vector>

namespace shell {

inline constexpr int kExternalProgramSlots = 32;

struct ExternalProgram {
    int number = 0;    // 0..31; the menu item is command 30000 + number
    std::string name;  // a name beginning with "-" stands for a separator
    std::string path;  // "#page" opens a page in the viewer; anything else is a command line
};

// The non-empty entries: each name is read from the bare-name settings copy and, when empty
// there, from the copy beside the data; the path comes from the copy that held the name.
std::vector<ExternalProgram> ReadExternalPrograms();

// The command line of an entry: a relative program path is joined to the data directory.
// Empty for a viewer page ("#...") or an empty path.
std::string ExternalCommandLine(const ExternalProgram& program, const std::string& dataDirectory);

// Starts the entry's command line detached; a viewer page is not offered on this system.
void RunExternalProgram(const ExternalProgram& program);

}  // namespace shell

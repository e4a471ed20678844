// Where the data set is: given on the command line, next to the executable in the build tree
// (<dir>/data), or in an installed tree (<dir>/../share/planetarium).
#pragma once

#include <string>

namespace platform {

// The data directory for an executable in executableDir; an override wins when not empty.
// When no candidate holds the index file, the build-tree place is returned so that the loader
// reports what is missing there.
std::string FindDataDirectory(const std::string& executableDir, const std::string& override);

// The folder of the running executable (from /proc/self/exe).
std::string ExecutableDirectory();

}  // namespace platform

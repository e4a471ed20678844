// The licence texts shipped beside the data set (licences/) and the licence of every file of the
// data set, recorded in SOURCES.txt.
#pragma once

#include <string>
#include <vector>

#include "framework/build_context.h"

namespace databuilder::world {

// The files of the data set (names, or a name ending in '*' for a group) and their licence.
struct FileLicence {
    const char* files;
    const char* licence;
};
extern const std::vector<FileLicence> kFileLicences;

// True when `path` (relative to the data folder) is one of `files`.
bool CoveredBy(const std::string& path, const std::string& files);

// A licence text of choosealicense.com without its front matter; [year] and [fullname] filled.
std::string LicenceBody(const std::string& text, const std::string& year = {},
                        const std::string& holder = {});

}  // namespace databuilder::world

namespace databuilder {
// licences/: the full texts of the licences of the data, and SOURCES.txt's list of the licence
// of every file. Throws BuildError when a file of the data set has no licence listed.
void buildLicenceFiles(BuildContext& context);
}  // namespace databuilder

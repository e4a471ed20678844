// The rules a finished data set keeps: block sizes, ordering and counts, references of paths and
// name lists to existing stars, end marks, and the files beside the blocks. The build checks the
// set it has just written before it replaces the old one.
#pragma once

#include <filesystem>

namespace databuilder {

// Throws BuildError "KEY: rule" for the first rule the set in `dir` breaks.
void verifyDataSet(const std::filesystem::path& dir);

}  // namespace databuilder

// Inflates a gzip (or zlib) stream held in memory.
#pragma once

#include <string>

#include "sky_units.h"

namespace databuilder::world {

// Throws InputError naming the input when the stream is corrupt or truncated.
Bytes Gunzip(const Bytes& compressed, const std::string& inputName);

}  // namespace databuilder::world

// Which font families this machine knows, through fontconfig.
#pragma once

#include <string>

namespace platform {

// True when fontconfig lists an installed family of that name, or when the name is one of the
// program's built-in faces ("Arial", "Times New Roman", "Tahoma", "Symbol"), which always map to
// installed substitutes.
bool FontFamilyKnown(const std::string& family);

}  // namespace platform

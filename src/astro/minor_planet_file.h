// The data set's newer elements of the five principal minor planets, "QELMINOR.INI":
//
//   [Minor Planets]
//   Epoch=59800              MJD (TT) of the osculating elements
//   Ceres=a, e, i, node, argument of perihelion, mean anomaly   (AU, degrees; J2000 ecliptic)
//   Pallas=...  Juno=...  Vesta=...  Hygiea=...
#pragma once

#include <optional>
#include <string>

#include "astro/minor_planets.h"

namespace astro {

inline constexpr const char* kMinorPlanetFile = "QELMINOR.INI";
inline constexpr const char* kMinorPlanetSection = "Minor Planets";

// The text of the file for a set of elements (the data-set builder writes it).
std::string MinorPlanetFileText(const MinorPlanetElements& elements);

// Reads the elements from the file's text; nothing when a key is missing or a value is not a
// plausible elliptic orbit inside the integrated years.
std::optional<MinorPlanetElements> ParseMinorPlanetFile(const std::string& text);

// Puts the file's elements in use when they are newer than those in use. A missing file
// leaves the built-in elements; an unreadable one too, and gives a message saying so (empty
// when all is well).
std::string LoadMinorPlanetFile(const std::string& path);

}  // namespace astro

// The section "Planets Location" of the bare-name settings copy: the positions of the 25
// bodies for other programs, in half Earth radii (46909.55984 per AU), heliocentric ecliptic
// of date, "x, y, z" with six decimals. Key "Earth" for record 0, the English name otherwise;
// the Moon's value is the Earth's plus twice its geocentric vector in Earth radii.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "astro/bodies.h"

namespace astro {

inline constexpr const char* kPlanetsLocationSection = "Planets Location";

using ProfileValues = std::vector<std::pair<std::string, std::string>>;

// The 25 keys and values of the section for a frame's body state.
ProfileValues PlanetsLocationValues(const SolarSystemState& bodies);

// The values last written, so that a frame whose positions did not change (a still picture
// redrawn, an animation that stops) does not rewrite the settings file.
struct PlanetsLocationMemory {
    ProfileValues written;
    std::string path;  // the file they were written to
};

// Writes the keys whose values differ from the last successful write to the section of the
// settings file at path (default: the bare-name copy). Returns true when the file was
// written; false when nothing changed or the write failed (then it is tried again next frame).
bool WritePlanetsLocation(const SolarSystemState& bodies, PlanetsLocationMemory& memory,
                          const std::string& path);
bool WritePlanetsLocation(const SolarSystemState& bodies, PlanetsLocationMemory& memory);

}  // namespace astro

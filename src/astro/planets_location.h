// The section "Planets Location" of the bare-name settings copy: the positions of the 25
// bodies for other programs, in half Earth radii (46909.55984 per AU), heliocentric ecliptic
// of date, "x, y, z" with six decimals. Key "Earth" for record 0, the English name otherwise;
// the Moon's value is the Earth's plus twice its geocentric vector in Earth radii.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "astro/bodies.h"

namespace astro {

inline constexpr const char* kPlanetsLocationSection = "Planets Location";

using ProfileValues = std::vector<std::pair<std::string, std::string>>;

// The 25 keys and values of the section for a frame's body state.
ProfileValues PlanetsLocationValues(const SolarSystemState& bodies);

// How often the section is rewritten at most while the picture changes, in milliseconds.
inline constexpr int64_t kPlanetsLocationPeriodMs = 1000;

// What was written and what waits to be. Values that did not change (a still picture redrawn)
// never rewrite the file, and an animation rewrites it at most once a period.
struct PlanetsLocationMemory {
    ProfileValues written;
    ProfileValues pending;  // the latest frame's values, not written yet
    int64_t lastWriteMs = 0;
    bool everWritten = false;
    std::string path;  // the file they were written to
};

// Keeps a frame's values for the next write (the caller paints; writing, which may report a
// failure, waits for FlushPlanetsLocation).
void KeepPlanetsLocation(const SolarSystemState& bodies, PlanetsLocationMemory& memory,
                         const std::string& path);
// Writes the values kept last once a period has passed since the last write, or at once with
// force (at the end of the program). Only keys whose values changed are written, in one
// replacement of the settings file; a failed write is reported once (persist) and tried again
// a period later. nowMs is any steady millisecond clock. Returns true when the file was written.
bool FlushPlanetsLocation(PlanetsLocationMemory& memory, int64_t nowMs, bool force);

}  // namespace astro

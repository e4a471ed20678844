#include "astro/planets_location.h"

#include <charconv>

#include "persist/settings.h"

namespace astro {
namespace {

// "%f" without the locale: a decimal point whatever LC_NUMERIC says.
std::string Fixed6(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string Triple(double x, double y, double z) {
    return Fixed6(x) + ", " + Fixed6(y) + ", " + Fixed6(z);
}

}  // namespace

ProfileValues PlanetsLocationValues(const SolarSystemState& state) {
    ProfileValues values;
    values.reserve(kBodyCount);
    const BodyState& earth = state.bodies[kSunIndex];
    const double ex = earth.helioX * kHalfEarthRadiiPerAu, ey = earth.helioY * kHalfEarthRadiiPerAu,
                 ez = earth.helioZ * kHalfEarthRadiiPerAu;
    for (int k = 0; k < kBodyCount; ++k) {
        const BodyState& body = state.bodies[k];
        std::string value;
        if (k == kSunIndex) {
            value = Triple(ex, ey, ez);
        } else if (k == kMoonIndex) {
            value = Triple(ex + 2 * body.helioX, ey + 2 * body.helioY, ez + 2 * body.helioZ);
        } else {
            value = Triple(body.helioX * kHalfEarthRadiiPerAu, body.helioY * kHalfEarthRadiiPerAu,
                           body.helioZ * kHalfEarthRadiiPerAu);
        }
        values.emplace_back(k == kSunIndex ? "Earth" : BodyTable()[k].englishName, value);
    }
    return values;
}

void KeepPlanetsLocation(const SolarSystemState& bodies, PlanetsLocationMemory& memory,
                         const std::string& path) {
    if (memory.path != path) memory = PlanetsLocationMemory{{}, {}, 0, false, path};
    memory.pending = PlanetsLocationValues(bodies);
}

bool FlushPlanetsLocation(PlanetsLocationMemory& memory, int64_t nowMs, bool force) {
    if (memory.pending.empty()) return false;
    if (!force && memory.everWritten && nowMs - memory.lastWriteMs < kPlanetsLocationPeriodMs)
        return false;
    ProfileValues values = std::move(memory.pending);
    memory.pending.clear();
    ProfileValues changed;
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (k >= memory.written.size() || memory.written[k] != values[k])
            changed.push_back(values[k]);
    }
    if (changed.empty()) return false;
    memory.lastWriteMs = nowMs;
    memory.everWritten = true;
    if (!persist::WriteProfileKeys(memory.path, kPlanetsLocationSection, changed)) {
        memory.pending = std::move(values);
        return false;
    }
    memory.written = std::move(values);
    return true;
}

}  // namespace astro

#include "astro/minor_planet_file.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "astro/body_table.h"
#include "persist/profile.h"

namespace astro {
namespace {

const char* NameOf(int slot) {
    return BodyTable()[kFirstMinorPlanetIndex + slot].englishName;
}

bool ParseNumber(std::istringstream& in, double& value) {
    std::string field;
    if (!std::getline(in, field, ',')) return false;
    char* end = nullptr;
    value = std::strtod(field.c_str(), &end);
    while (end && (*end == ' ' || *end == '\t'))
        ++end;
    return end != field.c_str() && end && *end == '\0' && std::isfinite(value);
}

bool Plausible(const OsculatingElements& el) {
    return el.a > 0.5 && el.a < 100.0 && el.e >= 0.0 && el.e < 0.9 && el.i >= 0.0 &&
           el.i <= 180.0 && std::fabs(el.node) <= 720.0 && std::fabs(el.perihelion) <= 720.0 &&
           std::fabs(el.meanAnomaly) <= 720.0;
}

}  // namespace

std::string MinorPlanetFileText(const MinorPlanetElements& elements) {
    std::string text = std::string("[") + kMinorPlanetSection + "]\n";
    char line[256];
    std::snprintf(line, sizeof line, "Epoch=%.6f\n", elements.epochMjd);
    text += line;
    for (int slot = 0; slot < kMinorPlanetCount; ++slot) {
        const OsculatingElements& el = elements.bodies[slot];
        std::snprintf(line, sizeof line, "%s=%.12g, %.12g, %.12g, %.12g, %.12g, %.12g\n",
                      NameOf(slot), el.a, el.e, el.i, el.node, el.perihelion, el.meanAnomaly);
        text += line;
    }
    return text;
}

std::optional<MinorPlanetElements> ParseMinorPlanetFile(const std::string& text) {
    const persist::Profile profile(text);
    MinorPlanetElements out;
    const auto epoch = profile.Find(kMinorPlanetSection, "Epoch");
    if (!epoch) return std::nullopt;
    std::istringstream epochText(*epoch);
    if (!ParseNumber(epochText, out.epochMjd) || !WithinMinorPlanetYears(out.epochMjd))
        return std::nullopt;
    for (int slot = 0; slot < kMinorPlanetCount; ++slot) {
        const auto value = profile.Find(kMinorPlanetSection, NameOf(slot));
        if (!value) return std::nullopt;
        std::istringstream in(*value);
        OsculatingElements& el = out.bodies[slot];
        for (double* field : {&el.a, &el.e, &el.i, &el.node, &el.perihelion, &el.meanAnomaly})
            if (!ParseNumber(in, *field)) return std::nullopt;
        if (!Plausible(el)) return std::nullopt;
    }
    return out;
}

std::string LoadMinorPlanetFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return {};
    const persist::Profile profile = persist::Profile::Load(path);
    const std::optional<MinorPlanetElements> elements = ParseMinorPlanetFile(profile.Text());
    if (!elements) {
        return "The minor-planet elements in " + path +
               " cannot be read; the built-in elements are used.";
    }
    if (elements->epochMjd > CurrentMinorPlanetElements().epochMjd)
        SetMinorPlanetElements(*elements);
    return {};
}

}  // namespace astro

// The built-in table of the 25 solar-system bodies: the Earth's orbit (record 0, shown as the
// Sun), the Moon, eight planets, Pluto, nine trans-Neptunian objects and five main-belt bodies.
//
// Planet form (epochYear 0): mean elements of date with secular rates; T in Julian centuries
// and t in days from J2000.0. Angles in degrees, a in AU (Moon: Earth radii).
// Minor-body form (epochYear != 0): osculating elements at the epoch (year, month, day),
// with the argument of perihelion and the mean anomaly at the epoch; all rates are 0.
#pragma once

#include <array>

namespace astro {

enum class BodyKind : int {
    FixedStar = 0,  // the Sun
    Satellite = 1,  // the Moon
    Planet = 2,
    DwarfPlanet = 3,
    Asteroid = 4,
    MinorBody = 5,  // also labelled "Asteroid"
};

struct PlanetElements {
    double a, aRate;                                        // a, da/dT
    double e, eRate;                                        // e, de/dT
    double i, iRate;                                        // i, di/dT
    double node, nodeRate, nodeAccel;                       // Ω, dΩ/dT, d²Ω/dT²
    double perihelion, perihelionRate, perihelionAccel;     // ϖ, dϖ/dT, d²ϖ/dT²
    double meanLongitude, dailyMotion, meanLongitudeAccel;  // L at J2000.0, dL/dt per DAY, d²L/dT²
    double albedo;
    int epochYear, epochMonth;  // 0, 0 for the planet form
    double epochDay;
    double argumentOfPerihelion;  // ω (minor-body form)
    double meanAnomaly;           // M at the epoch (minor-body form)
    BodyKind kind;
    const char* japaneseName;  // UTF-8
    const char* englishName;
    const char* catalogueNumber;  // "" when none
};

inline constexpr int kBodyCount = 25;
inline constexpr int kSunIndex = 0;  // holds the Earth's orbit
inline constexpr int kMoonIndex = 1;
inline constexpr int kMercuryIndex = 2;
inline constexpr int kVenusIndex = 3;
inline constexpr int kPlutoIndex = 9;
inline constexpr int kSednaIndex = 19;

const std::array<PlanetElements, kBodyCount>& BodyTable();

// Kind labels: "Fixed Star", "Satellite", "Planet", "Dwarf Planet", "Asteroid", "Asteroid".
const char* KindLabelEnglish(BodyKind kind);
const char* KindLabelJapanese(BodyKind kind);

// A body is shown when its kind does not exceed WakuseiLevel (2, 3 or 5).
bool BodyShownAtLevel(int index, int wakuseiLevel);

// Orbital period P = a^1.5 x 365.2568983 days of every record (the Moon's a is in Earth radii
// and so gives a meaningless value, as it always has; callers skip the Moon).
const std::array<double, kBodyCount>& OrbitalPeriods();

}  // namespace astro

#include "astro/body_table.h"

#include <cmath>

namespace astro {
namespace {

using K = BodyKind;

constexpr PlanetElements Planet(double a, double aRate, double e, double eRate, double i,
                                double iRate, double node, double nodeRate, double nodeAccel,
                                double peri, double periRate, double periAccel, double L,
                                double dailyMotion, double LAccel, double albedo, K kind,
                                const char* japanese, const char* english,
                                const char* number = "") {
    return PlanetElements{a,        aRate,     e,       eRate,    i,         iRate, node,
                          nodeRate, nodeAccel, peri,    periRate, periAccel, L,     dailyMotion,
                          LAccel,   albedo,    0,       0,        0.0,       0.0,   0.0,
                          kind,     japanese,  english, number};
}

// All minor bodies share the epoch 2006-09-22.0.
constexpr PlanetElements Minor(const char* english, const char* japanese, const char* number,
                               K kind, double a, double e, double i, double node, double omega,
                               double M) {
    return PlanetElements{a,    0.0,   e,   0.0,  i,        0.0,     node,  0.0,  0.0,
                          0.0,  0.0,   0.0, 0.0,  0.0,      0.0,     0.0,   2006, 9,
                          22.0, omega, M,   kind, japanese, english, number};
}

const std::array<PlanetElements, kBodyCount> kTable = {{
    Planet(1.000001, 0, 0.016709, -4.2e-05, 0, 0, 0, 0, 0, 102.9373, 1.719597, 0.0005, 100.4664,
           0.98564736, 0.0003, 0, K::FixedStar, "太陽", "Sun"),
    Planet(60.11122, 0, 0.055546, 0, 5.15669, 0, 125.0446, -1934.136084, 0.0021, 83.3532,
           4069.013568, -0.0103, 218.3166, 13.17639648, -0.0015, 0, K::Satellite, "月", "Moon"),
    Planet(0.387098, 0, 0.205632, 2e-05, 7.005, 0.0018, 48.3309, 1.1861, 0.0002, 77.4561, 1.5564,
           0.0003, 252.2509, 4.09237706, 0.0003, 0.11, K::Planet, "水星", "Mercury"),
    Planet(0.72333, 0, 0.006772, -4.8e-05, 3.3947, 0.001, 76.6799, 0.901, 0.0004, 131.5637, 1.4022,
           0.0011, 181.9798, 1.60216873, 0.0003, 0.65, K::Planet, "金星", "Venus"),
    Planet(1.523679, 0, 0.093401, 9e-05, 1.8497, -0.0006, 49.5581, 0.772, 0, 336.0602, 1.841,
           0.0001, 355.433, 0.52407108, 0.0003, 0.15, K::Planet, "火星", "Mars"),
    Planet(5.202603, 0, 0.048498, 0.000163, 1.3033, -0.0055, 100.4644, 1.021, 0.0004, 14.3312,
           1.6126, 0.001, 34.3515, 0.08312944, 0.0002, 0.52, K::Planet, "木星", "Jupiter"),
    Planet(9.554909, -2e-06, 0.055548, -0.000347, 2.4889, -0.0037, 113.6655, 0.8771, -0.0001,
           93.0572, 1.9638, 0.0008, 50.0774, 0.03349791, 0.0005, 0.47, K::Planet, "土星", "Saturn"),
    Planet(19.218446, 0, 0.046381, -2.7e-05, 0.7732, 0.0008, 74.006, 0.5211, 0.0013, 173.0052,
           1.4863, 0.0002, 314.055, 0.01176904, 0.0003, 0.51, K::Planet, "天王星", "Uranus"),
    Planet(30.110387, 0, 0.009456, 6e-06, 1.77, -0.0093, 131.7841, 1.1022, 0.0003, 48.1203, 1.4263,
           0.0004, 304.3487, 0.00602008, 0.0003, 0.41, K::Planet, "海王星", "Neptune"),
    Planet(39.540343, 0.003131, 0.249005, 3.9e-05, 17.1451, -0.0055, 110.3182, 1.3507, 0.0004,
           224.1416, 1.39001, 0.0003, 238.467, 0.00401596, -0.0091, 0.3, K::DwarfPlanet, "冥王星",
           "Pluto", "134340"),
    Minor("Orcus", "オルクス", "90482", K::MinorBody, 39.342768, 0.2212238, 20.589128, 268.699854,
          72.522535, 161.59054),
    Minor("Ixion", "イクシオン", "28978", K::MinorBody, 39.665759, 0.241437, 19.5855, 71.027748,
          298.864072, 268.026218),
    Minor("Varuna", "ヴァルナ", "20000", K::MinorBody, 42.89679, 0.0520921, 17.200253, 97.317201,
          265.762616, 98.300115),
    Minor("2002TX300", "2002TX300", "55636", K::MinorBody, 43.120187, 0.1234487, 25.861348,
          324.59259, 338.757732, 61.988515),
    Minor("2003EL61", "2003EL61", "136108", K::MinorBody, 43.317044, 0.1898534, 28.208046,
          121.98479, 239.147274, 199.89932),
    Minor("Quaoar", "クワオアー", "50000", K::MinorBody, 43.587259, 0.0362608, 7.98366, 188.79927,
          148.489851, 282.666994),
    Minor("2005FY9", "2005FY9", "136472", K::MinorBody, 45.660492, 0.1558781, 28.998251, 79.583357,
          296.056789, 148.115885),
    Minor("2002AW197", "2002AW197", "55565", K::MinorBody, 47.318992, 0.131561, 24.401706,
          297.505169, 295.001555, 281.956316),
    Minor("Eris", "エリス", "136199", K::DwarfPlanet, 67.696136, 0.4409409, 44.178547, 35.874109,
          151.505321, 197.781946),
    Minor("Sedna", "セドナ", "90377", K::MinorBody, 488.19988, 0.8441701, 11.929631, 144.436043,
          311.55885, 357.666332),
    Minor("Ceres", "セレス", "1", K::DwarfPlanet, 2.7655605, 0.0799046, 10.58672, 80.40883,
          73.19356, 172.89669),
    Minor("Pallas", "パラス", "2", K::Asteroid, 2.7717584, 0.2307251, 34.84094, 173.13781,
          310.37224, 156.96282),
    Minor("Juno", "ジュノー", "3", K::Asteroid, 2.6676189, 0.258194, 12.97168, 170.12222, 247.82324,
          75.98632),
    Minor("Vesta", "ベスタ", "4", K::Asteroid, 2.3612187, 0.0891723, 7.13357, 103.92566, 150.32585,
          287.12417),
    Minor("Hygiea", "ヒギエア", "10", K::Asteroid, 3.1366107, 0.1179926, 3.84239, 283.45775,
          313.00313, 56.25019),
}};

}  // namespace

const std::array<PlanetElements, kBodyCount>& BodyTable() {
    return kTable;
}

const char* KindLabelEnglish(BodyKind kind) {
    static constexpr const char* kLabels[] = {"Fixed Star",   "Satellite", "Planet",
                                              "Dwarf Planet", "Asteroid",  "Asteroid"};
    const int k = static_cast<int>(kind);
    return k >= 0 && k <= 5 ? kLabels[k] : "";
}

const char* KindLabelJapanese(BodyKind kind) {
    static constexpr const char* kLabels[] = {"恒星", "衛星", "惑星", "準惑星", "小惑星", "小惑星"};
    const int k = static_cast<int>(kind);
    return k >= 0 && k <= 5 ? kLabels[k] : "";
}

bool BodyShownAtLevel(int index, int wakuseiLevel) {
    if (index < 0 || index >= kBodyCount) return false;
    return static_cast<int>(kTable[index].kind) <= wakuseiLevel;
}

const std::array<double, kBodyCount>& OrbitalPeriods() {
    static const std::array<double, kBodyCount> periods = [] {
        std::array<double, kBodyCount> p{};
        for (int k = 0; k < kBodyCount; ++k)
            p[k] = std::pow(kTable[k].a, 1.5) * 365.2568983;
        return p;
    }();
    return periods;
}

}  // namespace astro

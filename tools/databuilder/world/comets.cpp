#include "comets.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

namespace databuilder::world {

namespace {

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\"");
    if (a == std::string::npos) return {};
    const size_t b = s.find_last_not_of(" \t\r\"");
    return s.substr(a, b - a + 1);
}

double Number(const std::map<std::string, std::string>& keys, const std::string& key,
              const std::string& where, const double* fallback = nullptr) {
    const auto it = keys.find(key);
    if (it == keys.end()) {
        if (fallback) return *fallback;
        throw InputError(where + ": missing " + key);
    }
    try {
        size_t used = 0;
        const double v = std::stod(it->second, &used);
        if (used == 0 || !std::isfinite(v)) throw std::invalid_argument(key);
        return v;
    } catch (const std::exception&) {
        throw InputError(where + ": bad number in " + key + " = " + it->second);
    }
}

// Names the program knows by their Japanese names; the others use the English name.
struct JapaneseName {
    const char* match;  // a part of the catalogue name
    const char* japanese;
};
constexpr JapaneseName kJapaneseNames[] = {
    {"Ikeya-Seki", "池谷・関彗星"},
    {"Encke", "エンケ彗星"},
    {"Swift-Tuttle", "スイフト・タットル彗星"},
    {"Tempel-Tuttle", "テンペル・タットル彗星"},
    {"West (", "ウェスト彗星"},
    {"McNaught", "マックノート彗星"},
    {"Giacobini-Zinner", "ジャコビニ・ツィナー彗星"},
    {"Kohoutek", "コホーテク彗星"},
    {"Donati", "ドナティ彗星"},
    {"Tuttle-Giacobini-Kresak", "タットル・ジャコビニ・クレサーク彗星"},
};

struct NamedComet {
    const char* designation;  // as the catalogue names it
    const char* english;      // the name the program recognises
    const char* japanese;
};
constexpr NamedComet kNamedComets[] = {
    {"P/Halley (1982i=1986III)", "Halley", "ハレー彗星"},
    {"C/1995 O1 (Hale-Bopp)", "Hale-Bopp", "ヘール・ボップ彗星"},
    {"C/1996 B2 (Hyakutake)", "Hyakutake 2", "第２百武彗星"},
};

// A name for the 31-byte field: a designation "(1882b=1882II)" too long for it keeps only its
// Roman-numeral part "(1882II)", and if that is not enough the "C/" or "P/" prefix goes.
std::string FittingName(std::string name) {
    const size_t open = name.rfind('('), eq = name.rfind('='), close = name.rfind(')');
    if (name.size() > 31 && open != std::string::npos && eq != std::string::npos &&
        close != std::string::npos && open < eq && eq < close)
        name = name.substr(0, open + 1) + name.substr(eq + 1);
    if (name.size() > 31 && name.size() > 2 && name[1] == '/') name.erase(0, 2);
    return name;
}

// The great comets of the historic list, taken before the others whatever their magnitude law.
constexpr const char* kGreatComets[] = {
    "Great ",       "Ikeya-Seki (1965", "West (1975",           "Kohoutek (1973f",
    "Arend-Roland", "Bennett (1969",    "Donati (1858",         "Tebbutt (1861",
    "Coggia (1874", "Mrkos (1957",      "Seki-Lines",           "IRAS-Araki-Alcock",
    "Halley (1910", "Swift-Tuttle",     "Tempel-Tuttle",        "Pons-Brooks",
    "Biela",        "Daylight",         "Skjellerup-Maristany",
};

bool IsGreatComet(const std::string& name) {
    for (const char* part : kGreatComets)
        if (name.find(part) != std::string::npos) return true;
    return false;
}

state::CometRecord ToRecord(const CometSource& c) {
    state::CometRecord r{};
    int year = 0, month = 1;
    double day = 1.0;
    JulianDayToCalendar(c.perihelionJd, year, month, day);
    r.TY = year;
    r.TM = month;
    r.TD = std::clamp(day, 1.0, 31.99999);
    r.q = c.q;
    r.e = c.e;
    r.Peri = c.peri;
    r.Node = c.node;
    r.i = c.incl;
    r.show = 1;
    r.initialised = 1;
    r.H1 = static_cast<float>(c.H);
    r.K1 = static_cast<float>(2.5 * c.n);
    CopyField(r.NAMEE, sizeof r.NAMEE, FittingName(c.name));
    std::string japanese = FittingName(c.name);
    for (const JapaneseName& j : kJapaneseNames)
        if (c.name.find(j.match) != std::string::npos && std::string(j.japanese).size() < 32)
            japanese = j.japanese;
    CopyField(r.NAMEJ, sizeof r.NAMEJ, japanese);
    return r;
}

bool Usable(const CometSource& c) {
    int year, month;
    double day;
    JulianDayToCalendar(c.perihelionJd, year, month, day);
    return year >= 0 && year <= 9999 && c.q > 0 && c.e >= 0;
}

}  // namespace

std::vector<CometSource> ParseCometIni(const std::string& text, const std::string& inputName) {
    std::vector<CometSource> comets;
    std::istringstream in(text);
    std::string line, section;
    std::map<std::string, std::string> keys;
    auto flush = [&]() {
        const auto type = keys.find("type");
        if (!section.empty() && type != keys.end() && type->second == "comet") {
            const std::string where = inputName + " [" + section + "]";
            const double defaultSlope = 4.0, noMagnitude = 0.0;
            CometSource c;
            c.name = keys.count("name") ? keys["name"] : section;
            c.perihelionJd = Number(keys, "orbit_TimeAtPericenter", where);
            c.q = Number(keys, "orbit_PericenterDistance", where);
            c.e = Number(keys, "orbit_Eccentricity", where);
            c.peri = Number(keys, "orbit_ArgOfPericenter", where);
            c.node = Number(keys, "orbit_AscendingNode", where);
            c.incl = Number(keys, "orbit_Inclination", where);
            c.H = Number(keys, "absolute_magnitude", where, &noMagnitude);
            c.n = Number(keys, "slope_parameter", where, &defaultSlope);
            comets.push_back(c);
        }
        keys.clear();
    };
    while (std::getline(in, line)) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == ';' || t[0] == '#') continue;
        if (t.front() == '[' && t.back() == ']') {
            flush();
            section = t.substr(1, t.size() - 2);
            continue;
        }
        const size_t eq = t.find('=');
        if (eq != std::string::npos) keys[Trim(t.substr(0, eq))] = Trim(t.substr(eq + 1));
    }
    flush();
    if (comets.empty()) throw InputError(inputName + ": no comets");
    return comets;
}

void JulianDayToCalendar(double jd, int& year, int& month, double& day) {
    // Gregorian calendar from 1582 October 15, Julian before (the usual astronomical dating).
    const double z = std::floor(jd + 0.5);
    const double f = jd + 0.5 - z;
    double a = z;
    if (z >= 2299161.0) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::floor(alpha / 4);
    }
    const double b = a + 1524;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    day = b - d - std::floor(30.6001 * e) + f;
    month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    year = static_cast<int>(month > 2 ? c - 4716 : c - 4715);
}

std::vector<state::CometRecord> SelectComets(const std::vector<CometSource>& recent,
                                             const std::vector<CometSource>& historic,
                                             size_t limit) {
    std::vector<state::CometRecord> out;
    std::set<std::string> taken;
    auto all = recent;
    all.insert(all.end(), historic.begin(), historic.end());
    for (const NamedComet& named : kNamedComets) {
        const auto it = std::find_if(all.begin(), all.end(), [&](const CometSource& c) {
            return c.name == named.designation;
        });
        if (it == all.end())
            throw InputError(std::string("comet catalogue: ") + named.designation + " is missing");
        state::CometRecord r = ToRecord(*it);
        CopyField(r.NAMEE, sizeof r.NAMEE, named.english);
        CopyField(r.NAMEJ, sizeof r.NAMEJ, named.japanese);
        r.initialised = 0;  // the program applies its own magnitude terms by name
        r.H1 = 0.0f;
        r.K1 = 0.0f;
        out.push_back(r);
        taken.insert(named.designation);
    }
    auto add = [&](const CometSource& c) {
        if (out.size() >= limit || !Usable(c) || !taken.insert(c.name).second) return;
        out.push_back(ToRecord(c));
    };
    for (const CometSource& c : recent)
        add(c);
    // Historic comets: the great comets, then the telescopic era (from 1600) intrinsically
    // brightest first, then the older records; earlier returns of Halley are already represented
    // by "Halley".
    auto bright = historic;
    auto era = [](const CometSource& c) {
        int year, month;
        double day;
        JulianDayToCalendar(c.perihelionJd, year, month, day);
        return year >= 1600 ? 0 : 1;
    };
    std::stable_sort(bright.begin(), bright.end(), [&](const CometSource& a, const CometSource& b) {
        return std::make_pair(era(a), a.H) < std::make_pair(era(b), b.H);
    });
    for (const CometSource& c : bright)
        if (IsGreatComet(c.name)) add(c);
    for (const CometSource& c : bright)
        if (c.name.find("Halley") == std::string::npos || era(c) == 0) add(c);
    return out;
}

Bytes CometFileBytes(const std::vector<state::CometRecord>& comets) {
    Bytes out;
    for (const state::CometRecord& r : comets)
        PutRecord(out, r);
    return out;
}

}  // namespace databuilder::world

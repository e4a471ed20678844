#include "comets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <set>

#include "astro/orbit_precession.h"

namespace databuilder::world {

namespace {

// Current comets are taken first when they reach this magnitude at perihelion (binoculars) and
// come no closer to the Sun than 0.1 AU (the sungrazers that only coronagraphs see).
constexpr double kCurrentPeakLimit = 10.0;

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
    const char* key;      // as IdentifyComets keys it
    const char* english;  // the name the program recognises
    const char* japanese;
};
constexpr NamedComet kNamedComets[] = {
    {"1P", "Halley", "ハレー彗星"},
    {"C/1995 O1", "Hale-Bopp", "ヘール・ボップ彗星"},
    {"C/1996 B2", "Hyakutake 2", "第２百武彗星"},
};

// The great comets of the past, taken before the others whatever their magnitude law.
constexpr const char* kGreatComets[] = {
    "Great ",       "Ikeya-Seki (1965", "West (1975",   "Kohoutek (1973f",
    "Arend-Roland", "Bennett (1969",    "Donati (1858", "Tebbutt (1861",
    "Coggia (1874", "Mrkos (1957",      "Seki-Lines",   "IRAS-Araki-Alcock",
    "Swift-Tuttle", "Tempel-Tuttle",    "Daylight",     "Skjellerup-Maristany",
    "C/2006 P1",    "C/2011 W3",        "C/2020 F3",    "C/2022 E3",
};

bool IsGreatComet(const std::string& name) {
    for (const char* part : kGreatComets)
        if (name.find(part) != std::string::npos) return true;
    return false;
}

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
    r.K1 = static_cast<float>(c.K);
    CopyField(r.NAMEE, sizeof r.NAMEE, FittingName(c.name));
    std::string japanese = FittingName(c.name);
    for (const JapaneseName& j : kJapaneseNames)
        if (c.name.find(j.match) != std::string::npos && std::string(j.japanese).size() < 32)
            japanese = j.japanese;
    CopyField(r.NAMEJ, sizeof r.NAMEJ, japanese);
    return r;
}

// Comets seen only by the coronagraphs of the solar observatories are left out too.
bool Usable(const CometSource& c) {
    int year, month;
    double day;
    JulianDayToCalendar(c.perihelionJd, year, month, day);
    return c.hasMagnitude && year >= 0 && year <= 9999 && c.q > 0 && c.e >= 0 &&
           c.name.find("SOHO") == std::string::npos && c.name.find("STEREO") == std::string::npos;
}

// Two entries of one apparition: perihelion within two days at nearly the same distance.
bool SameApparition(const CometSource& a, const CometSource& b) {
    return std::abs(a.perihelionJd - b.perihelionJd) < 2.0 &&
           std::abs(a.q - b.q) < 0.02 * std::max(a.q, b.q) + 0.001;
}

// Brightness at perihelion seen from one astronomical unit.
double PeakMagnitude(const CometSource& c) {
    return c.H + c.K * std::log10(c.q);
}

void RenameAll(std::vector<CometIdentity>& ids, std::string from,
               std::string to) {  // copies: ids changes
    if (from == to) return;
    for (CometIdentity& id : ids)
        if (id.key == from) id.key = to;
}

}  // namespace

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

CometSource PrecessElements(const CometSource& comet, double toJd) {
    const astro::OrbitAngles angles =
        astro::PrecessOrbitAngles({comet.peri, comet.node, comet.incl}, comet.equinoxJd, toJd);
    CometSource out = comet;
    out.peri = angles.peri;
    out.node = angles.node;
    out.incl = angles.inclination;
    out.equinoxJd = toJd;
    return out;
}

std::vector<CometIdentity> IdentifyComets(const std::vector<CometSource>& comets) {
    static const std::regex kNumbered(R"(^(\d+)([PDI])/(.*)$)");
    static const std::regex kOldStyle(R"(^([PD])/(.+?) \(.*\)$)");
    static const std::regex kCurrent(R"(^([CPDXAI])/(-?\d{1,4} [A-Z]+\d*)(-[A-Z]+\d*)?( .*)?$)");
    // Names of numbered periodic comets; a name that two numbers share identifies neither.
    std::map<std::string, std::string> numberOfName;
    std::set<std::string> shared;
    std::smatch m;
    for (const CometSource& c : comets)
        if (std::regex_match(c.name, m, kNumbered)) {
            const std::string number = m[1].str() + (m[2] == "I" ? "I" : "P");
            std::string name = m[3].str();  // "Halley (2061)": the name without the year
            name = name.substr(0, name.find(" ("));
            const auto [it, fresh] = numberOfName.emplace(name, number);
            if (!fresh && it->second != number) shared.insert(name);
        }
    std::vector<CometIdentity> out;
    for (const CometSource& c : comets) {
        CometIdentity id{c.name, false};
        if (std::regex_match(c.name, m, kNumbered)) {
            id = {m[1].str() + (m[2] == "I" ? "I" : "P"), m[2] == "D"};
        } else if (std::regex_match(c.name, m, kCurrent)) {
            id = {m[1].str() + "/" + m[2].str(), m[1] == "D"};
        } else if (std::regex_match(c.name, m, kOldStyle)) {
            const auto it = numberOfName.find(m[2].str());
            if (it != numberOfName.end() && !shared.count(m[2].str())) id.key = it->second;
            id.defunct = m[1] == "D";
        }
        out.push_back(id);
    }
    // Entries of one apparition under names of different styles are one comet.
    std::vector<size_t> byTime(comets.size());
    for (size_t k = 0; k < byTime.size(); ++k)
        byTime[k] = k;
    std::sort(byTime.begin(), byTime.end(),
              [&](size_t a, size_t b) { return comets[a].perihelionJd < comets[b].perihelionJd; });
    for (size_t a = 0; a < byTime.size(); ++a)
        for (size_t b = a + 1;
             b < byTime.size() &&
             comets[byTime[b]].perihelionJd - comets[byTime[a]].perihelionJd < 2.0;
             ++b)
            if (SameApparition(comets[byTime[a]], comets[byTime[b]])) {
                // The designation of the current style names the comet.
                const std::string& first = out[byTime[a]].key;
                const std::string& second = out[byTime[b]].key;
                if (first.find('(') != std::string::npos)
                    RenameAll(out, first, second);
                else
                    RenameAll(out, second, first);
            }
    // A comet that any list marks as lost is lost in all of them.
    std::set<std::string> lost;
    for (const CometIdentity& id : out)
        if (id.defunct) lost.insert(id.key);
    for (CometIdentity& id : out)
        id.defunct = lost.count(id.key) != 0;
    return out;
}

std::vector<ShippedComet> SelectComets(const std::vector<CometSource>& comets, double presentJd,
                                       size_t limit) {
    const auto ids = IdentifyComets(comets);
    std::map<std::string, std::vector<const CometSource*>> byComet;
    for (size_t k = 0; k < comets.size(); ++k)
        if (!ids[k].defunct && Usable(comets[k])) byComet[ids[k].key].push_back(&comets[k]);

    // The apparition nearest the present, from its entry osculating nearest the perihelion.
    std::map<std::string, const CometSource*> chosen;
    for (const auto& [key, entries] : byComet) {
        const CometSource* nearest = *std::min_element(
            entries.begin(), entries.end(), [&](const CometSource* a, const CometSource* b) {
                return std::abs(a->perihelionJd - presentJd) <
                       std::abs(b->perihelionJd - presentJd);
            });
        const auto distance = [&](const CometSource* c) {
            return c->epochJd > 0 ? std::abs(c->epochJd - c->perihelionJd) : 1e12;
        };
        const CometSource* best = nearest;
        for (const CometSource* c : entries) {
            if (std::abs(c->perihelionJd - nearest->perihelionJd) > 365.0) continue;
            if (distance(c) < distance(best) ||
                (distance(c) == distance(best) && c->epochJd > best->epochJd))
                best = c;
        }
        chosen[key] = best;
    }

    std::vector<ShippedComet> out;
    std::set<std::string> taken;
    const auto add = [&](const std::string& key, const CometSource& c) {
        if (out.size() >= limit || !taken.insert(key).second) return;
        out.push_back({ToRecord(PrecessElements(c, c.perihelionJd)), c});
    };
    for (const NamedComet& named : kNamedComets) {
        const auto it = chosen.find(named.key);
        if (it == chosen.end())
            throw InputError(std::string("comet lists: ") + named.english + " is missing");
        add(named.key, *it->second);
        state::CometRecord& r = out.back().record;
        CopyField(r.NAMEE, sizeof r.NAMEE, named.english);
        CopyField(r.NAMEJ, sizeof r.NAMEJ, named.japanese);
        r.initialised = 0;  // the program applies its own magnitude terms by name
        r.H1 = 0.0f;
        r.K1 = 0.0f;
    }
    std::vector<std::pair<std::string, const CometSource*>> ranked(chosen.begin(), chosen.end());
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return PeakMagnitude(*a.second) < PeakMagnitude(*b.second);
    });
    const auto current = [&](const CometSource& c) {
        return c.perihelionJd >= presentJd - 3 * 365.25 &&
               c.perihelionJd <= presentJd + 10 * 365.25 && c.q >= 0.1 &&
               PeakMagnitude(c) <= kCurrentPeakLimit;
    };
    constexpr double k1900Jd = 2415020.5;
    for (const auto& [key, c] : ranked)
        if (current(*c)) add(key, *c);
    for (const auto& [key, c] : ranked)
        if (c->perihelionJd >= k1900Jd && out.size() < limit * 5 / 8) add(key, *c);
    for (const auto& [key, c] : ranked)
        if (IsGreatComet(c->name)) add(key, *c);
    for (const auto& [key, c] : ranked)
        add(key, *c);
    return out;
}

std::string DescribeCometSource(const ShippedComet& comet) {
    const auto date = [](double jd, bool fraction) {
        int year, month;
        double day;
        JulianDayToCalendar(jd, year, month, day);
        char text[32];
        std::snprintf(text, sizeof text, fraction ? "%04d-%02d-%05.2f" : "%04d-%02d-%02.0f", year,
                      month, fraction ? day : std::floor(day));
        return std::string(text);
    };
    const CometSource& c = comet.source;
    return c.name + ": perihelion " + date(c.perihelionJd, true) + ", epoch " +
           (c.epochJd > 0 ? date(c.epochJd, false) : std::string("not given")) + ", equinox " +
           (c.equinoxJd == kB1950Jd ? "B1950" : "J2000");
}

Bytes CometFileBytes(const std::vector<ShippedComet>& comets) {
    Bytes out;
    for (const ShippedComet& c : comets)
        PutRecord(out, c.record);
    return out;
}

}  // namespace databuilder::world

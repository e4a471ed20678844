#include "comet_sources.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <map>
#include <regex>
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

// "C/1995 O1 (...)", "P/2010 V1 (...)", "67P/...", "1P/Halley (2061)": the current style.
bool CurrentStyle(const std::string& name) {
    static const std::regex kCurrent(R"(^(\d+[PDI]/|[CPDXAI]/-?\d{1,4} [A-Z]).*)");
    return std::regex_match(name, kCurrent);
}

QJsonDocument ParseJson(const Bytes& json, const std::string& inputName) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(json.data()), static_cast<qsizetype>(json.size())),
        &error);
    if (error.error != QJsonParseError::NoError)
        throw InputError(inputName + ": not JSON (" + error.errorString().toStdString() + ")");
    return doc;
}

// NaN for a missing or absurd year or month, which the caller refuses with the input's name.
double JulianDay(double yearField, double monthField, double day) {
    if (!(std::abs(yearField) < 1e6) || !(monthField >= 1 && monthField < 13)) return std::nan("");
    int year = static_cast<int>(yearField);
    int month = static_cast<int>(monthField);
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100;
    const int b = 2 - a + a / 4;
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + day + b -
           1524.5;
}

// A value of a JPL row: numbers come as JSON numbers or as text; null is NaN.
double JplNumber(const QJsonValue& v) {
    if (v.isDouble()) return v.toDouble();
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? d : std::nan("");
}

void CheckElements(const CometSource& c, const std::string& where) {
    for (double v : {c.perihelionJd, c.q, c.e, c.peri, c.node, c.incl})
        if (!std::isfinite(v)) throw InputError(where + ": " + c.name + " lacks an element");
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
            const double defaultSlope = 4.0, none = 0.0;
            CometSource c;
            c.name = keys.count("name") ? keys["name"] : section;
            c.perihelionJd = Number(keys, "orbit_TimeAtPericenter", where);
            c.q = Number(keys, "orbit_PericenterDistance", where);
            c.e = Number(keys, "orbit_Eccentricity", where);
            c.peri = Number(keys, "orbit_ArgOfPericenter", where);
            c.node = Number(keys, "orbit_AscendingNode", where);
            c.incl = Number(keys, "orbit_Inclination", where);
            c.hasMagnitude = keys.count("absolute_magnitude") != 0;
            c.H = Number(keys, "absolute_magnitude", where, &none);
            c.K = 2.5 * Number(keys, "slope_parameter", where, &defaultSlope);
            c.epochJd = Number(keys, "orbit_Epoch", where, &none);
            c.equinoxJd = CurrentStyle(c.name) ? kJ2000Jd : kB1950Jd;
            c.list = inputName;
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

std::vector<CometSource> ParseMpcComets(const Bytes& json, const std::string& inputName) {
    const QJsonDocument doc = ParseJson(json, inputName);
    if (!doc.isArray()) throw InputError(inputName + ": not a JSON array of comets");
    std::vector<CometSource> comets;
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        const auto number = [&](const char* key) {
            const QJsonValue x = o.value(key);
            return x.isDouble() ? x.toDouble() : std::nan("");
        };
        CometSource c;
        c.name = o.value("Designation_and_name").toString().trimmed().toStdString();
        c.perihelionJd = JulianDay(number("Year_of_perihelion"), number("Month_of_perihelion"),
                                   number("Day_of_perihelion"));
        c.q = number("Perihelion_dist");
        c.e = number("e");
        c.peri = number("Peri");
        c.node = number("Node");
        c.incl = number("i");
        c.hasMagnitude = o.value("H").isDouble();
        c.H = o.value("H").toDouble();
        c.K = 2.5 * (o.value("G").isDouble() ? o.value("G").toDouble() : 4.0);
        c.epochJd = JulianDay(number("Epoch_year"), number("Epoch_month"), number("Epoch_day"));
        c.list = inputName;
        CheckElements(c, inputName);
        comets.push_back(c);
    }
    if (comets.empty()) throw InputError(inputName + ": no comets");
    return comets;
}

std::vector<CometSource> ParseJplComets(const Bytes& json, const std::string& inputName) {
    const QJsonObject doc = ParseJson(json, inputName).object();
    std::map<QString, qsizetype> column;
    const QJsonArray fields = doc.value("fields").toArray();
    for (qsizetype i = 0; i < fields.size(); ++i)
        column[fields[i].toString()] = i;
    for (const char* needed : {"full_name", "epoch.mjd", "q", "e", "i", "w", "om", "tp", "M1"})
        if (!column.count(needed))
            throw InputError(inputName + ": the field " + needed + " is missing");
    std::vector<CometSource> comets;
    for (const QJsonValue& row : doc.value("data").toArray()) {
        const QJsonArray r = row.toArray();
        const auto at = [&](const char* key) { return r.at(column[key]); };
        CometSource c;
        c.name = at("full_name").toString().trimmed().toStdString();
        c.perihelionJd = JplNumber(at("tp"));
        c.q = JplNumber(at("q"));
        c.e = JplNumber(at("e"));
        c.peri = JplNumber(at("w"));
        c.node = JplNumber(at("om"));
        c.incl = JplNumber(at("i"));
        c.H = JplNumber(at("M1"));
        c.hasMagnitude = std::isfinite(c.H);
        if (!c.hasMagnitude) c.H = 0;
        c.epochJd = JplNumber(at("epoch.mjd")) + 2400000.5;
        c.list = inputName;
        CheckElements(c, inputName);
        comets.push_back(c);
    }
    if (comets.empty()) throw InputError(inputName + ": no comets");
    return comets;
}

}  // namespace databuilder::world

#include "cities.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <tuple>

#include "state/view_state.h"

namespace databuilder::world {

std::vector<CitySource> ParseCityMap(const Bytes& json, const std::string& inputName) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(json.data()), static_cast<qsizetype>(json.size())),
        &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray())
        throw InputError(inputName + ": not a JSON array of cities");
    std::vector<CitySource> cities;
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        const QString zone = o.value("timezone").toString();
        const QString name = o.value("city").toString();
        if (zone.isEmpty() || name.isEmpty() || !o.value("lat").isDouble() ||
            !o.value("lng").isDouble())
            continue;
        cities.push_back({name.toStdString(), o.value("country").toString().toStdString(),
                          o.value("lat").toDouble(), o.value("lng").toDouble(), zone.toStdString(),
                          o.value("pop").toDouble()});
    }
    if (cities.empty()) throw InputError(inputName + ": no city with a time zone");
    return cities;
}

namespace {

int OffsetAt(int year, int month) {
    std::tm when{};
    when.tm_year = year - 1900;
    when.tm_mon = month - 1;
    when.tm_mday = 15;
    when.tm_hour = 12;
    const std::time_t t = timegm(&when);
    std::tm local{};
    localtime_r(&t, &local);
    return static_cast<int>(local.tm_gmtoff / 60);
}

}  // namespace

int StandardOffsetMinutes(const std::string& zone, const std::string& zoneinfoDir, int year) {
    if (zone.find("..") != std::string::npos ||
        !std::filesystem::is_regular_file(std::filesystem::path(zoneinfoDir) / zone))
        throw InputError("time zone \"" + zone + "\" is not in " + zoneinfoDir);
    const char* oldTz = std::getenv("TZ");
    const std::string saved = oldTz ? oldTz : "";
    setenv("TZ", (":" + zoneinfoDir + "/" + zone).c_str(), 1);
    tzset();
    const int offset = std::min(OffsetAt(year, 1), OffsetAt(year, 7));
    if (oldTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    return offset;
}

namespace {

state::CityRecord CityRecordOf(const CitySource& c, int zoneMinutes) {
    state::CityRecord r{};
    CopyField(r.name, sizeof r.name, c.name);
    CopyField(r.country, sizeof r.country, c.country);
    r.latitude = static_cast<int16_t>(std::lround(std::clamp(c.latitude, -90.0, 90.0)));
    long west = std::lround(-c.longitude);
    if (west >= 180) west -= 360;
    if (west < -180) west += 360;
    r.longitude = static_cast<int16_t>(west);
    r.zone = static_cast<int16_t>(zoneMinutes);
    return r;
}

}  // namespace

Bytes BuildCityBlock(std::vector<CitySource> cities, const std::string& zoneinfoDir, int year) {
    std::map<std::string, int> offsets;
    std::map<std::tuple<int, int, int>, std::pair<double, state::CityRecord>> byPlace;
    for (const CitySource& c : cities) {
        auto found = offsets.find(c.zone);
        if (found == offsets.end())
            found = offsets.emplace(c.zone, StandardOffsetMinutes(c.zone, zoneinfoDir, year)).first;
        const state::CityRecord r = CityRecordOf(c, found->second);
        const auto key = std::make_tuple(r.latitude, r.longitude, r.zone);
        const auto it = byPlace.find(key);
        if (it == byPlace.end() || c.population > it->second.first)
            byPlace[key] = {c.population, r};
    }
    std::vector<state::CityRecord> kept;
    for (const auto& [place, entry] : byPlace)
        kept.push_back(entry.second);
    std::sort(kept.begin(), kept.end(), [](const state::CityRecord& a, const state::CityRecord& b) {
        return std::make_tuple(std::string(a.country), std::string(a.name), a.latitude,
                               a.longitude) < std::make_tuple(std::string(b.country),
                                                              std::string(b.name), b.latitude,
                                                              b.longitude);
    });
    Bytes out;
    for (const state::CityRecord& r : kept)
        PutRecord(out, r);
    return out;
}

}  // namespace databuilder::world

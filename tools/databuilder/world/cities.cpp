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
                          o.value("lat").toDouble(), o.value("lng").toDouble(),
                          zone.toStdString()});
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

Bytes BuildCityBlock(std::vector<CitySource> cities, const std::string& zoneinfoDir, int year) {
    std::sort(cities.begin(), cities.end(), [](const CitySource& a, const CitySource& b) {
        return std::tie(a.country, a.name, a.latitude, a.longitude) <
               std::tie(b.country, b.name, b.latitude, b.longitude);
    });
    std::map<std::string, int> offsets;
    Bytes out;
    const state::CityRecord* previous = nullptr;
    state::CityRecord last{};
    for (const CitySource& c : cities) {
        auto found = offsets.find(c.zone);
        if (found == offsets.end())
            found = offsets.emplace(c.zone, StandardOffsetMinutes(c.zone, zoneinfoDir, year)).first;
        state::CityRecord r{};
        CopyField(r.name, sizeof r.name, c.name);
        CopyField(r.country, sizeof r.country, c.country);
        r.latitude = static_cast<int16_t>(std::lround(std::clamp(c.latitude, -90.0, 90.0)));
        long west = std::lround(-c.longitude);
        if (west >= 180) west -= 360;
        if (west < -180) west += 360;
        r.longitude = static_cast<int16_t>(west);
        r.zone = static_cast<int16_t>(found->second);
        // Two entries that read the same after rounding would be indistinguishable in the list.
        if (previous && std::memcmp(&last, &r, sizeof r) == 0) continue;
        PutRecord(out, r);
        last = r;
        previous = &last;
    }
    return out;
}

}  // namespace databuilder::world

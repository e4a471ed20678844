#include "coastlines.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

#include "persist/records/world_records.h"

namespace databuilder::world {

std::vector<Polyline> ParseTopoJsonArcs(const Bytes& json, const std::string& inputName) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(json.data()), static_cast<qsizetype>(json.size())),
        &error);
    const QJsonObject topology = doc.object();
    if (error.error != QJsonParseError::NoError || topology.value("type").toString() != "Topology")
        throw InputError(inputName + ": not a TopoJSON topology");
    const QJsonObject transform = topology.value("transform").toObject();
    const bool quantized = !transform.isEmpty();
    const QJsonArray scale = transform.value("scale").toArray();
    const QJsonArray translate = transform.value("translate").toArray();
    const double sx = quantized ? scale[0].toDouble() : 1.0;
    const double sy = quantized ? scale[1].toDouble() : 1.0;
    const double tx = quantized ? translate[0].toDouble() : 0.0;
    const double ty = quantized ? translate[1].toDouble() : 0.0;
    std::vector<Polyline> lines;
    for (const QJsonValue& arcValue : topology.value("arcs").toArray()) {
        Polyline line;
        double x = 0, y = 0;
        for (const QJsonValue& p : arcValue.toArray()) {
            const QJsonArray xy = p.toArray();
            if (xy.size() < 2) throw InputError(inputName + ": bad arc point");
            if (quantized) {
                x += xy[0].toDouble();
                y += xy[1].toDouble();
                line.push_back({x * sx + tx, y * sy + ty});
            } else {
                line.push_back({xy[0].toDouble(), xy[1].toDouble()});
            }
        }
        if (line.size() >= 2) lines.push_back(std::move(line));
    }
    if (lines.empty()) throw InputError(inputName + ": no arcs");
    return lines;
}

Bytes BuildEarthBlock(const std::vector<Polyline>& lines) {
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    Bytes out;
    for (const Polyline& line : lines) {
        PutRecord(out, persist::EarthTriple{persist::kEarthPenUp, 0, 0});
        persist::EarthTriple last{persist::kEarthPenUp, 0, 0};
        for (const GeoPoint& p : line) {
            const double lat = p.lat * kRad, lon = p.lon * kRad;
            const persist::EarthTriple t{
                static_cast<int16_t>(
                    std::lround(persist::kEarthScale * std::cos(lat) * std::sin(lon))),
                static_cast<int16_t>(std::lround(-persist::kEarthScale * std::sin(lat))),
                static_cast<int16_t>(
                    std::lround(persist::kEarthScale * std::cos(lat) * std::cos(lon)))};
            if (t.x == last.x && t.y == last.y && t.z == last.z) continue;
            PutRecord(out, t);
            last = t;
        }
    }
    PutRecord(out, persist::EarthTriple{persist::kEarthEnd, 0, 0});
    return out;
}

}  // namespace databuilder::world

// The Old Chinese set: SKULI (asterism lines), SKUNU (asterism names in Chinese characters),
// SKUSU (star names in Chinese characters), SKUNM and SKUSN (romanised companions).
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstring>

#include "framework/build_error.h"
#include "framework/byte_writer.h"
#include "framework/sources.h"
#include "persist/records/sky_records.h"
#include "sky/designations.h"
#include "sky/figures.h"
#include "sky/json_input.h"
#include "sky/sky_steps.h"

namespace databuilder {

namespace {

void copyUtf16(uint16_t* field, size_t count, const QString& text) {
    std::fill(field, field + count, 0);
    const size_t n = std::min(static_cast<size_t>(text.size()), count - 1);
    for (size_t i = 0; i < n; ++i)
        field[i] = text[static_cast<qsizetype>(i)].unicode();
}

}  // namespace

void buildChineseBlocks(BuildContext& context) {
    if (!context.sky) throw BuildError("the Old Chinese set needs the star catalogue step first");
    const auto& sd = sources::kStellariumData;
    const auto& d3 = sources::kD3Celestial;
    const std::string d3root = sources::kD3Root;

    const auto figures = parseFigureLines(
        readTextFile(context.sources.file(sd, std::string(sources::kStellariumRoot) +
                                                  "skycultures/chinese/constellationship.fab"),
                     "chinese constellationship.fab"),
        false, "chinese constellationship.fab");
    std::vector<int> missing;
    const auto polylines = figurePolylines(figures, *context.sky, missing);
    context.output.writeBlock("SKULI", starPathBytes(polylines, "SKULI"));
    context.provenance.record(
        sd,
        "skycultures/chinese/constellationship.fab -> SKULI (" + std::to_string(figures.size()) +
            " asterisms, " + std::to_string(polylines.size()) + " polylines" +
            (missing.empty()
                 ? std::string()
                 : ", " + std::to_string(missing.size()) + " segment ends outside V 9.5 dropped") +
            ")",
        "Chinese sky culture: CC BY-SA 4.0 (skycultures/chinese/info.ini).");

    // Asterism names with their label points.
    const auto names = readJsonFile(context.sources.file(d3, d3root + "constellations.cn.json"),
                                    "d3-celestial constellations.cn.json");
    ByteWriter skunu, skunm;
    int asterisms = 0;
    for (const auto& value : names.object().value("features").toArray()) {
        const QJsonObject f = value.toObject();
        const QJsonObject p = f.value("properties").toObject();
        const QJsonArray xy = f.value("geometry").toObject().value("coordinates").toArray();
        const QString name = p.value("name").toString();
        if (xy.size() != 2 || name.isEmpty()) continue;
        double ra = xy[0].toDouble();
        if (ra < 0) ra += 360.0;
        const BinPoint point = equatorialToBinPoint(ra, xy[1].toDouble());
        persist::ChineseAsterismNameRecord r{};
        r.lon = point.lon;
        r.lat = point.lat;
        copyUtf16(r.name, 10, name);
        skunu.record(r);
        persist::ChineseNameTableRecord t{};
        copyUtf16(t.name, 10, name);
        copyUtf8(t.pinyin, sizeof t.pinyin, p.value("pinyin").toString().toStdString());
        copyUtf8(t.english, sizeof t.english, p.value("en").toString().toStdString());
        skunm.record(t);
        ++asterisms;
    }
    if (asterisms < 300)
        throw BuildError("d3-celestial constellations.cn.json: only " + std::to_string(asterisms) +
                         " asterism names");
    persist::ChineseAsterismNameRecord endName{};
    endName.lon = static_cast<int16_t>(persist::kListEnd);
    skunu.record(endName);
    persist::ChineseNameTableRecord endTable{};
    endTable.name[0] = persist::kListEnd;
    skunm.record(endTable);
    context.output.writeBlock("SKUNU", skunu.take());
    context.output.writeBlock("SKUNM", skunm.take());

    // Star names, by star number.
    const auto stars = readJsonFile(context.sources.file(d3, d3root + "starnames.cn.json"),
                                    "d3-celestial starnames.cn.json");
    const QJsonObject byHip = stars.object();
    std::vector<std::pair<int, QJsonObject>> named;
    for (auto it = byHip.begin(); it != byHip.end(); ++it) {
        const int number = context.sky->numberOfHip(it.key().toInt());
        if (number >= 0 && number <= kMaxPathStarNumber && number != persist::kListEnd)
            named.emplace_back(number, it.value().toObject());
    }
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    ByteWriter skusu, skusn;
    for (const auto& [number, entry] : named) {
        persist::ChineseStarNameRecord r{};
        r.star = static_cast<int16_t>(number);
        copyUtf16(r.name, 10, entry.value("name").toString());
        skusu.record(r);
        persist::ChineseStarNameTextRecord t{};
        t.star = static_cast<int16_t>(number);
        copyUtf8(t.name, sizeof t.name, entry.value("pinyin").toString().toStdString());
        skusn.record(t);
    }
    persist::ChineseStarNameRecord endStar{};
    endStar.star = static_cast<int16_t>(persist::kListEnd);
    skusu.record(endStar);
    persist::ChineseStarNameTextRecord endText{};
    endText.star = static_cast<int16_t>(persist::kListEnd);
    skusn.record(endText);
    context.output.writeBlock("SKUSU", skusu.take());
    context.output.writeBlock("SKUSN", skusn.take());
    context.provenance.record(d3, "package/data/constellations.cn.json -> SKUNU, SKUNM (" +
                                      std::to_string(asterisms) +
                                      " Old Chinese asterism names and label points); "
                                      "starnames.cn.json -> SKUSU, SKUSN (" +
                                      std::to_string(named.size()) + " star names)");
}

}  // namespace databuilder

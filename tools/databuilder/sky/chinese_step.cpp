// The Old Chinese set: SKULI (asterism lines), SKUNU (asterism names in Chinese characters),
// SKUSU (star names in Chinese characters), SKUNM and SKUSN (romanised companions).
#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cstring>
#include <map>

#include "framework/build_error.h"
#include "framework/byte_writer.h"
#include "framework/sources.h"
#include "persist/records/sky_records.h"
#include "sky/chinese_names.h"
#include "sky/designations.h"
#include "sky/figures.h"
#include "sky/json_input.h"
#include "sky/sky_inputs.h"
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

TraditionalStarName traditionalStarName(const std::vector<ReferencedName>& names,
                                        const QTranslator& toChinese) {
    // The list gives a star's English names, then their romanisations in the same order.
    TraditionalStarName name;
    if (names.empty()) return name;
    name.chinese = toChinese.translate("", names.front().text.c_str()).trimmed();
    if (names.size() % 2 == 0) name.pinyin = names[names.size() / 2].text;
    return name;
}

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

    // Asterism names in Chinese characters, romanised and in English; label points from
    // d3-celestial where it places the asterism, else at the mean direction of its stars.
    const std::string folder = std::string(sources::kStellariumRoot) + "skycultures/chinese/";
    const auto chinese = parseFigureNames(
        readTextFile(context.sources.file(sd, folder + "constellation_names.zh_CN.fab"),
                     "chinese constellation_names.zh_CN.fab"));
    const std::string englishText =
        readTextFile(context.sources.file(sd, folder + "constellation_names.eng.fab"),
                     "chinese constellation_names.eng.fab");
    const auto english = parseFigureNames(englishText);
    const auto pinyin = parseNativeFigureNames(englishText);
    const auto labels = readJsonFile(context.sources.file(d3, d3root + "constellations.cn.json"),
                                     "d3-celestial constellations.cn.json");
    std::map<QString, BinPoint> labelByName;
    for (const auto& value : labels.object().value("features").toArray()) {
        const QJsonObject f = value.toObject();
        const QJsonArray xy = f.value("geometry").toObject().value("coordinates").toArray();
        if (xy.size() != 2) continue;
        double ra = xy[0].toDouble();
        if (ra < 0) ra += 360.0;
        labelByName[f.value("properties").toObject().value("name").toString()] =
            equatorialToBinPoint(ra, xy[1].toDouble());
    }
    ByteWriter skunu, skunm;
    int asterisms = 0, placedByStars = 0;
    for (const auto& figure : figures) {
        const auto name = chinese.find(figure.code);
        if (name == chinese.end()) continue;
        const QString text = QString::fromStdString(name->second);
        BinPoint point;
        if (const auto it = labelByName.find(text); it != labelByName.end()) {
            point = it->second;
        } else {
            std::vector<Vec3> stars;
            for (const auto& [a, b] : figure.segments)
                for (int hip : {a, b})
                    if (const int n = context.sky->numberOfHip(hip); n >= 0)
                        stars.push_back(context.sky->stars[n].position);
            if (stars.empty()) continue;
            point = toBinPoint(equatorialToEcliptic(meanDirection(stars)));
            ++placedByStars;
        }
        persist::ChineseAsterismNameRecord r{};
        r.lon = point.lon;
        r.lat = point.lat;
        copyUtf16(r.name, 10, text);
        skunu.record(r);
        persist::ChineseNameTableRecord t{};
        copyUtf16(t.name, 10, text);
        if (const auto it = pinyin.find(figure.code); it != pinyin.end())
            copyUtf8(t.pinyin, sizeof t.pinyin, it->second);
        if (const auto it = english.find(figure.code); it != english.end())
            copyUtf8(t.english, sizeof t.english, it->second);
        skunm.record(t);
        ++asterisms;
    }
    if (asterisms < 300)
        throw BuildError("chinese constellation_names.zh_CN.fab: only " +
                         std::to_string(asterisms) + " asterism names");
    persist::ChineseAsterismNameRecord endName{};
    endName.lon = static_cast<int16_t>(persist::kListEnd);
    skunu.record(endName);
    persist::ChineseNameTableRecord endTable{};
    endTable.name[0] = persist::kListEnd;
    skunm.record(endTable);
    context.output.writeBlock("SKUNU", skunu.take());
    context.output.writeBlock("SKUNM", skunm.take());
    context.provenance.record(sd,
                              "skycultures/chinese/constellation_names.zh_CN.fab, "
                              "constellation_names.eng.fab -> SKUNU, SKUNM (" +
                                  std::to_string(asterisms) +
                                  " Old Chinese asterism names: Chinese, pinyin, English)");
    context.provenance.record(d3, "package/data/constellations.cn.json -> label points of SKUNU (" +
                                      std::to_string(asterisms - placedByStars) +
                                      " asterisms; any others at the mean direction of their "
                                      "stars)");

    // Star names, by star number: the name of each star within its asterism ("Curved Array I",
    // 勾陈一, for Polaris), not the later popular ones that the list gives after it.
    const auto starNames = parseStarNames(readTextFile(
        context.sources.file(sd, folder + "star_names.fab"), "chinese star_names.fab"));
    const std::string qmPath =
        std::string(sources::kStellariumRoot) + "translations/stellarium-skycultures/zh_CN.qm";
    QTranslator toChinese;
    if (!toChinese.load(QString::fromStdString(context.sources.file(sd, qmPath).string())))
        throw BuildError(qmPath + ": not a readable translation file");
    std::vector<std::pair<int, TraditionalStarName>> named;
    for (const auto& [hip, names] : starNames) {
        const int number = context.sky->numberOfHip(hip);
        if (number < 0 || number > kMaxPathStarNumber || number == persist::kListEnd ||
            context.sky->mergedHips.count(hip))
            continue;
        const TraditionalStarName name = traditionalStarName(names, toChinese);
        if (!name.chinese.isEmpty()) named.emplace_back(number, name);
    }
    if (named.size() < 2500)
        throw BuildError("chinese star_names.fab: only " + std::to_string(named.size()) +
                         " star names translate to Chinese");
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    ByteWriter skusu, skusn;
    for (const auto& [number, name] : named) {
        persist::ChineseStarNameRecord r{};
        r.star = static_cast<int16_t>(number);
        copyUtf16(r.name, 10, name.chinese);
        skusu.record(r);
        persist::ChineseStarNameTextRecord t{};
        t.star = static_cast<int16_t>(number);
        copyUtf8(t.name, sizeof t.name, name.pinyin);
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
    context.provenance.record(
        sd,
        "skycultures/chinese/star_names.fab with translations/stellarium-skycultures/zh_CN.qm -> "
        "SKUSU, SKUSN (" +
            std::to_string(named.size()) +
            " Old Chinese star names, each star by its name within its asterism: Chinese "
            "characters, pinyin)",
        "Chinese sky culture: CC BY-SA 4.0 (skycultures/chinese/info.ini).");
}

}  // namespace databuilder

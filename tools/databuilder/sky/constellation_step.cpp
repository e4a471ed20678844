// SEIZA, SEIZAZ (names and label points), LINE (stick figures) and KAI (boundaries).
#include <QJsonArray>
#include <QJsonObject>
#include <map>
#include <set>

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

double wrapDegrees(double ra) {
    return ra < 0 ? ra + 360.0 : ra;
}

// "Serpens Caput" -> "Serpens": the scientific name of both Serpens records.
std::string scientificName(const std::string& name) {
    for (const char* part : {" Caput", " Cauda"})
        if (name.ends_with(part)) return name.substr(0, name.size() - std::string(part).size());
    return name;
}

// Where the list gives an asterism's name (the Dippers) or one name to two constellations, the
// names that people use.
std::string popularName(const std::string& latin, const QString& listed) {
    static const std::map<std::string, std::string> kUsual = {
        {"Ursa Major", "Great Bear"},        {"Ursa Minor", "Little Bear"},
        {"Circinus", "Compasses"},           {"Pyxis", "Mariner's Compass"},
        {"Serpens Caput", "Serpent's Head"}, {"Serpens Cauda", "Serpent's Tail"}};
    if (const auto it = kUsual.find(latin); it != kUsual.end()) return it->second;
    QString plain = listed;  // the list spaces words with U+2005, three bytes in UTF-8
    for (QChar& c : plain)
        if (c.isSpace()) c = u' ';
    return plain.simplified().toStdString();
}

}  // namespace

void buildConstellationBlocks(BuildContext& context) {
    if (!context.sky) throw BuildError("constellations need the star catalogue step first");
    const auto& d3 = sources::kD3Celestial;
    const auto& sd = sources::kStellariumData;
    const std::string root = sources::kStellariumRoot;

    const auto doc = readJsonFile(
        context.sources.file(d3, std::string(sources::kD3Root) + "constellations.json"),
        "d3-celestial constellations.json");
    const QJsonArray features = doc.object().value("features").toArray();
    if (features.size() != persist::kConstellationCount)
        throw BuildError("d3-celestial constellations.json: " + std::to_string(features.size()) +
                         " constellations instead of 89");
    ByteWriter names, points;
    std::vector<std::string> codes;
    std::set<std::string> popularNames;
    for (const auto& value : features) {
        const QJsonObject f = value.toObject();
        const QJsonObject p = f.value("properties").toObject();
        const QJsonArray xy = f.value("geometry").toObject().value("coordinates").toArray();
        const std::string code = f.value("id").toString().toStdString();
        if (code.size() != 3 || xy.size() != 2)
            throw BuildError(
                "d3-celestial constellations.json: a constellation lacks its code or "
                "label point");
        const std::string latin = p.value("name").toString().toStdString();
        const std::string popular = popularName(latin, p.value("en").toString());
        if (popular.empty() ||
            popular.size() >= sizeof(persist::ConstellationNameRecord::popular) ||
            !popularNames.insert(popular).second)
            throw BuildError("d3-celestial constellations.json: the popular name \"" + popular +
                             "\" of " + latin + " is empty, too long or not distinct");
        persist::ConstellationNameRecord r{};
        copyUtf8(r.popular, sizeof r.popular, popular);
        copyUtf8(r.scientific, sizeof r.scientific, scientificName(latin));
        copyUtf8(r.code, sizeof r.code, code);
        names.record(r);
        const BinPoint point =
            equatorialToBinPoint(wrapDegrees(xy[0].toDouble()), xy[1].toDouble());
        points.i16(point.lon);
        points.i16(point.lat);
        codes.push_back(code);
    }
    context.output.writeBlock("SEIZA", names.take());
    context.output.writeBlock("SEIZAZ", points.take());
    context.provenance.record(
        d3,
        "package/data/constellations.json -> SEIZA (89 names: English, Latin, "
        "code; Serpens as Caput and Cauda; Great Bear, Little Bear, Compasses, Mariner's Compass, "
        "Serpent's Head and Serpent's Tail where the list repeats a name or gives an "
        "asterism's), SEIZAZ (their label points)");

    // Stick figures, in the order of the names.
    auto figures = parseFigureLines(
        readTextFile(context.sources.file(sd, root + "skycultures/western/constellationship.fab"),
                     "constellationship.fab"),
        false, "western constellationship.fab");
    std::stable_sort(figures.begin(), figures.end(), [&](const auto& a, const auto& b) {
        return std::find(codes.begin(), codes.end(), a.code) <
               std::find(codes.begin(), codes.end(), b.code);
    });
    std::vector<int> missing;
    const auto polylines = figurePolylines(figures, *context.sky, missing);
    if (!missing.empty())
        throw BuildError("western constellationship.fab: HIP " + std::to_string(missing.front()) +
                         " is not in the star catalogue");
    context.output.writeBlock("LINE", starPathBytes(polylines, "LINE"));
    context.provenance.record(sd,
                              "skycultures/western/constellationship.fab -> LINE (" +
                                  std::to_string(figures.size()) + " figures, " +
                                  std::to_string(polylines.size()) + " polylines)",
                              "Western sky culture: CC BY-SA 4.0 + Free Art License.");

    const auto boundaries = parseBoundaries(
        readTextFile(context.sources.file(sd, root + "data/constellation_boundaries.dat"),
                     "constellation_boundaries.dat"),
        "constellation_boundaries.dat");
    if (boundaries.size() < 700)
        throw BuildError("constellation_boundaries.dat: only " + std::to_string(boundaries.size()) +
                         " segments");
    context.output.writeBlock("KAI", outlineBytes(boundaries));
    context.provenance.record(sd,
                              "data/constellation_boundaries.dat -> KAI (" +
                                  std::to_string(boundaries.size()) +
                                  " IAU boundary segments, J2000)",
                              "IAU constellation boundaries (Delporte 1930), precessed to J2000.");
}

}  // namespace databuilder

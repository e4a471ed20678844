// STAR2 and STIDX from the four Stellarium star files.
#include <QJsonArray>
#include <QJsonObject>
#include <cmath>
#include <memory>
#include <set>

#include "framework/build_error.h"
#include "framework/sources.h"
#include "sky/designations.h"
#include "sky/json_input.h"
#include "sky/sky_catalogue.h"
#include "sky/sky_inputs.h"
#include "sky/sky_steps.h"
#include "sky/star_file.h"

namespace databuilder {

namespace {

const char* const kStarFiles[] = {"stars_0_0v0_8.cat", "stars_1_0v0_8.cat", "stars_2_0v0_8.cat",
                                  "stars_3_1v0_4.cat"};

std::string stellarium(const std::string& path) {
    return sources::kStellariumRoot + path;
}

// Stars that must be in the bright part: those that blocks with 16-bit star numbers refer to
// (figure lines of both sky cultures, the asterisms, the Old Chinese star names) and those with a
// Bayer or Flamsteed designation, which only bright records can carry (ALPHA).
std::set<int> starsNeedingBrightRecords(BuildContext& context) {
    std::set<int> hips;
    const auto& sd = sources::kStellariumData;
    const auto addFigures = [&](const std::string& path, bool withType) {
        const std::string text = readTextFile(context.sources.file(sd, stellarium(path)), path);
        for (const auto& figure : parseFigureLines(text, withType, path))
            for (const auto& [a, b] : figure.segments)
                hips.insert({a, b});
    };
    addFigures("skycultures/western/constellationship.fab", false);
    addFigures("skycultures/western/asterism_lines.fab", true);
    addFigures("skycultures/chinese/constellationship.fab", false);
    const std::string chineseNames = "skycultures/chinese/star_names.fab";
    for (const auto& [hip, names] : parseStarNames(
             readTextFile(context.sources.file(sd, stellarium(chineseNames)), chineseNames)))
        hips.insert(hip);
    hips.erase(0);
    return hips;
}

// V of every Hipparcos entry from d3-celestial's copy of the Hipparcos catalogue.
HipparcosMagnitudes hipparcosMagnitudes(BuildContext& context) {
    const auto doc =
        readJsonFile(context.sources.file(sources::kD3Celestial,
                                          std::string(sources::kD3Root) + "stars.14.json"),
                     "d3-celestial stars.14.json");
    HipparcosMagnitudes magnitudes;
    for (const auto& value : doc.object().value("features").toArray()) {
        const QJsonObject star = value.toObject();
        const QJsonValue mag = star.value("properties").toObject().value("mag");
        const int hip = star.value("id").toInt();
        if (hip > 0 && mag.isDouble())
            magnitudes[hip] = static_cast<int>(std::lround(mag.toDouble() * 1000.0));
    }
    if (magnitudes.size() < 100000)
        throw BuildError("d3-celestial stars.14.json: only " + std::to_string(magnitudes.size()) +
                         " Hipparcos stars");
    return magnitudes;
}

}  // namespace

void buildStarBlocks(BuildContext& context) {
    const auto& sd = sources::kStellariumData;
    std::vector<DecodedStar> decoded;
    for (const char* name : kStarFiles) {
        const std::string path = stellarium(std::string("stars/default/") + name);
        StarFile file = readStarFile(context.sources.file(sd, path), describe(sd) + " " + name);
        decoded.insert(decoded.end(), file.stars.begin(), file.stars.end());
    }
    const std::string spPath = stellarium("stars/default/stars_hip_sp_0v0_4.cat");
    const auto spectralTypes =
        readLines(context.sources.file(sd, spPath), "stars_hip_sp_0v0_4.cat");

    auto catalogue = std::make_shared<SkyCatalogue>(buildSkyCatalogue(
        decoded, spectralTypes, starsNeedingBrightRecords(context), hipparcosMagnitudes(context)));
    if (catalogue->brightCount < 2859)
        throw BuildError("star catalogue: only " + std::to_string(catalogue->brightCount) +
                         " bright stars; the program needs at least 2859");
    context.output.writeBlock("STAR2", star2Bytes(*catalogue));
    context.output.writeBlock("STIDX", stidxBytes(*catalogue));
    context.provenance.record(
        sd,
        "stars/default/stars_0..3 (*.cat), stars_hip_sp_0v0_4.cat -> STAR2 (" +
            std::to_string(catalogue->stars.size()) + " stars to V 9.5, " +
            std::to_string(catalogue->brightCount) +
            " in the bright part), STIDX. Positions converted to ecliptic J2000, proper motions "
            "recovered from the stored zone-plane rates; stars closer than the record's resolution "
            "(40\") merged into one with their combined light.",
        "Hipparcos: ESA 1997, The Hipparcos and Tycho Catalogues, ESA SP-1200.\n"
        "Tycho-2: Hog E. et al. 2000, A&A 355, L27.\n"
        "NOMAD: Zacharias N. et al. 2004, Naval Observatory Merged Astrometric Dataset, U.S. "
        "Naval\n"
        "Observatory (USNO). Both UCAC and NOMAD are freely available with the only requirement\n"
        "that the source of the data (U.S. Naval Observatory) and original product name need to "
        "be\n"
        "provided with any distribution, as well as a description about any changes made. Changes\n"
        "made here: stars selected to V 9.5, positions converted to ecliptic coordinates of J2000\n"
        "in binary angles, magnitudes rounded to 0.1, spectral classes reduced to one letter\n"
        "(derived from B-V where no spectral type is given).");
    context.provenance.record(sources::kD3Celestial,
                              "package/data/stars.14.json -> the V magnitudes of the Hipparcos "
                              "entries, the combined light of the stars merged in STAR2",
                              "Hipparcos: ESA 1997, The Hipparcos and Tycho Catalogues, ESA "
                              "SP-1200; compiled in XHIP, Anderson E., Francis C. 2012, VizieR "
                              "V/137D.");
    context.sky = catalogue;
}

}  // namespace databuilder

// STAR2 and STIDX from the four Stellarium star files.
#include <QJsonObject>
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
    const auto names =
        readJsonFile(context.sources.file(sources::kD3Celestial,
                                          std::string(sources::kD3Root) + "starnames.cn.json"),
                     "d3-celestial starnames.cn.json");
    for (const auto& key : names.object().keys())
        hips.insert(key.toInt());
    hips.erase(0);
    return hips;
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

    auto catalogue = std::make_shared<SkyCatalogue>(
        buildSkyCatalogue(decoded, spectralTypes, starsNeedingBrightRecords(context)));
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
            "recovered from the stored zone-plane rates; multiple-star duplicates removed.",
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
    context.sky = catalogue;
}

}  // namespace databuilder

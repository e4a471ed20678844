#include "world/licences.h"

#include <filesystem>
#include <sstream>

#include "framework/build_error.h"
#include "framework/sources.h"
#include "sky/sky_inputs.h"
#include "world/world_sources.h"

namespace databuilder::world {

const std::vector<FileLicence> kFileLicences = {
    {"STAR2.DAT STIDX.DAT ALPHA.DAT QELGAIDX.DAT QELGSA.DAT TITLE256.IMG TITLE16.IMG",
     "GPL-2+ (stellarium-data's star catalogue; the Hipparcos magnitudes of STAR2 from "
     "d3-celestial, BSD-3-Clause); credit Hipparcos, Tycho-2 and NOMAD as SOURCES.txt does"},
    {"STARN.DAT LINE.DAT KISETU.DAT KISEN.DAT",
     "CC BY-SA 4.0 (the Western sky culture of stellarium-data)"},
    {"KAI.DAT YAMA.DAT OBJ.DAT OBJN.DAT QELCOMET.DAT",
     "GPL-2+ (stellarium-data; the comets also from kstars-data, GPL-2+)"},
    {"SEIZA.DAT SEIZAZ.DAT MILKY.DAT", "BSD-3-Clause (d3-celestial)"},
    {"QELMINOR.INI",
     "GPL-2+ (kstars-data's extract of the JPL Small-Body Database; the elements themselves are "
     "NASA/JPL data, public domain)"},
    {"SKULI.DAT SKUNU.DAT SKUNM.DAT SKUSU.DAT SKUSN.DAT",
     "CC BY-SA 4.0 (the Chinese sky culture of stellarium-data); the label points of SKUNU "
     "BSD-3-Clause (d3-celestial)"},
    {"PIC.DAT", "Free Art License 1.3 (constellation art by Johan Meuris)"},
    {"CITY.DAT",
     "MIT (city-timezones; places from Natural Earth, public domain); offsets from "
     "the time-zone database, public domain"},
    {"EARTH.DAT", "public domain (Natural Earth; packaged by world-atlas under ISC)"},
    {"SINCOS.DAT ZBI.DAT ZBI2.DAT TAVILO.INI QELDATA.INI SOURCES.txt BUILD-STAMP "
     "show-sources.sh",
     "computed by the builder from no third-party data; the project's own"},
    {"narration/*", "GPL-3+ (spoken with the voice data of espeak-ng-data)"},
    {"pictures/B_PLANET0.png", "GPL-2+ (Sun map from Celestia)"},
    {"pictures/B_PLANET1.png pictures/B_EARTHMAP.png",
     "public domain (Moon: USGS Astrogeology; Earth: NASA Blue Marble, Reto Stockli)"},
    {"pictures/B_PLANET2.png pictures/B_PLANET3.png pictures/B_PLANET6.png "
     "pictures/B_PLANET7.png pictures/B_PLANET8.png pictures/B_PLANET9.png",
     "CC BY 4.0 (maps by Oleg Pluton (Helleformer) and Kexitt)"},
    {"pictures/B_PLANET4.png", "GPL-2+ (Mars map of the Stellarium team)"},
    {"pictures/B_PLANET5.png pictures/B_COMET.png", "drawn by the builder; the project's own"},
    {"pictures/B_*",
     "each photograph's own licence, listed with its credit in SOURCES.txt: CC BY 3.0, CC BY "
     "4.0, CC BY-SA 2.5, 3.0 or 4.0, CC0 1.0 or public domain"},
    {"licences/*", "the licence texts, under their own terms (choosealicense.com's texts: MIT)"},
};

bool CoveredBy(const std::string& path, const std::string& files) {
    std::istringstream names(files);
    std::string name;
    while (names >> name) {
        if (name == path) return true;
        if (name.ends_with('*') && path.starts_with(name.substr(0, name.size() - 1))) return true;
    }
    return false;
}

std::string LicenceBody(const std::string& text, const std::string& year,
                        const std::string& holder) {
    std::string body = text;
    if (body.starts_with("---")) {
        const size_t end = body.find("\n---", 3);
        if (end != std::string::npos) body = body.substr(body.find('\n', end + 1) + 1);
    }
    body.erase(0, body.find_first_not_of('\n'));
    for (const auto& [mark, value] :
         {std::pair<std::string, std::string>{"[year] ", year}, {"[fullname]", holder}}) {
        const std::string with = value.empty() || mark.back() != ' ' ? value : value + " ";
        for (size_t at; (at = body.find(mark)) != std::string::npos;)
            body.replace(at, mark.size(), with);
    }
    return body;
}

}  // namespace databuilder::world

namespace databuilder {

namespace {

// Licences whose full text no reachable package holds: their legal code is named by its address,
// as the licences themselves allow.
constexpr std::pair<const char*, const char*> kLicenceAddresses[] = {
    {"CC-BY-3.0.txt",
     "Creative Commons Attribution 3.0 Unported\n"
     "https://creativecommons.org/licenses/by/3.0/legalcode\n"},
    {"CC-BY-SA-3.0.txt",
     "Creative Commons Attribution-ShareAlike 3.0 Unported\n"
     "https://creativecommons.org/licenses/by-sa/3.0/legalcode\n"},
    {"CC-BY-SA-2.5.txt",
     "Creative Commons Attribution-ShareAlike 2.5 Generic\n"
     "https://creativecommons.org/licenses/by-sa/2.5/legalcode\n"},
    {"FreeArtLicense-1.3.txt",
     "Free Art License 1.3 (Licence Art Libre)\n"
     "https://artlibre.org/licence/lal/en/\n"},
};

}  // namespace

void buildLicenceFiles(BuildContext& context) {
    const auto& texts = sources::kLicenceTexts;
    const std::string root = sources::kLicenceTextRoot;
    const auto copy = [&](const std::string& name, const std::string& text) {
        context.output.writeFile("licences/" + name, text);
    };
    for (const auto& [name, source] :
         {std::pair<std::string, std::string>{"GPL-2.0.txt", "gpl-2.0.txt"},
          {"GPL-3.0.txt", "gpl-3.0.txt"},
          {"CC-BY-4.0.txt", "cc-by-4.0.txt"},
          {"CC-BY-SA-4.0.txt", "cc-by-sa-4.0.txt"},
          {"CC0-1.0.txt", "cc0-1.0.txt"}})
        copy(name,
             world::LicenceBody(readTextFile(context.sources.file(texts, root + source), source)));
    copy("MIT-city-timezones.txt",
         world::LicenceBody(readTextFile(context.sources.file(texts, root + "mit.txt"), "mit.txt"),
                            "", "Kevin Roberts"));
    copy("BSD-3-Clause-d3-celestial.txt",
         readTextFile(context.sources.file(sources::kD3Celestial, "package/LICENSE"),
                      "d3-celestial LICENSE"));
    copy("ISC-world-atlas.txt",
         readTextFile(context.sources.file(sources::kWorldAtlas, "package/LICENSE"),
                      "world-atlas LICENSE"));
    for (const auto& [name, text] : kLicenceAddresses)
        copy(name, text);
    context.provenance.record(texts, root +
                                         "{gpl-2.0,gpl-3.0,cc-by-4.0,cc-by-sa-4.0,cc0-1.0,mit}"
                                         ".txt -> licences/ (the full licence texts)");

    // Every file of the data set with its licence; a file that the table misses stops the build.
    const std::filesystem::path staging = context.output.stagingDir();
    std::vector<std::string> uncovered;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(staging)) {
        if (!entry.is_regular_file()) continue;
        const std::string path = std::filesystem::relative(entry.path(), staging).generic_string();
        bool covered = path == "QELDATA.INI" || path == "SOURCES.txt" || path == "BUILD-STAMP";
        for (const auto& f : world::kFileLicences)
            covered = covered || world::CoveredBy(path, f.files);
        if (!covered) uncovered.push_back(path);
    }
    if (!uncovered.empty())
        throw BuildError("licences: no licence is listed for " + uncovered.front());
    for (const auto& f : world::kFileLicences)
        context.provenance.licenceOf(f.files, f.licence);
}

}  // namespace databuilder

// The build steps of the world blocks: each reads its pinned inputs, calls its generator and
// records what it took in SOURCES.txt.
#include "world/world_steps.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "astro/projection_tables.h"

#include "framework/build_error.h"
#include "framework/sources.h"
#include "sky/sky_catalogue.h"
#include "sky/sky_inputs.h"
#include "sky/star_file.h"
#include "world/body_pictures.h"
#include "world/cities.h"
#include "world/coastlines.h"
#include "world/comets.h"
#include "world/deep_sky.h"
#include "world/deep_sky_images.h"
#include "world/deep_stars.h"
#include "world/default_settings.h"
#include "world/gzip_input.h"
#include "world/landscape.h"
#include "world/meteor_showers.h"
#include "world/milky_way.h"
#include "world/narration.h"
#include "world/sky_pictures.h"
#include "world/title_picture.h"
#include "world/world_sources.h"

namespace databuilder {

namespace {

using world::Bytes;

Bytes ReadBytes(BuildContext& context, const SourceSpec& spec, const std::string& path,
                const std::string& inputName) {
    const std::string text = readTextFile(context.sources.file(spec, path), inputName);
    return Bytes(text.begin(), text.end());
}

std::string Stellarium(const std::string& path) {
    return sources::kStellariumRoot + path;
}

std::string Count(size_t n, const char* what) {
    return std::to_string(n) + " " + what;
}

// The program that speaks the narration: installed, recorded by its version.
std::string InstalledVersion(const char* package) {
    std::string version;
    const std::string command =
        std::string("dpkg-query -W -f='${Version}' ") + package + " 2>/dev/null";
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[128];
        while (fgets(buf, sizeof buf, p))
            version += buf;
        pclose(p);
    }
    return version.empty() ? "unknown" : version;
}

constexpr const char* kNarrationFolder = "narration";
constexpr const char* kPictureFolder = "pictures";

Bytes PngBytes(const QImage& image, const std::string& name) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw BuildError("could not encode the picture " + name);
    return Bytes(data.begin(), data.end());
}

QImage LoadImage(BuildContext& context, const SourceSpec& spec, const std::string& path) {
    const std::string text = readTextFile(context.sources.file(spec, path), path);
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(text.data()),
                            static_cast<int>(text.size())))
        throw BuildError(path + ": not a readable picture");
    return image;
}

void WritePicture(BuildContext& context, const std::string& name, const QImage& image) {
    context.output.writeFile(std::string(kPictureFolder) + "/" + name + ".png",
                             PngBytes(image, name));
}

// The selected deep-sky objects in OBJ order, as the deep-sky step writes them.
std::vector<world::DeepSkyObject> DeepSkySelection(BuildContext& context) {
    const auto& sd = sources::kStellariumData;
    const Bytes catalogue = world::Gunzip(
        ReadBytes(context, sd, Stellarium("nebulae/default/catalog.dat"), "catalog.dat"),
        "nebulae/default/catalog.dat");
    const auto names = world::ParseDsoNames(readTextFile(
        context.sources.file(sd, Stellarium("nebulae/default/names.dat")), "names.dat"));
    return world::SelectDeepSky(world::ParseDsoCatalog(catalogue, "nebulae/default/catalog.dat"),
                                names);
}

}  // namespace

void buildProjectionTables(BuildContext& context) {
    // The tables and their radial law (stereographic, 106 degrees across 1280 pixels at the
    // default zoom of 80) are the projection's own, from the astronomy layer.
    const astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    context.output.writeBlock("SINCOS", astro::TableBytes(tables.sincos));
    context.output.writeBlock("ZBI", astro::TableBytes(tables.zbi));
    context.output.writeBlock("ZBI2", astro::TableBytes(tables.zbi2));
}

void buildDefaultSettings(BuildContext& context) {
    context.output.writeFile("TAVILO.INI", world::DefaultSettingsText(kNarrationFolder));
    context.output.writeFile(world::kShowSourcesScript, world::ShowSourcesScriptText());
    std::filesystem::permissions(context.output.stagingDir() / world::kShowSourcesScript,
                                 std::filesystem::perms::owner_exec |
                                     std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
}

void buildNarration(BuildContext& context) {
    const auto& lines = world::NarrationLines();
    const std::filesystem::path folder = context.output.stagingDir() / kNarrationFolder;
    const QString voices = QString::fromStdString(
        (context.sources.root(sources::kEspeakNgData) / sources::kEspeakDataParent).string());
    std::filesystem::create_directories(folder);
    for (const world::NarrationLine& line : lines) {
        const std::filesystem::path wav = folder / world::SoundFileName(line.event);
        const int rc = QProcess::execute(
            "espeak-ng", {"--path=" + voices, "-v", "en-us", "-s", "150", "-w",
                          QString::fromStdString(wav.string()), QString::fromUtf8(line.sentence)});
        if (rc != 0 || !std::filesystem::is_regular_file(wav) ||
            std::filesystem::file_size(wav) < 1000)
            throw BuildError(std::string("espeak-ng could not speak the narration event ") +
                             line.event + " (is the espeak-ng package installed?)");
    }
    context.output.writeFile(std::string(kNarrationFolder) + "/BASIC.TXT",
                             world::BasicIndexText(lines));
    context.provenance.record(sources::kEspeakNgData,
                              "usr/lib/x86_64-linux-gnu/espeak-ng-data -> narration/*.wav: " +
                                  Count(lines.size(), "sentences") +
                                  " spoken with the en-us voice by the espeak-ng program " +
                                  InstalledVersion("espeak-ng") +
                                  "; narration/BASIC.TXT indexes them");
}

void buildCityBlock(BuildContext& context) {
    const auto& spec = sources::kCityTimezones;
    const std::string path = std::string(sources::kCityTimezonesRoot) + "cityMap.json";
    auto cities = world::ParseCityMap(ReadBytes(context, spec, path, "cityMap.json"),
                                      "city-timezones cityMap.json");
    const std::string zoneinfo =
        (context.sources.root(sources::kTzdata) / sources::kZoneinfoRoot).string();
    const Bytes block = world::BuildCityBlock(cities, zoneinfo);
    context.output.writeBlock("CITY", block);
    context.provenance.record(spec, "data/cityMap.json -> CITY (" +
                                        Count(block.size() / 80, "cities") +
                                        "; whole degrees, ordered by country and name)");
    context.provenance.record(sources::kTzdata,
                              "usr/share/zoneinfo -> CITY standard offsets: the smaller of the "
                              "offsets on 15 January and 15 July 2025 of each city's zone");
}

void buildDeepSkyBlocks(BuildContext& context) {
    const auto& sd = sources::kStellariumData;
    const Bytes catalogue = world::Gunzip(
        ReadBytes(context, sd, Stellarium("nebulae/default/catalog.dat"), "catalog.dat"),
        "nebulae/default/catalog.dat");
    const auto objects = world::ParseDsoCatalog(catalogue, "nebulae/default/catalog.dat");
    const auto names = world::ParseDsoNames(readTextFile(
        context.sources.file(sd, Stellarium("nebulae/default/names.dat")), "names.dat"));
    auto selected = world::SelectDeepSky(objects, names);
    const size_t catalogueCount = selected.size();
    world::AddMeteorRadiants(selected, world::kMeteorShowers, world::kMeteorShowerCount);
    context.output.writeBlock("OBJ", world::BuildObjBlock(selected));
    context.output.writeBlock("OBJN", world::BuildObjnBlock(selected));
    context.provenance.record(
        sd,
        "nebulae/default/catalog.dat, names.dat -> OBJ, OBJN (" + Count(catalogueCount, "objects") +
            ": all Messier, NGC/IC to magnitude 10, Caldwell, naked-eye clusters and galaxies, "
            "Barnard dark nebulae of 0.5 degrees and more) + " +
            Count(world::kMeteorShowerCount, "meteor-shower radiants") +
            " from the project's table of the International Meteor Organization's working list "
            "of visual meteor showers",
        "Deep-sky catalogue of Stellarium (OpenNGC, Barnard, LDN and other catalogues; see "
        "Stellarium's CREDITS.md)");
}

void buildMilkyWayBlock(BuildContext& context) {
    const auto& spec = sources::kD3Celestial;
    const Bytes json =
        ReadBytes(context, spec, std::string(sources::kD3Root) + "mw.json", "mw.json");
    const auto band1 = world::ParseMilkyWayLevel(json, "ol1", "d3-celestial mw.json");
    const auto band2 = world::ParseMilkyWayLevel(json, "ol3", "d3-celestial mw.json");
    const Bytes block = world::BuildMilkyBlock(band1, band2);
    context.output.writeBlock("MILKY", block);
    context.provenance.record(spec,
                              "data/mw.json levels ol1 (band 1, faint outer glow) and ol3 (band 2, "
                              "bright core) -> MILKY, cut into strips along galactic longitude",
                              "Milky Way outline: Milky Way Outline Catalog, Jose R. Vieira, "
                              "http://www.skymap.com/milkyway_cat.htm (as d3-celestial credits "
                              "it)");
}

void buildEarthBlock(BuildContext& context) {
    const auto& spec = sources::kWorldAtlas;
    const std::string path = std::string(sources::kWorldAtlasRoot) + "land-110m.json";
    const auto lines = world::ParseTopoJsonArcs(ReadBytes(context, spec, path, "land-110m.json"),
                                                "world-atlas land-110m.json");
    const Bytes block = world::BuildEarthBlock(lines);
    context.output.writeBlock("EARTH", block);
    context.provenance.record(spec, "land-110m.json -> EARTH (" + Count(lines.size(), "lines") +
                                        ", " + Count(block.size() / 6, "triples") + ")");
}

void buildLandscapeBlock(BuildContext& context) {
    const auto& sd = sources::kStellariumData;
    const std::string path = Stellarium("landscapes/geneva/horizon_Geneve.txt");
    const auto skyline = world::ParseHorizonPolygon(
        readTextFile(context.sources.file(sd, path), "horizon_Geneve.txt"),
        "landscapes/geneva/horizon_Geneve.txt");
    context.output.writeBlock("YAMA", world::BuildYamaBlock(skyline));
    context.provenance.record(sd,
                              "landscapes/geneva/horizon_Geneve.txt -> YAMA (the skyline of "
                              "Geneva: Jura, lake, Voirons, Saleve; 360 points)",
                              "Geneva landscape: Georg Zotti; horizon by Patrick Chevalley "
                              "(Cartes du Ciel), used with permission");
}

void buildCometFile(BuildContext& context) {
    const auto& sd = sources::kStellariumData;
    const auto& ks = sources::kKstarsData;
    auto comets = world::ParseCometIni(
        readTextFile(context.sources.file(sd, Stellarium("data/ssystem_minor.ini")),
                     "ssystem_minor.ini"),
        "data/ssystem_minor.ini");
    const auto historic = world::ParseCometIni(
        readTextFile(context.sources.file(sd, Stellarium("data/ssystem_1000comets.ini")),
                     "ssystem_1000comets.ini"),
        "data/ssystem_1000comets.ini");
    const std::string kstars = sources::kKstarsRoot;
    const auto mpc = world::ParseMpcComets(
        world::Gunzip(ReadBytes(context, ks, kstars + "cometels.json.gz", "cometels.json.gz"),
                      "cometels.json.gz"),
        "cometels.json.gz");
    const auto jpl = world::ParseJplComets(
        ReadBytes(context, ks, kstars + "comets.dat", "comets.dat"), "comets.dat");
    for (const auto* list : {&historic, &mpc, &jpl})
        comets.insert(comets.end(), list->begin(), list->end());
    const auto shipped = world::SelectComets(comets);
    context.output.writeFile("QELCOMET.DAT", world::CometFileBytes(shipped));
    std::map<std::string, std::string> perList;  // list -> its comets with their epochs
    for (const auto& c : shipped)
        perList[c.source.list] += "\n" + world::DescribeCometSource(c);
    for (const auto& [list, lines] : perList) {
        const bool stellarium = list.starts_with("data/");
        context.provenance.record(stellarium ? sd : ks,
                                  (stellarium ? "" : kstars) + list +
                                      " -> QELCOMET.DAT, these comets (name, perihelion, "
                                      "osculation epoch, equinox of the list):",
                                  lines.substr(1));
    }
    context.provenance.record(
        sd, "QELCOMET.DAT: " + Count(shipped.size(), "comets") +
                ", one per comet from the lists of this package and of kstars-data (lost and "
                "broken-up comets left out; a periodic comet at its apparition nearest 2026); "
                "elements precessed to the ecliptic and equinox of each perihelion passage; "
                "H1 = H, K1 = K of each list's magnitude law");
}

void buildDeepStarCatalogue(BuildContext& context) {
    // Zoomed in, the program draws its stars from this catalogue alone, so it holds every star
    // of the four files, the bright ones too, not only those beyond the built-in 9.5.
    std::vector<DecodedStar> stars;
    for (const char* name :
         {"stars_0_0v0_8.cat", "stars_1_0v0_8.cat", "stars_2_0v0_8.cat", "stars_3_1v0_4.cat"}) {
        StarFile file =
            readStarFile(context.sources.file(sources::kStellariumData,
                                              Stellarium(std::string("stars/default/") + name)),
                         name);
        stars.insert(stars.end(), file.stars.begin(), file.stars.end());
    }
    const auto catalogue =
        world::BuildDeepStarCatalogue(stars, {}, std::numeric_limits<int>::min());
    if (catalogue.count == 0) throw BuildError("deep star catalogue: no star decoded");
    context.output.writeFile("QELGAIDX.DAT", catalogue.index);
    context.output.writeFile("QELGSA.DAT", catalogue.records);
    context.provenance.record(
        sources::kStellariumData,
        "stars/default/stars_0..3 -> QELGAIDX.DAT, QELGSA.DAT (" + Count(catalogue.count, "stars") +
            ", complete to V 10.5, with the fainter Hipparcos and Tycho stars "
            "that the files hold; positions of J2000 without proper "
            "motion)");
}

void buildWorldPictures(BuildContext& context) {
    const auto& sd = sources::kStellariumData;
    // The photographs whose credits carry a licence that allows redistribution.
    const auto tiles = world::ParseTextureIndex(
        readTextFile(context.sources.file(sd, Stellarium("nebulae/default/textures.json")),
                     "textures.json"),
        "nebulae/default/textures.json");
    world::SkyMosaic mosaic;
    std::map<std::string, std::string> usedCredits;  // credit -> licence
    size_t refused = 0;
    for (const auto& tile : tiles) {
        const std::string licence = world::LicenceOfCredit(tile.credit);
        if (licence.empty()) {
            ++refused;
            continue;
        }
        mosaic.Add(LoadImage(context, sd, Stellarium("nebulae/default/" + tile.file)), tile);
        usedCredits[tile.credit] = licence;
    }
    // The 28 images of the deep-sky image table.
    std::string missing;
    int drawn = 0;
    for (const auto& image : world::kDeepSkyImages) {
        QImage picture = world::RenderCornerPicture(mosaic, image.corners);
        if (!world::MakeUsable(picture)) {
            missing += std::string(missing.empty() ? "" : ", ") + image.name;
            continue;
        }
        WritePicture(context, image.name, picture);
        ++drawn;
    }
    // Object pictures for the information dialogs: objects that the photographs cover.
    const auto objects = DeepSkySelection(context);
    int objectPictures = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        const double field = std::clamp(objects[i].size * 1.6, 0.12, 3.0);
        double covered = 0;
        const QImage picture =
            world::RenderFieldPicture(mosaic, objects[i].ra, objects[i].dec, field, 96, covered);
        if (covered < 0.9) continue;
        WritePicture(context, "B_GALAXY" + std::to_string(i + 1), picture);
        ++objectPictures;
    }
    std::string credits;
    for (const auto& [credit, licence] : usedCredits)
        credits += credit + " (" + licence + ")\n";
    context.provenance.record(
        sd,
        "nebulae/default/*.png with textures.json -> pictures/: " + std::to_string(drawn) +
            " of the 28 deep-sky images" +
            (missing.empty() ? "" : " (not covered: " + missing + ")") + ", " +
            Count(objectPictures, "object pictures (B_GALAXY<n>)") + "; from " +
            Count(mosaic.size(), "photographs") + " with a licence that allows redistribution (" +
            std::to_string(refused) + " others left out)",
        "Photographs by:\n" + credits);

    // Planets as lit spheres from their texture maps; index = the body table's index.
    const char* planetMaps[] = {"sun.png",     "moon.png",    "mercury.png", "venus.png",
                                "mars.png",    "jupiter.png", "saturn.png",  "uranus.png",
                                "neptune.png", "pluto.png"};
    const QImage rings = LoadImage(context, sd, Stellarium("textures/saturn_rings_radial.png"));
    for (int i = 0; i < 10; ++i) {
        world::SphereLook look;
        look.selfLit = i == 0;
        if (i == 6) look.ringInner = 1.24, look.ringOuter = 2.27, look.ringTexture = &rings;
        // Jupiter's texture may not be passed on; its belts are drawn instead.
        const QImage map =
            i == 5 ? world::DrawJupiterMap()
                   : LoadImage(context, sd, Stellarium(std::string("textures/") + planetMaps[i]));
        WritePicture(context, "B_PLANET" + std::to_string(i),
                     world::RenderLitSphere(map, 96, look));
    }
    WritePicture(context, "B_COMET", world::RenderCometPicture(96));
    WritePicture(
        context, "B_EARTHMAP",
        world::MakeEarthMap(LoadImage(context, sd, Stellarium("textures/earth_cmap.png"))));
    context.provenance.record(
        sd,
        "textures/{sun,moon,mercury,venus,mars,saturn,uranus,neptune,pluto}.png, "
        "saturn_rings_radial.png -> pictures/B_PLANET0..9 (lit spheres, 96 x 96; Jupiter's "
        "belts drawn by the builder, as its texture's terms do not allow passing it on); "
        "textures/earth_cmap.png -> pictures/B_EARTHMAP (720 x 360, 8-bit palette); "
        "pictures/B_COMET is drawn by the builder",
        "Planet maps: Mercury, Venus, Saturn, Uranus, Neptune by Oleg Pluton (Helleformer), Pluto "
        "by Kexitt and Oleg Pluton (CC BY 4.0); Mars by the Stellarium team (GPL-2+); Sun: "
        "Celestia (GPL-2+); Moon: USGS Astrogeology (public domain); Earth: NASA Blue Marble, "
        "Reto Stockli, NASA Earth Observatory (public domain)");

    // Title pictures: the winter sky around Orion from the star catalogue.
    if (!context.sky) throw BuildError("title picture: the star catalogue was not built");
    std::vector<world::FieldStar> stars;
    for (const CatalogueStar& s : context.sky->stars)
        if (s.magMilli <= 7500)
            stars.push_back({s.position, s.magMilli, static_cast<char>(s.record.spec)});
    QImage title = world::RenderStarField(stars, 86.0, -6.0, 64.0, 638, 478);
    world::DrawTitleText(title, "Planetarium", "The sky of any place and any moment");
    context.output.writeFile("TITLE256.IMG", PngBytes(title, "TITLE256.IMG"));
    context.output.writeFile("TITLE16.IMG",
                             PngBytes(world::ReduceTo16Colours(title), "TITLE16.IMG"));
    context.provenance.record(sd,
                              "the catalogue's stars to V 7.5 around Orion -> TITLE256.IMG and "
                              "TITLE16.IMG (638 x 478 PNG, drawn by the builder; 16 colours)");
}

}  // namespace databuilder

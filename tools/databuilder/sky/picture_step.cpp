// PIC: the constellation pictures as outline drawings, traced from the Western sky culture's
// artwork and placed on the sky through each picture's three anchor stars.
#include <QImage>
#include <sstream>

#include "framework/build_error.h"
#include "framework/sources.h"
#include "sky/ecliptic.h"
#include "sky/figures.h"
#include "sky/picture_tracer.h"
#include "sky/sky_catalogue.h"
#include "sky/sky_inputs.h"
#include "sky/sky_steps.h"

namespace databuilder {

namespace {

struct Artwork {
    std::string code, file;
    std::array<PixelPoint, 3> anchors;
    std::array<int, 3> hips{};
};

std::vector<Artwork> parseArtworks(const std::string& text) {
    std::vector<Artwork> artworks;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        Artwork a;
        fields >> a.code >> a.file;
        for (int k = 0; k < 3; ++k)
            fields >> a.anchors[k].x >> a.anchors[k].y >> a.hips[k];
        if (!fields)
            throw BuildError("constellationsart.fab: line " + std::to_string(number) +
                             " does not parse");
        artworks.push_back(a);
    }
    return artworks;
}

// Outlines of one picture on the sky, as ecliptic binary-angle polylines.
std::vector<std::vector<BinPoint>> pictureOutlines(const QImage& image,
                                                   const PictureMapping& mapping) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int w = grey.width(), h = grey.height();
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const uchar* row = grey.constScanLine(y);
        std::copy(row, row + w, pixels.begin() + static_cast<size_t>(y) * w);
    }
    std::vector<std::vector<BinPoint>> lines;
    for (const Outline& outline : traceOutlines(pixels, w, h)) {
        std::vector<BinPoint> line;
        for (const PixelPoint& p : outline) {
            const BinPoint b = toBinPoint(equatorialToEcliptic(mapping.direction(p)));
            if (line.empty() || line.back().lon != b.lon || line.back().lat != b.lat)
                line.push_back(b);
        }
        if (line.size() >= 3) lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

void buildPictureBlock(BuildContext& context) {
    if (!context.sky) throw BuildError("pictures need the star catalogue step first");
    const auto& sd = sources::kStellariumData;
    const std::string folder = std::string(sources::kStellariumRoot) + "skycultures/western/";
    const auto artworks = parseArtworks(readTextFile(
        context.sources.file(sd, folder + "constellationsart.fab"), "constellationsart.fab"));
    if (artworks.size() < 80)
        throw BuildError("constellationsart.fab: only " + std::to_string(artworks.size()) +
                         " pictures");
    std::vector<std::vector<BinPoint>> all;
    size_t points = 0;
    for (const Artwork& art : artworks) {
        std::array<Vec3, 3> stars;
        for (int k = 0; k < 3; ++k) {
            const int n = context.sky->numberOfHip(art.hips[k]);
            if (n < 0)
                throw BuildError("constellationsart.fab: anchor HIP " +
                                 std::to_string(art.hips[k]) + " of " + art.code +
                                 " is not in the star catalogue");
            stars[k] = context.sky->stars[n].position;
        }
        const PictureMapping mapping(art.anchors, stars);
        if (!mapping.valid())
            throw BuildError("constellationsart.fab: the anchors of " + art.code +
                             " are collinear");
        const auto path = context.sources.file(sd, folder + art.file);
        QImage image;
        if (!image.load(QString::fromStdString(path.string())))
            throw BuildError("stellarium-data: the picture " + art.file + " cannot be read");
        for (auto& line : pictureOutlines(image, mapping)) {
            points += line.size();
            all.push_back(std::move(line));
        }
    }
    context.output.writeBlock("PIC", outlineBytes(all));
    context.provenance.record(
        sd,
        "skycultures/western/constellationsart.fab and its " + std::to_string(artworks.size()) +
            " pictures -> PIC (" + std::to_string(all.size()) + " outlines, " +
            std::to_string(points) +
            " points: the silhouettes of the artwork traced and placed on the sky by each "
            "picture's three anchor stars)",
        "Constellation art by Johan Meuris (Jomejome), released under the Free Art License\n"
        "(http://artlibre.org/licence.php/lalgb.html), as credited in CREDITS.md of\n"
        "stellarium-data. Changed here: the pictures were reduced to outline drawings.");
}

}  // namespace databuilder

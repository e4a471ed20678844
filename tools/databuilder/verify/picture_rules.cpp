// Rules of the pictures: sizes and colour types, the pictures the program names, object pictures
// that belong to real objects, and one photograph placed where its stars are.
#include <QImage>
#include <algorithm>
#include <tuple>

#include "persist/records/world_records.h"
#include "sky/ecliptic.h"
#include "verify/set_rules.h"
#include "world/deep_sky_images.h"
#include "world/sky_pictures.h"
#include "world/sky_units.h"

namespace fs = std::filesystem;

namespace databuilder::verify {

namespace {

// Width, height and PNG colour type (2 RGB, 3 palette) with 8 bits a channel, else 0s.
std::tuple<uint32_t, uint32_t, int> pngShape(const Bytes& b) {
    if (b.size() < 26 || b[1] != 'P' || b[2] != 'N' || b[3] != 'G' || b[24] != 8) return {};
    const auto be32 = [&](size_t o) {
        return uint32_t(b[o]) << 24 | b[o + 1] << 16 | b[o + 2] << 8 | b[o + 3];
    };
    return {be32(16), be32(20), b[25]};
}

// The Pleiades' bright stars must be bright in their picture: a picture mirrored or turned by
// the photograph's mapping misses them.
void checkPleiadesAlignment(const SetFiles& set) {
    const Bytes png = set.file("pictures/B_M45.png");
    QImage pic;
    require(pic.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"), "B_M45",
            "not a picture");
    const auto& corners =
        std::find_if(std::begin(world::kDeepSkyImages), std::end(world::kDeepSkyImages),
                     [](const auto& image) { return std::string(image.name) == "B_M45"; })
            ->corners;
    Vec3 c[4], sum{};
    for (int i = 0; i < 4; ++i) {
        double ra, dec;
        world::EclipticToEquatorial(corners[i * 2] / 100.0, corners[i * 2 + 1] / 100.0, ra, dec);
        c[i] = equatorialVector(ra, dec);
        sum = sum + c[i];
    }
    const Vec3 centre = normalized(sum);
    const Vec3 east = normalized(cross(Vec3{0, 0, 1}, centre));
    const Vec3 north = cross(centre, east);
    auto plane = [&](Vec3 v, double& x, double& y) {
        x = dot(v, east) / dot(v, centre);
        y = dot(v, north) / dot(v, centre);
    };
    // Quad corners in texture order (0,0), (1,0), (1,1), (0,1) are corners 1, 2, 4, 3.
    double qx[4], qy[4];
    const int order[4] = {0, 1, 3, 2};
    for (int i = 0; i < 4; ++i)
        plane(c[order[i]], qx[i], qy[i]);
    auto brightest = [&](double col, double row) {
        int best = 0;
        for (int y = int(row) - 2; y <= int(row) + 2; ++y)
            for (int x = int(col) - 2; x <= int(col) + 2; ++x)
                if (pic.valid(x, y)) {
                    const QRgb p = pic.pixel(x, y);
                    best = std::max({best, qRed(p), qGreen(p), qBlue(p)});
                }
        return best;
    };
    const double stars[][2] = {{56.8712, 24.1051}, {57.2906, 24.0534}, {56.2189, 24.1133},
                               {56.4566, 24.3678}, {56.5816, 23.9484}, {56.3021, 24.4672}};
    double onStars = 0, mirrored = 0;
    for (const auto& s : stars) {
        double x, y, u, t;
        plane(equatorialVector(s[0], s[1]), x, y);
        require(world::InverseBilinear(x, y, qx, qy, u, t), "B_M45", "star outside the picture");
        onStars += brightest(u * pic.width(), t * pic.height());
        mirrored += brightest((1 - u) * pic.width(), t * pic.height());
    }
    require(onStars / 6 > 200 && onStars > mirrored + 6 * 30, "B_M45", "stars not in place");
}

}  // namespace

void checkPictures(const SetFiles& set) {
    const fs::path dir = set.dir() / "pictures";
    const auto obj = set.records<persist::ObjectRecord>("OBJ");
    int pictures = 0, objectPictures = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().stem().string();
        const auto [width, height, colourType] = pngShape(set.file("pictures/" + name + ".png"));
        if (name == "B_EARTHMAP") {
            require(std::tuple(width, height, colourType) ==
                        std::tuple(uint32_t(persist::kEarthMapWidth),
                                   uint32_t(persist::kEarthMapHeight), 3),
                    name, "not a palette picture of 720 x 360");
            continue;
        }
        ++pictures;
        require(colourType == 2 && width >= 1 && width <= 160 && height <= 160, name,
                "not 24-bit within 160 pixels square");
        if (name.rfind("B_GALAXY", 0) != 0) continue;
        const size_t n = std::strtoul(name.c_str() + 8, nullptr, 10);
        require(n >= 1 && n <= obj.size() && obj[n - 1].type != 'M', name,
                "belongs to no deep-sky object");
        ++objectPictures;
    }
    require(pictures > 40 && objectPictures > 50, "pictures", "too few pictures");
    int tablePictures = 0;
    for (const auto& image : world::kDeepSkyImages)
        tablePictures += fs::exists(dir / (std::string(image.name) + ".png"), ec);
    require(tablePictures >= 24, "pictures", "pictures of the image table missing");
    for (int i = 0; i < 10; ++i)
        require(fs::exists(dir / ("B_PLANET" + std::to_string(i) + ".png"), ec), "pictures",
                "a planet picture missing");
    require(fs::exists(dir / "B_COMET.png", ec), "pictures", "the comet picture missing");
    for (const char* title : {"TITLE256.IMG", "TITLE16.IMG"})
        require(std::get<0>(pngShape(set.file(title))) == 638, title, "not 638 pixels wide");
    checkPleiadesAlignment(set);
}

}  // namespace databuilder::verify

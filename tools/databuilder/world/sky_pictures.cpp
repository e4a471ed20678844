#include "world/sky_pictures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "sky/ecliptic.h"

namespace databuilder::world {

namespace {

constexpr double kDegree = kPi / 180.0;

// Photograph credits of the package and the licences its credits file gives them.
struct CreditLicence {
    const char* credit;
    const char* licence;
};
constexpr CreditLicence kCreditLicences[] = {
    {"Dylan O'Donnell", "public domain"},
    {"Sun Shuwei", "public domain"},
    {"SunShuwei", "public domain"},
    {"Wang Lingyi", "public domain"},
    {"Lowell Observatory", "public domain"},
    {"Jose Mtanous", "CC BY-SA 3.0"},  // omega Centauri; the Veil is "Jose A Mtanous"
    {"Jose A Mtanous", "public domain"},
    {"Fryns Fryns", "public domain"},
    {"NASA", "public domain"},
    {"Giuseppe Donatiello", "CC0 1.0"},
    {"HG731GZ", "CC BY 3.0"},
    {"LEE ang HG731GZ", "CC BY 3.0"},
    {"Zhao Jingna", "CC BY 3.0"},
    {"Jschulman555", "CC BY 3.0"},
    {"Oleg Bryzgalov", "CC BY 3.0"},
    {"Zhu Ying", "CC BY 3.0"},
    {"Mi Lan", "CC BY 3.0"},
    {"Ivan Bok", "CC BY 3.0"},
    {"Friendlystar", "CC BY 3.0"},
    {"ESO", "CC BY 4.0"},
    {"ESO/Digitized Sky Survey 2", "CC BY 4.0"},
    {"ESO/R. Gendler and Sun Shuwei", "CC BY 4.0"},
    {"ESO/S. Guisard", "CC BY 4.0"},
    {"ESO/La Silla Observatory", "CC BY 4.0"},
    {"ESO/G. Beccari", "CC BY 4.0"},
    {"ESO/J.Perez", "CC BY 4.0"},
    {"ESO and Joe DePasquale", "CC BY 4.0"},
    {"TRAPPIST/E. Jehin/ESO", "CC BY 4.0"},
    {"ESA/Hubble & NASA", "CC BY 4.0"},
    {"Cristina Cellini", "CC BY 4.0"},
    {"Adam Block/Mount Lemmon SkyCenter/University of Arizona", "CC BY-SA 3.0"},
    {"Credit Line and Copyright Adam Block/Mount Lemmon SkyCenter/University of Arizona",
     "CC BY-SA 3.0"},
    {"Adam Block/Steward Observatory/University of Arizona", "CC BY-SA 3.0"},
    {"Hewholooks", "CC BY-SA 3.0"},
    {"Sun Gang", "CC BY-SA 3.0"},
    {"Jeffjnet", "CC BY-SA 3.0"},
    {"Rogelio Bernal Andreo", "CC BY-SA 3.0"},
    {"Kong Fanxi", "CC BY-SA 3.0"},
    {"Sunfishtommy", "CC BY-SA 3.0"},
    {"San Esteban", "CC BY-SA 3.0"},
    {"Ole Nielsen", "CC BY-SA 2.5"},
    {"Starhopper", "CC BY-SA 4.0"},
    {"Keesscherer", "CC BY-SA 4.0"},
    {"Harel Boren", "CC BY-SA 4.0"},
    {"Aldeabaran66", "CC BY-SA 4.0"},
    {"Tom Wildoner", "CC BY-SA 4.0"},
    {"Chuck Ayoub", "CC BY-SA 4.0"},
};

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

double AngleBetween(Vec3 a, Vec3 b) {
    return std::acos(std::clamp(dot(a, b), -1.0, 1.0));
}

// Gnomonic plane coordinates of v about the unit vector `centre` with axes e (east) and n.
struct Plane {
    Vec3 centre, east, north;
    explicit Plane(Vec3 c) : centre(c) {
        const Vec3 pole{0, 0, 1};
        Vec3 e = cross(pole, c);
        if (dot(e, e) < 1e-12) e = {0, 1, 0};
        east = normalized(e);
        north = cross(c, east);
    }
    bool Project(Vec3 v, double& x, double& y) const {
        const double d = dot(v, centre);
        if (d <= 1e-6) return false;
        x = dot(v, east) / d;
        y = dot(v, north) / d;
        return true;
    }
};

}  // namespace

std::vector<TextureTile> ParseTextureIndex(const std::string& text, const std::string& inputName) {
    QString fixed = QString::fromStdString(text);
    // "-.98" and ".5" are not JSON numbers: give them their leading zero.
    fixed.replace(QRegularExpression(R"((?<=[\[,:\s])-\.(?=\d))"), "-0.");
    fixed.replace(QRegularExpression(R"((?<=[\[,:\s])\.(?=\d))"), "0.");
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(fixed.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError)
        throw InputError(inputName + ": " + error.errorString().toStdString());
    std::vector<TextureTile> tiles;
    for (const QJsonValue& v : doc.object().value("subTiles").toArray()) {
        const QJsonObject o = v.toObject();
        const QJsonObject credits = o.value("imageCredits").toObject();
        TextureTile tile;
        tile.file = o.value("imageUrl").toString().toStdString();
        tile.credit =
            Trim((credits.contains("short") ? credits.value("short") : credits.value("Short"))
                     .toString()
                     .toStdString());
        const QJsonArray corners = o.value("worldCoords").toArray().at(0).toArray();
        const QJsonArray texture = o.value("textureCoords").toArray().at(0).toArray();
        if (tile.file.empty() || corners.size() != 4) continue;
        // Only whole pictures mapped corner to corner are used.
        const double expected[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        bool plain = texture.size() == 4;
        for (int i = 0; plain && i < 4; ++i)
            plain = texture[i].toArray().at(0).toDouble() == expected[i][0] &&
                    texture[i].toArray().at(1).toDouble() == expected[i][1];
        if (!plain) continue;
        for (int i = 0; i < 4; ++i) {
            tile.corners[i * 2] = corners[i].toArray().at(0).toDouble();
            tile.corners[i * 2 + 1] = corners[i].toArray().at(1).toDouble();
        }
        tiles.push_back(tile);
    }
    if (tiles.empty()) throw InputError(inputName + ": no pictures listed");
    return tiles;
}

bool MakeUsable(QImage& picture) {
    std::vector<int> levels;
    levels.reserve(static_cast<size_t>(picture.width()) * picture.height());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            levels.push_back(qGray(picture.pixel(x, y)));
    if (levels.empty()) return false;
    // The level below which 99.5 % of the pixels lie.
    auto at = levels.begin() + static_cast<std::ptrdiff_t>(levels.size() * 995 / 1000);
    std::nth_element(levels.begin(), at, levels.end());
    const int bright = *at;
    if (bright < 4) return false;
    if (bright >= 128) return true;
    const double gain = 224.0 / bright;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            const auto scaled = [&](int v) { return std::min(255, static_cast<int>(v * gain)); };
            picture.setPixel(x, y, qRgb(scaled(qRed(c)), scaled(qGreen(c)), scaled(qBlue(c))));
        }
    return true;
}

std::string LicenceOfCredit(const std::string& credit) {
    for (const CreditLicence& c : kCreditLicences)
        if (credit == c.credit) return c.licence;
    return {};
}

bool InverseBilinear(const double px, const double py, const double cx[4], const double cy[4],
                     double& u, double& t) {
    u = 0.5, t = 0.5;
    for (int iteration = 0; iteration < 20; ++iteration) {
        const double w[4] = {(1 - u) * (1 - t), u * (1 - t), u * t, (1 - u) * t};
        double x = 0, y = 0;
        for (int i = 0; i < 4; ++i)
            x += w[i] * cx[i], y += w[i] * cy[i];
        const double dxdu = (1 - t) * (cx[1] - cx[0]) + t * (cx[2] - cx[3]);
        const double dydu = (1 - t) * (cy[1] - cy[0]) + t * (cy[2] - cy[3]);
        const double dxdt = (1 - u) * (cx[3] - cx[0]) + u * (cx[2] - cx[1]);
        const double dydt = (1 - u) * (cy[3] - cy[0]) + u * (cy[2] - cy[1]);
        const double det = dxdu * dydt - dxdt * dydu;
        if (std::abs(det) < 1e-18) return false;
        const double ex = px - x, ey = py - y;
        const double du = (ex * dydt - ey * dxdt) / det;
        const double dt = (dxdu * ey - dydu * ex) / det;
        u += du, t += dt;
        if (std::abs(du) < 1e-10 && std::abs(dt) < 1e-10) return true;
    }
    return false;
}

void SkyMosaic::Add(const QImage& image, const TextureTile& tile) {
    Photo p;
    p.image = image.convertToFormat(QImage::Format_RGB32);
    Vec3 sum{};
    for (int i = 0; i < 4; ++i) {
        p.corner[i] = equatorialVector(tile.corners[i * 2], tile.corners[i * 2 + 1]);
        sum = sum + p.corner[i];
    }
    p.centre = normalized(sum);
    double radius = 0;
    for (const Vec3& c : p.corner)
        radius = std::max(radius, AngleBetween(c, p.centre));
    p.cosRadius = std::cos(radius * 1.05);
    const double width = AngleBetween(p.corner[0], p.corner[1]) / kDegree;
    p.degPerPixel = width / std::max(1, p.image.width());
    p.file = tile.file;
    photos_.push_back(std::move(p));
}

bool SkyMosaic::Sample(Vec3 direction, QRgb& colour, std::string* file) const {
    const Photo* best = nullptr;
    double u = 0, t = 0;
    for (const Photo& p : photos_) {
        if (dot(direction, p.centre) < p.cosRadius) continue;
        if (best && best->degPerPixel <= p.degPerPixel) continue;
        const Plane plane(p.centre);
        double cx[4], cy[4], px, py;
        bool ok = plane.Project(direction, px, py);
        for (int i = 0; ok && i < 4; ++i)
            ok = plane.Project(p.corner[i], cx[i], cy[i]);
        double pu, pt;
        if (!ok || !InverseBilinear(px, py, cx, cy, pu, pt)) continue;
        if (pu < 0 || pu > 1 || pt < 0 || pt > 1) continue;
        best = &p, u = pu, t = pt;
    }
    if (!best) return false;
    // Bilinear filtering between the four nearest pixels.
    const QImage& img = best->image;
    const double fx = std::clamp(u * img.width() - 0.5, 0.0, img.width() - 1.0);
    const double fy = std::clamp((1 - t) * img.height() - 0.5, 0.0, img.height() - 1.0);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, img.width() - 1), y1 = std::min(y0 + 1, img.height() - 1);
    const double ax = fx - x0, ay = fy - y0;
    const QRgb c00 = img.pixel(x0, y0), c10 = img.pixel(x1, y0), c01 = img.pixel(x0, y1),
               c11 = img.pixel(x1, y1);
    auto mix = [&](int (*channel)(QRgb)) {
        const double top = channel(c00) * (1 - ax) + channel(c10) * ax;
        const double bottom = channel(c01) * (1 - ax) + channel(c11) * ax;
        return static_cast<int>(std::lround(top * (1 - ay) + bottom * ay));
    };
    colour = qRgb(mix(qRed), mix(qGreen), mix(qBlue));
    if (file) *file = best->file;
    return true;
}

QImage RenderCornerPicture(const SkyMosaic& mosaic, const std::array<int, 8>& corners,
                           int maxSize) {
    Vec3 c[4];
    for (int i = 0; i < 4; ++i) {
        double ra, dec;
        EclipticToEquatorial(corners[i * 2] / 100.0, corners[i * 2 + 1] / 100.0, ra, dec);
        c[i] = equatorialVector(ra, dec);
    }
    const double width = (AngleBetween(c[0], c[1]) + AngleBetween(c[2], c[3])) / 2;
    const double height = (AngleBetween(c[0], c[2]) + AngleBetween(c[1], c[3])) / 2;
    const double scale = maxSize / std::max(width, height);
    const int w = std::clamp(static_cast<int>(std::lround(width * scale)), 1, maxSize);
    const int h = std::clamp(static_cast<int>(std::lround(height * scale)), 1, maxSize);
    QImage out(w, h, QImage::Format_RGB888);
    out.fill(Qt::black);
    for (int row = 0; row < h; ++row) {
        const double y = (row + 0.5) / h;
        for (int col = 0; col < w; ++col) {
            const double x = (col + 0.5) / w;
            const Vec3 top = c[0] * (1 - x) + c[1] * x;
            const Vec3 bottom = c[2] * (1 - x) + c[3] * x;
            QRgb colour;
            if (mosaic.Sample(normalized(top * (1 - y) + bottom * y), colour))
                out.setPixel(col, row, colour);
        }
    }
    return out;
}

QImage RenderFieldPicture(const SkyMosaic& mosaic, double raDeg, double decDeg, double fieldDeg,
                          int size, double& covered) {
    const Plane plane(equatorialVector(raDeg, decDeg));
    const double half = std::tan(fieldDeg / 2 * kDegree);
    QImage out(size, size, QImage::Format_RGB888);
    out.fill(Qt::black);
    int hits = 0;
    for (int row = 0; row < size; ++row) {
        const double y = half * (1 - 2.0 * (row + 0.5) / size);  // north up
        for (int col = 0; col < size; ++col) {
            const double x = half * (1 - 2.0 * (col + 0.5) / size);  // east to the left
            const Vec3 v = normalized(plane.centre + plane.east * x + plane.north * y);
            QRgb colour;
            if (mosaic.Sample(v, colour)) {
                out.setPixel(col, row, colour);
                ++hits;
            }
        }
    }
    covered = static_cast<double>(hits) / (size * size);
    return out;
}

}  // namespace databuilder::world

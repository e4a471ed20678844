#include "world/body_pictures.h"

#include <algorithm>
#include <cmath>

namespace databuilder::world {

namespace {

constexpr double kPi = 3.14159265358979323846;

QRgb SampleMap(const QImage& map, double lonRad, double latRad) {
    double u = lonRad / (2 * kPi);
    u -= std::floor(u);
    const double v = 0.5 - latRad / kPi;
    const int x = std::clamp(static_cast<int>(u * map.width()), 0, map.width() - 1);
    const int y = std::clamp(static_cast<int>(v * map.height()), 0, map.height() - 1);
    return map.pixel(x, y);
}

QRgb Scale(QRgb c, double k) {
    auto s = [k](int v) { return std::clamp(static_cast<int>(std::lround(v * k)), 0, 255); };
    return qRgb(s(qRed(c)), s(qGreen(c)), s(qBlue(c)));
}

}  // namespace

QImage RenderLitSphere(const QImage& mapIn, int size, const SphereLook& look) {
    const QImage map = mapIn.convertToFormat(QImage::Format_RGB32);
    const QImage ring =
        look.ringTexture ? look.ringTexture->convertToFormat(QImage::Format_ARGB32) : QImage();
    QImage out(size, size, QImage::Format_RGB888);
    out.fill(Qt::black);
    const double outer = look.ringOuter > 0 ? look.ringOuter : 1.0;
    const double radius = (size / 2.0 - 1) / outer;  // the planet's radius in pixels
    const double tilt = 20 * kPi / 180;              // axis toward the viewer
    const double light[3] = {-0.55, 0.45, 0.70};     // x right, y up, z toward the viewer
    const double norm = std::sqrt(light[0] * light[0] + light[1] * light[1] + light[2] * light[2]);
    const int samples = 3;  // 3 x 3 samples a pixel smooth the disc's edge
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            double acc[3] = {0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const double x = (col + (sx + 0.5) / samples - size / 2.0) / radius;
                    const double y = (size / 2.0 - (row + (sy + 0.5) / samples)) / radius;
                    QRgb c = qRgb(0, 0, 0);
                    const double rr = x * x + y * y;
                    double sphereZ = -1e9;
                    if (rr <= 1.0) {
                        const double z = std::sqrt(1.0 - rr);
                        sphereZ = z;
                        // Body frame: undo the tilt about the x axis.
                        const double by = y * std::cos(tilt) - z * std::sin(tilt);
                        const double bz = y * std::sin(tilt) + z * std::cos(tilt);
                        const double lat = std::asin(std::clamp(by, -1.0, 1.0));
                        const double lon = std::atan2(x, bz);
                        const QRgb surface = SampleMap(map, lon, lat);
                        if (look.selfLit) {
                            c = Scale(surface, 0.45 + 0.55 * std::pow(z, 0.6));
                        } else {
                            const double lambert =
                                (x * light[0] + y * light[1] + z * light[2]) / norm;
                            c = Scale(surface, 0.04 + 0.96 * std::max(0.0, lambert));
                        }
                    }
                    if (look.ringOuter > 0 && !ring.isNull()) {
                        // The ring plane is the body's equator: by = 0 along the view ray.
                        const double t = std::tan(tilt);
                        const double z = y / t;  // depth where the ray meets the plane
                        const double rx = x, rz = y * std::sin(tilt) + z * std::cos(tilt);
                        const double r = std::sqrt(rx * rx + rz * rz);
                        if (r >= look.ringInner && r <= look.ringOuter && z > sphereZ) {
                            const double f =
                                (r - look.ringInner) / (look.ringOuter - look.ringInner);
                            const QRgb rc = ring.pixel(
                                std::clamp(static_cast<int>(f * ring.width()), 0, ring.width() - 1),
                                0);
                            const double a = qAlpha(rc) / 255.0;
                            c = qRgb(static_cast<int>(qRed(c) * (1 - a) + qRed(rc) * a * 0.9),
                                     static_cast<int>(qGreen(c) * (1 - a) + qGreen(rc) * a * 0.9),
                                     static_cast<int>(qBlue(c) * (1 - a) + qBlue(rc) * a * 0.9));
                        }
                    }
                    acc[0] += qRed(c), acc[1] += qGreen(c), acc[2] += qBlue(c);
                }
            }
            const int n = samples * samples;
            out.setPixel(col, row,
                         qRgb(static_cast<int>(acc[0] / n), static_cast<int>(acc[1] / n),
                              static_cast<int>(acc[2] / n)));
        }
    }
    return out;
}

QImage RenderCometPicture(int size) {
    QImage out(size, size, QImage::Format_RGB888);
    const double cx = size * 0.3, cy = size * 0.7;  // the head, lower left
    const double dirX = 0.75, dirY = -0.66;         // the tails point up and to the right
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            const double dx = col + 0.5 - cx, dy = row + 0.5 - cy;
            const double along = dx * dirX + dy * dirY;
            const double across = -dx * dirY + dy * dirX;
            const double r = std::hypot(dx, dy) / size;
            double red = 0, green = 0, blue = 0;
            const double coma = std::exp(-r * r / 0.0012) + 0.35 * std::exp(-r * r / 0.012);
            red += 255 * coma, green += 255 * coma, blue += 235 * coma;
            if (along > 0) {
                const double a = along / size;
                // Dust tail: broad, yellowish, curving away from the ion tail.
                const double curve = across / size + 0.35 * a * a;
                const double width = 0.02 + 0.18 * a;
                const double dust =
                    0.75 * std::exp(-curve * curve / (width * width)) * std::exp(-a / 0.55);
                red += 250 * dust, green += 220 * dust, blue += 160 * dust;
                // Ion tail: narrow, straight and blue.
                const double iw = 0.012 + 0.03 * a;
                const double ion = 0.6 * std::exp(-(across / size) * (across / size) / (iw * iw)) *
                                   std::exp(-a / 0.8);
                red += 90 * ion, green += 150 * ion, blue += 255 * ion;
            }
            out.setPixel(
                col, row,
                qRgb(std::min(255, static_cast<int>(red)), std::min(255, static_cast<int>(green)),
                     std::min(255, static_cast<int>(blue))));
        }
    }
    return out;
}

QImage MakeEarthMap(const QImage& equirectangular) {
    const QImage scaled = equirectangular.convertToFormat(QImage::Format_RGB32)
                              .scaled(720, 360, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return scaled.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
}

QImage ReduceTo16Colours(const QImage& picture) {
    // A fixed palette: the sixteen classic display colours, so the picture looks the same on
    // any screen that has them.
    const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return picture.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, palette, Qt::DiffuseDither);
}

QImage DrawJupiterMap(int width) {
    const int height = width / 2;
    QImage map(width, height, QImage::Format_RGB32);
    // Latitude bands from north to south: upper edge in degrees and colour.
    struct Band {
        double top;
        QRgb colour;
    };
    const Band bands[] = {
        {90, qRgb(150, 140, 125)},  {40, qRgb(200, 185, 160)},  {28, qRgb(160, 115, 80)},
        {18, qRgb(225, 210, 185)},  {7, qRgb(215, 200, 175)},   {-7, qRgb(170, 120, 85)},
        {-20, qRgb(230, 215, 190)}, {-30, qRgb(175, 140, 110)}, {-40, qRgb(150, 140, 125)}};
    for (int y = 0; y < height; ++y) {
        const double latitude = 90.0 - 180.0 * (y + 0.5) / height;
        QRgb colour = bands[0].colour;
        for (const Band& b : bands)
            if (latitude <= b.top) colour = b.colour;
        for (int x = 0; x < width; ++x) {
            // The Great Red Spot at 22 degrees south.
            const double dx = (x - width * 0.6) / (width * 0.05), dy = (latitude + 22.0) / 5.0;
            map.setPixel(x, y, dx * dx + dy * dy < 1.0 ? qRgb(190, 95, 60) : colour);
        }
    }
    return map;
}

}  // namespace databuilder::world

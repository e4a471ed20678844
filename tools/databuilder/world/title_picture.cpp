#include "world/title_picture.h"

#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "sky/ecliptic.h"

namespace databuilder::world {

namespace {

QColor SpectralTint(char spectral) {
    switch (spectral) {
        case 'O':
        case 'B':
            return QColor(170, 190, 255);
        case 'A':
            return QColor(215, 225, 255);
        case 'F':
            return QColor(250, 248, 240);
        case 'G':
            return QColor(255, 240, 200);
        case 'K':
            return QColor(255, 210, 160);
        case 'M':
        case 'C':
        case 'N':
        case 'R':
        case 'S':
            return QColor(255, 180, 140);
        default:
            return QColor(240, 240, 240);
    }
}

}  // namespace

QImage RenderStarField(const std::vector<FieldStar>& stars, double raDeg, double decDeg,
                       double fieldDeg, int width, int height) {
    const double deg = kPi / 180.0;
    const Vec3 centre = equatorialVector(raDeg, decDeg);
    const Vec3 east = normalized(cross(Vec3{0, 0, 1}, centre));
    const Vec3 north = cross(centre, east);
    const double scale = (width / 2.0) / std::tan(fieldDeg / 2 * deg);
    // Accumulate light in floating point, then tone-map, so crowded regions stay smooth.
    std::vector<float> light(static_cast<size_t>(width) * height * 3, 0.0f);
    for (const FieldStar& s : stars) {
        const double d = dot(s.position, centre);
        if (d <= 0.2) continue;
        const double px = width / 2.0 - dot(s.position, east) / d * scale;
        const double py = height / 2.0 - dot(s.position, north) / d * scale;
        if (px < -10 || py < -10 || px > width + 10 || py > height + 10) continue;
        const double mag = s.magMilli / 1000.0;
        const double flux = std::pow(10.0, -0.4 * (mag - 6.0));
        const double sigma = 0.6 + 0.45 * std::max(0.0, 5.0 - mag);
        const QColor tint = SpectralTint(s.spectral);
        const int reach = static_cast<int>(std::ceil(sigma * 3.5));
        for (int y = static_cast<int>(py) - reach; y <= static_cast<int>(py) + reach; ++y) {
            if (y < 0 || y >= height) continue;
            for (int x = static_cast<int>(px) - reach; x <= static_cast<int>(px) + reach; ++x) {
                if (x < 0 || x >= width) continue;
                const double r2 = (x + 0.5 - px) * (x + 0.5 - px) + (y + 0.5 - py) * (y + 0.5 - py);
                const double g = flux * std::exp(-r2 / (2 * sigma * sigma)) / (sigma * sigma);
                float* p = &light[(static_cast<size_t>(y) * width + x) * 3];
                p[0] += static_cast<float>(g * tint.redF());
                p[1] += static_cast<float>(g * tint.greenF());
                p[2] += static_cast<float>(g * tint.blueF());
            }
        }
    }
    QImage out(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float* p = &light[(static_cast<size_t>(y) * width + x) * 3];
            auto tone = [](float v) {
                return std::clamp(static_cast<int>(255 * (1 - std::exp(-v * 0.9f))), 0, 255);
            };
            // A deep blue night sky behind the stars.
            out.setPixel(
                x, y,
                qRgb(std::max(tone(p[0]), 4), std::max(tone(p[1]), 6), std::max(tone(p[2]), 18)));
        }
    }
    return out;
}

void DrawTitleText(QImage& picture, const std::string& title, const std::string& subtitle) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont big("DejaVu Serif");
    big.setPixelSize(picture.height() / 7);
    painter.setFont(big);
    const QRect titleBox(0, picture.height() * 3 / 5, picture.width(), picture.height() / 5);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(titleBox.translated(2, 2), Qt::AlignCenter, QString::fromStdString(title));
    painter.setPen(QColor(255, 236, 180));
    painter.drawText(titleBox, Qt::AlignCenter, QString::fromStdString(title));
    QFont small("DejaVu Sans");
    small.setPixelSize(picture.height() / 30);
    painter.setFont(small);
    painter.setPen(QColor(200, 210, 235));
    painter.drawText(QRect(0, picture.height() * 4 / 5, picture.width(), picture.height() / 10),
                     Qt::AlignCenter, QString::fromStdString(subtitle));
}

}  // namespace databuilder::world

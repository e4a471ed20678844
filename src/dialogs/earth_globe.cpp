#include "dialogs/earth_globe.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QLine>
#include <QMouseEvent>
#include <QPainter>
#include <QVarLengthArray>

namespace dialogs {
namespace {

constexpr int kMapWidth = persist::kEarthMapWidth;
constexpr int kMapHeight = persist::kEarthMapHeight;

// The map's colour at a place (radians, east longitude), blended between its four nearest pixels.
QRgb MapColour(const QImage& map, double latitude, double east) {
    const double perRadian = map.width() / (2.0 * std::numbers::pi);
    const double fx = (east + std::numbers::pi) * perRadian - 0.5;
    const double fy = (std::numbers::pi / 2.0 - latitude) * perRadian - 0.5;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const double ax = fx - x0;
    const double ay = fy - y0;
    const int w = map.width();
    const int h = map.height();
    const auto* row0 = reinterpret_cast<const QRgb*>(map.constScanLine(std::clamp(y0, 0, h - 1)));
    const auto* row1 =
        reinterpret_cast<const QRgb*>(map.constScanLine(std::clamp(y0 + 1, 0, h - 1)));
    const int left = (x0 % w + w) % w;  // longitude wraps round
    const int right = (left + 1) % w;
    const QRgb corners[4] = {row0[left], row0[right], row1[left], row1[right]};
    const double weights[4] = {(1 - ax) * (1 - ay), ax * (1 - ay), (1 - ax) * ay, ax * ay};
    double r = 0, g = 0, b = 0;
    for (int i = 0; i < 4; ++i) {
        r += weights[i] * qRed(corners[i]);
        g += weights[i] * qGreen(corners[i]);
        b += weights[i] * qBlue(corners[i]);
    }
    return qRgb(static_cast<int>(r + 0.5), static_cast<int>(g + 0.5), static_cast<int>(b + 0.5));
}

// Every pixel of the near side takes the map's colour at the place it shows (the projection
// turned back); the rim pixels are blended with the black by how much of them the disc covers.
void PaintMap(QImage& picture, const astro::GlobeView& view, const GlobeMap& maps) {
    const double radius = view.radius;
    // At about a degree per pixel the half-size map, whose pixels are averaged, shows no grain.
    const QImage& map = 180.0 / (std::numbers::pi * radius) > 0.75 ? maps.half : maps.full;
    for (int y = 0; y < picture.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const double v = (y - view.centreY) / radius;
        for (int x = 0; x < picture.width(); ++x) {
            const double u = (x - view.centreX) / radius;
            const double distance = std::sqrt(u * u + v * v) * radius;
            const double cover = std::clamp(radius + 0.5 - distance, 0.0, 1.0);
            if (cover <= 0.0) continue;
            const double w = std::sqrt(std::max(0.0, 1.0 - u * u - v * v));
            // Back about the horizontal axis, then about the polar axis.
            const double py = v * view.cosLat - w * view.sinLat;
            const double z1 = v * view.sinLat + w * view.cosLat;
            const double px = u * view.cosLon + z1 * view.sinLon;
            const double pz = z1 * view.cosLon - u * view.sinLon;
            const QRgb colour =
                MapColour(map, std::asin(std::clamp(-py, -1.0, 1.0)), std::atan2(px, pz));
            line[x] = cover >= 1.0 ? colour
                                   : qRgb(static_cast<int>(qRed(colour) * cover),
                                          static_cast<int>(qGreen(colour) * cover),
                                          static_cast<int>(qBlue(colour) * cover));
        }
    }
}

void PaintCoastlines(QPainter& painter, const astro::GlobeView& view,
                     const std::vector<persist::EarthTriple>& coastlines) {
    QVarLengthArray<QLine, 4096> lines;
    bool penDown = false;
    astro::GlobePixel last;
    for (const persist::EarthTriple& t : coastlines) {
        if (t.x == persist::kEarthEnd) break;
        if (t.x == persist::kEarthPenUp) {
            penDown = false;
            continue;
        }
        const double scale = persist::kEarthScale;
        const astro::GlobePixel pixel =
            astro::ProjectOnGlobe(view, t.x / scale, t.y / scale, t.z / scale);
        if (penDown && (pixel.visible || last.visible))
            lines.append(QLine(last.x, last.y, pixel.x, pixel.y));
        last = pixel;
        penDown = true;
    }
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLines(lines.constData(), static_cast<int>(lines.size()));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(view.centreX, view.centreY), view.radius, view.radius);
}

}  // namespace

GlobeMap MakeGlobeMap(const QImage& picture) {
    if (picture.isNull()) return {};
    GlobeMap maps;
    // Up to twice the size and back down, which blurs the picture's dithering a little.
    maps.full =
        picture.convertToFormat(QImage::Format_RGB32)
            .scaled(kMapWidth * 2, kMapHeight * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .scaled(kMapWidth, kMapHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    maps.half = maps.full.scaled(kMapWidth / 2, kMapHeight / 2, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    return maps;
}

void PaintGlobe(QImage& picture, const GlobeLook& look, const GlobeMap& map,
                const std::vector<persist::EarthTriple>& coastlines) {
    const astro::GlobeView view =
        astro::MakeGlobeView(picture.width(), picture.height(), look.centre.latitude,
                             look.centre.longitude, look.zoomed);
    picture.fill(Qt::black);
    if (view.radius <= 0) return;  // no room for a globe
    if (!look.coastlines && !map.full.isNull()) PaintMap(picture, view, map);
    QPainter painter(&picture);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(0, view.centreY, picture.width() - 1, view.centreY);
    painter.drawLine(view.centreX, 0, view.centreX, picture.height() - 1);
    if (look.coastlines) {
        painter.setRenderHint(QPainter::Antialiasing);
        PaintCoastlines(painter, view, coastlines);
    }
}

EarthGlobe::EarthGlobe(GlobeMap map, std::vector<persist::EarthTriple> coastlines, QWidget* parent)
    : QWidget(parent), map_(std::move(map)), coastlines_(std::move(coastlines)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
}

void EarthGlobe::SetLook(const GlobeLook& look) {
    if (look == look_) return;
    look_ = look;
    stale_ = true;
    update();
}

astro::GlobeView EarthGlobe::View() const {
    return astro::MakeGlobeView(width(), height(), look_.centre.latitude, look_.centre.longitude,
                                look_.zoomed);
}

void EarthGlobe::paintEvent(QPaintEvent*) {
    if (picture_.size() != size()) {
        picture_ = QImage(size(), QImage::Format_RGB32);
        stale_ = true;
    }
    if (stale_) {
        PaintGlobe(picture_, look_, map_, coastlines_);
        stale_ = false;
    }
    QPainter(this).drawImage(0, 0, picture_);
}

void EarthGlobe::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    const QPoint point = event->position().toPoint();
    grabbed_ = astro::PlaceAtPixel(View(), point.x(), point.y());
    setCursor(Qt::ClosedHandCursor);
}

void EarthGlobe::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint point = event->position().toPoint();
    const astro::GlobePlace centre =
        astro::DraggedCentre(View(), look_.centre, grabbed_, point.x(), point.y());
    if (centre != look_.centre) emit Dragged(centre);
}

void EarthGlobe::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) return;
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    emit Released();
}

void EarthGlobe::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint point = event->position().toPoint();
    emit Picked(astro::PlaceAtPixel(View(), point.x(), point.y()));
}

}  // namespace dialogs

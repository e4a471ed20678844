#include "render/moon_disc.h"

#include <cmath>
#include <vector>

#include "astro/moon_phase.h"

namespace render {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<Point> Points(const std::vector<astro::PixelPoint>& from) {
    std::vector<Point> points;
    points.reserve(from.size());
    for (const astro::PixelPoint& p : from)
        points.push_back(Point{p.x, p.y});
    return points;
}

}  // namespace

void DrawMoonDisc(Canvas& canvas, Point centre, int diameter, double elongation,
                  const MoonDiscColours& colours) {
    double e = std::isfinite(elongation) ? std::remainder(elongation, 2 * kPi) : 0.0;
    if (e < -kPi) e += 2 * kPi;
    const astro::MoonPhaseShape shape =
        astro::MoonPhasePolygons({centre.x, centre.y}, diameter, e, kMoonDiscAxis);
    if (shape.disc.empty()) return;
    canvas.SetPen(Pen{colours.edge, 0, PenStyle::Solid});
    canvas.SetBrush(Brush{colours.dark, false});
    canvas.Polygon(Points(shape.disc));
    if (e == 0) return;
    canvas.SetBrush(Brush{colours.lit, false});
    canvas.Polygon(Points(shape.lit));
}

}  // namespace render

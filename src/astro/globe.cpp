#include "astro/globe.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace astro {
namespace {

constexpr int kMaxRadius = 56;
constexpr double kDegree = std::numbers::pi / 180.0;

// Pixel distance of a place from (x, y), or -1 when it is hidden.
int DistanceTo(const GlobeView& view, int latitude, int longitude, int x, int y) {
    const GlobePixel pixel = ProjectPlace(view, latitude, longitude);
    if (!pixel.visible) return -1;
    return std::abs(pixel.x - x) + std::abs(pixel.y - y);
}

// Searches rows x columns places from first in steps of step for a nearer one.
void SearchGrid(const GlobeView& view, GlobePlace first, int rows, int columns, int step, int x,
                int y, GlobePlace& best, int& bestDistance) {
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const GlobePlace place{first.latitude + i * step, first.longitude + j * step};
            const int distance = DistanceTo(view, place.latitude, place.longitude, x, y);
            if (distance >= 0 && distance < bestDistance) {
                bestDistance = distance;
                best = place;
            }
        }
    }
}

int WrapDegrees(int longitude) {
    return ((longitude % 360) + 540) % 360 - 180;
}

}  // namespace

GlobeView MakeGlobeView(int width, int height, int latitude, int longitude, bool zoomed) {
    GlobeView view;
    view.centreX = width / 2;
    view.centreY = height / 2;
    view.radius = std::min(std::min(width / 2, height / 2) - 3, kMaxRadius);
    if (zoomed) view.radius *= 2;
    return TurnedTo(view, latitude, longitude);
}

GlobeView TurnedTo(GlobeView view, int latitude, int longitude) {
    view.sinLat = std::sin(latitude * kDegree);
    view.cosLat = std::cos(latitude * kDegree);
    // The globe frame counts longitude east.
    view.sinLon = std::sin(-longitude * kDegree);
    view.cosLon = std::cos(-longitude * kDegree);
    return view;
}

GlobePixel ProjectOnGlobe(const GlobeView& view, double x, double y, double z) {
    // About the polar axis by the centre's longitude, then about the horizontal axis by its
    // latitude, which brings the centre to (0, 0, 1).
    const double x1 = x * view.cosLon - z * view.sinLon;
    const double z1 = x * view.sinLon + z * view.cosLon;
    const double y2 = y * view.cosLat + z1 * view.sinLat;
    const double z2 = z1 * view.cosLat - y * view.sinLat;
    return {z2 >= 1.0 / 1024.0, view.centreX + static_cast<int>(std::lround(view.radius * x1)),
            view.centreY + static_cast<int>(std::lround(view.radius * y2))};
}

GlobePixel ProjectPlace(const GlobeView& view, double latitude, double longitude) {
    const double lat = latitude * kDegree;
    const double east = -longitude * kDegree;
    return ProjectOnGlobe(view, std::cos(lat) * std::sin(east), -std::sin(lat),
                          std::cos(lat) * std::cos(east));
}

GlobePlace PlaceAtPixel(const GlobeView& view, int x, int y) {
    GlobePlace best;
    int bestDistance = 100000;
    SearchGrid(view, {-85, -175}, 18, 36, 10, x, y, best, bestDistance);
    SearchGrid(view, {best.latitude - 5, best.longitude - 5}, 11, 11, 1, x, y, best, bestDistance);
    best.longitude = WrapDegrees(best.longitude);
    return best;
}

GlobePlace DraggedCentre(const GlobeView& view, GlobePlace centre, GlobePlace grabbed, int x,
                         int y) {
    // How far from the pixel the grabbed place lies with the globe turned to a centre.
    const auto miss = [&](GlobePlace c) {
        const GlobePixel p = ProjectPlace(TurnedTo(view, c.latitude, c.longitude), grabbed.latitude,
                                          grabbed.longitude);
        return p.visible ? std::abs(p.x - x) + std::abs(p.y - y) : 100000;
    };
    const GlobePlace under = PlaceAtPixel(view, x, y);
    GlobePlace best = centre;
    int bestMiss = miss(centre);
    const GlobePlace guess{std::clamp(centre.latitude + grabbed.latitude - under.latitude, -90, 90),
                           WrapDegrees(centre.longitude + grabbed.longitude - under.longitude)};
    if (const int m = miss(guess); m < bestMiss) {
        best = guess;
        bestMiss = m;
    }
    // Pattern search: the best of the eight neighbours at shrinking distances.
    for (int step : {8, 4, 2, 1}) {
        for (bool moved = true; moved && bestMiss > 0;) {
            moved = false;
            const GlobePlace from = best;
            for (int dLat = -step; dLat <= step; dLat += step) {
                for (int dLon = -step; dLon <= step; dLon += step) {
                    const GlobePlace c{from.latitude + dLat, WrapDegrees(from.longitude + dLon)};
                    if (std::abs(c.latitude) > 90) continue;
                    if (const int m = miss(c); m < bestMiss) {
                        best = c;
                        bestMiss = m;
                        moved = true;
                    }
                }
            }
        }
    }
    return best;
}

}  // namespace astro

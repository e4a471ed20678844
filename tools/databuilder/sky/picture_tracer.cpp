#include "sky/picture_tracer.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace databuilder {

namespace {

// Directed edges along pixel sides, the figure on their left; keyed by start corner.
using Corner = std::pair<int, int>;

double perimeter(const std::vector<Corner>& loop) {
    double sum = 0;
    for (size_t i = 1; i < loop.size(); ++i)
        sum += std::hypot(loop[i].first - loop[i - 1].first, loop[i].second - loop[i - 1].second);
    return sum;
}

double distanceToSegment(PixelPoint p, PixelPoint a, PixelPoint b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0) return std::hypot(p.x - a.x, p.y - a.y);
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

void simplifyRange(const std::vector<PixelPoint>& pts, size_t first, size_t last, double tolerance,
                   std::vector<bool>& keep) {
    double worst = 0;
    size_t at = first;
    for (size_t i = first + 1; i < last; ++i) {
        const double d = distanceToSegment(pts[i], pts[first], pts[last]);
        if (d > worst) {
            worst = d;
            at = i;
        }
    }
    if (worst > tolerance) {
        keep[at] = true;
        simplifyRange(pts, first, at, tolerance, keep);
        simplifyRange(pts, at, last, tolerance, keep);
    }
}

}  // namespace

std::vector<PixelPoint> simplifyPolyline(const std::vector<PixelPoint>& points, double tolerance) {
    if (points.size() < 3) return points;
    std::vector<bool> keep(points.size(), false);
    keep.front() = keep.back() = true;
    simplifyRange(points, 0, points.size() - 1, tolerance, keep);
    std::vector<PixelPoint> out;
    for (size_t i = 0; i < points.size(); ++i)
        if (keep[i]) out.push_back(points[i]);
    return out;
}

std::vector<Outline> traceOutlines(const std::vector<uint8_t>& grey, int width, int height,
                                   const TraceOptions& options) {
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height &&
               grey[static_cast<size_t>(y) * width + x] > options.threshold;
    };
    // Each figure pixel contributes its sides that face the background, oriented so that the
    // figure lies on the left when walking (clockwise on screen with y downward).
    std::multimap<Corner, Corner> edges;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!inside(x, y)) continue;
            if (!inside(x, y - 1)) edges.emplace(Corner{x + 1, y}, Corner{x, y});
            if (!inside(x - 1, y)) edges.emplace(Corner{x, y}, Corner{x, y + 1});
            if (!inside(x, y + 1)) edges.emplace(Corner{x, y + 1}, Corner{x + 1, y + 1});
            if (!inside(x + 1, y)) edges.emplace(Corner{x + 1, y + 1}, Corner{x + 1, y});
        }
    }
    std::vector<Outline> outlines;
    while (!edges.empty()) {
        auto it = edges.begin();
        const Corner start = it->first;
        std::vector<Corner> loop{start};
        Corner from = start;
        Corner at = it->second;
        edges.erase(it);
        while (at != start) {
            loop.push_back(at);
            auto range = edges.equal_range(at);
            if (range.first == range.second) break;  // cannot happen for closed boundaries
            // Where two figure pixels touch only at a corner, keep to the sharpest left turn so
            // that the loops stay simple.
            auto chosen = range.first;
            if (std::next(range.first) != range.second) {
                const int dx = at.first - from.first, dy = at.second - from.second;
                for (auto c = range.first; c != range.second; ++c) {
                    const int ex = c->second.first - at.first, ey = c->second.second - at.second;
                    if (dx * ey - dy * ex < 0) chosen = c;  // turning left on screen
                }
            }
            from = at;
            at = chosen->second;
            edges.erase(chosen);
        }
        loop.push_back(start);
        if (perimeter(loop) < options.minPerimeter) continue;
        std::vector<PixelPoint> points;
        points.reserve(loop.size());
        for (const auto& c : loop)
            points.push_back({double(c.first), double(c.second)});
        outlines.push_back(simplifyPolyline(points, options.tolerance));
    }
    return outlines;
}

PictureMapping::PictureMapping(const std::array<PixelPoint, 3>& anchors,
                               const std::array<Vec3, 3>& stars) {
    // T has the anchors (x, y, 1) as columns; M = V T^-1 with the star vectors as columns of V.
    const double t[3][3] = {{anchors[0].x, anchors[1].x, anchors[2].x},
                            {anchors[0].y, anchors[1].y, anchors[2].y},
                            {1, 1, 1}};
    const double det = t[0][0] * (t[1][1] * t[2][2] - t[1][2] * t[2][1]) -
                       t[0][1] * (t[1][0] * t[2][2] - t[1][2] * t[2][0]) +
                       t[0][2] * (t[1][0] * t[2][1] - t[1][1] * t[2][0]);
    if (std::fabs(det) < 1e-9) return;
    double inv[3][3];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
            inv[r][c] = (t[r1][c1] * t[r2][c2] - t[r1][c2] * t[r2][c1]) / det;
        }
    }
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) {
                const double v = r == 0 ? stars[k].x : r == 1 ? stars[k].y : stars[k].z;
                sum += v * inv[k][c];
            }
            m_[r][c] = sum;
        }
    }
    valid_ = true;
}

Vec3 PictureMapping::direction(PixelPoint p) const {
    return normalized({m_[0][0] * p.x + m_[0][1] * p.y + m_[0][2],
                       m_[1][0] * p.x + m_[1][1] * p.y + m_[1][2],
                       m_[2][0] * p.x + m_[2][1] * p.y + m_[2][2]});
}

}  // namespace databuilder

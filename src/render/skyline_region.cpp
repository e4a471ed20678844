#include "render/skyline_region.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "astro/projection.h"

namespace render {
namespace {

// Pixels from the view centre within which the outline follows the skyline: under the
// projection's clamp of 32000.
constexpr int64_t kReach = 30000;
// Depth (16384 cos of the angle from the view centre) below which the integer projection's
// divisor falls under 4 and the drawn position no longer grows with the angle: about 175
// degrees from the centre, where the point behind the viewer would fold back into the picture.
constexpr int kShallowestDepth = -16328;
constexpr double kTwoPi = 2 * 3.14159265358979323846;
// Radius of the detours round the outside, and the step of their arcs.
constexpr double kDetourRadius = 45000.0;
constexpr double kDetourStep = kTwoPi / 16;
// Segments longer than this (pixels) that show in the picture are halved.
constexpr int kChordLimit = 24;
constexpr int kMaxDepth = 18;

struct Sample {
    int a = 0;
    int altitude = 0;
    Point p;
    bool near = false;
};

Sample At(const astro::ViewFrame& f, int a, int altitude) {
    const astro::ScreenPoint s = astro::ProjectHorizontal(f, a, altitude);
    Sample sample{a, altitude, Point{s.x, s.y}, false};
    const int64_t r2 = int64_t{s.x} * s.x + int64_t{s.y} * s.y;
    sample.near = s.flag >= kShallowestDepth && r2 <= kReach * kReach;
    return sample;
}

Sample Midpoint(const astro::ViewFrame& f, const Sample& s0, const Sample& s1) {
    return At(f, s0.a + (s1.a - s0.a) / 2, s0.altitude + (s1.altitude - s0.altitude) / 2);
}

bool Adjacent(const Sample& s0, const Sample& s1) {
    return std::abs(s1.a - s0.a) <= 1 && std::abs(s1.altitude - s0.altitude) <= 1;
}

// The segment, or an arc of up to half a turn over it, may reach into the picture.
bool ShowsInView(const Point& p0, const Point& p1, const Viewport& v) {
    const int length = std::max(std::abs(p1.x - p0.x), std::abs(p1.y - p0.y));
    const int margin = length / 2 + 2;
    return std::min(p0.x, p1.x) - margin <= v.halfWidth &&
           std::max(p0.x, p1.x) + margin >= -v.halfWidth &&
           std::min(p0.y, p1.y) - margin <= v.halfHeight &&
           std::max(p0.y, p1.y) + margin >= -v.halfHeight;
}

// The middle point lies on the chord, to within half a pixel, and between its ends.
bool Straight(const Point& p0, const Point& m, const Point& p1) {
    const double dx = p1.x - p0.x, dy = p1.y - p0.y;
    const double mx = m.x - p0.x, my = m.y - p0.y;
    const double length2 = dx * dx + dy * dy;
    const double along = (mx * dx + my * dy) / length2;
    const double across = dx * my - dy * mx;
    return along > 0.25 && along < 0.75 && across * across <= 0.25 * length2;
}

// The last point within the reach on the way from a near sample to a far one.
Sample EdgeOfReach(const astro::ViewFrame& f, Sample near, Sample far) {
    while (!Adjacent(near, far)) {
        const Sample m = Midpoint(f, near, far);
        (m.near ? near : far) = m;
    }
    return near;
}

class Outliner {
  public:
    Outliner(const astro::ViewFrame& f, const Viewport& v) : f_(f), viewport_(v) {}

    // Appends the points strictly between s0 and s1: halves of the segments that show, and
    // the edge of the reach where the skyline leaves it or comes back.
    void Refine(const Sample& s0, const Sample& s1, int depth, std::vector<Sample>& out) const {
        if (s0.near != s1.near) {
            out.push_back(s0.near ? EdgeOfReach(f_, s0, s1) : EdgeOfReach(f_, s1, s0));
            return;
        }
        if (!s0.near || depth >= kMaxDepth || Adjacent(s0, s1)) return;
        const int chord = std::max(std::abs(s1.p.x - s0.p.x), std::abs(s1.p.y - s0.p.y));
        if (chord <= kChordLimit || !ShowsInView(s0.p, s1.p, viewport_)) return;
        const Sample m = Midpoint(f_, s0, s1);
        if (m.near && Straight(s0.p, m.p, s1.p)) return;
        Refine(s0, m, depth + 1, out);
        out.push_back(m);
        Refine(m, s1, depth + 1, out);
    }

  private:
    const astro::ViewFrame& f_;
    const Viewport& viewport_;
};

// Linear in the horizontal angle between the skyline's points, round the turn.
int AltitudeAt(std::span<const SkylinePoint> skyline, int a) {
    const int first = skyline.front().a;
    a = first + ((a - first) % astro::kBinTurn + astro::kBinTurn) % astro::kBinTurn;
    for (std::size_t i = 0; i < skyline.size(); ++i) {
        const SkylinePoint& p0 = skyline[i];
        SkylinePoint p1 = i + 1 < skyline.size() ? skyline[i + 1] : skyline.front();
        if (i + 1 == skyline.size()) p1.a += astro::kBinTurn;
        if (a < p0.a || a > p1.a) continue;
        if (p1.a == p0.a) return p0.altitude;
        return p0.altitude +
               static_cast<int>(int64_t{p1.altitude - p0.altitude} * (a - p0.a) / (p1.a - p0.a));
    }
    return skyline.front().altitude;
}

int ViewAltitude(const astro::ViewFrame& f) {
    return f.ViewTiltAngle + astro::kBinQuarterTurn;
}

int CentreHorizontalAngle(const astro::ViewFrame& f) {
    return astro::kBinQuarterTurn - f.ViewAzimuthAngle;
}

Point OnDetour(double angle) {
    return Point{static_cast<int>(std::lround(kDetourRadius * std::cos(angle))),
                 static_cast<int>(std::lround(kDetourRadius * std::sin(angle)))};
}

double ScreenAngle(const Point& p) {
    return std::atan2(static_cast<double>(p.y), static_cast<double>(p.x));
}

// How far (radians, 0 up to a turn) the screen angle decreases from one angle to another.
double SweepDown(double from, double to) {
    const double sweep = std::remainder(from - to, kTwoPi);
    return sweep < 0 ? sweep + kTwoPi : sweep;
}

// From the end of one piece out and round, by decreasing screen angle, to the start of the
// next. Walking the skyline by increasing horizontal angle keeps the ground on the side that
// decreasing screen angles turn to, so this way round encloses what lies below.
void AppendDetour(const Point& from, const Point& to, std::vector<Point>& out) {
    const double start = ScreenAngle(from);
    const double sweep = SweepDown(start, ScreenAngle(to));
    const int steps = std::max(1, static_cast<int>(std::ceil(sweep / kDetourStep)));
    for (int i = 0; i <= steps; ++i)
        out.push_back(OnDetour(start - sweep * i / steps));
}

void AddRing(SkylineOutline& outline, const std::vector<Point>& ring) {
    if (ring.empty()) return;
    outline.points.insert(outline.points.end(), ring.begin(), ring.end());
    outline.rings.push_back(static_cast<int>(ring.size()));
}

std::vector<Point> RoundTheOutside() {
    const int r = static_cast<int>(kDetourRadius);
    return {Point{-r, -r}, Point{r, -r}, Point{r, r}, Point{-r, r}};
}

struct Piece {
    std::vector<Point> points;
    double entry = 0;  // screen angles of its first and last point
    double exit = 0;
};

// Each piece is followed, past its end, by the piece whose start comes next by decreasing
// screen angle; the pieces and the detours between them close into rings.
void CloseRoundTheOutside(std::vector<Piece>& pieces, SkylineOutline& outline) {
    const std::size_t n = pieces.size();
    std::vector<std::size_t> next(n);
    for (std::size_t k = 0; k < n; ++k) {
        double best = 1e9;
        for (std::size_t j = 0; j < n; ++j) {
            const double sweep = SweepDown(pieces[k].exit, pieces[j].entry);
            if (sweep < best) {
                best = sweep;
                next[k] = j;
            }
        }
    }
    std::vector<bool> used(n, false);
    for (std::size_t k = 0; k < n; ++k) {
        if (used[k]) continue;
        std::vector<Point> ring;
        std::size_t j = k;
        while (!used[j]) {
            used[j] = true;
            const Piece& piece = pieces[j];
            ring.insert(ring.end(), piece.points.begin(), piece.points.end());
            AppendDetour(piece.points.back(), pieces[next[j]].points.front(), ring);
            j = next[j];
        }
        AddRing(outline, ring);
    }
}

}  // namespace

int HorizontalAngleBehind(const astro::ViewFrame& frame) {
    return CentreHorizontalAngle(frame) + astro::kBinHalfTurn;
}

std::vector<SkylinePoint> LevelSkyline(const astro::ViewFrame& frame, int altitude, int count) {
    count = std::max(count, 3);
    const int behind = HorizontalAngleBehind(frame);
    std::vector<SkylinePoint> skyline(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        skyline[static_cast<std::size_t>(k)] =
            SkylinePoint{behind + static_cast<int>(int64_t{astro::kBinTurn} * k / count), altitude};
    return skyline;
}

SkylineOutline OutlineBelowSkyline(const astro::ViewFrame& frame, const Viewport& viewport,
                                   std::span<const SkylinePoint> skyline) {
    SkylineOutline outline;
    if (skyline.empty()) return outline;

    const Outliner outliner(frame, viewport);
    std::vector<Sample> loop;
    loop.reserve(skyline.size() * 2);
    Sample s0 = At(frame, skyline.front().a, skyline.front().altitude);
    for (std::size_t i = 0; i < skyline.size(); ++i) {
        const SkylinePoint& p = i + 1 < skyline.size() ? skyline[i + 1] : skyline.front();
        const int a = i + 1 < skyline.size() ? p.a : p.a + astro::kBinTurn;
        const Sample s1 = At(frame, a, p.altitude);
        loop.push_back(s0);
        outliner.Refine(s0, s1, 0, loop);
        s0 = s1;
    }

    const auto firstFar =
        std::find_if(loop.begin(), loop.end(), [](const Sample& s) { return !s.near; });
    if (firstFar == loop.end()) {
        // A closed curve in the picture: below it is its inside, unless the ground holds the
        // point behind the viewer, which the projection puts outside every curve.
        std::vector<Point> ring(loop.size());
        std::transform(loop.begin(), loop.end(), ring.begin(), [](const Sample& s) { return s.p; });
        const int behind = HorizontalAngleBehind(frame);
        if (-ViewAltitude(frame) < AltitudeAt(skyline, behind)) AddRing(outline, RoundTheOutside());
        AddRing(outline, ring);
        ring.push_back(ring.front());
        outline.pieces.push_back(std::move(ring));
        return outline;
    }

    // Pieces within the reach, in order round the skyline from a point beyond it.
    std::rotate(loop.begin(), firstFar, loop.end());
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        if (!loop[i].near) continue;
        if (i == 0 || !loop[i - 1].near) pieces.emplace_back();
        pieces.back().points.push_back(loop[i].p);
    }
    if (pieces.empty()) {
        // The skyline is nowhere near: the picture is all ground or all sky.
        if (ViewAltitude(frame) < AltitudeAt(skyline, CentreHorizontalAngle(frame)))
            AddRing(outline, RoundTheOutside());
        return outline;
    }
    for (Piece& piece : pieces) {
        piece.entry = ScreenAngle(piece.points.front());
        piece.exit = ScreenAngle(piece.points.back());
        outline.pieces.push_back(piece.points);
    }
    CloseRoundTheOutside(pieces, outline);
    return outline;
}

}  // namespace render

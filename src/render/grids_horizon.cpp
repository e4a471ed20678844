#include "render/grids_horizon.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "persist/records/world_records.h"
#include "render/fonts.h"
#include "render/skyline_region.h"

namespace render {
namespace {

using astro::BinAngle;
using astro::ScreenPoint;

// Line colour slots (1-based) of this layer.
constexpr int kSlotHorizon = 4;
constexpr int kSlotGrid = 5;
constexpr int kSlotEquator = 6;
constexpr int kSlotEquatorGrid = 7;
constexpr int kSlotEcliptic = 8;
constexpr int kSlotEclipticGrid = 9;
constexpr int kSlotGround = 16;
constexpr int kSlotGuide = 17;

constexpr int kGroundPaletteIndex = 49;
constexpr int kGroundPrintGrey = 255;
constexpr int kGlowSamples = 72;  // points round the horizon of a glow band's edge

// Horizontal angles 0, 45, ... 315 degrees (0 is west, 90 south).
constexpr std::array<const char*, 8> kDirectionNames = {"W", "SW", "S", "SE", "E", "NE", "N", "NW"};

enum class GridFrame { Horizontal, Equatorial, Ecliptic };

BinAngle Bin(int tenths) {
    return astro::TenthsToBinAngleExact(tenths);
}

int PaletteIndexOfSlot(int slot) {
    return kLineSlotPaletteIndex[static_cast<std::size_t>(slot - 1)];
}

Pen SlotPen(const LayerContext& layer, int slot) {
    const state::LineSet& set = layer.scene.view->lineSets[static_cast<std::size_t>(slot - 1)];
    return Pen{Colour::Index(PaletteIndexOfSlot(slot)), layer.scene.frame.linePenWidth,
               set.style > 0 ? PenStyle::Dot : PenStyle::Solid};
}

ScreenPoint ProjectGridPoint(const astro::ViewFrame& f, GridFrame grid, int lon, int lat) {
    switch (grid) {
        case GridFrame::Horizontal:
            return astro::ProjectHorizontal(f, Bin(lon), Bin(lat));
        case GridFrame::Equatorial:
            return ProjectEquatorial(f, Bin(lon), Bin(lat));
        case GridFrame::Ecliptic:
            break;
    }
    return astro::ProjectEcliptic(f, Bin(lon), Bin(lat));
}

// The view centre's horizontal angle (90 degrees minus the azimuth from south), tenths.
int ViewHorizontalAngle(const state::ViewState& view) {
    return 900 - static_cast<int>(view.Houi2);
}

int Positive(int step) {
    return std::max(1, step);
}

// Latitudes of a grid's parallels, tenths, bottom up.
std::vector<int> ParallelLatitudes(const LayerContext& layer, GridFrame grid) {
    const astro::ViewFrame& f = layer.scene.viewFrame;
    const int step = Positive(f.CurveStep2);
    int first = step - 900;
    if (grid == GridFrame::Horizontal && f.HorizonShown) first = step;
    std::vector<int> latitudes;
    for (int lat = first; lat < 900; lat += step) {
        // The horizon layer draws the altitude-0 circle itself.
        if (grid == GridFrame::Horizontal && lat == 0 && layer.scene.view->Horizon) continue;
        latitudes.push_back(lat);
    }
    return latitudes;
}

// Where the scale labels go: the latitude of the meridian labels and the meridian of the
// parallel labels, tenths.
struct LabelPlace {
    int latitude = 0;
    int meridian = 0;
};

void DrawGridLabels(LayerContext& layer, GridFrame grid, int slot, const LabelPlace& place,
                    const std::vector<int>& parallels) {
    Canvas& canvas = layer.canvas;
    const astro::ViewFrame& f = layer.scene.viewFrame;
    const Viewport& viewport = layer.scene.frame.viewport;
    canvas.SetFont(SlotFont(*layer.scene.view, kFontScale, layer.target));
    canvas.SetTextColour(Colour::Index(PaletteIndexOfSlot(slot)));
    for (int m = 0; m < 3600; m += Positive(f.CurveStep1)) {
        const ScreenPoint p = ProjectGridPoint(f, grid, m, place.latitude);
        if (p.flag < 0) continue;
        // The horizontal grid names azimuths from north through east; the sky grids hours.
        const std::string text = grid == GridFrame::Horizontal
                                     ? FormatGridLabel((6300 - m) % 3600, false)
                                     : FormatGridLabel(m, true);
        DrawText8(canvas, viewport, p.x, p.y, -1, text);
    }
    for (int lat : parallels) {
        const ScreenPoint p = ProjectGridPoint(f, grid, place.meridian, lat);
        if (p.flag < 0) continue;
        DrawText8(canvas, viewport, p.x, p.y, 1, FormatGridLabel(lat, false));
    }
}

void DrawGrid(LayerContext& layer, GridFrame grid, int slot, bool labels) {
    Canvas& canvas = layer.canvas;
    SkyScene& scene = layer.scene;
    const astro::ViewFrame& f = scene.viewFrame;
    const Viewport& viewport = scene.frame.viewport;
    PolylineState& line = scene.polyline;
    const int step3 = Positive(f.CurveStep3);
    canvas.SetPen(SlotPen(layer, slot));

    // Meridians; the latitudes of the samples inside the view give the label latitude.
    int64_t counted = 0, latitudeSum = 0;
    for (int m = 0; m < 3600; m += Positive(f.CurveStep1)) {
        // Only the meridians of the quarter turns meet at the poles; the others stop one fine
        // step short so that the poles do not fill with lines.
        const bool toPole = m % 900 == 0;
        const int first = toPole ? -900 : -900 + step3;
        const int last = toPole ? 900 : 900 - step3;
        for (int lat = first;; lat = std::min(lat + step3, last)) {
            const ScreenPoint p = ProjectGridPoint(f, grid, m, lat);
            PolylineTo(canvas, line, p.x, p.y, p.flag);
            if (p.flag >= 0 && std::abs(p.x) < viewport.halfWidth &&
                std::abs(p.y) < viewport.halfHeight) {
                ++counted;
                latitudeSum += lat;
            }
            if (lat >= last) break;
        }
        PolylineTo(canvas, line, 0, 0, 0);
    }

    // Parallels; the sample nearest the view centre gives the label meridian.
    const std::vector<int> parallels = ParallelLatitudes(layer, grid);
    LabelPlace place;
    int fallbackLatitude = static_cast<int>(scene.view->Koudo2);
    int64_t nearest = INT64_MAX;
    place.meridian = ViewHorizontalAngle(*scene.view);
    for (int lat : parallels) {
        for (int lon = 0; lon <= 3600; lon += step3) {
            const ScreenPoint p = ProjectGridPoint(f, grid, lon, lat);
            PolylineTo(canvas, line, p.x, p.y, p.flag);
            const int64_t r = int64_t{p.x} * p.x + int64_t{p.y} * p.y;
            if (grid != GridFrame::Horizontal && p.flag > 0 && r < nearest) {
                nearest = r;
                place.meridian = lon;
                fallbackLatitude = lat;
            }
        }
        PolylineTo(canvas, line, 0, 0, 0);
    }
    if (!labels) return;
    if (grid == GridFrame::Equatorial && scene.view->SekidouMod) {
        place.meridian = static_cast<int>(scene.view->Houi2);
        fallbackLatitude = static_cast<int>(scene.view->Koudo2);
    }
    place.latitude = counted > 0 ? static_cast<int>(latitudeSum / counted) : fallbackLatitude;
    DrawGridLabels(layer, grid, slot, place, parallels);
}

void DrawGreatCircle(LayerContext& layer, GridFrame grid, int slot) {
    Canvas& canvas = layer.canvas;
    const astro::ViewFrame& f = layer.scene.viewFrame;
    canvas.SetPen(SlotPen(layer, slot));
    for (int lon = 0; lon <= 3600; lon += Positive(f.CurveStep2)) {
        const ScreenPoint p = ProjectGridPoint(f, grid, lon, 0);
        PolylineTo(canvas, layer.scene.polyline, p.x, p.y, p.flag);
    }
    PolylineTo(canvas, layer.scene.polyline, 0, 0, 0);
}

// Binary angle of an angle in radians, truncated.
BinAngle BinOfRadians(double radians) {
    return static_cast<BinAngle>(radians * astro::kBinPerRadian);
}

// --- Glow ----------------------------------------------------------------------------------

struct SunGlow {
    bool shown = false;
    double x = 0.0;
    double y = 0.0;
    int64_t scale = 0;  // S of the ring radii
};

SunGlow SunGlowOf(const LayerContext& layer) {
    const SkyScene& scene = layer.scene;
    const state::ViewState& view = *scene.view;
    SunGlow glow;
    if (!scene.frame.civilDaylight || !view.Taiyoukou || !view.Solar || view.SekidouMod) {
        return glow;
    }
    const astro::BodyState& sun = scene.bodies.bodies[astro::kSunIndex];
    if (sun.depth < 0) return glow;
    const bool below = sun.down > 0 && sun.depth > 0;
    if (below && scene.viewFrame.HorizonShown) return glow;
    const astro::ViewFrame& f = scene.viewFrame;
    const double twice = 2.0 * scene.bodies.sunRadius;
    const int depth = std::clamp(static_cast<int>(16384.0 * std::cos(twice)), 1, 16385);
    const int divisor = f.tables.zbi ? f.tables.zbi[depth] : 0;
    if (divisor == 0) return glow;
    glow.shown = true;
    glow.x = sun.screenX;
    glow.y = sun.screenY;
    glow.scale = static_cast<int64_t>(f.Zoom * std::sin(twice) * 196608.0 / divisor);
    return glow;
}

int64_t GlowRadius(int64_t n, int64_t scale) {
    return n * n * scale / 1225;
}

// Rays of the innermost rings: longer radii at a few angles (degrees).
int64_t RayFactor(int angle) {
    switch (angle) {
        case 36:
        case 156:
        case 216:
        case 336:
            return 3;
        case 96:
        case 276:
            return 6;
        default:
            return 1;
    }
}

void DrawSunRing(LayerContext& layer, const SunGlow& glow, int j) {
    constexpr double kDegree = 3.14159265358979323846 / 180.0;
    const bool rays = j < -5;
    std::array<Point, 122> ring;
    std::size_t k = 0;
    auto add = [&](int angle, int64_t radius) {
        const int64_t r = rays ? radius * RayFactor(angle % 360) : radius;
        ring[k++] = Point{static_cast<int>(std::lround(glow.x + r * std::cos(angle * kDegree))),
                          static_cast<int>(std::lround(glow.y + r * std::sin(angle * kDegree)))};
    };
    const int64_t outer = GlowRadius(j + 19, glow.scale);
    const int64_t inner = GlowRadius(j + 18, glow.scale);
    for (int angle = 0; angle <= 360; angle += 6)
        add(angle, outer);
    for (int angle = 360; angle >= 0; angle -= 6)
        add(angle, inner);
    DrawPolygonClipped(layer.canvas, layer.scene.frame.viewport, ring);
}

// The sky below the edge of band j, j x 0.6 degrees high, lowered by refraction.
SkylineOutline BelowBandEdge(const LayerContext& layer, int j) {
    const astro::ViewFrame& f = layer.scene.viewFrame;
    return OutlineBelowSkyline(f, layer.scene.frame.viewport,
                               LevelSkyline(f, Bin(j * 6) - f.RefractionAngle, kGlowSamples));
}

// Band j: the sky below its upper edge without the sky below its lower edge, all round the
// horizon. Bands are drawn downward, so the lower edge is kept for the next band's upper one.
void DrawHorizonBand(LayerContext& layer, int j, std::optional<SkylineOutline>& upper) {
    if (!upper) upper = BelowBandEdge(layer, j + 1);
    SkylineOutline lower = BelowBandEdge(layer, j);
    std::vector<Point> points = upper->points;
    std::vector<int> rings = upper->rings;
    points.insert(points.end(), lower.points.begin(), lower.points.end());
    rings.insert(rings.end(), lower.rings.begin(), lower.rings.end());
    if (!rings.empty()) layer.canvas.PolyPolygon(points, rings);
    upper = std::move(lower);
}

// --- Ground --------------------------------------------------------------------------------

// The refracted horizon, every CurveStep2 round the turn.
std::vector<SkylinePoint> HorizonSkyline(const astro::ViewFrame& f) {
    return LevelSkyline(f, -f.RefractionAngle, 3600 / Positive(f.CurveStep2));
}

// The landscape skyline round the turn from behind the viewer, with a point straight behind
// (where the projection leaves the picture when the view is level). Records hold the azimuth
// from the south through the east and the altitude, fiftieths of a degree. Fewer than two
// records give no skyline.
std::vector<SkylinePoint> LandscapeSkyline(const LayerContext& layer) {
    const SkyScene& scene = layer.scene;
    std::vector<SkylinePoint> skyline;
    if (!scene.data) return skyline;
    const auto records = scene.data->block(persist::BlockId::YAMA).records<persist::YamaRecord>();
    if (records.count() < 2) return skyline;
    const astro::ViewFrame& f = scene.viewFrame;
    const int behind = HorizontalAngleBehind(f);
    skyline.reserve(records.count() + 1);
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::YamaRecord r = records[i];
        // Horizontal angle = 90 degrees plus the azimuth from south through east.
        const int a = static_cast<int>(int64_t{4500 + r.az} * astro::kBinTurn / 18000);
        const int fromBehind = ((a - behind) % astro::kBinTurn + astro::kBinTurn) % astro::kBinTurn;
        const int altitude =
            static_cast<int>(int64_t{r.alt} * astro::kBinTurn / 18000) - f.RefractionAngle;
        skyline.push_back(SkylinePoint{behind + fromBehind, altitude});
    }
    std::stable_sort(skyline.begin(), skyline.end(),
                     [](const SkylinePoint& p, const SkylinePoint& q) { return p.a < q.a; });
    // Straight behind: between the last point and the first, one turn on.
    const SkylinePoint& last = skyline.back();
    const SkylinePoint first{skyline.front().a + astro::kBinTurn, skyline.front().altitude};
    const int span = std::max(1, first.a - last.a);
    const int altitude =
        last.altitude + static_cast<int>(int64_t{first.altitude - last.altitude} *
                                         (behind + astro::kBinTurn - last.a) / span);
    if (skyline.front().a != behind)
        skyline.insert(skyline.begin(), SkylinePoint{behind, altitude});
    return skyline;
}

void DrawGround(LayerContext& layer) {
    const SkyScene& scene = layer.scene;
    std::vector<SkylinePoint> skyline;
    if (scene.view->Yama) skyline = LandscapeSkyline(layer);
    // Without a usable landscape the ground ends at the refracted horizon.
    if (skyline.empty()) skyline = HorizonSkyline(scene.viewFrame);
    const SkylineOutline ground =
        OutlineBelowSkyline(scene.viewFrame, scene.frame.viewport, skyline);
    const Colour colour = ResolveColour(layer.target, kGroundPrintGrey,
                                        Colour::Index(kGroundPaletteIndex), scene.palette);
    layer.canvas.SetPen(Pen{colour, 0, PenStyle::Solid});
    layer.canvas.SetBrush(Brush{colour, false});
    if (!ground.rings.empty()) layer.canvas.PolyPolygon(ground.points, ground.rings);
}

}  // namespace

ScreenPoint ProjectEquatorial(const astro::ViewFrame& f, BinAngle ra, BinAngle dec) {
    const int16_t* t = f.tables.sincos;
    const int32_t cosD = astro::Cos15(t, dec);
    const int32_t xq = astro::Cos15(t, ra) * cosD / 16384;
    const int32_t yq = astro::Sin15(t, ra) * cosD / 16384;
    const int32_t wq = -astro::Sin15(t, dec);

    const astro::FrameSines<int32_t>& s = f.fixed;
    const int32_t p = (s.cosSidereal * yq - s.sinSidereal * xq) / 16384;
    const int32_t q = (s.sinSidereal * yq + s.cosSidereal * xq) / 16384;
    const int32_t r = (s.cosLatitude * wq - s.sinLatitude * q) / 16384;
    const int32_t u = (s.sinLatitude * wq + s.cosLatitude * q) / 16384;
    const int32_t sx = (s.cosAzimuth * p - s.sinAzimuth * r) / 16384;
    const int32_t v = (s.cosAzimuth * r + s.sinAzimuth * p) / 16384;
    const int32_t sy = (s.cosTilt * v - s.sinTilt * u) / 16384;
    const int32_t z = -((s.sinTilt * v + s.cosTilt * u) / 16384);

    ScreenPoint point = astro::detail::DivideByDepth(f, sx, sy, z);
    if (u > 0 && point.flag > 0) point.flag = astro::kBelowHorizonFlag;
    return point;
}

int GuideRadius(const astro::ViewFrame& f, BinAngle theta) {
    const int32_t depth = astro::Cos15(f.tables.sincos, theta);
    const int32_t divisor = depth >= 1 ? f.tables.zbi[depth] : f.tables.zbi2[-depth];
    if (divisor == 0) return 0;
    return f.Zoom * astro::Sin15(f.tables.sincos, theta) / divisor;
}

void DrawGlowBands(LayerContext& layer, int first, int last) {
    const state::ViewState& view = *layer.scene.view;
    const SunGlow glow = SunGlowOf(layer);
    const bool horizonBands = view.Chijoukou && view.Horizon && !view.SekidouMod;
    if (!glow.shown && !horizonBands) return;
    layer.canvas.SetPen(Pen{Colour::Index(0), 0, PenStyle::Null});
    std::optional<SkylineOutline> bandTop;
    for (int j = last - 1; j >= first; --j) {
        // Sky gradient above the horizon, Sun-glow ramp (brightest inward) around the Sun.
        const int index = j >= 0 ? kSkyGradientLast - j : kStarColourFirst + j;
        layer.canvas.SetBrush(Brush{Colour::Index(index), false});
        if (glow.shown) DrawSunRing(layer, glow, j);
        if (j >= 0 && horizonBands) DrawHorizonBand(layer, j, bandTop);
    }
}

void DrawEclipticGrid(LayerContext& layer, bool scale) {
    DrawGrid(layer, GridFrame::Ecliptic, kSlotEclipticGrid, scale);
}

void DrawEquatorialGrid(LayerContext& layer, bool scale) {
    DrawGrid(layer, GridFrame::Equatorial, kSlotEquatorGrid, scale);
}

void DrawHorizontalGrid(LayerContext& layer, bool scale) {
    DrawGrid(layer, GridFrame::Horizontal, kSlotGrid, scale);
}

void DrawEclipticLine(LayerContext& layer) {
    DrawGreatCircle(layer, GridFrame::Ecliptic, kSlotEcliptic);
}

void DrawCelestialEquator(LayerContext& layer) {
    DrawGreatCircle(layer, GridFrame::Equatorial, kSlotEquator);
}

void DrawGuides(LayerContext& layer) {
    Canvas& canvas = layer.canvas;
    const state::ViewState& view = *layer.scene.view;
    const astro::ViewFrame& f = layer.scene.viewFrame;
    canvas.SetPen(SlotPen(layer, kSlotGuide));
    canvas.SetBrush(Brush{Colour::Index(0), true});
    if (view.CircleGuide) {
        // CircleSize is the diameter in tenths of a degree: radius CircleSize / 20 degrees.
        const int r = GuideRadius(f, view.CircleSize * 4096 / 900);
        canvas.Ellipse(-r, -r, r + 1, r + 1);
        if (view.CenterGuide) {
            for (const Point end : {Point{r, 0}, Point{-r, 0}, Point{0, r}, Point{0, -r}}) {
                canvas.MoveTo(0, 0);
                canvas.LineTo(end.x, end.y);
            }
        }
    }
    if (view.Shaya) {
        // A 36 x 24 mm frame behind a lens of focal length ShayaSize millimetres.
        const double focal = std::max(1, view.ShayaSize);
        const int w = GuideRadius(f, BinOfRadians(std::atan2(18.0, focal)));
        const int h = GuideRadius(f, BinOfRadians(std::atan2(12.0, focal)));
        canvas.MoveTo(-w, -h);
        for (const Point p : {Point{0, -h}, Point{w, -h}, Point{w, 0}, Point{w, h}, Point{0, h},
                              Point{-w, h}, Point{-w, 0}, Point{-w, -h}})
            canvas.LineTo(p.x, p.y);
    }
}

void DrawHorizon(LayerContext& layer) {
    Canvas& canvas = layer.canvas;
    SkyScene& scene = layer.scene;
    const astro::ViewFrame& f = scene.viewFrame;
    if (f.HorizonShown) DrawGround(layer);

    // The ground's outline is the horizon; the line is drawn only without it, and on paper
    // without colour where the ground is white.
    canvas.SetPen(SlotPen(layer, kSlotHorizon));
    if (!f.HorizonShown || layer.target == kTargetMonochromePrint) {
        const std::vector<SkylinePoint> horizon = HorizonSkyline(f);
        for (const std::vector<Point>& piece :
             OutlineBelowSkyline(f, scene.frame.viewport, horizon).pieces) {
            for (const Point& p : piece)
                PolylineTo(canvas, scene.polyline, p.x, p.y, 1);
            PolylineTo(canvas, scene.polyline, 0, 0, 0);
        }
    }
    std::array<ScreenPoint, kDirectionNames.size()> directions{};
    for (std::size_t i = 0; i < directions.size(); ++i)
        directions[i] =
            astro::ProjectHorizontal(f, Bin(static_cast<int>(i) * 450), -f.RefractionAngle);

    canvas.SetFont(SlotFont(*scene.view, kFontDirection, layer.target));
    canvas.SetTextColour(Colour::Index(PaletteIndexOfSlot(kSlotHorizon)));
    // Looking at the zenith the names sit on the horizon; otherwise just below it.
    const int offset = scene.view->Koudo2 >= 890 ? 0 : 4;
    for (std::size_t i = 0; i < directions.size(); ++i) {
        const ScreenPoint& p = directions[i];
        if (p.flag < 0) continue;
        DrawText8(canvas, scene.frame.viewport, p.x, p.y, offset, kDirectionNames[i]);
    }
}

}  // namespace render

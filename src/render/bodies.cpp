#include "render/bodies.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "astro/centring.h"
#include "astro/moon_phase.h"
#include "astro/projection.h"
#include "render/fonts.h"
#include "render/layer_support.h"
#include "render/primitives.h"

namespace render {
namespace {

// Palette entries of the bodies (row 0 of the star colours: 67 blue .. 72 red).
constexpr int kSunColour = 69;
constexpr int kSunGlyphColour = 15;
constexpr int kSunGlyphTraceColour = 50;
constexpr int kSkyColour = 16;
constexpr int kMoonLitColour = 70;
constexpr int kMoonEdgeColour = 88;
constexpr int kPenumbraColour = 76;
// The Moon in the Earth's umbra is lit only by sunlight bent through the Earth's air: a dim
// copper red, never the sky's colour (which would make the totally eclipsed Moon vanish).
constexpr Colour kUmbraColour = Colour::Rgb(0x60, 0x24, 0x14);
constexpr int kBlack = -1;
constexpr int kPlanetLabelColour = 11;  // line colour slot 14
constexpr int kCometLabelColour = 14;   // line colour slot 15
constexpr int kPlanetLabelFont = 12;
constexpr int kCometLabelFont = 14;
constexpr int kCometLabelOrder = 100;  // comets' names after those of the 25 bodies

constexpr int kScreenDiscMinimum = 13;
constexpr int kPrintDiscMinimum = 40;

// Greys on paper (monochrome, and colour mode 4 for the star-colour entries).
constexpr int kSunGrey = 200;
constexpr int kMoonDarkGrey = 150;
constexpr int kMoonLitGrey = 255;
constexpr int kPlanetGrey = 110;
constexpr int kLabelGrey = 0;

// --- Pixel glyphs (offsets from the body's pixel) ---------------------------------------------

constexpr PatternOffset kDisc6[] = {  // 6 x 6 with three pixels cut at each corner: 24
    {-1, -3}, {0, -3}, {-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {-3, -1}, {-2, -1},
    {-1, -1}, {0, -1}, {1, -1},  {2, -1},  {-3, 0}, {-2, 0}, {-1, 0},  {0, 0},
    {1, 0},   {2, 0},  {-2, 1},  {-1, 1},  {0, 1},  {1, 1},  {-1, 2},  {0, 2}};
constexpr PatternOffset kDisc4[] = {  // 4 x 4 without its corners: 12
    {-1, -2}, {0, -2}, {-2, -1}, {-1, -1}, {0, -1}, {1, -1},
    {-2, 0},  {-1, 0}, {0, 0},   {1, 0},   {-1, 1}, {0, 1}};
constexpr PatternOffset kDisc5[] = {  // 5 x 5 without its corners: 21
    {-1, -2}, {0, -2}, {1, -2}, {-2, -1}, {-1, -1}, {0, -1}, {1, -1},
    {2, -1},  {-2, 0}, {-1, 0}, {0, 0},   {1, 0},   {2, 0},  {-2, 1},
    {-1, 1},  {0, 1},  {1, 1},  {2, 1},   {-1, 2},  {0, 2},  {1, 2}};
// Jupiter, 7 x 7 with three pixels cut at each corner, in three colours: the zones (18), the
// belts (17) and the red spot (2).
constexpr PatternOffset kJupiterZones[] = {{-1, -3}, {0, -3}, {1, -3}, {-3, -1}, {-2, -1}, {-1, -1},
                                           {0, -1},  {1, -1}, {2, -1}, {3, -1},  {-3, 1},  {-2, 1},
                                           {-1, 1},  {2, 1},  {3, 1},  {-1, 3},  {0, 3},   {1, 3}};
constexpr PatternOffset kJupiterBelts[] = {{-2, -2}, {-1, -2}, {0, -2}, {1, -2}, {2, -2}, {-3, 0},
                                           {-2, 0},  {-1, 0},  {0, 0},  {1, 0},  {2, 0},  {3, 0},
                                           {-2, 2},  {-1, 2},  {0, 2},  {1, 2},  {2, 2}};
constexpr PatternOffset kJupiterSpot[] = {{0, 1}, {1, 1}};
constexpr PatternOffset kSaturnGlobe[] = {  // 19
    {-1, -2}, {0, -2}, {1, -2}, {-2, -1}, {-1, -1}, {0, -1}, {1, -1}, {2, -1}, {-1, 0}, {0, 0},
    {1, 0},   {-2, 1}, {-1, 1}, {0, 1},   {1, 1},   {2, 1},  {-1, 2}, {0, 2},  {1, 2}};
constexpr PatternOffset kSaturnRing[] = {  // 10, slightly tilted
    {-6, 1}, {-5, 0}, {-4, 0}, {-3, 0}, {-2, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, -1}};
constexpr PatternOffset kUranusAxis[] = {  // 8
    {0, -4}, {0, -3}, {0, -2}, {0, -1}, {0, 0}, {0, 1}, {0, 2}, {0, 3}};
constexpr PatternOffset kPlus[] = {{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}};
constexpr PatternOffset kCometShape[] = {  // a 3 x 3 head and an 11-pixel tail up to the right
    {-1, -1}, {0, -1}, {1, -1}, {-1, 0},   {0, 0},    {1, 0},   {-1, 1},
    {0, 1},   {1, 1},  {2, -2}, {3, -3},   {4, -4},   {5, -5},  {6, -6},
    {7, -7},  {8, -8}, {9, -9}, {10, -10}, {11, -11}, {12, -12}};

// The point glyphs of the bitmap style: a cross of four dots around a brighter centre pixel.
constexpr PatternOffset kPointCross[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
constexpr PatternOffset kPointDiagonal[] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr PatternOffset kCentre[] = {{0, 0}};

constexpr GlyphPart kSunGlyph[] = {{kDisc6, kSunGlyphColour}};
constexpr GlyphPart kMercuryGlyph[] = {{kDisc4, 70}};
constexpr GlyphPart kVenusGlyph[] = {{kDisc6, 70}};
constexpr GlyphPart kMarsGlyph[] = {{kDisc5, 71}};
constexpr GlyphPart kJupiterGlyph[] = {
    {kJupiterZones, 71}, {kJupiterBelts, 70}, {kJupiterSpot, 72}};
constexpr GlyphPart kSaturnGlyph[] = {{kSaturnGlobe, 70}, {kSaturnRing, 69}};
constexpr GlyphPart kUranusGlyph[] = {{kDisc4, 68}, {kUranusAxis, 69}};
constexpr GlyphPart kNeptuneGlyph[] = {{kDisc4, 67}};
constexpr GlyphPart kMinorGlyph[] = {{kPlus, 70}};
constexpr GlyphPart kCometGlyph[] = {{kCometShape, 69}};
constexpr GlyphPart kMercuryTransitGlyph[] = {{kDisc4, kBlack}};
constexpr GlyphPart kVenusTransitGlyph[] = {{kDisc6, kBlack}};

constexpr GlyphPart kUranusPoints[] = {{kPointCross, 68}, {kCentre, 69}};
constexpr GlyphPart kNeptunePoints[] = {{kPointCross, 67}, {kCentre, 69}};
constexpr GlyphPart kMinorPoints[] = {{kPointDiagonal, 70}, {kCentre, 69}};

Colour PaletteColour(int index, int shift) {
    return index == kBlack ? Colour::Rgb(0, 0, 0) : Colour::Index(index + shift);
}

// --- Body facts --------------------------------------------------------------------------------

// Screen glyph, printed diameter and the size the label keeps clear of, per planet 2..8.
struct PlanetLook {
    BodyGlyph glyph;
    int printDiameter;
    int screenSize;
};
constexpr PlanetLook kPlanets[] = {{BodyGlyph::Mercury, 16, 4}, {BodyGlyph::Venus, 24, 6},
                                   {BodyGlyph::Mars, 20, 5},    {BodyGlyph::Jupiter, 28, 7},
                                   {BodyGlyph::Saturn, 24, 6},  {BodyGlyph::Uranus, 20, 6},
                                   {BodyGlyph::Neptune, 16, 4}};
constexpr int kFirstPlanet = 2;
constexpr int kLastPlanet = 8;
constexpr int kMinorScreenSize = 3;
constexpr int kMinorPrintDiameter = 12;
constexpr int kCometScreenSize = 3;
constexpr int kCometPrintSize = 10;

// Brightness class of a body against a bright sky: 0 bright (Venus, Mars, Jupiter), 1 medium
// (Mercury, Saturn), 2 faint (the rest).
bool VisibleAgainstSky(int index, const RenderFrame& f) {
    switch (index) {
        case astro::kSunIndex:
        case astro::kMoonIndex:
            return true;
        case 3:
        case 4:
        case 5:
            return f.bodyVisibleBright;
        case 2:
        case 6:
            return f.bodyVisibleMedium;
        default:
            return f.bodyVisibleFaint;
    }
}

bool Traced(int index, const state::AppOptions* options) {
    const std::array<int32_t, 5> chosen =
        options ? options->AutoTaishou : state::AppOptions{}.AutoTaishou;
    if (index == astro::kSunIndex) return chosen[0] != 0;
    if (index == astro::kMoonIndex) return chosen[1] != 0;
    return chosen[2] != 0;
}

// The body's pixel: skipped beyond 150 degrees, below a shown horizon, or when the position is
// not a number; rounded half away from zero.
bool PlaceOnScreen(double x, double y, double depth, bool horizonShown, Point& pixel) {
    if (!(depth >= 0)) return false;
    if (horizonShown && depth == kBelowHorizonFlag) return false;
    if (!(std::fabs(x) <= astro::kScreenLimit && std::fabs(y) <= astro::kScreenLimit)) return false;
    pixel = Point{static_cast<int>(std::round(x)), static_cast<int>(std::round(y))};
    return true;
}

}  // namespace

// The Sun stands west of a waxing Moon, and the polygons put their full limb on the +axis side
// while the Moon waxes: the axis is the ecliptic's eastward direction turned half round.
double MoonPhaseAxis(const SkyScene& scene) {
    constexpr double kPi = 3.141592653589793;
    const double eastward = astro::MoonTilt(scene.viewFrame, scene.bodies);
    return std::isfinite(eastward) ? eastward + kPi : 0.0;
}

namespace {

std::string_view BoundedName(const char (&field)[32]) {
    return std::string_view(field, strnlen(field, sizeof field));
}

// --- Drawing -----------------------------------------------------------------------------------

class BodyPainter {
  public:
    BodyPainter(LayerContext& layer, bool trace)
        : layer_(layer),
          canvas_(layer.canvas),
          scene_(layer.scene),
          view_(*layer.scene.view),
          frame_(layer.scene.frame),
          printing_(layer.target != kTargetScreen),
          trace_(trace),
          shift_(trace ? kTracePaletteShift : 0) {}

    bool printing() const { return printing_; }

    // A palette colour for this target: unchanged on screen, the grey (or the paper version of
    // the colour) in print.
    Colour Resolve(int index, int grey, bool shifted = true) const {
        const Colour c = PaletteColour(index, shifted ? shift_ : 0);
        if (!printing_) return c;
        return ResolveColour(frame_.bodyColourMode, grey, c, scene_.palette);
    }

    bool BitmapGlyphs() const {
        return !printing_ && (view_.DrawStarMode3 == 1 || view_.DrawStarMode3 == 5) &&
               view_.TrueColourDisplay && scene_.glyphSheet && scene_.glyphSheet->loaded();
    }

    void Circle(Point c, int diameter, Colour fill, bool outlined) {
        canvas_.SetPen(outlined ? Pen{Colour::Rgb(0, 0, 0), frame_.linePenWidth, PenStyle::Solid}
                                : Pen{fill, 0, PenStyle::Null});
        canvas_.SetBrush(Brush{fill, false});
        const int left = c.x - diameter / 2, top = c.y - diameter / 2;
        canvas_.Ellipse(left, top, left + diameter, top + diameter);
    }

    int DrawSun(Point p) {
        const int d = DiscDiameter(scene_.viewFrame, scene_.bodies.sunRadius,
                                   printing_ ? kPrintDiscMinimum : kScreenDiscMinimum);
        Circle(p, d, Resolve(kSunColour, kSunGrey), printing_);
        return d;
    }

    int DrawMoon(Point p) {
        const astro::SolarSystemState& bodies = scene_.bodies;
        const int d = DiscDiameter(scene_.viewFrame, bodies.moonRadius,
                                   printing_ ? kPrintDiscMinimum : kScreenDiscMinimum);
        // An elongation that is not a number draws the dark disc alone, as at new moon.
        const double elongation =
            std::isfinite(bodies.MoonElongation) ? bodies.MoonElongation : 0.0;
        const astro::MoonPhaseShape shape =
            astro::MoonPhasePolygons({p.x, p.y}, d, elongation, MoonPhaseAxis(scene_));
        if (shape.disc.empty()) return d;
        disc_.assign(shape.disc.size(), Point{});
        std::transform(shape.disc.begin(), shape.disc.end(), disc_.begin(),
                       [](astro::PixelPoint q) {
                           return Point{q.x, q.y};
                       });
        const Colour dark = Resolve(kSkyColour, kMoonDarkGrey, false);
        const Colour edge = view_.MoonWaku != 0 || printing_ ? Resolve(kMoonEdgeColour, 0) : dark;
        canvas_.SetPen(Pen{edge, 0, PenStyle::Solid});
        if (view_.MoonWaku == 2) {
            canvas_.SetBrush(Brush{edge, true});
            DrawPolygonClipped(canvas_, frame_.viewport, disc_);
            return d;
        }
        canvas_.SetBrush(Brush{dark, false});
        DrawPolygonClipped(canvas_, frame_.viewport, disc_);
        if (elongation != 0) {
            std::vector<Point> lit(shape.lit.size());
            std::transform(shape.lit.begin(), shape.lit.end(), lit.begin(),
                           [](astro::PixelPoint q) {
                               return Point{q.x, q.y};
                           });
            canvas_.SetPen(Pen{Resolve(kMoonEdgeColour, 0), 0, PenStyle::Solid});
            canvas_.SetBrush(Brush{Resolve(kMoonLitColour, kMoonLitGrey), false});
            DrawPolygonClipped(canvas_, frame_.viewport, lit);
        }
        if (!printing_) DrawEarthShadow(p, d, edge);
        return d;
    }

    // The penumbra and umbra over the Moon, clipped to its disc. A Moon drawn larger than its
    // true size (the 13-pixel minimum) carries the shadow enlarged with it about its centre, so
    // that the eclipse looks as it does in the sky.
    void DrawEarthShadow(Point p, int moonDiameter, Colour edge) {
        const astro::SolarSystemState& bodies = scene_.bodies;
        const astro::EarthShadow shadow = astro::EarthShadowOf(bodies);
        if (!shadow.reachesMoon) return;
        const astro::BodyState& moon = bodies.bodies[astro::kMoonIndex];
        const astro::PreciseScreenPoint c = astro::ProjectEclipticPrecise(
            scene_.viewFrame, shadow.centreLongitude * astro::kBinPerRadian,
            shadow.centreLatitude * astro::kBinPerRadian);
        const double trueDiameter = DiscDiameter(scene_.viewFrame, bodies.moonRadius, 1);
        const double scale = trueDiameter > 0 ? std::max(1.0, moonDiameter / trueDiameter) : 1.0;
        const double dx = (c.x - moon.screenX) * scale, dy = (c.y - moon.screenY) * scale;
        if (!(std::fabs(dx) < 1e5 && std::fabs(dy) < 1e5)) return;
        const Point centre{p.x + static_cast<int>(std::round(dx)),
                           p.y + static_cast<int>(std::round(dy))};
        const int penumbra = static_cast<int>(
            std::min(1e5, DiscDiameter(scene_.viewFrame, shadow.penumbraRadius, 1) * scale));
        const int umbra = static_cast<int>(
            std::min(1e5, DiscDiameter(scene_.viewFrame, shadow.umbraRadius, 1) * scale));
        canvas_.SetClipPolygon(disc_);
        Circle(centre, penumbra, PaletteColour(kPenumbraColour, shift_), false);
        Circle(centre, umbra, kUmbraColour, false);
        canvas_.ClearClip();
        canvas_.SetPen(Pen{edge, 0, PenStyle::Solid});
        canvas_.SetBrush(Brush{edge, true});
        DrawPolygonClipped(canvas_, frame_.viewport, disc_);
    }

    int DrawPlanet(int index, Point p, bool transit) {
        const PlanetLook& look = kPlanets[index - kFirstPlanet];
        if (printing_) {
            const Colour fill =
                transit ? Colour::Rgb(0, 0, 0)
                        : Resolve(PixelGlyphParts(look.glyph).front().colour, kPlanetGrey);
            Circle(p, look.printDiameter, fill, true);
            if (look.glyph == BodyGlyph::Saturn) DrawPrintedRing(p, look.printDiameter);
            return look.printDiameter;
        }
        BodyGlyph glyph = look.glyph;
        if (transit) glyph = index == 2 ? BodyGlyph::MercuryTransit : BodyGlyph::VenusTransit;
        DrawBodyGlyph(canvas_, p.x, p.y, glyph, BitmapGlyphs() ? scene_.glyphSheet : nullptr,
                      trace_);
        return look.screenSize;
    }

    void DrawPrintedRing(Point p, int diameter) {
        canvas_.SetPen(Pen{Colour::Rgb(0, 0, 0), frame_.linePenWidth, PenStyle::Solid});
        for (int k = -1; k <= 1; k += 2) {
            canvas_.MoveTo(p.x - diameter, p.y + k * diameter / 8 + diameter / 10);
            canvas_.LineTo(p.x + diameter, p.y + k * diameter / 8 - diameter / 10);
        }
    }

    int DrawMinor(Point p) {
        if (printing_) {
            canvas_.SetPen(Pen{Colour::Rgb(0, 0, 0), frame_.linePenWidth, PenStyle::Solid});
            canvas_.SetBrush(Brush{Resolve(70, kPlanetGrey), false});
            canvas_.Ellipse(p.x - 6, p.y - 6, p.x + 7, p.y + 7);
            return kMinorPrintDiameter;
        }
        DrawBodyGlyph(canvas_, p.x, p.y, BodyGlyph::Minor,
                      BitmapGlyphs() ? scene_.glyphSheet : nullptr, trace_);
        return kMinorScreenSize;
    }

    int DrawComet(Point p) {
        if (printing_) {
            const Colour black = Colour::Rgb(0, 0, 0);
            canvas_.SetPen(Pen{black, frame_.linePenWidth, PenStyle::Solid});
            canvas_.SetBrush(Brush{Resolve(69, kPlanetGrey), false});
            canvas_.Ellipse(p.x - 4, p.y - 4, p.x + 5, p.y + 5);
            // A short tail of three lines fanning out to the upper right.
            for (const Point end : {Point{30, -22}, Point{26, -26}, Point{22, -30}}) {
                canvas_.MoveTo(p.x + 3, p.y - 3);
                canvas_.LineTo(p.x + end.x, p.y + end.y);
            }
            return kCometPrintSize;
        }
        DrawBodyGlyph(canvas_, p.x, p.y, BodyGlyph::Comet,
                      BitmapGlyphs() ? scene_.glyphSheet : nullptr, trace_);
        return kCometScreenSize;
    }

    // The name right of the drawn size, vertically centred on the body, unless it would write
    // over the label kept in `avoid` (the Sun's, under the Moon in an eclipse): then just below
    // it. Returns the label's box (empty when nothing was written).
    LabelBox Label(Point p, int size, std::string_view name, int fontSlot, int colourIndex,
                   int order, const LabelBox& avoid = {}) {
        if (name.empty()) return {};
        const LabelStyle style{SlotFont(view_, fontSlot, layer_.target),
                               printing_ ? ResolveColour(frame_.bodyColourMode, kLabelGrey,
                                                         Colour::Index(colourIndex), scene_.palette)
                                         : Colour::Index(colourIndex)};
        UseLabelStyle(canvas_, style);
        const TextSize text = canvas_.MeasureText(name);
        const int gap = printing_ ? 5 : 3;
        const int centreX = p.x + size / 2 + gap + text.width / 2;
        LabelBox box{centreX - text.width / 2, p.y - text.height / 2, 0, 0};
        box.right = box.left + text.width;
        box.bottom = box.top + text.height;
        int y = p.y;
        if (box.overlaps(avoid)) {
            y += avoid.bottom - box.top;
            box.bottom += avoid.bottom - box.top;
            box.top = avoid.bottom;
        }
        if (!frame_.viewport.contains(centreX, y)) return {};
        DrawLayerLabel(layer_, style, centreX, y, 0, name, LabelRank::Body, order);
        return box;
    }

  private:
    LayerContext& layer_;
    Canvas& canvas_;
    SkyScene& scene_;
    const state::ViewState& view_;
    const RenderFrame& frame_;
    bool printing_;
    bool trace_;
    int shift_;
    std::vector<Point> disc_;
};

std::string_view BodyName(int index, int mode) {
    const astro::PlanetElements& record = astro::BodyTable()[static_cast<std::size_t>(index)];
    return mode == 2 ? record.japaneseName : record.englishName;
}

}  // namespace

std::span<const GlyphPart> PixelGlyphParts(BodyGlyph glyph) {
    switch (glyph) {
        case BodyGlyph::Sun:
            return kSunGlyph;
        case BodyGlyph::Mercury:
            return kMercuryGlyph;
        case BodyGlyph::Venus:
            return kVenusGlyph;
        case BodyGlyph::Mars:
            return kMarsGlyph;
        case BodyGlyph::Jupiter:
            return kJupiterGlyph;
        case BodyGlyph::Saturn:
            return kSaturnGlyph;
        case BodyGlyph::Uranus:
            return kUranusGlyph;
        case BodyGlyph::Neptune:
            return kNeptuneGlyph;
        case BodyGlyph::Minor:
            return kMinorGlyph;
        case BodyGlyph::Comet:
            return kCometGlyph;
        case BodyGlyph::MercuryTransit:
            return kMercuryTransitGlyph;
        case BodyGlyph::VenusTransit:
            return kVenusTransitGlyph;
    }
    return {};
}

void DrawBodyGlyph(Canvas& canvas, int x, int y, BodyGlyph glyph, const GlyphSheet* sheet,
                   bool trace) {
    const int shift = trace ? kTracePaletteShift : 0;
    if (sheet && sheet->loaded()) {
        const int variant = trace ? 1 : 0;
        auto cell = [&](GlyphCell c) {
            canvas.DrawImageCell(x - 8, y - 6, sheet->Cell(c, variant));
        };
        auto points = [&](std::span<const GlyphPart> parts) {
            for (const GlyphPart& part : parts)
                canvas.PlotPattern(x, y, part.offsets, PaletteColour(part.colour, shift));
        };
        switch (glyph) {
            case BodyGlyph::Venus:
                return cell(GlyphCell::Venus);
            case BodyGlyph::Mars:
                return cell(GlyphCell::Mars);
            case BodyGlyph::Jupiter:
                return cell(GlyphCell::Jupiter);
            case BodyGlyph::Saturn:
                return cell(GlyphCell::Saturn);
            case BodyGlyph::Comet:
                return cell(GlyphCell::Comet);
            case BodyGlyph::Mercury:
                return cell(GlyphCell::Mercury);
            case BodyGlyph::Uranus:
                return points(kUranusPoints);
            case BodyGlyph::Neptune:
                return points(kNeptunePoints);
            case BodyGlyph::Minor:
                return points(kMinorPoints);
            default:
                break;  // the Sun and the transits keep their pixel glyphs
        }
    }
    for (const GlyphPart& part : PixelGlyphParts(glyph)) {
        const int colour = glyph == BodyGlyph::Sun && trace ? kSunGlyphTraceColour : part.colour;
        canvas.PlotPattern(x, y, part.offsets,
                           PaletteColour(colour, glyph == BodyGlyph::Sun ? 0 : shift));
    }
}

std::array<int, astro::kBodyCount> BodyPaintOrder(const astro::SolarSystemState& bodies) {
    std::array<int, astro::kBodyCount> order{};
    // Insertion sort of 2..24 by increasing distance: stable, and a distance that is not a
    // number compares false and so never moves anything.
    std::vector<int> near;
    for (int k = 2; k < astro::kBodyCount; ++k) {
        near.push_back(k);
        for (std::size_t j = near.size() - 1; j > 0; --j) {
            const double a = bodies.bodies[static_cast<std::size_t>(near[j])].geoDistance;
            const double b = bodies.bodies[static_cast<std::size_t>(near[j - 1])].geoDistance;
            if (!(a < b)) break;
            std::swap(near[j], near[j - 1]);
        }
    }
    std::size_t n = 0;
    for (auto it = near.rbegin(); it != near.rend(); ++it)
        order[n++] = *it;
    order[n++] = astro::kSunIndex;
    order[n] = astro::kMoonIndex;
    return order;
}

bool InTransit(const astro::SolarSystemState& bodies, int index) {
    const astro::BodyState& sun = bodies.bodies[astro::kSunIndex];
    const astro::BodyState& body = bodies.bodies[static_cast<std::size_t>(index)];
    if (index == astro::kMercuryIndex) {
        return body.geoDistance < sun.geoDistance &&
               bodies.sunMercurySeparation <= bodies.sunRadius + bodies.mercuryRadius;
    }
    if (index == astro::kVenusIndex) {
        return body.geoDistance < sun.geoDistance &&
               bodies.sunVenusSeparation <= bodies.sunRadius + bodies.venusRadius;
    }
    return false;
}

int DiscDiameter(const astro::ViewFrame& frame, double radius, int minimum) {
    constexpr double kHalfPi = 1.5707963267948966;
    const double twice = 2 * radius;
    if (!(twice > 0 && twice < kHalfPi) || !frame.tables.zbi) return minimum;
    const int depth = std::clamp(static_cast<int>(16384 * std::cos(twice)), 1, 16385);
    const int divisor = frame.tables.zbi[depth];
    if (divisor <= 0) return minimum;
    const double d = std::trunc(frame.Zoom * 16384.0 * std::sin(twice) / divisor);
    if (!(d < 100000)) return 100000;
    return std::max(minimum, static_cast<int>(d));
}

void DrawBodies(LayerContext& layer, bool trace) {
    SkyScene& scene = layer.scene;
    const state::ViewState& view = *scene.view;
    const astro::SolarSystemState& bodies = scene.bodies;
    const bool horizonShown = scene.viewFrame.HorizonShown != 0;
    BodyPainter painter(layer, trace);
    // Names are written after every disc, so that no later disc covers an earlier name.
    struct PendingLabel {
        int index;
        Point pixel;
        int size;
        int mode;
    };
    std::vector<PendingLabel> labels;
    auto draw = [&](int index, bool transit) {
        const astro::BodyState& body = bodies.bodies[static_cast<std::size_t>(index)];
        Point p;
        if (!PlaceOnScreen(body.screenX, body.screenY, body.depth, horizonShown, p)) return;
        if (!transit && !VisibleAgainstSky(index, scene.frame)) return;
        scene.drawnMarks.push_back({astro::kBodyObject, index, scene.traceStep, p});
        int size;
        if (index == astro::kSunIndex) {
            size = painter.DrawSun(p);
        } else if (index == astro::kMoonIndex) {
            size = painter.DrawMoon(p);
        } else if (index <= kLastPlanet) {
            size = painter.DrawPlanet(index, p, transit);
        } else {
            size = painter.DrawMinor(p);
        }
        // A planet in transit is named even where the mode draws symbols only.
        const int mode = view.Solar >= 2 ? view.Solar : (transit && !trace ? 3 : 0);
        if (mode == 2 || mode == 3) labels.push_back(PendingLabel{index, p, size, mode});
    };
    // Mercury and Venus in transit stand in front of the Sun, so they follow it.
    std::vector<int> inTransit;
    for (const int index : BodyPaintOrder(bodies)) {
        if (!astro::BodyShownAtLevel(index, view.WakuseiLevel)) continue;
        if (trace && !Traced(index, scene.options)) continue;
        if (InTransit(bodies, index)) {
            inTransit.push_back(index);
            continue;
        }
        if (index == astro::kMoonIndex) {
            for (const int planet : inTransit)
                draw(planet, true);
            inTransit.clear();
        }
        draw(index, false);
    }
    for (const int planet : inTransit)
        draw(planet, true);
    LabelBox sunLabel;
    for (const PendingLabel& label : labels) {
        const LabelBox box =
            painter.Label(label.pixel, label.size, BodyName(label.index, label.mode),
                          kPlanetLabelFont, kPlanetLabelColour, label.index, sunLabel);
        if (label.index == astro::kSunIndex) sunLabel = box;
    }
}

void DrawComets(LayerContext& layer, bool trace) {
    SkyScene& scene = layer.scene;
    const state::ViewState& view = *scene.view;
    const state::CometTable* table = scene.comets;
    const int count = table ? std::clamp(table->count, 0, state::kCometFileLimit) : 0;
    astro::CometState hidden;
    hidden.hidden = true;
    hidden.depth = astro::kHiddenCometDepth;
    scene.cometStates.assign(static_cast<std::size_t>(count), hidden);
    const state::AppOptions defaults;
    const state::AppOptions& options = scene.options ? *scene.options : defaults;
    const bool horizonShown = scene.viewFrame.HorizonShown != 0;
    BodyPainter painter(layer, trace);
    for (int k = 0; k < count; ++k) {
        const state::CometRecord& record = table->records[static_cast<std::size_t>(k)];
        if (record.show == 0) continue;
        astro::CometState& state = scene.cometStates[static_cast<std::size_t>(k)];
        state = astro::ComputeCometState(record, scene.viewFrame, scene.bodies, options.CometBright,
                                         options.CometKyori);
        if (!scene.frame.cometVisible) continue;
        Point p;
        if (!PlaceOnScreen(state.screenX, state.screenY, state.depth, horizonShown, p)) continue;
        scene.drawnMarks.push_back({astro::kCometObject, k, scene.traceStep, p});
        const int size = painter.DrawComet(p);
        if (view.Comet == 2 || view.Comet == 3) {
            painter.Label(p, size, BoundedName(view.Comet == 2 ? record.NAMEJ : record.NAMEE),
                          kCometLabelFont, kCometLabelColour, kCometLabelOrder + k);
        }
    }
}

}  // namespace render

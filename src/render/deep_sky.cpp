#include "render/deep_sky.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "render/fonts.h"
#include "render/layer_support.h"
#include "render/picture_warp.h"

namespace render {
namespace {

using persist::ObjectNameRecord;
using persist::ObjectRecord;

constexpr int kLabelPaletteIndex = 10;  // line colour slot 13, "Galaxy Label"
constexpr int kLabelOffsetScreen = 4;
constexpr int kLabelOffsetPaper = 19;
constexpr int kPaperSymbolRadius = 14;  // pixels of the five-times enlarged page
constexpr double kPi = 3.14159265358979323846;

constexpr PatternOffset kGalaxy[] = {
    {-1, -3}, {-2, -3}, {-3, -2}, {-3, -1}, {-1, -1}, {0, -1}, {1, -1}, {-2, 0}, {-1, 0}, {0, 0},
    {1, 0},   {2, 0},   {-1, 1},  {0, 1},   {1, 1},   {3, 1},  {3, 2},  {2, 3},  {1, 3}};
constexpr PatternOffset kNebula[] = {
    {-1, -3}, {0, -3}, {1, -3}, {-3, -1}, {-2, -1}, {-1, -1}, {0, -1}, {1, -1}, {2, -1}, {3, -1},
    {-3, 1},  {-2, 1}, {-1, 1}, {0, 1},   {1, 1},   {2, 1},   {3, 1},  {-1, 3}, {0, 3},  {1, 3}};
constexpr PatternOffset kPlanetary[] = {{-1, -3}, {0, -3},  {1, -3},  {-2, -2}, {-1, -2}, {1, -2},
                                        {2, -2},  {-3, -1}, {-2, -1}, {2, -1},  {3, -1},  {-3, 0},
                                        {3, 0},   {-3, 1},  {-2, 1},  {2, 1},   {3, 1},   {-2, 2},
                                        {-1, 2},  {1, 2},   {2, 2},   {-1, 3},  {0, 3},   {1, 3}};
constexpr PatternOffset kGlobular[] = {{0, -3}, {-1, -2}, {1, -2}, {-2, -1}, {0, -1}, {2, -1},
                                       {-3, 0}, {-1, 0},  {1, 0},  {3, 0},   {-2, 1}, {0, 1},
                                       {2, 1},  {-1, 2},  {1, 2},  {0, 3}};
constexpr PatternOffset kOpenCluster[] = {{-1, -3}, {1, -3}, {-3, -1}, {-1, -1}, {1, -1}, {3, -1},
                                          {-3, 1},  {-1, 1}, {1, 1},   {3, 1},   {-1, 3}, {1, 3}};
constexpr PatternOffset kRadiant[] = {{0, -3}, {0, -2},  {0, -1},  {0, 0},  {0, 1}, {0, 2},
                                      {0, 3},  {-2, -2}, {-1, -1}, {1, 1},  {2, 2}, {-2, 2},
                                      {-1, 1}, {1, -1},  {2, -2},  {0, -4}, {0, 4}, {-3, -3},
                                      {3, -3}, {-3, 3},  {3, 3}};

struct SymbolPass {
    uint8_t type;
    std::span<const PatternOffset> pattern;
};
// Drawn in this order, one pass per type.
constexpr SymbolPass kSymbolPasses[] = {
    {'G', kGalaxy},   {'N', kNebula},      {'P', kPlanetary},
    {'D', kGlobular}, {'C', kOpenCluster}, {'M', kRadiant},
};

// A zero-terminated field of a names record as text (never read past the field).
std::string_view Field(const char (&field)[24]) {
    return std::string_view(field, strnlen(field, sizeof field));
}

bool IsDigit(uint8_t c) {
    return c >= '0' && c <= '9';
}

// Screen symbol colour: a digit tint picks 57 + 12 d of the palette, a spectral letter the
// brightest star colour of its class.
Colour SymbolColour(uint8_t tint) {
    if (IsDigit(tint)) return Colour::Index(12 * tint - 519);
    return Colour::Index(kStarColourFirst + SpectralClassOf(tint));
}

int PrintClassOf(uint8_t tint) {
    const int c = IsDigit(tint) ? 2 : SpectralClassOf(tint);
    return c >= 0 && c <= 5 ? c : 2;
}

// The paper symbols: outlines and fills per type, black or in the spectral colours.
void DrawPaperSymbol(Canvas& canvas, int target, int x, int y, const ObjectRecord& object) {
    const Colour colour = SpectralColour(target, PrintClassOf(object.tint), false);
    const int r = kPaperSymbolRadius;
    const int width = target == kTargetColourPrint ? 4 : 2;
    canvas.SetPen(Pen{colour, width, PenStyle::Solid});
    canvas.SetBrush(Brush{colour, true});
    switch (object.type) {
        case 'G':  // a flattened ellipse
            canvas.Ellipse(x - r, y - r / 2, x + r + 1, y + r / 2 + 1);
            break;
        case 'N':  // a filled pale oval
            canvas.SetBrush(Brush{SpectralColour(target, PrintClassOf(object.tint), true), false});
            canvas.Ellipse(x - r, y - r * 2 / 3, x + r + 1, y + r * 2 / 3 + 1);
            break;
        case 'P':  // a ring around a dot
            canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
            canvas.SetBrush(Brush{colour, false});
            canvas.Ellipse(x - r / 4, y - r / 4, x + r / 4 + 1, y + r / 4 + 1);
            break;
        case 'D':  // a filled disc
            canvas.SetBrush(Brush{colour, false});
            canvas.Ellipse(x - r * 2 / 3, y - r * 2 / 3, x + r * 2 / 3 + 1, y + r * 2 / 3 + 1);
            break;
        case 'C':  // a dotted circle
            canvas.SetPen(Pen{colour, width, PenStyle::Dot});
            canvas.Ellipse(x - r, y - r, x + r + 1, y + r + 1);
            break;
        default:  // a radiant: a star of four strokes
            for (const Point d : {Point{r, 0}, Point{0, r}, Point{r, r}, Point{r, -r}}) {
                canvas.MoveTo(x - d.x, y - d.y);
                canvas.LineTo(x + d.x, y + d.y);
            }
            break;
    }
}

bool PictureUsable(const DeepSkyPicture& picture) {
    return picture.bitsPerPixel == 24 && !picture.compressed && picture.width > 0 &&
           picture.height > 0 && picture.width <= kDeepSkyPictureLimit &&
           picture.height <= kDeepSkyPictureLimit &&
           picture.rgb.size() >= static_cast<std::size_t>(picture.width) * picture.height * 3;
}

}  // namespace

const std::array<DeepSkyImage, 28> kDeepSkyImages = {{
    {"B_M31", 0, {{{2938, 3386}, {2752, 3469}, {2814, 3198}, {2632, 3277}}}},
    {"B_M42", 0, {{{8344, -2787}, {8240, -2782}, {8335, -2930}, {8231, -2924}}}},
    {"B_M45", 0, {{{6075, 481}, {5927, 513}, {6040, 323}, {5892, 356}}}},
    {"B_M33", 0, {{{3362, 1959}, {3313, 1979}, {3334, 1893}, {3284, 1914}}}},
    {"B_IC434", 0, {{{8534, -2479}, {8372, -2473}, {8525, -2695}, {8359, -2689}}}},
    {"B_NGC1499", 1, {{{6706, 1603}, {6436, 1656}, {6669, 1429}, {6400, 1481}}}},
    {"B_IC805_2", 1, {{{6382, 4285}, {5825, 4485}, {6217, 4050}, {5676, 4241}}}},
    {"B_IC4603", 1, {{{24984, -121}, {24704, -165}, {25039, -467}, {24760, -513}}}},
    {"B_M8", 2, {{{27255, 72}, {27022, 74}, {27253, -147}, {27020, -145}}}},
    {"B_M16", 2, {{{27533, 982}, {27410, 986}, {27530, 900}, {27407, 904}}}},
    {"B_M17", 2, {{{27549, 768}, {27454, 772}, {27547, 689}, {27452, 692}}}},
    {"B_NGC281", 2, {{{4029, 4576}, {3983, 4597}, {3996, 4542}, {3951, 4563}}}},
    {"B_NGC2175", 2, {{{9428, -40}, {9198, -45}, {9434, -313}, {9203, -319}}}},
    {"B_NGC2237", 2, {{{9928, -1737}, {9757, -1747}, {9938, -1896}, {9766, -1906}}}},
    {"B_NGC2264", 2, {{{10172, -1128}, {9752, -1156}, {10199, -1553}, {9779, -1582}}}},
    {"B_NGC3372", 2, {{{20141, -5684}, {19740, -5893}, {20635, -5917}, {20238, -6141}}}},
    {"B_NGC6334", 2, {{{26222, -1180}, {26117, -1187}, {26231, -1303}, {26125, -1309}}}},
    {"B_NGC6357", 2, {{{26318, -1050}, {26214, -1058}, {26327, -1173}, {26222, -1180}}}},
    {"B_NGC6992", 2, {{{33007, 4674}, {32638, 4784}, {32886, 4491}, {32526, 4597}}}},
    {"B_NGC7000", 2, {{{34332, 5811}, {33732, 6010}, {33967, 5512}, {33400, 5695}}}},
    {"B_IC405", 2, {{{8403, 1279}, {8007, 1307}, {8376, 935}, {7985, 963}}}},
    {"B_IC805_1", 2, {{{6382, 4285}, {5825, 4485}, {6217, 4050}, {5676, 4241}}}},
    {"B_IC1318", 2, {{{32944, 5827}, {31729, 6114}, {32331, 5150}, {31286, 5389}}}},
    {"B_IC1396", 2, {{{1104, 6367}, {727, 6559}, {698, 6208}, {311, 6388}}}},
    {"B_IC2177", 2, {{{11229, -3179}, {10846, -3226}, {11280, -3440}, {10887, -3490}}}},
    {"B_IC2944", 2, {{{21440, -5554}, {21202, -5686}, {21688, -5683}, {21451, -5819}}}},
    {"B_LMC", 2, {{{32600, -8790}, {34220, -8384}, {28690, -8568}, {31777, -8273}}}},
    {"B_SMC", 2, {{{31650, -6541}, {31328, -6279}, {31051, -6662}, {30779, -6390}}}},
}};

std::optional<int> RadiantPeakOf(const ObjectNameRecord& names) {
    const std::string_view text = Field(names.messier);
    if (text.size() < 2 || !IsDigit(static_cast<uint8_t>(text[1]))) return std::nullopt;
    int value = 0;
    for (std::size_t i = 1; i < text.size() && IsDigit(static_cast<uint8_t>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 100000) return std::nullopt;
    }
    return value;
}

bool RadiantActive(int solarLongitude, int peakDegrees) {
    int d = (solarLongitude - 100 * peakDegrees) % 36000;
    if (d < 0) d += 36000;
    return d <= 300 || d >= 35700;
}

void ProjectDeepSkyObjects(LayerContext& layer) {
    SkyScene& scene = layer.scene;
    std::vector<StarScreen>& screen = scene.objectScreen;
    screen.clear();
    if (!scene.data || !scene.projection.project) return;
    const auto objects = scene.data->block(persist::BlockId::OBJ).records<ObjectRecord>();
    screen.resize(objects.count());
    for (std::size_t i = 0; i < objects.count(); ++i) {
        const ObjectRecord o = objects[i];
        const ProjectedPoint p = scene.projection.Ecliptic(o.lon, o.lat);
        screen[i] = StarScreen{static_cast<int16_t>(p.x), static_cast<int16_t>(p.y),
                               static_cast<int16_t>(p.flag)};
    }
}

void DrawDeepSkySymbols(LayerContext& layer) {
    SkyScene& scene = layer.scene;
    if (!scene.data) return;
    Canvas& canvas = layer.canvas;
    const auto objects = scene.data->block(persist::BlockId::OBJ).records<ObjectRecord>();
    const auto names = scene.data->block(persist::BlockId::OBJN).records<ObjectNameRecord>();
    const std::size_t count = std::min(objects.count(), scene.objectScreen.size());
    const Viewport& viewport = scene.frame.viewport;
    const bool horizonShown = scene.projection.horizonShown;
    std::vector<uint8_t> visible(count, 0);

    for (const SymbolPass& pass : kSymbolPasses) {
        for (std::size_t i = 0; i < count; ++i) {
            const ObjectRecord o = objects[i];
            if (o.type != pass.type) continue;
            const StarScreen& s = scene.objectScreen[i];
            if (s.flag < 0 || std::abs(s.x) > viewport.halfWidth ||
                std::abs(s.y) > viewport.halfHeight) {
                continue;
            }
            if (horizonShown && s.flag == kBelowHorizonFlag) continue;
            if (o.type == 'M') {
                // Radiants only around their shower's peak; without a readable peak, never.
                const std::optional<int> peak = RadiantPeakOf(names[i]);
                if (!peak || !RadiantActive(scene.frame.solarLongitude, *peak)) continue;
            }
            visible[i] = 1;
            if (layer.target == kTargetScreen) {
                canvas.PlotPattern(s.x, s.y, pass.pattern, SymbolColour(o.tint));
            } else {
                DrawPaperSymbol(canvas, layer.target, s.x, s.y, o);
            }
        }
    }

    scene.objectDrawn = visible;

    const int mode = scene.view->Galaxy;
    if (mode < 2 || mode > 4) return;
    const LabelStyle style{SlotFont(*scene.view, 6 + mode, layer.target),
                           Colour::Index(kLabelPaletteIndex)};
    UseLabelStyle(canvas, style);
    const int offset = layer.target == kTargetScreen ? kLabelOffsetScreen : kLabelOffsetPaper;
    // The catalogue gives no brightness; its order (the Messier objects first) ranks the names.
    auto label = [&](std::size_t i, std::string_view text) {
        if (text.empty()) return;
        const StarScreen& s = scene.objectScreen[i];
        DrawLayerLabel(layer, style, s.x, s.y, offset, text, LabelRank::DeepSky,
                       static_cast<int>(i));
    };
    // Only objects with a names record are labelled.
    const std::size_t named = std::min(count, names.count());
    for (std::size_t i = 0; i < named; ++i) {
        if (!visible[i]) continue;
        const ObjectNameRecord n = names[i];
        if (mode == 2) label(i, Field(n.popular));
        if (mode == 3) label(i, Field(n.messier));
        if (mode == 4) label(i, Field(n.ngc));
    }
    if (mode != 3) return;
    // Objects without a Messier number carry their NGC name instead.
    for (std::size_t i = 0; i < named; ++i) {
        if (!visible[i]) continue;
        const ObjectNameRecord n = names[i];
        if (Field(n.messier).empty()) label(i, Field(n.ngc));
    }
}

void DrawDeepSkyImages(LayerContext& layer, int group) {
    SkyScene& scene = layer.scene;
    const state::ViewState& view = *scene.view;
    if (!scene.deepSkyPictures || layer.target == kTargetMonochromePrint) return;
    if (layer.target == kTargetScreen && !view.TrueColourDisplay) return;
    if (!scene.projection.project) return;
    const Viewport& viewport = scene.frame.viewport;

    for (const DeepSkyImage& image : kDeepSkyImages) {
        if (image.group != group) continue;
        std::array<Point, 4> corners;
        bool usable = true;
        for (std::size_t k = 0; k < 4; ++k) {
            const int lon = image.corners[k][0] * 32768 / 36000;
            const int lat = image.corners[k][1] * 32768 / 36000;
            const ProjectedPoint p = scene.projection.Ecliptic(lon, lat);
            usable = usable && p.flag >= 0;
            corners[k] = Point{p.x, p.y};
        }
        if (!usable) continue;
        bool allRight = true, allLeft = true, allBelow = true, allAbove = true;
        for (const Point& p : corners) {
            allRight = allRight && p.x > viewport.halfWidth;
            allLeft = allLeft && p.x < -viewport.halfWidth;
            allBelow = allBelow && p.y > viewport.halfHeight;
            allAbove = allAbove && p.y < -viewport.halfHeight;
        }
        if (allRight || allLeft || allBelow || allAbove) continue;
        const DeepSkyPicture* picture = scene.deepSkyPictures(image.resource);
        if (!picture || !PictureUsable(*picture)) continue;
        const WarpedPicture warped = WarpPicture(*picture, corners, viewport);
        if (warped.width > 0) layer.canvas.DrawImageCell(warped.left, warped.top, warped.cell());
    }
}

void DrawMilkyWay(LayerContext& layer, int band, int intensity) {
    SkyScene& scene = layer.scene;
    if (!scene.data || !scene.projection.project) return;
    const auto pairs = scene.data->block(persist::BlockId::MILKY).records<persist::MilkyPair>();
    const int grey = band == 1 ? 244 : 232;
    const Colour colour = ResolveColour(
        layer.target, grey, Colour::Index(kSkyGradientFirst + intensity), scene.palette);
    layer.canvas.SetPen(Pen{colour, 0, PenStyle::Null});
    layer.canvas.SetBrush(Brush{colour, false});

    std::vector<Point> polygon;
    polygon.reserve(persist::kMilkyMaxVertices);
    int current = 0;  // no band before the first band mark
    bool drawable = true;
    auto restart = [&] {
        polygon.clear();
        drawable = true;
    };
    for (std::size_t i = 0; i < pairs.count(); ++i) {
        const persist::MilkyPair pair = pairs[i];
        if (pair.lon >= 0) {
            if (current != band || !drawable) continue;
            // A polygon longer than the program's limit is damaged data: it is skipped whole.
            if (polygon.size() >= static_cast<std::size_t>(persist::kMilkyMaxVertices)) {
                drawable = false;
                continue;
            }
            const ProjectedPoint p = scene.projection.Ecliptic(pair.lon, pair.lat);
            if (p.flag < 0) drawable = false;
            polygon.push_back(Point{p.x, p.y});
            continue;
        }
        switch (pair.lon) {
            case persist::kMilkyEndPolygon:
                if (current == band && drawable) {
                    DrawPolygonClipped(layer.canvas, scene.frame.viewport, polygon);
                }
                restart();
                break;
            case persist::kMilkyEndBlock:
                return;
            case persist::kMilkyBand1:
                current = 1;
                restart();
                break;
            case persist::kMilkyBand2:
                current = 2;
                restart();
                break;
            default:
                break;
        }
    }
}

}  // namespace render

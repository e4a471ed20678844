#include "render/stars.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "persist/regular_file.h"
#include "render/primitives.h"

namespace render {
namespace {

using persist::GscIndexEntry;
using persist::StarRecord;

// Pixel patterns of the small star shapes (offsets from the star's point).
constexpr PatternOffset kPatCentre[] = {{0, 0}};
constexpr PatternOffset kPatCross4[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
constexpr PatternOffset kPatPlus5[] = {{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}};
constexpr PatternOffset kPatDiag4[] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr PatternOffset kPatBlob12[] = {{0, -1}, {1, -1}, {-1, 0}, {0, 0}, {1, 0}, {2, 0},
                                        {-1, 1}, {0, 1},  {1, 1},  {2, 1}, {0, 2}, {1, 2}};
constexpr PatternOffset kPatDisc21[] = {{-1, -2}, {0, -2}, {1, -2}, {-2, -1}, {-1, -1}, {0, -1},
                                        {1, -1},  {2, -1}, {-2, 0}, {-1, 0},  {0, 0},   {1, 0},
                                        {2, 0},   {-2, 1}, {-1, 1}, {0, 1},   {1, 1},   {2, 1},
                                        {-1, 2},  {0, 2},  {1, 2}};
constexpr PatternOffset kPatSquare4[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
constexpr PatternOffset kPatRing8[] = {{2, 0},  {2, 1},  {0, 2},  {1, 2},
                                       {-1, 0}, {-1, 1}, {0, -1}, {1, -1}};
constexpr PatternOffset kPatRing12[] = {{0, -2}, {1, -2}, {2, -1}, {3, 0},  {3, 1},  {2, 2},
                                        {1, 3},  {0, 3},  {-1, 2}, {-2, 1}, {-2, 0}, {-1, -1}};

// Per drawing style (DrawStarMode3 0..5): divisor q of the size number, the GSC offset o, and
// whether the style draws glyphs (core and halo) instead of pixel shapes.
struct StarStyle {
    int divisor;
    int gscOffset;
    bool glyph;
};
constexpr StarStyle kStarStyles[6] = {
    {6, 2, false}, {6, 0, true}, {6, 0, false}, {8, 0, false}, {5, 0, false}, {5, 0, true},
};

// Reference zooms of the automatic star level, by AutoBriMode + 2 or + 3.
constexpr int kAutoZoomRef[6] = {350, 420, 500, 600, 720, 860};

constexpr int kStarBase = 67;     // star colour rows start here
constexpr int kStarCore = 69;     // white core of the glyphs
constexpr int kTraceOffset = 30;  // trace colours: five rows further down
constexpr int kRimOffset = 36;    // rim of the pixel shapes
constexpr int kRowStep = 24;      // one brightness row per dimming step (4 rows of 6)
constexpr int kGscZoneBytesLimit = 80000;
constexpr int kGscRecordSize = 5;

const StarStyle& StyleOf(int drawStarMode) {
    return kStarStyles[std::clamp(drawStarMode, 0, 5)];
}

int16_t ClampScreen(int v) {
    return static_cast<int16_t>(std::clamp(v, -32000, 32000));
}

uint32_t ZoneIndexEntry(const StarCatalog& catalog, std::size_t entry, bool& present) {
    present = catalog.zoneIndex.contains(entry * 4, 4);
    return catalog.zoneIndex.u32(entry * 4);
}

// Lon/lat of a STAR2 record after proper motion (T decades; pm in units per 100 000 years).
void ApplyProperMotion(const StarContext& context, const StarRecord& star, int& lon, int& lat) {
    lon = star.lon;
    lat = star.lat;
    if (context.view.KoyuKeisan) {
        const int t = context.projection.properMotionDecades;
        lon = star.lon - (star.pmLon * t) / 10000;
        lat = star.lat - (star.pmLat * t) / 10000;
    }
}

// A star ready to be drawn.
struct PlacedStar {
    int x;
    int y;
    int size;         // size number s
    int colourClass;  // 0..5 or 9
    int magnitude;    // tenths
};

// --- Shapes ----------------------------------------------------------------------------------

void DrawEllipseAround(Canvas& canvas, int x, int y, int s) {
    canvas.Ellipse(x - s / 2, y - s / 2, x + (s + 1) / 2, y + (s + 1) / 2);
}

// The pixel-style shape of size s in colour index k (pen and brush of the class already set).
void DrawPixelShape(Canvas& canvas, int x, int y, int s, int k) {
    if (s <= 1) {
        canvas.SetPixel(x, y, Colour::Index(k));
    } else if (s == 2) {
        canvas.PlotPattern(x, y, kPatCentre, Colour::Index(k));
        canvas.PlotPattern(x, y, kPatCross4, Colour::Index(k + kRimOffset));
    } else if (s == 3) {
        canvas.PlotPattern(x, y, kPatPlus5, Colour::Index(k));
        canvas.PlotPattern(x, y, kPatDiag4, Colour::Index(k + kRimOffset));
    } else if (s == 4) {
        canvas.PlotPattern(x, y, kPatBlob12, Colour::Index(k));
    } else if (s == 5) {
        canvas.PlotPattern(x, y, kPatDisc21, Colour::Index(k));
    } else {
        DrawEllipseAround(canvas, x, y, s);
    }
}

enum class GlyphPart { Core, Halo, Both };

// The glyph-style shape: a white core and coloured rims (core), or the outer halo (halo).
void DrawStarGlyph(Canvas& canvas, int x, int y, int s, int k, GlyphPart part) {
    const bool core = part != GlyphPart::Halo;
    const bool halo = part != GlyphPart::Core;
    if (s <= 1) {
        if (core) canvas.SetPixel(x, y, Colour::Index(k));
    } else if (s == 2) {
        if (core) canvas.SetPixel(x, y, Colour::Index(kStarCore));
        if (halo) canvas.PlotPattern(x, y, kPatCross4, Colour::Index(k + 144));
    } else if (s == 3) {
        if (core) {
            canvas.SetPixel(x, y, Colour::Index(kStarCore));
            canvas.PlotPattern(x, y, kPatCross4, Colour::Index(k + 138));
        }
        if (halo) canvas.PlotPattern(x, y, kPatDiag4, Colour::Index(k + 162));
    } else if (s == 4) {
        if (core) {
            canvas.PlotPattern(x, y, kPatSquare4, Colour::Index(kStarCore));
            canvas.PlotPattern(x, y, kPatRing8, Colour::Index(k + 144));
        }
    } else if (s == 5) {
        if (core) {
            canvas.PlotPattern(x, y, kPatSquare4, Colour::Index(kStarCore));
            canvas.PlotPattern(x, y, kPatRing8, Colour::Index(k + 138));
        }
        if (halo) canvas.PlotPattern(x, y, kPatRing12, Colour::Index(k + 162));
    } else {
        // The larger halo first, so that a pass drawing both keeps the core on top.
        if (halo) {
            canvas.Ellipse(x - (s + 2) / 2, y - (s + 2) / 2, x + (s + 3) / 2, y + (s + 3) / 2);
        }
        if (core) {
            canvas.Ellipse(x - (s - 2) / 2, y - (s - 2) / 2, x + (s - 1) / 2, y + (s - 1) / 2);
        }
    }
}

// Print: a filled disc whose diameter grows with the brightness.
void DrawPrintDisc(Canvas& canvas, int x, int y, int level, int magnitude) {
    const int d = std::max(4, level - magnitude + 4) / 2;
    canvas.Ellipse(x - d / 2, y - d / 2, x + (d + 1) / 2, y + (d + 1) / 2);
}

// Dimmed colour of a small star: one brightness row lower per size step below 1. The step is
// bounded so that an out-of-order catalogue can never reach past the star colour rows.
int DimmedColour(int base, int s) {
    return s < 1 ? base + kRowStep * std::min(3, 1 - s) : base;
}

// --- Passes ----------------------------------------------------------------------------------

void DrawPrinted(const StarContext& context, const std::vector<PlacedStar>& stars, int pass,
                 int target, int level) {
    Canvas& canvas = context.canvas;
    const bool trace = pass == kPassTrace;
    for (int c = 0; c <= 5; ++c) {
        Colour pen =
            target == kTargetColourPrint ? Colour::Rgb(255, 255, 255) : Colour::Rgb(0, 0, 0);
        if (trace && target == kTargetMonochromePrint) pen = Colour::Rgb(128, 128, 128);
        canvas.SetPen(Pen{pen, 0, PenStyle::Solid});
        canvas.SetBrush(Brush{SpectralColour(target, c, trace), false});
        for (const PlacedStar& star : stars) {
            if (star.colourClass != c) continue;
            DrawPrintDisc(canvas, star.x, star.y, level, star.magnitude);
        }
    }
}

void DrawPixelStyle(const StarContext& context, const std::vector<PlacedStar>& stars, int pass) {
    Canvas& canvas = context.canvas;
    const int style = std::clamp(context.view.DrawStarMode3, 0, 5);
    for (int c = 0; c <= 5; ++c) {
        const int b = kStarBase + c + (pass == kPassTrace ? kTraceOffset : 0);
        canvas.SetPen(Pen{Colour::Index(b + 12), 0, PenStyle::Solid});
        canvas.SetBrush(Brush{Colour::Index(b), false});
        for (const PlacedStar& star : stars) {
            if (star.colourClass != c) continue;
            const int k = style == 0 ? DimmedColour(b, star.size) : b;
            DrawPixelShape(canvas, star.x, star.y, star.size, k);
        }
    }
}

void DrawGlyphStyle(const StarContext& context, const std::vector<PlacedStar>& stars, int pass) {
    Canvas& canvas = context.canvas;
    const bool haloPass = pass == kPassHalo;
    const GlyphPart part = haloPass                  ? GlyphPart::Halo
                           : pass == kPassFaintZones ? GlyphPart::Both
                                                     : GlyphPart::Core;
    int currentClass = -1;
    for (const PlacedStar& star : stars) {
        const int k = DimmedColour(kStarBase + star.colourClass, star.size);
        if (star.size >= 6) {
            // Class 9 has no pen of its own; it borrows the white class.
            const int c = star.colourClass <= 5 ? star.colourClass : 2;
            if (c != currentClass) {
                currentClass = c;
                canvas.SetPen(Pen{Colour::Index(haloPass ? 235 + c : 199 + c), 1, PenStyle::Solid});
                canvas.SetBrush(Brush{Colour::Index(haloPass ? 217 + c : kStarCore), false});
            }
        }
        DrawStarGlyph(canvas, star.x, star.y, star.size, k, part);
    }
}

void DrawPlaced(const StarContext& context, const std::vector<PlacedStar>& stars, int pass,
                int target) {
    if (target != kTargetScreen) {
        DrawPrinted(context, stars, pass, target, std::max(context.frame.starLevel, 40));
    } else if (StyleOf(context.view.DrawStarMode3).glyph) {
        DrawGlyphStyle(context, stars, pass);
    } else {
        DrawPixelStyle(context, stars, pass);
    }
}

// Adds a star to the set unless it is invisible or (pixel styles, paper) has no colour class.
void Place(const StarContext& context, std::vector<PlacedStar>& out, const StarRecord& star, int x,
           int y, int flag, bool glyph) {
    if (!StarVisible(context, x, y, flag)) return;
    const int colourClass = SpectralClassOf(star.spec);
    if (colourClass == kNoColourClass && !glyph) return;
    const int magnitude = MagnitudeOfCode(star.mag);
    out.push_back(PlacedStar{
        x, y, StarSizeNumber(context.view.DrawStarMode3, context.frame.starLevel, magnitude),
        colourClass, magnitude});
}

// Records last .. first of the screen array (already projected).
void CollectProjected(const StarContext& context, int count, bool glyph,
                      std::vector<PlacedStar>& out) {
    count = std::min<int>(count, static_cast<int>(context.screen.size()));
    count = std::min<int>(count, static_cast<int>(context.catalog.stars.count()));
    for (int i = count - 1; i >= 0; --i) {
        const StarScreen& p = context.screen[static_cast<std::size_t>(i)];
        Place(context, out, context.catalog.stars.at(static_cast<std::size_t>(i)), p.x, p.y, p.flag,
              glyph);
    }
}

// The faint stars of every visible zone down to the star level, projected on the spot.
void CollectFaintZones(const StarContext& context, bool glyph, std::vector<PlacedStar>& out) {
    const int k = context.frame.starLevel - 65;
    if (k < 1 || k > persist::kStidxPerZone) return;
    const std::vector<uint8_t> visible = ComputeZoneVisibility(context, 1);
    const std::size_t recordCount = context.catalog.stars.count();
    for (int z = 0; z < persist::kStarZones; ++z) {
        if (!visible[static_cast<std::size_t>(z)]) continue;
        bool hasFirst = false;
        bool hasEnd = false;
        const std::size_t base = static_cast<std::size_t>(z) * persist::kStidxPerZone;
        const std::size_t first = ZoneIndexEntry(context.catalog, base, hasFirst);
        std::size_t end =
            ZoneIndexEntry(context.catalog, base + static_cast<std::size_t>(k), hasEnd);
        if (!hasFirst) continue;
        // A block without the closing entry after the last zone ends at the end of STAR2.
        if (!hasEnd) end = recordCount;
        end = std::min(end, recordCount);
        for (std::size_t i = end; i > first; --i) {
            const StarRecord star = context.catalog.stars.at(i - 1);
            int lon, lat;
            ApplyProperMotion(context, star, lon, lat);
            const ProjectedPoint p = context.projection.Ecliptic(lon, lat);
            Place(context, out, star, p.x, p.y, p.flag, glyph);
        }
    }
}

// --- Guide Star Catalog ----------------------------------------------------------------------

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Only a regular file is read: a FIFO or device in its place would stop the frame for good.
File OpenCatalogueFile(const std::string& path) {
    persist::FileStatus status;
    const int fd = persist::OpenRegularFile(path, status);
    if (fd < 0) return nullptr;
    File file(::fdopen(fd, "rb"));
    if (!file) ::close(fd);
    return file;
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// Reads the records of one catalogue zone into buffer; returns the record count (0 = skip).
int ReadGscZone(const StarCatalog& catalog, std::FILE* catalogueFile, int a, int d,
                std::vector<uint8_t>& buffer) {
    buffer.resize(kGscZoneBytesLimit);
    if (catalogueFile) {
        const GscIndexEntry entry = catalog.gscIndex.at(static_cast<std::size_t>(a * 72 + d));
        const uint64_t wanted =
            std::min<uint64_t>(uint64_t{entry.count} * kGscRecordSize, kGscZoneBytesLimit);
        const uint64_t offset = uint64_t{entry.first} * kGscRecordSize;
        if (fseeko(catalogueFile, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
        const std::size_t got = std::fread(buffer.data(), 1, wanted, catalogueFile);
        if (got < wanted) return entry.count == 0 ? static_cast<int>(got / kGscRecordSize) : 0;
        return static_cast<int>(wanted / kGscRecordSize);
    }
    char name[64];
    std::snprintf(name, sizeof name, "%02d/QEL%c%02d%02d.DAT", a, catalog.gscLetter, a, d);
    File zone = OpenCatalogueFile(JoinFolder(catalog.gscPath, name));
    if (!zone) return 0;
    const std::size_t got = std::fread(buffer.data(), 1, kGscZoneBytesLimit, zone.get());
    return static_cast<int>(got / kGscRecordSize);
}

}  // namespace

// --- Catalogue set-up ------------------------------------------------------------------------

int MagnitudeOfCode(uint8_t code) {
    return code >= 115 ? 95 : code - 20;
}

int SpectralClassOf(uint8_t letter) {
    switch (letter) {
        case 'O':
        case 'B':
            return 0;
        case 'A':
            return 1;
        case 'F':
        case 'P':
            return 2;
        case 'G':
        case 'W':
            return 3;
        case 'K':
            return 4;
        case 'M':
        case 'N':
        case 'R':
        case 'S':
        case 'C':
            return 5;
        default:
            return kNoColourClass;
    }
}

std::array<int, kStarLevelCount> ComputeStarCountByLevel(
    const persist::RecordView<StarRecord>& stars) {
    std::array<int, kStarLevelCount> histogram{};
    const std::size_t count = stars.count();
    for (std::size_t i = 0; i < count; ++i) {
        const int m = std::max(0, MagnitudeOfCode(stars.at(i).mag));
        ++histogram[static_cast<std::size_t>(m)];
    }
    std::array<int, kStarLevelCount> result{};
    int running = 0;
    for (int level = 0; level < kStarLevelCount; ++level) {
        running += histogram[static_cast<std::size_t>(level)];
        result[static_cast<std::size_t>(level)] = running;
    }
    return result;
}

StarCatalog BuildStarCatalog(const persist::DataSet& data, const std::string& gscPath) {
    StarCatalog catalog;
    catalog.stars = data.block(persist::BlockId::STAR2).records<StarRecord>();
    catalog.zoneIndex = data.block(persist::BlockId::STIDX).view();
    catalog.brightStarCount =
        static_cast<int>(std::min<std::size_t>(data.brightStarCount, catalog.stars.count()));
    catalog.countByLevel = ComputeStarCountByLevel(catalog.stars);
    catalog.gscAvailable = data.gscAvailable;
    catalog.gscLetter = data.gscIndexKind == 1 ? 'A' : 'G';
    catalog.gscPath = gscPath;
    catalog.gscIndex = data.gscIndex.records<GscIndexEntry>();
    return catalog;
}

int AutoStarLevel(int zoom, int drawStarMode, int autoBriMode, bool gscInUse) {
    const int k = std::clamp((drawStarMode == 1 || drawStarMode == 5 ? 2 : 3) + autoBriMode, 0, 5);
    const double z0 = kAutoZoomRef[k];
    const double a = std::log(std::max(zoom, 1)) / std::log(1.2);
    const double a0 = std::log(z0) / std::log(1.2);
    int level;
    if (a >= a0) {
        level = static_cast<int>((a - a0) * 6 + 94.5);
    } else {
        level = static_cast<int>(94 - (a0 - a) * 2.5 + 0.5);
    }
    return std::clamp(level, 40, gscInUse ? 150 : 94);
}

int StarSizeNumber(int style, int starLevel, int magnitude) {
    const StarStyle& s = StyleOf(style);
    const int level = std::max(starLevel, 40);
    const bool offset = style == 0 || style == 1 || style == 5;
    return (level - magnitude) / s.divisor - (offset ? 2 : 0);
}

// --- Passes ----------------------------------------------------------------------------------

void ProjectStars(const StarContext& context, int count) {
    count = std::clamp(count, 0, static_cast<int>(context.catalog.stars.count()));
    context.screen.resize(
        static_cast<std::size_t>(std::max<int>(count, static_cast<int>(context.screen.size()))));
    for (int i = 0; i < count; ++i) {
        const StarRecord star = context.catalog.stars.at(static_cast<std::size_t>(i));
        int lon, lat;
        ApplyProperMotion(context, star, lon, lat);
        const ProjectedPoint p = context.projection.Ecliptic(lon, lat);
        context.screen[static_cast<std::size_t>(i)] =
            StarScreen{ClampScreen(p.x), ClampScreen(p.y), static_cast<int16_t>(p.flag)};
    }
}

ProjectedPoint StarPoint(const StarContext& context, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= context.catalog.stars.count()) {
        return ProjectedPoint{0, 0, -1};
    }
    const bool projected = index < context.catalog.brightStarCount &&
                           index < std::max(context.frame.starCount, kMinimumProjectedStars) &&
                           static_cast<std::size_t>(index) < context.screen.size();
    if (projected) {
        const StarScreen& p = context.screen[static_cast<std::size_t>(index)];
        return ProjectedPoint{p.x, p.y, p.flag};
    }
    int lon, lat;
    ApplyProperMotion(context, context.catalog.stars.at(static_cast<std::size_t>(index)), lon, lat);
    return context.projection.Ecliptic(lon, lat);
}

bool PointVisible(const Viewport& viewport, bool horizonShown, int x, int y, int flag) {
    return flag >= 0 && viewport.contains(x, y) && !(horizonShown && flag == kBelowHorizonFlag);
}

bool StarVisible(const StarContext& context, int x, int y, int flag) {
    return PointVisible(context.frame.viewport, context.projection.horizonShown, x, y, flag);
}

std::vector<uint8_t> ComputeZoneVisibility(const StarContext& context, int grid) {
    const int columns = grid == 1 ? persist::kStarZoneColumns : persist::kGscZoneColumns;
    const int rows = grid == 1 ? persist::kStarZoneRows : persist::kGscZoneRows;
    const Viewport& v = context.frame.viewport;
    // Per corner: bit 0 left of the view, 1 right, 2 above, 3 below, 4 below the horizon.
    std::vector<uint8_t> corner(static_cast<std::size_t>((columns + 1) * (rows + 1)));
    for (int i = 0; i <= columns; ++i) {
        for (int j = 0; j <= rows; ++j) {
            const ProjectedPoint p =
                context.projection.Ecliptic(i * 32768 / columns, j * 16384 / rows - 8192);
            uint8_t bits;
            if (p.flag < 0) {
                bits = 0x1F;
            } else {
                bits = static_cast<uint8_t>(
                    (p.x < -v.halfWidth ? 1 : 0) | (p.x > v.halfWidth ? 2 : 0) |
                    (p.y < -v.halfHeight ? 4 : 0) | (p.y > v.halfHeight ? 8 : 0) |
                    (p.flag == kBelowHorizonFlag ? 16 : 0));
            }
            corner[static_cast<std::size_t>(i * (rows + 1) + j)] = bits;
        }
    }
    std::vector<uint8_t> visible(static_cast<std::size_t>(columns * rows));
    const uint8_t hiddenMask = context.projection.horizonShown ? 0x1F : 0x0F;
    for (int a = 0; a < columns; ++a) {
        for (int d = 0; d < rows; ++d) {
            const auto at = [&](int i, int j) {
                return corner[static_cast<std::size_t>(i * (rows + 1) + j)];
            };
            const uint8_t common = at(a, d) & at(a + 1, d) & at(a, d + 1) & at(a + 1, d + 1);
            visible[static_cast<std::size_t>(a * rows + d)] = (common & hiddenMask) == 0 ? 1 : 0;
        }
    }
    return visible;
}

void DrawStarPass(const StarContext& context, int pass, int target) {
    const bool glyph = target == kTargetScreen && StyleOf(context.view.DrawStarMode3).glyph;
    std::vector<PlacedStar> stars;
    const RenderFrame& frame = context.frame;
    switch (pass) {
        case kPassMain:
        case kPassHalo:
            CollectProjected(context, std::min(context.catalog.brightStarCount, frame.starCount),
                             glyph, stars);
            break;
        case kPassFaintZones:
            CollectFaintZones(context, glyph, stars);
            break;
        case kPassTrace: {
            const int n =
                frame.starLevel < 0
                    ? 0
                    : context.catalog
                          .countByLevel[static_cast<std::size_t>(std::min(frame.starLevel, 45))];
            CollectProjected(context, n, glyph, stars);
            break;
        }
        default:
            return;
    }
    DrawPlaced(context, stars, pass, target);
}

void DrawGscPass(const StarContext& context, int pass, int level, int target) {
    const StarCatalog& catalog = context.catalog;
    if (!catalog.gscAvailable) return;
    Canvas& canvas = context.canvas;
    const int style = std::clamp(context.view.DrawStarMode3, 0, 5);
    const StarStyle& starStyle = kStarStyles[style];
    const int l = std::min(level, 150);
    const int limit = level >= 170 ? 220 : level;
    const std::vector<uint8_t> visible = ComputeZoneVisibility(context, 2);

    File catalogue = OpenCatalogueFile(
        JoinFolder(catalog.gscPath, persist::GscCatalogueName(catalog.gscLetter == 'A' ? 1 : 0)));

    const bool glyph = target == kTargetScreen && starStyle.glyph;
    if (target != kTargetScreen) {
        const Colour paper =
            target == kTargetColourPrint ? Colour::Rgb(255, 255, 255) : Colour::Rgb(0, 0, 0);
        canvas.SetPen(Pen{paper, 0, PenStyle::Solid});
        canvas.SetBrush(Brush{paper, false});
    } else if (glyph && pass == kGscPassHalo) {
        canvas.SetPen(Pen{Colour::Index(236), 1, PenStyle::Solid});
        canvas.SetBrush(Brush{Colour::Index(218), false});
    } else {
        canvas.SetPen(Pen{Colour::Index(glyph ? 200 : kStarCore), glyph ? 1 : 0, PenStyle::Solid});
        canvas.SetBrush(Brush{Colour::Index(kStarCore), false});
    }
    const GlyphPart part = pass == kGscPassHalo ? GlyphPart::Halo : GlyphPart::Core;

    std::vector<uint8_t> buffer;
    for (int a = 0; a < persist::kGscZoneColumns; ++a) {
        for (int d = 0; d < persist::kGscZoneRows; ++d) {
            if (!visible[static_cast<std::size_t>(a * persist::kGscZoneRows + d)]) continue;
            const int count = ReadGscZone(catalog, catalogue.get(), a, d, buffer);
            const persist::ByteView records(
                std::span<const uint8_t>(buffer.data(), static_cast<std::size_t>(count) * 5));
            for (int r = count - 1; r >= 0; --r) {
                const std::size_t at = static_cast<std::size_t>(r) * kGscRecordSize;
                const int mag = records.u8(at + 4);
                if (mag > limit) continue;
                const ProjectedPoint p =
                    context.projection.Ecliptic(records.i16(at), records.i16(at + 2));
                if (!StarVisible(context, p.x, p.y, p.flag)) continue;
                if (target != kTargetScreen) {
                    DrawPrintDisc(canvas, p.x, p.y, l, mag);
                } else if (glyph) {
                    const int s = (l - mag) / starStyle.divisor - 2;
                    const int k = s < 1 ? 92 + kRowStep * std::min(3, -s) : 68;
                    DrawStarGlyph(canvas, p.x, p.y, s, k, part);
                } else {
                    const int s = (l - mag) / starStyle.divisor - starStyle.gscOffset;
                    const int k = s > 0 ? kStarCore : (s > -4 ? std::min(183, 93 - 24 * s) : 183);
                    DrawPixelShape(canvas, p.x, p.y, s, k);
                }
            }
        }
    }
}

}  // namespace render

#include "render/stars.h"

#include <gtest/gtest.h>

#include "astro/projection_tables.h"
#include "astro/view_frame.h"
#include "star_fixture.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;
using persist_test::TempFolder;
using persist_test::WriteFile;

// Every pixel the canvas was asked to set, with its colour.
struct Pixel {
    int x, y, colour;
};
std::vector<Pixel> PixelsOf(const RecordingCanvas& canvas) {
    std::vector<Pixel> pixels;
    for (const CanvasOp& op : canvas.ops) {
        if (op.kind == Kind::SetPixel) pixels.push_back({op.x, op.y, op.colour.index()});
        if (op.kind == Kind::PlotPattern) {
            for (const Point& p : op.points)
                pixels.push_back({p.x, p.y, op.colour.index()});
        }
    }
    return pixels;
}

TEST(StarCodes, MagnitudesSpectralClassesLevelsAndSizes) {
    // Codes beyond 115 are drawn as magnitude 9.5.
    for (const auto& [code, magnitude] :
         {std::pair{0, -20}, {114, 94}, {115, 95}, {120, 95}, {255, 95}})
        EXPECT_EQ(MagnitudeOfCode(code), magnitude) << code;
    for (char letter : {'D', '0', '9', 'o', ' ', '\0', '\xFF'})
        EXPECT_EQ(SpectralClassOf(static_cast<uint8_t>(letter)), kNoColourClass) << letter;
    // The automatic level: past the reference zoom six tenths per 20 % step, capped at 94
    // without the catalogue; pixel styles use the next reference zoom (600), a bias of +1 too;
    // never below 40.
    const std::tuple<int, int, int, bool, int> levels[] = {
        {80, 1, 0, false, 69},  {500, 1, 0, false, 94},  {600, 1, 0, false, 94},
        {600, 1, 0, true, 100}, {7700, 1, 0, true, 150}, {600, 0, 0, true, 94},
        {600, 1, 1, true, 94},  {350, 1, 0, false, 89},  {10, 1, 0, false, 40},
        {0, 1, 0, false, 40}};
    for (const auto& [zoom, style, bias, catalogue, level] : levels)
        EXPECT_EQ(AutoStarLevel(zoom, style, bias, catalogue), level) << zoom << " " << style;
    // Size numbers: (L - magnitude) / q - o, L = StarLevel + 10 for style 0, truncated.
    const std::tuple<int, int, int, int> sizes[] = {
        {0, 30, 30, -1}, {1, 95, -15, 16}, {2, 95, 35, 10}, {3, 95, 35, 7},
        {4, 95, 35, 12}, {5, 95, 35, 10},  {2, 60, 65, 0}};
    for (const auto& [style, level, magnitude, size] : sizes)
        EXPECT_EQ(StarSizeNumber(style, level, magnitude), size) << style << " " << magnitude;
}

TEST(StarCatalog, CountsByLevelAndABrightCountWithinTheBlock) {
    const persist::DataSet data =
        MakeDataSet({Star(0, 0, 10, 'A'), Star(0, 0, 20, 'A'), Star(0, 0, 20, 'A'),
                     Star(0, 0, 65, 'A'), Star(0, 0, 120, 'A'), Star(0, 0, 255, 'G')},
                    4);
    const StarCatalog catalog = BuildStarCatalog(data, {});
    // Magnitudes -1.0 and 0.0 twice at level 0; 120 and 255 count as 9.5.
    const std::pair<int, int> counts[] = {{0, 3}, {44, 3}, {45, 4}, {94, 4}, {95, 6}};
    for (const auto& [level, count] : counts)
        EXPECT_EQ(catalog.countByLevel[static_cast<std::size_t>(level)], count) << level;
    EXPECT_EQ(catalog.brightStarCount, 4);
    EXPECT_EQ(BuildStarCatalog(MakeDataSet({Star(0, 0, 30, 'A')}, 50), {}).brightStarCount, 1);
}

// One star at the origin drawn alone: its pixels (count, first and last colour index) or its
// ellipse (width, pen and brush), by style, level, pass and target.
TEST(StarPass, ShapesAndColoursOfASingleStar) {
    constexpr int kMain = kPassMain, kHalo = kPassHalo, kScreen = kTargetScreen;
    constexpr int kColour = kTargetColourPrint, kMono = kTargetMonochromePrint;
    const Colour none;
    const struct {
        int magCode;
        char spec;
        int style, level, pass, target;
        std::size_t pixels;
        int first, last, width;
        Colour pen, brush;
    } cases[] = {
        // Style 0 at StarLevel 30: magnitude 3.0 of class 1 is one pixel in b + 48.
        {50, 'A', 0, 30, kMain, kScreen, 1, 67 + 1 + 48, 67 + 1 + 48, 0, none, none},
        // Style 2 (q 6, no offset) at 95, class 3 (base 70): sizes 1 to 5 as pixel shapes
        // (centre and cross rim at 2, plus and diagonal rim at 3, a blob, a disc), size 7 an
        // ellipse with the class pen (b + 12) and brush (b).
        {115 - 6, 'G', 2, 95, kMain, kScreen, 1, 70, 70, 0, none, none},
        {115 - 12, 'G', 2, 95, kMain, kScreen, 5, 70, 106, 0, none, none},
        {115 - 18, 'G', 2, 95, kMain, kScreen, 9, 70, 106, 0, none, none},
        {115 - 24, 'G', 2, 95, kMain, kScreen, 12, 70, 70, 0, none, none},
        {115 - 30, 'G', 2, 95, kMain, kScreen, 21, 70, 70, 0, none, none},
        {115 - 42, 'G', 2, 95, kMain, kScreen, 0, 0, 0, 7, Colour::Index(82), Colour::Index(70)},
        // Style 1, size 3: a white core and a cross in k + 138; the halo pass draws only the
        // diagonal ring in k + 162.
        {115 - 30, 'K', 1, 95, kMain, kScreen, 5, 69, 71 + 138, 0, none, none},
        {115 - 30, 'K', 1, 95, kHalo, kScreen, 4, 71 + 162, 71 + 162, 0, none, none},
        // Unknown classes: index 76 in the glyph style, nothing in the pixel styles or on paper.
        {115 - 6, 'D', 1, 95, kMain, kScreen, 1, 76 + 48, 76 + 48, 0, none, none},
        {40, 'D', 0, 95, kMain, kScreen, 0, 0, 0, 0, none, none},
        {40, 'D', 1, 95, kMain, kColour, 0, 0, 0, 0, none, none},
        // Paper: discs grow with brightness, (95 - 30 + 4) / 2 = 34 at magnitude 3.0; a faint
        // star keeps the smallest.
        {50, 'B', 1, 95, kMain, kColour, 0, 0, 0, 34, Colour::Rgb(255, 255, 255),
         Colour::Rgb(0xC0, 0xC0, 0xFF)},
        {115, 'B', 1, 95, kMain, kMono, 0, 0, 0, 2, Colour::Rgb(0, 0, 0), none},
    };
    for (const auto& c : cases) {
        StarHarness h;
        h.Use(MakeDataSet({Star(0, 0, c.magCode, c.spec)}, 1));
        h.view.DrawStarMode3 = c.style;
        h.frame.starLevel = c.level;
        ProjectStars(h.context(), 1);
        h.Draw(c.pass, c.target);
        SCOPED_TRACE(std::to_string(c.magCode) + c.spec + std::to_string(c.style) +
                     std::to_string(c.pass));
        const auto pixels = PixelsOf(h.canvas);
        ASSERT_EQ(pixels.size(), c.pixels);
        if (c.pixels) {
            EXPECT_EQ(std::pair(pixels.front().colour, pixels.back().colour),
                      std::pair(c.first, c.last));
        }
        const auto ellipses = h.canvas.OpsOf(Kind::Ellipse);
        ASSERT_EQ(ellipses.size(), c.width ? 1u : 0u);
        if (!c.width) continue;
        EXPECT_EQ(std::pair(ellipses[0].x, ellipses[0].right),
                  std::pair(-c.width / 2, c.width - c.width / 2));
        // Pens and brushes are made for every class; the star's is the one of its class.
        const std::size_t k = static_cast<std::size_t>(SpectralClassOf(c.spec));
        EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen).at(k).pen.colour, c.pen);
        if (c.brush != none) {
            EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush).at(k).brush.colour, c.brush);
        }
    }
}

TEST(StarPass, OnlyStarsInViewAndAboveTheGroundFaintestFirst) {
    StarHarness h;
    h.view.DrawStarMode3 = 2;  // magnitude 2.0 at level 95: an ellipse of size 12
    h.Use(MakeDataSet({Star(100, 0, 40, 'A'), Star(101, 0, 40, 'A'), Star(0, -4500, 40, 'A')}, 3));
    h.frame.viewport = Viewport{100, 100};
    ProjectStars(h.context(), 3);
    // x 101 is outside; the star below the horizon is drawn unless the horizon is shown.
    for (const auto& [height, horizon, drawn] :
         {std::tuple{100, false, 1u}, {5000, false, 2u}, {5000, true, 1u}}) {
        h.frame.viewport = Viewport{100, height};
        h.projection.horizonShown = horizon;
        h.Draw(kPassMain);
        EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), drawn) << height << " " << horizon;
    }
    // Only the StarCount brightest, the faintest first.
    h.frame.viewport = Viewport{1000, 1000};
    h.view.DrawStarMode3 = 0;
    h.Use(MakeDataSet({Star(100, 0, 50, 'A'), Star(200, 0, 60, 'A'), Star(300, 0, 70, 'A')}, 3));
    h.frame.starLevel = 50;
    h.frame.starCount = 2;
    ProjectStars(h.context(), 3);
    h.Draw(kPassMain);
    const auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(std::pair(pixels[0].x, pixels[1].x), std::pair(200, 100));
}

TEST(ProperMotion, WholeDecadesOnlyTruncatedTowardZero) {
    const astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    for (const auto& [year, expectedLon] :
         std::vector<std::pair<int, int>>{{1995, 500}, {1990, 500}, {1900, 501}, {2100, 499}}) {
        StarHarness h;
        h.view.clock.year = year;
        const astro::ViewFrame frame = astro::ComputeViewFrame(h.view, tables.view());
        ProjectionLog log;
        h.projection = SkyProjection{&LoggingProject, &log, false, frame.ProperMotionDecades};
        h.Use(MakeDataSet({Star(500, 300, 40, 'A', 1000, -1000)}, 1));
        ProjectStars(h.context(), 1);
        ASSERT_EQ(log.points.size(), 1u);
        EXPECT_EQ(log.points[0], std::pair(expectedLon, 300 - (expectedLon - 500))) << year;
        // Without proper motion the catalogue position is used as it stands.
        log.points.clear();
        h.view.KoyuKeisan = 0;
        ProjectStars(h.context(), 1);
        EXPECT_EQ(log.points[0].first, 500);
    }
}

// STIDX for 432 zones where every zone is empty except zone z, which holds records
// [first, first + n) with entry k ending after record first + k - 1 (clamped to n).
std::vector<uint32_t> ZoneIndex(int zone, uint32_t first, uint32_t n) {
    std::vector<uint32_t> index(persist::kStarZones * 30 + 1, first);
    for (int z = 0; z < persist::kStarZones; ++z) {
        const uint32_t start = z <= zone ? first : first + n;
        for (int k = 0; k < 30; ++k) {
            index[static_cast<std::size_t>(z * 30 + k)] =
                z == zone ? first + std::min<uint32_t>(static_cast<uint32_t>(k), n) : start;
        }
    }
    index.back() = first + n;
    return index;
}

TEST(FaintZones, EachVisibleZoneDrawsUpToItsLevelEntryAndNoFurtherThanTheBlock) {
    StarHarness h;
    h.view.DrawStarMode3 = 0;                   // faint stars are single pixels
    h.frame.viewport = Viewport{40000, 40000};  // every zone visible
    std::vector<persist::StarRecord> stars(3, Star(0, 0, 20, 'A'));
    for (int i = 0; i < 10; ++i)
        stars.push_back(Star(100 + i, 0, 110 + i, 'A'));
    h.Use(MakeDataSet(stars, 3, ZoneIndex(5, 3, 10)));
    h.frame.starLevel = 70;  // entry z x 30 + 5: records 3..7
    h.Draw(kPassFaintZones);
    auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 5u);
    EXPECT_EQ(std::pair(pixels.front().x, pixels.back().x), std::pair(104, 100));  // faintest first
    // Level 95 uses the closing entry of the zone.
    h.frame.starLevel = 95;
    h.Draw(kPassFaintZones);
    EXPECT_EQ(PixelsOf(h.canvas).size(), 10u);

    // Indices past the end are cut back.
    stars = {Star(0, 0, 115, 'A'), Star(1, 0, 115, 'A')};
    // Zone 0 claims records 0..999999; the block has two. The index lacks its closing entry.
    std::vector<uint32_t> index(persist::kStarZones * 30, 2);
    for (int k = 0; k < 30; ++k)
        index[static_cast<std::size_t>(k)] = k == 0 ? 0 : 1000000;
    index[431 * 30] = 0;
    h.Use(MakeDataSet(stars, 0, index));
    h.frame.starLevel = 95;
    h.Draw(kPassFaintZones);
    // Zone 0 draws both records; zone 431 (no closing entry) ends at the end of STAR2.
    EXPECT_EQ(PixelsOf(h.canvas).size(), 4u);
    // A truncated index draws nothing for the zones it lacks and never reads past its end.
    h.Use(MakeDataSet(stars, 0, {0, 2, 2}));
    h.frame.starLevel = 66;
    h.Draw(kPassFaintZones);
    EXPECT_EQ(PixelsOf(h.canvas).size(), 2u);
}

TEST(ZoneVisibility, ZonesBeyondOneEdgeAreSkipped) {
    StarHarness h;
    h.frame.viewport = Viewport{1500, 100};  // longitudes 0..1500 near the ecliptic
    const std::vector<uint8_t> grid = ComputeZoneVisibility(h.context(), 1);
    ASSERT_EQ(grid.size(), 432u);
    // Zone (a 0, d 8) spans lon 0..1365, lat -910..0: visible. (a 1, d 8) touches 1365..2730.
    EXPECT_EQ(std::tuple(grid[0 * 18 + 8], grid[0 * 18 + 9], grid[1 * 18 + 8], grid[2 * 18 + 8],
                         grid[0 * 18 + 0]),
              std::tuple(1, 1, 1, 0, 0));  // the last: far south
    EXPECT_EQ(ComputeZoneVisibility(h.context(), 2).size(), 96u * 72u);
}

class GscTest : public ::testing::Test {
  protected:
    TempFolder dir;
    StarHarness h;
    persist::DataSet data = MakeDataSet({}, 0);

    void SetUp() override {
        h.frame.viewport = Viewport{40000, 40000};
        h.view.DrawStarMode3 = 2;
    }
    void Write(const std::string& name, const std::vector<persist::GscRecord>& records,
               std::size_t extra = 0) {
        std::vector<uint8_t> bytes(records.size() * 5 + extra, 0x55);
        std::memcpy(bytes.data(), records.data(), records.size() * 5);
        WriteFile(dir.path() / name, bytes);
    }
    void UseIndex(std::vector<persist::GscIndexEntry> entries, int kind) {
        entries.resize(persist::kGscZones);
        SetBlock(data.gscIndex, entries);
        data.gscAvailable = true;
        data.gscIndexKind = kind;
        h.catalog = BuildStarCatalog(data, dir.path().string());
    }
    std::vector<int> Drawn(int level) {
        h.canvas.Clear();
        DrawGscPass(h.context(), kGscPassMain, level, kTargetScreen);
        std::vector<int> xs;
        for (const Pixel& p : PixelsOf(h.canvas))
            xs.push_back(p.x);
        return xs;
    }
};

TEST_F(GscTest, CatalogueFileZonesAndMagnitudeLimit) {
    Write("QELGSC.DAT", {{10, 0, 100}, {20, 0, 150}, {30, 0, 200}});
    UseIndex({{0, 2}, {2, 1}}, 0);
    // 100 and 150 pass, 200 is beyond the limit; 100 is large (s 8): an ellipse. At level 175
    // there is no limit and sizes use L = 150.
    EXPECT_EQ(Drawn(150), std::vector<int>{20});
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);
    EXPECT_EQ(Drawn(175), (std::vector<int>{20, 30}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);
    // Style 2 (q 6, o 0), L 150: mag 150 -> s 0 -> k 93; mag 174 -> s -4 -> 183; mag 120 -> s 5,
    // the last record first.
    Write("QELGSC.DAT", {{1, 0, 150}, {2, 0, 174}, {3, 0, 120}});
    UseIndex({{0, 3}}, 0);
    ASSERT_EQ(Drawn(175).size(), 23u);
    const auto pixels = PixelsOf(h.canvas);
    EXPECT_EQ(std::tuple(pixels[0].x, pixels[0].colour, pixels[21].colour, pixels[22].colour),
              std::tuple(3 - 1, 69, 183, 93));
}

TEST_F(GscTest, ZoneFilesShortCataloguesAndBadOffsets) {
    // Zone 0 wants 5 records and gets 1: skipped. Zone 1 points far past the end: skipped.
    // Zone 2 reads its one record.
    Write("QELGSA.DAT", {{10, 0, 160}});
    UseIndex({{0, 5}, {0xFFFFFFFFu, 0xFFFFFFFFu}, {0, 1}}, 1);
    EXPECT_EQ(Drawn(175).size(), 1u);
    // One file per zone; a partial record is ignored.
    std::filesystem::remove(dir.path() / "QELGSA.DAT");
    UseIndex({}, 1);
    Write("00/QELA0003.DAT", {{5, 0, 140}, {6, 0, 140}});
    Write("01/QELA0100.DAT", {{7, 0, 140}}, 1);
    EXPECT_EQ(Drawn(160), (std::vector<int>{6, 5, 7}));
    // No catalogue: nothing.
    std::filesystem::remove_all(dir.path() / "00");
    std::filesystem::remove_all(dir.path() / "01");
    EXPECT_TRUE(Drawn(175).empty());
}

TEST(GlyphEllipses, CoreHaloAndBothInThatOrder) {
    // Style 1 at level 95: magnitude 0.0 gives s = 95 / 6 - 2 = 13.
    StarHarness h;
    h.view.DrawStarMode3 = 1;
    h.Use(MakeDataSet({Star(0, 0, 20, 'M')}, 1, ZoneIndex(0, 0, 1)));  // zone 0 holds record 0
    ProjectStars(h.context(), 1);
    // The core, then the halo: extent, pen and brush.
    for (const auto& [pass, left, pen, brush] :
         {std::tuple{kPassMain, -5, 199 + 5, 69}, {kPassHalo, -7, 235 + 5, 217 + 5}}) {
        h.Draw(pass);
        const auto ellipses = h.canvas.OpsOf(Kind::Ellipse);
        ASSERT_EQ(ellipses.size(), 1u);
        EXPECT_EQ(std::pair(ellipses[0].x, ellipses[0].right), std::pair(left, 1 - left));
        EXPECT_EQ(std::pair(h.canvas.OpsOf(Kind::SetPen)[0].pen.colour,
                            h.canvas.OpsOf(Kind::SetBrush)[0].brush.colour),
                  std::pair(Colour::Index(pen), Colour::Index(brush)));
    }

    // The faint-zone pass draws both: the halo first, the core on top.
    h.frame.starLevel = 95;
    h.frame.viewport = Viewport{40000, 40000};
    h.Draw(kPassFaintZones);
    const auto ellipses = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(std::pair(ellipses[0].x, ellipses[1].x), std::pair(-7, -5));
}

}  // namespace
}  // namespace render

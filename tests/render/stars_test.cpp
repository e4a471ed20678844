#include "render/stars.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "astro/projection_tables.h"
#include "astro/view_frame.h"
#include "star_fixture.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;

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

TEST(StarCodes, MagnitudeBytes) {
    EXPECT_EQ(MagnitudeOfCode(0), -20);
    EXPECT_EQ(MagnitudeOfCode(114), 94);
    EXPECT_EQ(MagnitudeOfCode(115), 95);
    EXPECT_EQ(MagnitudeOfCode(120), 95);  // drawn as magnitude 9.5
    EXPECT_EQ(MagnitudeOfCode(255), 95);
}

TEST(StarCodes, SpectralLetters) {
    const char* classes[] = {"OB", "A", "FP", "GW", "K", "MNRSC"};
    for (int c = 0; c < 6; ++c) {
        for (const char* l = classes[c]; *l; ++l)
            EXPECT_EQ(SpectralClassOf(*l), c) << *l;
    }
    for (char letter : {'D', '0', '9', 'o', ' ', '\0', '\xFF'}) {
        EXPECT_EQ(SpectralClassOf(static_cast<uint8_t>(letter)), kNoColourClass) << letter;
    }
}

TEST(AutoStarLevel, FollowsTheZoom) {
    EXPECT_EQ(AutoStarLevel(80, 1, 0, false), 69);
    EXPECT_EQ(AutoStarLevel(500, 1, 0, false), 94);
    EXPECT_EQ(AutoStarLevel(500, 1, 0, true), 94);
    // Past the reference zoom: six tenths per 20 % step, capped at 94 without the catalogue.
    EXPECT_EQ(AutoStarLevel(600, 1, 0, false), 94);
    EXPECT_EQ(AutoStarLevel(600, 1, 0, true), 100);
    EXPECT_EQ(AutoStarLevel(7700, 1, 0, true), 150);
    // Pixel styles use the next reference zoom (600); a bias of +1 too.
    EXPECT_EQ(AutoStarLevel(600, 0, 0, false), 94);
    EXPECT_EQ(AutoStarLevel(600, 1, 1, false), 94);
    EXPECT_EQ(AutoStarLevel(350, 1, 0, false), 89);  // 94 - 1.96 x 2.5 + 0.5
    // Never below 40, whatever the zoom.
    EXPECT_EQ(AutoStarLevel(10, 1, 0, false), 40);
    EXPECT_EQ(AutoStarLevel(0, 1, 0, false), 40);
}

TEST(StarSize, SizeNumberPerStyle) {
    // StarLevel 30, style 0: L = 40, magnitude 3.0 gives (40 - 30) / 6 - 2 = -1.
    EXPECT_EQ(StarSizeNumber(0, 30, 30), -1);
    EXPECT_EQ(StarSizeNumber(1, 95, -15), 16);  // (95 + 15) / 6 - 2
    EXPECT_EQ(StarSizeNumber(2, 95, 35), 10);   // 60 / 6
    EXPECT_EQ(StarSizeNumber(3, 95, 35), 7);    // 60 / 8
    EXPECT_EQ(StarSizeNumber(4, 95, 35), 12);   // 60 / 5
    EXPECT_EQ(StarSizeNumber(5, 95, 35), 10);   // 60 / 5 - 2
    EXPECT_EQ(StarSizeNumber(2, 60, 65), 0);    // -5 / 6 truncates toward zero
}

TEST(StarCountByLevel, CountsTheLoadedCatalogue) {
    std::vector<persist::StarRecord> stars = {Star(0, 0, 10, 'A'),  Star(0, 0, 20, 'A'),
                                              Star(0, 0, 20, 'A'),  Star(0, 0, 65, 'A'),
                                              Star(0, 0, 120, 'A'), Star(0, 0, 255, 'G')};
    const persist::DataSet data = MakeDataSet(stars, 4);
    const StarCatalog catalog = BuildStarCatalog(data, {});
    EXPECT_EQ(catalog.countByLevel[0], 3);  // magnitudes -1.0 and 0.0 twice
    EXPECT_EQ(catalog.countByLevel[44], 3);
    EXPECT_EQ(catalog.countByLevel[45], 4);
    EXPECT_EQ(catalog.countByLevel[94], 4);
    EXPECT_EQ(catalog.countByLevel[95], 6);  // 120 and 255 count as 9.5
    EXPECT_EQ(catalog.brightStarCount, 4);
}

TEST(StarCatalog, BrightCountNeverExceedsTheStarBlock) {
    const persist::DataSet data = MakeDataSet({Star(0, 0, 30, 'A')}, 50);
    EXPECT_EQ(BuildStarCatalog(data, {}).brightStarCount, 1);
}

class StarPassTest : public ::testing::Test {
  protected:
    StarHarness h;

    void DrawOne(const persist::StarRecord& star, int style, int starLevel, int pass = kPassMain,
                 int target = kTargetScreen) {
        const persist::DataSet data = MakeDataSet({star}, 1);
        h.Use(data);
        h.view.DrawStarMode3 = style;
        h.frame.starLevel = starLevel;
        ProjectStars(h.context(), 1);
        h.canvas.Clear();
        DrawStarPass(h.context(), pass, target);
    }
};

TEST_F(StarPassTest, StyleZeroDimsFaintStarsByRows) {
    // StarLevel 30: a magnitude 3.0 class-1 star is one pixel in b + 48.
    DrawOne(Star(10, 20, 50, 'A'), 0, 30);
    const auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].x, 10);
    EXPECT_EQ(pixels[0].y, -20);
    EXPECT_EQ(pixels[0].colour, 67 + 1 + 48);
}

TEST_F(StarPassTest, PixelShapesBySize) {
    struct Case {
        int style, magCode;
        std::size_t pixels;
        int colour, rimColour;
    };
    // Style 2 (q 6, no offset) at StarLevel 95, class 3 (base 70).
    const Case cases[] = {
        {2, 115 - 6, 1, 70, -1},    // s = 1
        {2, 115 - 12, 5, 70, 106},  // s = 2: centre and cross rim
        {2, 115 - 18, 9, 70, 106},  // s = 3: plus and diagonal rim
        {2, 115 - 24, 12, 70, -1},  // s = 4: blob
        {2, 115 - 30, 21, 70, -1},  // s = 5: disc
    };
    for (const Case& c : cases) {
        DrawOne(Star(0, 0, c.magCode, 'G'), c.style, 95);
        const auto pixels = PixelsOf(h.canvas);
        EXPECT_EQ(pixels.size(), c.pixels) << c.magCode;
        EXPECT_EQ(pixels.front().colour, c.colour);
        if (c.rimColour >= 0) {
            EXPECT_EQ(pixels.back().colour, c.rimColour);
        }
        EXPECT_TRUE(h.canvas.OpsOf(Kind::Ellipse).empty());
    }
    // s = 6 and more: a filled ellipse with the class pen (b + 12) and brush (b).
    DrawOne(Star(0, 0, 115 - 42, 'G'), 2, 95);  // s = 7
    const auto ellipses = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].x, -3);
    EXPECT_EQ(ellipses[0].y, -3);
    EXPECT_EQ(ellipses[0].right, 4);
    EXPECT_EQ(ellipses[0].bottom, 4);
    const auto brushes = h.canvas.OpsOf(Kind::SetBrush);
    const auto pens = h.canvas.OpsOf(Kind::SetPen);
    EXPECT_EQ(brushes[3].brush.colour, Colour::Index(70));
    EXPECT_EQ(pens[3].pen.colour, Colour::Index(82));
}

TEST_F(StarPassTest, GlyphStyleCoreAndHalo) {
    // Style 1, s = 3 (magnitude 95 - 30): core one white pixel and a cross in k + 138.
    DrawOne(Star(0, 0, 115 - 30, 'K'), 1, 95, kPassMain);
    auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 5u);
    EXPECT_EQ(pixels[0].colour, 69);
    EXPECT_EQ(pixels[1].colour, 71 + 138);
    // The halo pass draws only the diagonal ring in k + 162.
    DrawOne(Star(0, 0, 115 - 30, 'K'), 1, 95, kPassHalo);
    pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 4u);
    EXPECT_EQ(pixels[0].colour, 71 + 162);
    EXPECT_EQ(pixels[0].x, -1);
    EXPECT_EQ(pixels[0].y, -1);
}

TEST_F(StarPassTest, GlyphStyleDrawsUnknownClassesInIndex76) {
    DrawOne(Star(0, 0, 115 - 6, 'D'), 1, 95);  // s = -1
    auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].colour, 76 + 48);
    DrawOne(Star(0, 0, 115 - 12, '7'), 1, 95);  // s = 0
    pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].colour, 76 + 24);
}

TEST_F(StarPassTest, UnknownClassesAreNotDrawnInPixelStylesOrOnPaper) {
    for (char letter : {'D', '5'}) {
        for (int style : {0, 2, 3, 4}) {
            DrawOne(Star(0, 0, 40, letter), style, 95);
            EXPECT_TRUE(PixelsOf(h.canvas).empty()) << letter << style;
            EXPECT_TRUE(h.canvas.OpsOf(Kind::Ellipse).empty());
        }
        DrawOne(Star(0, 0, 40, letter), 1, 95, kPassMain, kTargetColourPrint);
        EXPECT_TRUE(h.canvas.OpsOf(Kind::Ellipse).empty());
    }
}

TEST_F(StarPassTest, PrintDiscsGrowWithBrightness) {
    // L 95, magnitude 3.0: d = (95 - 30 + 4) / 2 = 34, from -17 to +17.
    DrawOne(Star(100, 0, 50, 'B'), 1, 95, kPassMain, kTargetColourPrint);
    const auto ellipses = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].x, 100 - 17);
    EXPECT_EQ(ellipses[0].right, 100 + 17);
    const auto brushes = h.canvas.OpsOf(Kind::SetBrush);
    EXPECT_EQ(brushes[0].brush.colour, Colour::Rgb(0xC0, 0xC0, 0xFF));
    const auto pens = h.canvas.OpsOf(Kind::SetPen);
    EXPECT_EQ(pens[0].pen.colour, Colour::Rgb(255, 255, 255));
    // A faint star keeps the smallest disc: d = 4 / 2 = 2.
    DrawOne(Star(0, 0, 115, 'B'), 1, 95, kPassMain, kTargetMonochromePrint);
    const auto small = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(small.size(), 1u);
    EXPECT_EQ(small[0].right - small[0].x, 2);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen.colour, Colour::Rgb(0, 0, 0));
}

TEST_F(StarPassTest, VisibilityTest) {
    h.view.DrawStarMode3 = 2;  // magnitude 2.0 at level 95: an ellipse of size 12
    const persist::DataSet data =
        MakeDataSet({Star(100, 0, 40, 'A'), Star(101, 0, 40, 'A'), Star(0, -4500, 40, 'A')}, 3);
    h.Use(data);
    h.frame.viewport = Viewport{100, 100};
    ProjectStars(h.context(), 3);
    DrawStarPass(h.context(), kPassMain, kTargetScreen);
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);  // x 101 is outside
    // The star below the horizon is drawn unless the horizon is shown.
    h.frame.viewport = Viewport{100, 5000};
    h.canvas.Clear();
    DrawStarPass(h.context(), kPassMain, kTargetScreen);
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 2u);
    h.canvas.Clear();
    h.projection.horizonShown = true;
    DrawStarPass(h.context(), kPassMain, kTargetScreen);
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);
}

TEST_F(StarPassTest, MainPassDrawsFaintestFirst) {
    h.view.DrawStarMode3 = 0;
    const persist::DataSet data =
        MakeDataSet({Star(100, 0, 50, 'A'), Star(200, 0, 60, 'A'), Star(300, 0, 70, 'A')}, 3);
    h.Use(data);
    h.frame.starLevel = 50;
    h.frame.starCount = 2;  // only the two brightest
    ProjectStars(h.context(), 3);
    DrawStarPass(h.context(), kPassMain, kTargetScreen);
    const auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0].x, 200);
    EXPECT_EQ(pixels[1].x, 100);
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
        const persist::DataSet data = MakeDataSet({Star(500, 300, 40, 'A', 1000, -1000)}, 1);
        h.Use(data);
        ProjectStars(h.context(), 1);
        ASSERT_EQ(log.points.size(), 1u);
        EXPECT_EQ(log.points[0].first, expectedLon) << year;
        EXPECT_EQ(log.points[0].second, 300 - (expectedLon - 500)) << year;
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

TEST(FaintZones, EachVisibleZoneDrawsUpToItsLevelEntry) {
    StarHarness h;
    h.view.DrawStarMode3 = 0;                   // faint stars are single pixels
    h.frame.viewport = Viewport{40000, 40000};  // every zone visible
    std::vector<persist::StarRecord> stars(3, Star(0, 0, 20, 'A'));
    for (int i = 0; i < 10; ++i)
        stars.push_back(Star(100 + i, 0, 110 + i, 'A'));
    const persist::DataSet data = MakeDataSet(stars, 3, ZoneIndex(5, 3, 10));
    h.Use(data);
    h.frame.starLevel = 70;  // entry z x 30 + 5: records 3..7
    DrawStarPass(h.context(), kPassFaintZones, kTargetScreen);
    auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 5u);
    EXPECT_EQ(pixels.front().x, 104);  // faintest first
    EXPECT_EQ(pixels.back().x, 100);
    // Level 95 uses the closing entry of the zone.
    h.canvas.Clear();
    h.frame.starLevel = 95;
    DrawStarPass(h.context(), kPassFaintZones, kTargetScreen);
    EXPECT_EQ(PixelsOf(h.canvas).size(), 10u);
}

TEST(FaintZones, IndicesPastTheEndAreCutBack) {
    StarHarness h;
    h.view.DrawStarMode3 = 0;
    h.frame.viewport = Viewport{40000, 40000};
    std::vector<persist::StarRecord> stars = {Star(0, 0, 115, 'A'), Star(1, 0, 115, 'A')};
    // Zone 0 claims records 0..999999; the block has two. The index lacks its closing entry.
    std::vector<uint32_t> index(persist::kStarZones * 30, 2);
    for (int k = 0; k < 30; ++k)
        index[static_cast<std::size_t>(k)] = k == 0 ? 0 : 1000000;
    index[431 * 30] = 0;
    const persist::DataSet data = MakeDataSet(stars, 0, index);
    h.Use(data);
    h.frame.starLevel = 95;
    DrawStarPass(h.context(), kPassFaintZones, kTargetScreen);
    // Zone 0 draws both records; zone 431 (no closing entry) ends at the end of STAR2.
    EXPECT_EQ(PixelsOf(h.canvas).size(), 4u);
    // A truncated index draws nothing for the zones it lacks and never reads past its end.
    const persist::DataSet shortIndex = MakeDataSet(stars, 0, {0, 2, 2});
    h.Use(shortIndex);
    h.canvas.Clear();
    h.frame.starLevel = 66;
    DrawStarPass(h.context(), kPassFaintZones, kTargetScreen);
    EXPECT_EQ(PixelsOf(h.canvas).size(), 2u);
}

TEST(ZoneVisibility, ZonesBeyondOneEdgeAreSkipped) {
    StarHarness h;
    h.frame.viewport = Viewport{1500, 100};  // longitudes 0..1500 near the ecliptic
    const std::vector<uint8_t> grid = ComputeZoneVisibility(h.context(), 1);
    ASSERT_EQ(grid.size(), 432u);
    // Zone (a 0, d 8) spans lon 0..1365, lat -910..0: visible. (a 1, d 8) touches 1365..2730.
    EXPECT_EQ(grid[0 * 18 + 8], 1);
    EXPECT_EQ(grid[0 * 18 + 9], 1);
    EXPECT_EQ(grid[1 * 18 + 8], 1);
    EXPECT_EQ(grid[2 * 18 + 8], 0);
    EXPECT_EQ(grid[0 * 18 + 0], 0);  // far south
    EXPECT_EQ(ComputeZoneVisibility(h.context(), 2).size(), 96u * 72u);
}

class GscTest : public ::testing::Test {
  protected:
    std::filesystem::path dir;
    StarHarness h;
    persist::DataSet data = MakeDataSet({}, 0);

    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("gsc_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        h.frame.viewport = Viewport{40000, 40000};
        h.view.DrawStarMode3 = 2;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    static void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> Records(const std::vector<persist::GscRecord>& records) {
        std::vector<uint8_t> bytes(records.size() * 5);
        std::memcpy(bytes.data(), records.data(), bytes.size());
        return bytes;
    }
    void UseIndex(std::vector<persist::GscIndexEntry> entries, int kind) {
        entries.resize(persist::kGscZones);
        SetBlock(data.gscIndex, entries);
        data.gscAvailable = true;
        data.gscIndexKind = kind;
        h.catalog = BuildStarCatalog(data, dir.string());
    }
};

TEST_F(GscTest, CatalogueFileZonesAndMagnitudeLimit) {
    Write(dir / "QELGSC.DAT", Records({{10, 0, 100}, {20, 0, 150}, {30, 0, 200}}));
    std::vector<persist::GscIndexEntry> index(2);
    index[0] = {0, 2};
    index[1] = {2, 1};
    UseIndex(index, 0);
    DrawGscPass(h.context(), kGscPassMain, 150, kTargetScreen);
    // 100 and 150 pass, 200 is beyond the limit; 100 is large (s 8): an ellipse.
    auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_EQ(pixels[0].x, 20);
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);
    // Level 175: no limit, sizes with L = 150.
    h.canvas.Clear();
    DrawGscPass(h.context(), kGscPassMain, 175, kTargetScreen);
    pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(pixels[0].x, 20);
    EXPECT_EQ(pixels[1].x, 30);
    EXPECT_EQ(h.canvas.OpsOf(Kind::Ellipse).size(), 1u);
}

TEST_F(GscTest, PixelColoursAndSizes) {
    // Style 2 (q 6, o 0), L 150: mag 150 -> s 0 -> k 93; mag 174 -> s -4 -> 183; mag 120 -> s 5.
    Write(dir / "QELGSC.DAT", Records({{1, 0, 150}, {2, 0, 174}, {3, 0, 120}}));
    UseIndex({{0, 3}}, 0);
    DrawGscPass(h.context(), kGscPassMain, 175, kTargetScreen);
    const auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 23u);
    EXPECT_EQ(pixels[0].x, 3 - 1);  // last record first: the disc of mag 120
    EXPECT_EQ(pixels[0].colour, 69);
    EXPECT_EQ(pixels[21].colour, 183);
    EXPECT_EQ(pixels[22].colour, 93);
}

TEST_F(GscTest, ShortCatalogueSkipsTheZoneAndBadOffsetsAreHarmless) {
    Write(dir / "QELGSA.DAT", Records({{10, 0, 160}}));
    UseIndex({{0, 5}, {0xFFFFFFFFu, 0xFFFFFFFFu}, {0, 1}}, 1);
    DrawGscPass(h.context(), kGscPassMain, 175, kTargetScreen);
    // Zone 0 wants 5 records and gets 1: skipped. Zone 1 points far past the end: skipped.
    // Zone 2 reads its one record.
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size() + h.canvas.OpsOf(Kind::SetPixel).size(), 1u);
}

TEST_F(GscTest, OneFilePerZone) {
    UseIndex({}, 1);
    Write(dir / "00" / "QELA0003.DAT", Records({{5, 0, 140}, {6, 0, 140}}));
    std::vector<uint8_t> ragged = Records({{7, 0, 140}});
    ragged.push_back(0x55);  // a partial record is ignored
    Write(dir / "01" / "QELA0100.DAT", ragged);
    DrawGscPass(h.context(), kGscPassMain, 160, kTargetScreen);
    const auto pixels = PixelsOf(h.canvas);
    ASSERT_EQ(pixels.size(), 3u);
    EXPECT_EQ(pixels[0].x, 6);
    EXPECT_EQ(pixels[2].x, 7);
}

TEST_F(GscTest, MissingCatalogueDrawsNothing) {
    h.catalog = BuildStarCatalog(data, dir.string());
    DrawGscPass(h.context(), kGscPassMain, 175, kTargetScreen);
    EXPECT_TRUE(h.canvas.ops.empty());
}

}  // namespace
}  // namespace render

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;

TEST(GlyphEllipses, CoreHaloAndBothInThatOrder) {
    // Style 1 at level 95: magnitude 0.0 gives s = 95 / 6 - 2 = 13.
    StarHarness h;
    h.view.DrawStarMode3 = 1;
    std::vector<uint32_t> index(persist::kStarZones * 30 + 1, 0);
    for (std::size_t i = 1; i < index.size(); ++i)
        index[i] = 1;  // zone 0 holds record 0
    const persist::DataSet data = MakeDataSet({Star(0, 0, 20, 'M')}, 1, index);
    h.Use(data);
    ProjectStars(h.context(), 1);
    DrawStarPass(h.context(), kPassMain, kTargetScreen);
    auto ellipses = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].x, -5);
    EXPECT_EQ(ellipses[0].right, 6);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen.colour, Colour::Index(199 + 5));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush)[0].brush.colour, Colour::Index(69));

    h.canvas.Clear();
    DrawStarPass(h.context(), kPassHalo, kTargetScreen);
    ellipses = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].x, -7);
    EXPECT_EQ(ellipses[0].right, 8);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen)[0].pen.colour, Colour::Index(235 + 5));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush)[0].brush.colour, Colour::Index(217 + 5));

    // The faint-zone pass draws both: the halo first, the core on top.
    h.canvas.Clear();
    h.frame.starLevel = 95;
    h.frame.viewport = Viewport{40000, 40000};
    DrawStarPass(h.context(), kPassFaintZones, kTargetScreen);
    ellipses = h.canvas.OpsOf(Kind::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0].x, -7);
    EXPECT_EQ(ellipses[1].x, -5);
}

}  // namespace
}  // namespace render

namespace render {
namespace {

using namespace render::testing;

// Random bytes for every star block, odd sizes included: every pass runs to its end without
// reading outside the blocks (the sanitizer build checks the reads).
TEST(StarBlocksOfRandomBytes, EveryPassAndStyleStaysInBounds) {
    std::mt19937 rng(2024);
    const std::filesystem::path folder =
        std::filesystem::path(::testing::TempDir()) / "random_star_blocks";
    std::filesystem::create_directories(folder);
    {
        std::vector<char> catalogue(4999);
        for (char& b : catalogue)
            b = static_cast<char>(rng());
        std::ofstream(folder / "QELGSC.DAT", std::ios::binary)
            .write(catalogue.data(), static_cast<std::streamsize>(catalogue.size()));
    }
    for (int round = 0; round < 5; ++round) {
        persist::DataSet data;
        const auto randomBlock = [&rng](persist::Block& block, std::size_t size) {
            std::vector<uint8_t> bytes(size);
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(rng());
            SetBlock(block, bytes);
        };
        randomBlock(data.block(persist::BlockId::STAR2), 10 * (rng() % 500) + rng() % 10);
        randomBlock(data.block(persist::BlockId::STIDX), rng() % 60000);
        randomBlock(data.gscIndex, rng() % 60000);
        data.brightStarCount = rng() % 1000;
        data.gscAvailable = true;
        data.gscIndexKind = 0;
        StarHarness h;
        h.frame.viewport = Viewport{30000, 30000};
        h.catalog = BuildStarCatalog(data, folder.string());
        for (int style = 0; style <= 5; ++style) {
            h.view.DrawStarMode3 = style;
            for (int level : {0, 40, 66, 80, 95}) {
                h.frame.starLevel = level;
                h.frame.starCount = h.catalog.countByLevel[static_cast<std::size_t>(level)];
                ProjectStars(h.context(), 3000);
                for (int target : {kTargetScreen, kTargetMonochromePrint, kTargetColourPrint}) {
                    for (int pass = 1; pass <= 4; ++pass)
                        DrawStarPass(h.context(), pass, target);
                    DrawGscPass(h.context(), 1, level + 20, target);
                }
                h.canvas.Clear();
            }
            // The index points anywhere in (and far beyond) a short catalogue file.
            DrawGscPass(h.context(), 1, 175, style == 3 ? kTargetColourPrint : kTargetScreen);
            h.canvas.Clear();
        }
    }
    std::filesystem::remove_all(folder);
    SUCCEED();
}

}  // namespace
}  // namespace render

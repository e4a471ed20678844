#include "render/deep_sky.h"

#include <gtest/gtest.h>

#include <cstring>

#include "layer_fixture.h"
#include "persist/records/world_records.h"
#include "render/picture_warp.h"

namespace render {
namespace {

using namespace render::testing;
using Kind = CanvasOp::Kind;

using Object = persist::ObjectRecord;

persist::ObjectNameRecord Names(const char* popular, const char* messier, const char* ngc) {
    persist::ObjectNameRecord n{};
    std::strncpy(n.popular, popular, sizeof n.popular - 1);
    std::strncpy(n.messier, messier, sizeof n.messier - 1);
    std::strncpy(n.ngc, ngc, sizeof n.ngc - 1);
    return n;
}

// Latitudes above 5000 are more than 150 degrees from the centre.
ProjectedPoint FarAboveProject(const void*, int lon, int lat) {
    return ProjectedPoint{lon, -lat, lat > 5000 ? -100 : 100};
}

// Puts the first corner of M31 at (0, 0), one binary unit per pixel, north up.
ProjectedPoint AroundM31(const void*, int lon, int lat) {
    return ProjectedPoint{lon - 2938 * 32768 / 36000, -(lat - 3386 * 32768 / 36000), 100};
}

// The same with the fourth corner (the smallest longitude) more than 150 degrees away.
ProjectedPoint AroundM31OneCornerBehind(const void* context, int lon, int lat) {
    ProjectedPoint p = AroundM31(context, lon, lat);
    if (lon < 2500) p.flag = -1;
    return p;
}

// The layer harness with a 1000-pixel view, deep-sky blocks and a plain linear projection.
struct DeepSkyHarness : LayerHarness {
    DeepSkyHarness() {
        scene.frame.viewport = Viewport{1000, 1000};
        scene.projection = SkyProjection{&LinearProject, nullptr, false, 0};
    }
    void Objects(const std::vector<persist::ObjectRecord>& objects,
                 const std::vector<persist::ObjectNameRecord>& names) {
        SetData(persist::BlockId::OBJ, objects);
        SetData(persist::BlockId::OBJN, names);
    }
    void Symbols(int target = kTargetScreen) {
        Draw(
            [](LayerContext& context) {
                ProjectDeepSkyObjects(context);
                DrawDeepSkySymbols(context);
            },
            target);
    }
    void MilkyWay(int from, int to, int target = kTargetScreen) {
        Draw([&](LayerContext& context) { DrawMilkyWay(context, from, to); }, target);
    }
};

TEST(DeepSkySymbols, SixPassesByTypeWithTheirPatternsAndColours) {
    DeepSkyHarness h;
    h.scene.frame.solarLongitude = 28300;
    h.Objects({Object{10, 0, 'C', 'K'}, Object{20, 0, 'M', 'F'}, Object{30, 0, 'N', '3'},
               Object{40, 0, 'P', 'B'}, Object{50, 0, 'D', 'G'}, Object{60, 0, 'G', 'M'},
               Object{70, 0, 'N', 'O'}},
              {Names("", "", ""), Names("Capricornids", "L283", ""), Names("", "", ""),
               Names("", "", ""), Names("", "", ""), Names("", "", ""), Names("", "", "")});
    h.Symbols();
    // Galaxies, nebulae, planetary nebulae, globular and open clusters, radiants; tinted by the
    // class letter (M red, O and B blue, G, K, F) or, for a dark nebula, its digit.
    std::vector<std::pair<int, Colour>> drawn;
    for (const CanvasOp& op : h.canvas.OpsOf(Kind::PlotPattern))
        drawn.emplace_back(op.x, op.colour);
    EXPECT_EQ(drawn, (std::vector<std::pair<int, Colour>>{{60, Colour::Index(67 + 5)},
                                                          {30, Colour::Index(57 + 36)},
                                                          {70, Colour::Index(67)},
                                                          {40, Colour::Index(67)},
                                                          {50, Colour::Index(67 + 3)},
                                                          {10, Colour::Index(67 + 4)},
                                                          {20, Colour::Index(67 + 2)}}));
}

TEST(DeepSkySymbols, RadiantShowsOnlyWithinThreeDegreesOfItsPeak) {
    for (const auto& [longitude, peak, active] : {
             std::tuple{27999, 283, false},
             {28000, 283, true},
             {28600, 283, true},
             {28601, 283, false},
             {100, 359, true},
         })
        EXPECT_EQ(RadiantActive(longitude, peak), active) << longitude << " " << peak;
    EXPECT_EQ(RadiantPeakOf(Names("", "L283", "")), 283);
    EXPECT_EQ(RadiantPeakOf(Names("", "L7x", "")), 7);
    EXPECT_FALSE(RadiantPeakOf(Names("", "L", "")));
    EXPECT_FALSE(RadiantPeakOf(Names("", "", "")));
    persist::ObjectNameRecord unterminated;
    std::memset(&unterminated, '9', sizeof unterminated);
    EXPECT_FALSE(RadiantPeakOf(unterminated));

    DeepSkyHarness h;
    h.view.Galaxy = 2;
    h.Objects({Object{0, 0, 'M', 'F'}}, {Names("Capricornids", "L283", "")});
    for (const auto& [longitude, shown] : {std::pair{28600, 1u}, {28601, 0u}}) {
        h.scene.frame.solarLongitude = longitude;
        h.Symbols();
        EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), shown) << longitude;
        EXPECT_EQ(h.Texts().size(), shown) << longitude;
    }
}

TEST(DeepSkySymbols, HiddenOutsideTheViewBehindOrBelowTheGround) {
    DeepSkyHarness h;
    h.scene.frame.viewport = Viewport{5000, 5000};
    h.Objects({Object{5001, 0, 'G', 'K'}, Object{5000, 5000, 'G', 'K'}, Object{0, -4500, 'G', 'K'},
               Object{0, 0, 'G', 'K'}},
              {});
    h.Symbols();
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), 3u);  // below the horizon, no ground
    h.scene.projection.horizonShown = true;
    h.Symbols();
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), 2u);

    h.scene.projection.project = &FarAboveProject;
    h.Objects({Object{0, 6000, 'G', 'K'}}, {});
    h.Symbols();
    EXPECT_TRUE(h.canvas.OpsOf(Kind::PlotPattern).empty());
}

TEST(DeepSkyLabels, ThreeNamingModesTheNgcFallbackAndAShortNamesBlock) {
    DeepSkyHarness h;
    h.Objects({Object{0, 0, 'G', 'K'}, Object{100, 0, 'C', 'B'}, Object{200, 0, 'N', 'M'},
               Object{3000, 0, 'G', 'K'}},
              {Names("Andromeda Galaxy", "M31", "NGC 224"), Names("Double Cluster", "", "NGC 869"),
               Names("", "", ""), Names("Outside", "M99", "NGC 4254")});
    // Messier (else NGC), popular or NGC names below the symbol: the top 4 pixels under the
    // point, centred; further below on paper.
    const struct {
        int mode, target;
        std::vector<std::string> labels;
        int top;
    } cases[] = {{3, kTargetScreen, {"M31", "NGC 869"}, 4},
                 {2, kTargetScreen, {"Andromeda Galaxy", "Double Cluster"}, 4},
                 {1, kTargetScreen, {}, 0},
                 {4, kTargetColourPrint, {"NGC 224", "NGC 869"}, 19}};
    for (const auto& c : cases) {
        h.view.Galaxy = c.mode;
        h.Symbols(c.target);
        EXPECT_EQ(h.Texts(), c.labels) << c.mode;
        if (c.labels.empty()) continue;
        const CanvasOp first = h.canvas.OpsOf(Kind::DrawText).at(0);
        EXPECT_EQ(std::pair(first.x + static_cast<int>(first.text.size()) * 3, first.y),
                  std::pair(0, c.top));
    }
    // On paper the symbols are outlines in the class colour.
    EXPECT_TRUE(h.canvas.OpsOf(Kind::PlotPattern).empty());
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen).at(0).pen.colour, SpectralColour(2, 4, false));
    // A names block shorter than the objects.
    h.view.Galaxy = 4;
    h.scene.frame.solarLongitude = 28300;
    h.Objects({Object{0, 0, 'G', 'K'}, Object{100, 0, 'G', 'K'}, Object{200, 0, 'M', 'F'}},
              {Names("", "", "NGC 1")});
    h.data.block(persist::BlockId::OBJN).size += 30;  // and a torn record after it
    h.Symbols();
    EXPECT_EQ(h.canvas.OpsOf(Kind::PlotPattern).size(), 2u);  // the radiant has no peak
    EXPECT_EQ(h.Texts(), (std::vector<std::string>{"NGC 1"}));
}

TEST(MilkyWay, BandsPolygonsAndTheFarSide) {
    DeepSkyHarness h;
    h.scene.projection.project = &FarAboveProject;
    SetBlock(h.data.block(persist::BlockId::MILKY),
             Pairs<persist::MilkyPair>(
                 {{10, 10}, {20, 10}, {20, 20},    {-1, 0},  // before any band: never drawn
                  {-3, 0},  {100, 0}, {200, 0},    {200, 100}, {-1, 0},
                  {-4, 0},  {300, 0}, {400, 6000}, {400, 100}, {-1, 0},  // one vertex far off
                  {-7, 0},  {500, 0}, {600, 0},    {600, 100}, {-1, 0},
                  {-2, 0},  {700, 0}, {800, 0},    {800, 100}, {-1, 0}}));
    h.MilkyWay(1, 4);
    std::vector<CanvasOp> polygons = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points, (std::vector<Point>{{100, 0}, {200, 0}, {200, -100}}));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush).at(0).brush.colour, Colour::Index(20));
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetPen).at(0).pen.style, PenStyle::Null);

    h.MilkyWay(2, 9);
    polygons = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);  // the far polygon is dropped; nothing after the end mark
    EXPECT_EQ(polygons[0].points.front(), (Point{500, 0}));

    h.MilkyWay(2, 9, kTargetMonochromePrint);
    EXPECT_EQ(h.canvas.OpsOf(Kind::SetBrush).at(0).brush.colour, Colour::Rgb(232, 232, 232));
}

TEST(MilkyWay, OverlongPolygonIsSkippedAndAnUnendedBlockStopsSafely) {
    DeepSkyHarness h;
    std::vector<std::pair<int, int>> values = {{-3, 0}};
    for (int i = 0; i < 1001; ++i)
        values.emplace_back(i % 500, i / 500);
    values.emplace_back(-1, 0);
    values.insert(values.end(), {{1, 1}, {2, 1}, {2, 2}, {-1, 0}, {5, 5}, {6, 6}});
    SetBlock(h.data.block(persist::BlockId::MILKY), Pairs<persist::MilkyPair>(values));
    h.data.block(persist::BlockId::MILKY).size -= 2;  // a torn last pair
    h.MilkyWay(1, 6);
    const std::vector<CanvasOp> polygons = h.canvas.OpsOf(Kind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].points.size(), 3u);
}

TEST(DeepSkyImages, RefusedPicturesAndTargets) {
    DeepSkyHarness h;
    DeepSkyPicture m31;
    h.scene.deepSkyPictures = [&](std::string_view name) -> const DeepSkyPicture* {
        return name == "B_M31" ? &m31 : nullptr;
    };
    h.scene.projection.project = &AroundM31;
    LayerContext layer{h.canvas, h.scene, kTargetScreen};
    // Only uncompressed 24-bit pictures of at most 160 x 160 with all their pixels, on screen in
    // true colour or on colour paper.
    const std::vector<uint8_t> grey(160 * 160 * 3, 200), cut(100, 200);
    const int screen = kTargetScreen;
    const struct {
        DeepSkyPicture picture;
        int target;
        bool trueColour, painted;
    } cases[] = {
        {{160, 160, 24, false, grey}, screen, true, true},
        {{161, 10, 24, false, grey}, screen, true, false},
        {{10, 161, 24, false, grey}, screen, true, false},
        {{0, 10, 24, false, grey}, screen, true, false},
        {{160, 160, 24, false, cut}, screen, true, false},
        {{10, 10, 8, false, grey}, screen, true, false},
        {{10, 10, 24, true, grey}, screen, true, false},
        {{10, 10, 24, false, grey}, kTargetMonochromePrint, true, false},
        {{10, 10, 24, false, grey}, kTargetColourPrint, true, true},
        {{10, 10, 24, false, grey}, screen, false, false},
    };
    for (const auto& c : cases) {
        m31 = c.picture;
        h.canvas.Clear();
        layer.target = c.target;
        h.view.TrueColourDisplay = c.trueColour;
        DrawDeepSkyImages(layer, 0);
        EXPECT_EQ(h.canvas.OpsOf(Kind::DrawImageCell).empty(), !c.painted)
            << c.picture.width << "x" << c.picture.height << " " << c.target;
    }
    h.view.TrueColourDisplay = true;
    // Only the picture whose corners are all in front and in view is asked for.
    int asked = 0;
    h.scene.deepSkyPictures = [&](std::string_view name) -> const DeepSkyPicture* {
        EXPECT_EQ(name, "B_M31");
        ++asked;
        return nullptr;
    };
    layer.target = kTargetScreen;
    DrawDeepSkyImages(layer, 0);
    EXPECT_EQ(asked, 1);
    h.scene.projection.project = &AroundM31OneCornerBehind;
    DrawDeepSkyImages(layer, 0);
    EXPECT_EQ(asked, 1);
}

// 16 x 16: a sky background of (20, 24, 30) with a bright 8 x 8 middle of (200, 150, 100).
DeepSkyPicture NebulaPicture() {
    DeepSkyPicture p;
    p.width = p.height = 16;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool middle = x >= 4 && x < 12 && y >= 4 && y < 12;
            p.rgb.insert(p.rgb.end(), {uint8_t(middle ? 200 : 20), uint8_t(middle ? 150 : 24),
                                       uint8_t(middle ? 100 : 30)});
        }
    }
    return p;
}

// At every magnification, straight or sheared, the quadrilateral is filled without gaps where
// the picture has light, its background and everything beyond it stay clear, and its light adds
// a third of itself.
TEST(PictureWarp, FilledAtEveryMagnificationWithoutItsBackground) {
    const DeepSkyPicture picture = NebulaPicture();
    EXPECT_EQ(PictureBackground(picture), (std::array<int, 3>{20, 24, 30}));
    for (int size : {8, 48, 160, 1000}) {
        for (int shear : {0, size / 2}) {
            // Corners 1 and 2 along the top from (-h, -h); the bottom edge shifted right.
            const int h = size / 2;
            const WarpedPicture warped = WarpPicture(
                picture, {Point{-h, -h}, Point{h, -h}, Point{shear - h, h}, Point{shear + h, h}},
                Viewport{300, 200});
            ASSERT_GT(warped.width, 0);
            int gaps = 0, boxed = 0;
            for (int y = 0; y < warped.height; ++y) {
                for (int x = 0; x < warped.width; ++x) {
                    // The pixel's place in the picture, 0..1 across.
                    const double v = (warped.top + y + 0.5 + h) / size;
                    const double u = (warped.left + x + 0.5 + h - v * shear) / size;
                    const uint32_t pixel =
                        warped.argb[static_cast<std::size_t>(y) * warped.width + x];
                    if (u > 0.3 && u < 0.7 && v > 0.3 && v < 0.7 && pixel >> 24 == 0) ++gaps;
                    if ((u < 0.2 || u > 0.8 || v < 0.2 || v > 0.8) && pixel != 0) ++boxed;
                }
            }
            EXPECT_EQ(gaps, 0) << size << " " << shear;
            EXPECT_EQ(boxed, 0) << size << " " << shear;
            if (size == 160 && shear == 0) {
                // The middle: (180, 126, 70) / 3 over the sky, an alpha of the brightest channel.
                const uint32_t centre =
                    warped.argb[static_cast<std::size_t>(-warped.top) * warped.width - warped.left];
                EXPECT_EQ(centre >> 24, 60u);
                EXPECT_EQ(centre & 0xFFFFFF, 0xFFB363u);
            }
        }
    }
}

}  // namespace
}  // namespace render

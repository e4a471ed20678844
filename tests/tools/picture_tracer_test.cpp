// Tracing of artwork silhouettes into outlines and their placement through three anchor stars.
#include <gtest/gtest.h>

#include <cmath>

#include "sky/ecliptic.h"
#include "sky/picture_tracer.h"

namespace databuilder {
namespace {

double area(const Outline& o) {
    double a = 0;
    for (size_t i = 1; i < o.size(); ++i)
        a += o[i - 1].x * o[i].y - o[i].x * o[i - 1].y;
    return a / 2;
}

// Shapes painted on an 80 x 80 picture trace into closed outlines enclosing their area; a hole
// runs the other way round, specks and dark pixels are dropped.
TEST(PictureTracerTest, ShapesBecomeClosedOutlinesOfTheirArea) {
    struct Fill {
        int x0, y0, x1, y1;
        uint8_t value;
    };
    const struct {
        std::vector<Fill> fills;
        std::size_t outlines;
        double area;
    } cases[] = {
        {{{10, 5, 30, 25, 200}}, 1, 400.0},
        {{{4, 4, 60, 60, 180}, {20, 20, 44, 44, 0}, {1, 1, 2, 2, 255}, {61, 61, 63, 63, 10}},
         2,
         56.0 * 56 - 24 * 24},
        {{{10, 10, 40, 40, 200}, {40, 40, 70, 70, 200}}, 0, 2 * 900.0},  // touching corners
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> g(80 * 80, 0);
        for (const Fill& f : c.fills)
            for (int y = f.y0; y < f.y1; ++y)
                for (int x = f.x0; x < f.x1; ++x)
                    g[size_t(y) * 80 + x] = f.value;
        const auto outlines = traceOutlines(g, 80, 80);
        if (c.outlines) ASSERT_EQ(outlines.size(), c.outlines) << c.area;
        double total = 0;
        for (const auto& o : outlines) {
            EXPECT_EQ(std::pair(o.front().x, o.front().y), std::pair(o.back().x, o.back().y));
            total += area(o);
        }
        EXPECT_DOUBLE_EQ(std::fabs(total), c.area);
    }
    // The square's outline is its four corners, closed.
    std::vector<uint8_t> square(80 * 80, 0);
    for (int y = 5; y < 25; ++y)
        for (int x = 10; x < 30; ++x)
            square[size_t(y) * 80 + x] = 200;
    const auto outlines = traceOutlines(square, 80, 80);
    ASSERT_EQ(outlines[0].size(), 5u);
    for (const auto& p : outlines[0])
        EXPECT_TRUE((p.x == 10 || p.x == 30) && (p.y == 5 || p.y == 25));
}

TEST(PictureTracerTest, SimplificationKeepsCornersWithinTolerance) {
    std::vector<PixelPoint> staircase;
    for (int i = 0; i <= 20; ++i)
        staircase.push_back({double(i), i % 2 ? 0.6 : 0.0});
    staircase.push_back({20, 20});
    const auto s = simplifyPolyline(staircase, 1.0);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].x, 20);
    EXPECT_EQ(s[1].y, 0);
    EXPECT_EQ(simplifyPolyline(staircase, 0.1).size(), staircase.size());
}

TEST(PictureMappingTest, AnchorsLandOnTheirStarsAndMidpointsBetween) {
    const std::array<Vec3, 3> stars = {equatorialVector(88.79, 7.41), equatorialVector(78.63, -8.2),
                                       equatorialVector(86.94, -9.67)};
    const std::array<PixelPoint, 3> anchors = {{{100, 50}, {400, 420}, {150, 450}}};
    const PictureMapping m(anchors, stars);
    ASSERT_TRUE(m.valid());
    for (int k = 0; k < 3; ++k)
        EXPECT_GT(dot(m.direction(anchors[k]), stars[k]), 1 - 1e-12);
    const Vec3 mid = m.direction({250, 235});
    EXPECT_GT(dot(mid, normalized(stars[0] + stars[1])), 1 - 1e-9);
    EXPECT_FALSE(PictureMapping({{{0, 0}, {1, 1}, {2, 2}}}, stars).valid());
}

}  // namespace
}  // namespace databuilder

// Tracing of artwork silhouettes into outlines and their placement through three anchor stars.
#include <gtest/gtest.h>

#include <cmath>

#include "sky/ecliptic.h"
#include "sky/picture_tracer.h"

namespace databuilder {
namespace {

std::vector<uint8_t> canvas(int w, int h) {
    return std::vector<uint8_t>(size_t(w) * h, 0);
}

void fill(std::vector<uint8_t>& g, int w, int x0, int y0, int x1, int y1, uint8_t v) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            g[size_t(y) * w + x] = v;
}

double area(const Outline& o) {
    double a = 0;
    for (size_t i = 1; i < o.size(); ++i)
        a += o[i - 1].x * o[i].y - o[i].x * o[i - 1].y;
    return a / 2;
}

TEST(PictureTracerTest, FilledSquareBecomesOneClosedFourCornerOutline) {
    auto g = canvas(40, 40);
    fill(g, 40, 10, 5, 30, 25, 200);
    const auto outlines = traceOutlines(g, 40, 40);
    ASSERT_EQ(outlines.size(), 1u);
    const Outline& o = outlines[0];
    EXPECT_EQ(o.size(), 5u);
    EXPECT_EQ(o.front().x, o.back().x);
    EXPECT_EQ(o.front().y, o.back().y);
    EXPECT_DOUBLE_EQ(std::fabs(area(o)), 400.0);
    for (const auto& p : o) {
        EXPECT_TRUE(p.x == 10 || p.x == 30);
        EXPECT_TRUE(p.y == 5 || p.y == 25);
    }
}

TEST(PictureTracerTest, HolesAreTracedAndSpecksAndDarkPixelsDropped) {
    auto g = canvas(64, 64);
    fill(g, 64, 4, 4, 60, 60, 180);
    fill(g, 64, 20, 20, 44, 44, 0);   // a hole of perimeter 96
    fill(g, 64, 1, 1, 2, 2, 255);     // a speck
    fill(g, 64, 61, 61, 63, 63, 10);  // below the threshold
    const auto outlines = traceOutlines(g, 64, 64);
    ASSERT_EQ(outlines.size(), 2u);
    const double a0 = area(outlines[0]), a1 = area(outlines[1]);
    EXPECT_DOUBLE_EQ(std::fabs(a0) + std::fabs(a1), 56.0 * 56 + 24 * 24);
    EXPECT_LT(a0 * a1, 0) << "hole and outer outline run in opposite senses";
}

TEST(PictureTracerTest, DiagonalContactStillGivesClosedOutlines) {
    auto g = canvas(80, 80);
    fill(g, 80, 10, 10, 40, 40, 200);
    fill(g, 80, 40, 40, 70, 70, 200);  // touches the first square at one corner
    const auto outlines = traceOutlines(g, 80, 80);
    double total = 0;
    for (const auto& o : outlines) {
        EXPECT_EQ(o.front().x, o.back().x);
        EXPECT_EQ(o.front().y, o.back().y);
        total += area(o);
    }
    EXPECT_DOUBLE_EQ(std::fabs(total), 2 * 900.0);
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

#include <gtest/gtest.h>

#include "builder_fixture.h"

#include "world/body_pictures.h"
#include "world/sky_pictures.h"

namespace {

using namespace databuilder;
using namespace databuilder::world;

TEST(SkyPictures, InverseBilinearFindsTextureCoordinatesInASkewedQuad) {
    const double cx[4] = {0, 4, 5, 1}, cy[4] = {0, 0.5, 3, 2};
    const double u0 = 0.3, t0 = 0.8;
    const double w[4] = {(1 - u0) * (1 - t0), u0 * (1 - t0), u0 * t0, (1 - u0) * t0};
    double px = 0, py = 0;
    for (int i = 0; i < 4; ++i)
        px += w[i] * cx[i], py += w[i] * cy[i];
    double u, t;
    ASSERT_TRUE(InverseBilinear(px, py, cx, cy, u, t));
    EXPECT_NEAR(u, u0, 1e-9);
    EXPECT_NEAR(t, t0, 1e-9);
}

TEST(SkyPictures, TextureIndexAcceptsTheFilesLooseNumbers) {
    const auto tiles = ParseTextureIndex(builder_test::Fixture("textures.json"), "textures.json");
    ASSERT_EQ(tiles.size(), 1u);  // only whole pictures mapped corner to corner
    EXPECT_EQ(tiles[0].credit, "Dylan O'Donnell");
    EXPECT_DOUBLE_EQ(tiles[0].corners[1], -0.5);
    EXPECT_DOUBLE_EQ(tiles[0].corners[5], 0.25);
}

TEST(SkyPictures, DimPicturesAreStretchedAndBlackOnesRefused) {
    QImage dim(20, 20, QImage::Format_RGB32), black = dim;
    dim.fill(qRgb(2, 2, 2));
    dim.setPixel(3, 3, qRgb(40, 20, 10));
    for (int x = 0; x < 20; ++x)
        dim.setPixel(x, 5, qRgb(32, 32, 32));  // 5 % of the picture: the stretch's reference
    black.fill(qRgb(1, 1, 1));
    EXPECT_TRUE(databuilder::world::MakeUsable(dim));
    EXPECT_EQ(qGray(dim.pixel(0, 5)), 224);
    EXPECT_EQ(qRed(dim.pixel(3, 3)), 255);
    EXPECT_FALSE(databuilder::world::MakeUsable(black));
}

TEST(SkyPictures, FieldPictureShowsNorthUpAndEastLeft) {
    // A photograph 2 degrees square around RA 90, Dec 0, red in its eastern (higher RA) half and
    // green in its northern half... as quadrants: NE red, NW green, SE blue, SW white.
    QImage photo(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool north = y < 32;  // row 0 is the top, texture t = 1
            const bool east = x < 32;   // texture u = 0 at corner 0 (higher RA here)
            photo.setPixel(x, y,
                           north ? (east ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                 : (east ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
        }
    TextureTile tile;
    tile.corners = {91, -1, 89, -1, 89, 1, 91, 1};
    SkyMosaic mosaic;
    mosaic.Add(photo, tile);
    double covered = 0;
    const QImage pic = RenderFieldPicture(mosaic, 90, 0, 1.0, 20, covered);
    EXPECT_DOUBLE_EQ(covered, 1.0);
    EXPECT_EQ(pic.pixel(2, 2) & 0xFFFFFF, 0xFF0000u);    // upper left: north-east
    EXPECT_EQ(pic.pixel(17, 2) & 0xFFFFFF, 0x00FF00u);   // upper right: north-west
    EXPECT_EQ(pic.pixel(2, 17) & 0xFFFFFF, 0x0000FFu);   // lower left: south-east
    EXPECT_EQ(pic.pixel(17, 17) & 0xFFFFFF, 0xFFFFFFu);  // lower right: south-west
    const QImage outside = RenderFieldPicture(mosaic, 200, 40, 1.0, 8, covered);
    EXPECT_DOUBLE_EQ(covered, 0.0);
}

TEST(BodyPictures, SphereIsLitFromTheUpperLeftAndBlackOutside) {
    QImage map(64, 32, QImage::Format_RGB32);
    map.fill(qRgb(200, 200, 200));
    const QImage s = RenderLitSphere(map, 64);
    ASSERT_EQ(s.format(), QImage::Format_RGB888);
    EXPECT_EQ(s.pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(s.pixel(63, 63) & 0xFFFFFF, 0u);
    EXPECT_GT(qRed(s.pixel(20, 20)), qRed(s.pixel(44, 44)) + 50);
    EXPECT_GT(qRed(s.pixel(32, 32)), 100);
}

TEST(BodyPictures, EarthMapIsHalfADegreePerPixelWithAPalette) {
    QImage world(1024, 512, QImage::Format_RGB32);
    world.fill(qRgb(10, 40, 90));
    const QImage map = MakeEarthMap(world);
    EXPECT_EQ(std::tuple(map.width(), map.height(), map.format()),
              std::tuple(720, 360, QImage::Format_Indexed8));
    EXPECT_LE(ReduceTo16Colours(world).colorCount(), 16);
}

}  // namespace

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <tuple>

#include "sky/ecliptic.h"
#include "world/body_pictures.h"
#include "world/deep_sky_images.h"
#include "world/sky_pictures.h"
#include "world_dataset.h"

namespace {

using namespace databuilder;
using namespace databuilder::world;

// Width, height and PNG colour type (2 RGB, 3 palette) with 8 bits a channel, else 0s.
std::tuple<uint32_t, uint32_t, int> PngShape(const std::vector<uint8_t>& b) {
    if (b.size() < 26 || b[1] != 'P' || b[2] != 'N' || b[3] != 'G' || b[24] != 8) return {};
    const auto u32 = [&](size_t o) {
        return uint32_t(b[o]) << 24 | b[o + 1] << 16 | b[o + 2] << 8 | b[o + 3];
    };
    return {u32(16), u32(20), b[25]};
}

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
    const auto tiles = ParseTextureIndex(R"({"subTiles":[
        {"imageCredits":{"short":" Dylan O'Donnell"},"imageUrl":"m8.png",
         "worldCoords":[[[271.1,-.5],[270.5,-.5],[270.5,.25],[271.1,.25]]],
         "textureCoords":[[[0,0],[1,0],[1,1],[0,1]]]},
        {"imageCredits":{"Short":"x"},"imageUrl":"part.png",
         "worldCoords":[[[1,1],[2,1],[2,2],[1,2]]],
         "textureCoords":[[[0,0],[0.5,0],[0.5,1],[0,1]]]}]})",
                                         "textures.json");
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
    EXPECT_EQ(map.width(), 720);
    EXPECT_EQ(map.height(), 360);
    EXPECT_EQ(map.format(), QImage::Format_Indexed8);
    EXPECT_LE(ReduceTo16Colours(world).colorCount(), 16);
}

// Every picture is 24-bit and at most 160 pixels square (the Earth map: a palette of 720 x 360);
// those of the table, the bodies and the comet are there; object pictures are numbered by OBJ
// record (index + 1) and belong to real objects, never to a meteor radiant.
TEST(PicturesDataset, EveryPictureIs24BitAndAtMost160Square) {
    const auto dir = world_test::DatasetDir() / "pictures";
    const auto obj = world_test::ReadBlock("OBJ");
    int pictures = 0, objectPictures = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().stem().string();
        const auto [width, height, colourType] = PngShape(world_test::ReadFile(entry.path()));
        if (name == "B_EARTHMAP") {
            EXPECT_EQ(std::tuple(width, height, colourType), std::tuple(720u, 360u, 3));
            continue;
        }
        ++pictures;
        EXPECT_TRUE(colourType == 2 && width >= 1 && width <= 160 && height <= 160) << name;
        if (name.rfind("B_GALAXY", 0) != 0) continue;
        const size_t n = std::stoul(name.substr(8));
        ASSERT_TRUE(n >= 1 && n <= obj.size() / 6) << name;
        EXPECT_NE(obj[(n - 1) * 6 + 4], 'M') << name;
        ++objectPictures;
    }
    EXPECT_GT(pictures, 40);
    EXPECT_GT(objectPictures, 50);
    int tablePictures = 0;
    for (const auto& image : kDeepSkyImages)
        tablePictures += std::filesystem::exists(dir / (std::string(image.name) + ".png"));
    EXPECT_GE(tablePictures, 24);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(std::filesystem::exists(dir / ("B_PLANET" + std::to_string(i) + ".png"))) << i;
    EXPECT_TRUE(std::filesystem::exists(dir / "B_COMET.png"));
    for (const char* title : {"TITLE256.IMG", "TITLE16.IMG"})
        EXPECT_EQ(std::get<0>(PngShape(world_test::ReadDatasetFile(title))), 638u) << title;
}

// The Pleiades picture must put the cluster's bright stars where they are on the sky: a picture
// mirrored or turned by the photograph's mapping would miss them.
TEST(PicturesDataset, PleiadesPictureIsAlignedWithTheStars) {
    QImage pic((world_test::DatasetDir() / "pictures" / "B_M45.png").string().c_str());
    ASSERT_FALSE(pic.isNull());
    const auto& table = kDeepSkyImages[2];
    ASSERT_STREQ(table.name, "B_M45");
    Vec3 c[4];
    Vec3 sum{};
    for (int i = 0; i < 4; ++i) {
        double ra, dec;
        EclipticToEquatorial(table.corners[i * 2] / 100.0, table.corners[i * 2 + 1] / 100.0, ra,
                             dec);
        c[i] = equatorialVector(ra, dec);
        sum = sum + c[i];
    }
    const Vec3 centre = normalized(sum);
    const Vec3 east = normalized(cross(Vec3{0, 0, 1}, centre));
    const Vec3 north = cross(centre, east);
    auto plane = [&](Vec3 v, double& x, double& y) {
        x = dot(v, east) / dot(v, centre);
        y = dot(v, north) / dot(v, centre);
    };
    // Quad corners in texture order (0,0), (1,0), (1,1), (0,1) = corners 1, 2, 4, 3.
    double qx[4], qy[4];
    const int order[4] = {0, 1, 3, 2};
    for (int i = 0; i < 4; ++i)
        plane(c[order[i]], qx[i], qy[i]);
    const double stars[][2] = {{56.8712, 24.1051}, {57.2906, 24.0534}, {56.2189, 24.1133},
                               {56.4566, 24.3678}, {56.5816, 23.9484}, {56.3021, 24.4672}};
    auto brightest = [&](double col, double row) {
        int best = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = static_cast<int>(col) + dx, y = static_cast<int>(row) + dy;
                if (x >= 0 && y >= 0 && x < pic.width() && y < pic.height())
                    best = std::max({best, qRed(pic.pixel(x, y)), qGreen(pic.pixel(x, y)),
                                     qBlue(pic.pixel(x, y))});
            }
        return best;
    };
    double onStars = 0, mirrored = 0;
    for (const auto& s : stars) {
        double x, y, u, t;
        plane(equatorialVector(s[0], s[1]), x, y);
        ASSERT_TRUE(InverseBilinear(x, y, qx, qy, u, t));
        onStars += brightest(u * pic.width(), t * pic.height());
        mirrored += brightest((1 - u) * pic.width(), t * pic.height());
    }
    EXPECT_GT(onStars / 6, 200.0);
    EXPECT_GT(onStars, mirrored + 6 * 30);
}

}  // namespace

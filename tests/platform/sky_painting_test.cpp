// Drawing through the Qt canvas: pixels, patterns, lines, clips and text in palette colours; the
// sky painted into the window's picture and onto pages; the deep-sky picture files.
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cstring>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/records/star_records.h"
#include "platform/deep_sky_pictures.h"
#include "platform/picture_file.h"
#include "platform/qpainter_canvas.h"
#include "platform/sky_painting.h"
#include "render/palette.h"
#include "render/primitives.h"
#include "render/sky_scene.h"

using render::Colour;

namespace {

void PutU16(QByteArray& bytes, int offset, uint16_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}
void PutU32(QByteArray& bytes, int offset, uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

// A bitmap file with the 40-byte header; pixel rows as given (already padded).
QByteArray Bitmap(int width, int height, int bits, uint32_t compression, const QByteArray& rows) {
    QByteArray bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<uint32_t>(54 + rows.size()));
    PutU32(bytes, 10, 54);
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, static_cast<uint32_t>(width));
    PutU32(bytes, 22, static_cast<uint32_t>(height));
    PutU16(bytes, 26, 1);
    PutU16(bytes, 28, static_cast<uint16_t>(bits));
    PutU32(bytes, 30, compression);
    return bytes + rows;
}

// 2 x 2 stored bottom-up, blue-green-red, each row padded from 6 to 8 bytes.
QByteArray TwoByTwoRows() {
    return QByteArray::fromHex(
        "0000ff00ff000000"    // bottom: red, green
        "ff0000ffffff0000");  // top: blue, white
}

template <class T>
void SetBlock(persist::Block& block, const std::vector<T>& values) {
    block.size = values.size() * sizeof(T);
    block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
    if (block.size) std::memcpy(block.storage.data(), values.data(), block.size);
    block.loaded = true;
}

}  // namespace

class SkyPaintingTest : public QObject {
    Q_OBJECT

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    static QImage BlackImage(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }
    static int LitPixels(const QImage& image) {
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                lit += At(image, x, y) != 0 ? 1 : 0;
        }
        return lit;
    }

    // The sky of the painting tests: one bright star at the vernal equinox, seen in equator mode
    // centred on it.
    astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    state::ViewState view;
    state::AppOptions options;
    persist::DataSet data;
    render::SkyScene scene;

  private slots:
    void init() {
        view = state::ViewState{};
        view.SekidouMod = 1;
        view.SaisaKeisan = 0;
        view.BrightAuto = 0;
        view.DrawStars = 55;
        options = state::AppOptions{};
        options.PrintInfo = 0;
        std::vector<persist::StarRecord> stars(3000, persist::StarRecord{0, -8000, 0, 0, 110, 'G'});
        stars[0] = persist::StarRecord{0, 0, 0, 0, 20, 'A'};
        SetBlock(data.block(persist::BlockId::STAR2), stars);
        SetBlock(data.block(persist::BlockId::ALPHA), std::vector<uint8_t>(30000));
        data.brightStarCount = 3000;
        scene = render::SkyScene{};
        render::InitSkyScene(scene, view, options, data, tables.view());
    }

    void pixelsAndPatternsGoToTheCentredPositionInPaletteColours() {
        QImage image = BlackImage(20, 10);
        render::SkyPalette palette = render::CreateSkyPalette({});
        palette.entries[100] = 0x102030;
        {
            platform::QPainterCanvas canvas(image);
            canvas.SelectPalette(&palette);
            canvas.SetOrigin(10, 5);
            canvas.SetPixel(0, 0, Colour::Index(100));
            canvas.SetPixel(-10, -5, Colour::Rgb(1, 2, 3));
            const render::PatternOffset cross[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
            canvas.PlotPattern(5, 2, cross, Colour::Index(100));
            // Parts of a pattern off the image are dropped, never written out of bounds.
            canvas.PlotPattern(9, 4, cross, Colour::Rgb(9, 9, 9));
            canvas.PlotPattern(-100, 1000, cross, Colour::Rgb(9, 9, 9));
        }
        QCOMPARE(At(image, 10, 5), QRgb(0x102030));
        QCOMPARE(At(image, 0, 0), QRgb(0x010203));
        QCOMPARE(At(image, 15, 6), QRgb(0x102030));
        QCOMPARE(At(image, 14, 7), QRgb(0x102030));
        QCOMPARE(At(image, 15, 7), QRgb(0));
        QCOMPARE(At(image, 18, 9), QRgb(0x090909));
        QCOMPARE(At(image, 19, 8), QRgb(0x090909));
    }

    void paletteIsResolvedWhenDrawing() {
        // The background drawn after an animation shows the new sky colour.
        QImage image(8, 8, QImage::Format_RGB32);
        render::SkyPalette palette = render::CreateSkyPalette({});
        render::AnimateSkyPalette(palette, render::ComputeTwilightIntensities(0, false, true, 1.0));
        {
            platform::QPainterCanvas canvas(image);
            canvas.SelectPalette(&palette);
            canvas.SetOrigin(4, 4);
            render::FillSkyBackground(canvas, render::Viewport{4, 4});
        }
        QCOMPARE(At(image, 0, 0), QRgb((53 << 16) | (60 << 8) | 115));
        QCOMPARE(At(image, 7, 7), QRgb((53 << 16) | (60 << 8) | 115));
    }

    void ellipsesAndLinesUseThePenAndBrush() {
        QImage image = BlackImage(40, 40);
        {
            platform::QPainterCanvas canvas(image);
            canvas.SetOrigin(20, 20);
            canvas.SetPen(render::Pen{Colour::Rgb(255, 0, 0), 0, render::PenStyle::Solid});
            canvas.SetBrush(render::Brush{Colour::Rgb(0, 255, 0), false});
            canvas.Ellipse(-6, -6, 7, 7);
            canvas.MoveTo(-20, 15);
            canvas.LineTo(19, 15);
        }
        QCOMPARE(At(image, 20, 20), QRgb(0x00FF00));
        QCOMPARE(At(image, 30, 20), QRgb(0));
        QCOMPARE(At(image, 5, 35), QRgb(0xFF0000));
    }

    void joinedLinesKeepTheirDrawingOrderWithPixels() {
        // Lines are batched into polylines; a pixel set after them still lands on top, a move
        // starts a new polyline, and the last one is drawn when the canvas ends.
        QImage image = BlackImage(40, 40);
        {
            platform::QPainterCanvas canvas(image);
            canvas.SetOrigin(20, 20);
            canvas.SetPen(render::Pen{Colour::Rgb(255, 0, 0), 0, render::PenStyle::Solid});
            canvas.MoveTo(-10, 0);
            canvas.LineTo(0, 0);
            canvas.LineTo(0, 10);
            canvas.SetPixel(-5, 0, Colour::Rgb(0, 255, 0));
            canvas.LineTo(10, 10);
            canvas.MoveTo(10, -10);
            canvas.LineTo(15, -10);
        }
        QCOMPARE(At(image, 15, 20), QRgb(0x00FF00));
        QCOMPARE(At(image, 12, 20), QRgb(0xFF0000));
        QCOMPARE(At(image, 20, 25), QRgb(0xFF0000));
        QCOMPARE(At(image, 25, 30), QRgb(0xFF0000));
        QCOMPARE(At(image, 33, 10), QRgb(0xFF0000));
        QCOMPARE(At(image, 30, 15), QRgb(0));  // nothing joins (10, 10) to (10, -10)
    }

    void clipPolygonLimitsDirectPixelsToo() {
        QImage image = BlackImage(20, 20);
        {
            platform::QPainterCanvas canvas(image);
            canvas.SetOrigin(10, 10);
            const render::Point square[] = {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}};
            canvas.SetClipPolygon(square);
            canvas.SetPixel(0, 0, Colour::Rgb(255, 255, 255));
            canvas.SetPixel(8, 8, Colour::Rgb(255, 255, 255));
            canvas.ClearClip();
            canvas.SetPixel(-8, -8, Colour::Rgb(255, 255, 255));
        }
        QCOMPARE(At(image, 10, 10), QRgb(0xFFFFFF));
        QCOMPARE(At(image, 18, 18), QRgb(0));
        QCOMPARE(At(image, 2, 2), QRgb(0xFFFFFF));
    }

    void textIsMeasuredAndDrawnWithTheSlotFace() {
        QImage image = BlackImage(200, 60);
        render::TextSize size;
        {
            platform::QPainterCanvas canvas(image);
            canvas.SetOrigin(100, 30);
            canvas.SetFont(render::FontSpec{"Arial", 20, true, false});
            canvas.SetTextColour(Colour::Rgb(255, 255, 255));
            size = canvas.MeasureText("Orion");
            render::DrawText8(canvas, render::Viewport{100, 30}, 0, 0, 0, "Orion");
        }
        QVERIFY(size.width > 20 && size.width < 150);
        QVERIFY(size.height >= 18 && size.height < 40);
        QVERIFY(LitPixels(image) > 20);
    }

    void slotFacesMapToInstalledFamiliesAndAreCreatedOnce() {
        const QFont& arial = platform::CachedFont("Arial", 13, true, false);
        QCOMPARE(arial.families().front(), QStringLiteral("Liberation Sans"));
        QCOMPARE(arial.pixelSize(), 13);
        QVERIFY(arial.bold());
        QCOMPARE(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(platform::CachedFont("Times New Roman", 11, false, true)).family(),
                 QStringLiteral("Liberation Serif"));
        // The same slot values give the very same font object, frame after frame.
        QCOMPARE(&platform::CachedFont("Arial", 13, true, false), &arial);
        QVERIFY(&platform::CachedFont("Arial", 13, false, false) != &arial);
        QVERIFY(&platform::CachedFont("Arial", 14, true, false) != &arial);
    }

    static QImage TextImage(const char* face, const char* utf8) {
        QImage image = BlackImage(40, 40);
        platform::QPainterCanvas canvas(image);
        canvas.SetFont(render::FontSpec{face, 24, false, false});
        canvas.SetTextColour(Colour::Rgb(255, 255, 255));
        canvas.DrawText(2, 2, utf8);
        return image;
    }

    // Old Chinese names in the Tahoma slot and Greek letters in the Symbol slot come out as
    // glyphs: two different characters draw differently (missing glyphs would be equal boxes).
    void chineseAndGreekTextsHaveGlyphs() {
        const QImage sky = TextImage("Tahoma", "\xE5\xA4\xA9");
        const QImage ford = TextImage("Tahoma", "\xE6\xB4\xA5");
        QVERIFY(LitPixels(sky) > 20);
        QVERIFY(sky != ford);
        const QImage alpha = TextImage("Symbol", "\xCE\xB1");
        const QImage gamma = TextImage("Symbol", "\xCE\xB3");
        QVERIFY(LitPixels(alpha) > 10);
        QVERIFY(alpha != gamma);
    }

    void pagePathKeepsTheCallersMapping() {
        // The print path: the caller maps drawing coordinates onto the device.
        QImage page(100, 50, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.setViewport(0, 0, 100, 50);
        painter.setWindow(-500, -250, 1000, 500);
        {
            platform::QPainterCanvas canvas(painter);
            canvas.SetOrigin(0, 0);  // ignored on a page
            canvas.SetPen(render::Pen{Colour::Rgb(0, 0, 0), 0, render::PenStyle::Solid});
            canvas.SetBrush(render::Brush{Colour::Rgb(0, 0, 0), false});
            canvas.Ellipse(-50, -50, 50, 50);
        }
        painter.end();
        QCOMPARE(At(page, 50, 25), QRgb(0));
        QCOMPARE(At(page, 5, 5), QRgb(0xFFFFFF));
    }

    void uncompressedTwentyFourBitRowsComeTopDownAsRgb() {
        const auto picture = platform::DecodeBitmapFile(Bitmap(2, 2, 24, 0, TwoByTwoRows()));
        QVERIFY(picture.has_value());
        QCOMPARE(picture->width, 2);
        QCOMPARE(picture->height, 2);
        QCOMPARE(picture->bitsPerPixel, 24);
        QVERIFY(!picture->compressed);
        const std::vector<uint8_t> expected = {0,   0, 255, 255, 255, 255,  // blue, white
                                               255, 0, 0,   0,   255, 0};   // red, green
        QCOMPARE(picture->rgb, expected);
        // A negative height stores the rows top-down.
        const auto topDown = platform::DecodeBitmapFile(Bitmap(2, -2, 24, 0, TwoByTwoRows()));
        QVERIFY(topDown.has_value());
        QCOMPARE(topDown->rgb[0], uint8_t{255});  // red first
    }

    void otherFormatsKeepTheirFormatWithoutPixels() {
        const auto palette = platform::DecodeBitmapFile(Bitmap(2, 2, 8, 0, QByteArray(8, '\1')));
        QVERIFY(palette.has_value());
        QCOMPARE(palette->bitsPerPixel, 8);
        QVERIFY(palette->rgb.empty());
        const auto packed = platform::DecodeBitmapFile(Bitmap(2, 2, 24, 1, TwoByTwoRows()));
        QVERIFY(packed.has_value());
        QVERIFY(packed->compressed);
        QVERIFY(packed->rgb.empty());
    }

    void truncatedOrForeignBytesAreNoPicture() {
        QVERIFY(!platform::DecodeBitmapFile(Bitmap(2, 2, 24, 0, TwoByTwoRows().left(12))));
        QVERIFY(!platform::DecodeBitmapFile(Bitmap(2, 2, 24, 0, TwoByTwoRows()).left(40)));
        QVERIFY(!platform::DecodeBitmapFile(QByteArray(100, 'x')));
        QVERIFY(!platform::DecodeBitmapFile(Bitmap(0, 2, 24, 0, TwoByTwoRows())));
        QVERIFY(!platform::DecodeBitmapFile(Bitmap(2, INT32_MIN, 24, 0, TwoByTwoRows())));
        QVERIFY(!platform::DecodeBitmapFile(Bitmap(100000, 1, 24, 0, TwoByTwoRows())));
    }

    void folderFindsBitmapsAndPngsByName() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile bmp(dir.filePath("B_M42.bmp"));
        QVERIFY(bmp.open(QIODevice::WriteOnly));
        bmp.write(Bitmap(2, 2, 24, 0, TwoByTwoRows()));
        bmp.close();
        QImage rgb(3, 2, QImage::Format_RGB32);
        rgb.fill(QColor(10, 20, 30));
        QVERIFY(rgb.save(dir.filePath("B_M31.png")));
        QImage alpha(3, 2, QImage::Format_ARGB32);
        alpha.fill(QColor(10, 20, 30, 128));
        QVERIFY(alpha.save(dir.filePath("B_M33.png")));

        platform::DeepSkyPictureFolder folder(dir.path().toStdString());
        const render::DeepSkyPictureLookup lookup = folder.Lookup();
        const render::DeepSkyPicture* m42 = lookup("B_M42");
        QVERIFY(m42 != nullptr);
        QCOMPARE(m42->width, 2);
        QCOMPARE(lookup("B_M42"), m42);  // decoded once
        const render::DeepSkyPicture* m31 = lookup("B_M31");
        QVERIFY(m31 != nullptr);
        QCOMPARE(m31->bitsPerPixel, 24);
        QCOMPARE(m31->rgb.size(), std::size_t{18});
        QCOMPARE(m31->rgb[2], uint8_t{30});
        const render::DeepSkyPicture* m33 = lookup("B_M33");
        QVERIFY(m33 != nullptr);
        QCOMPARE(m33->bitsPerPixel, 32);  // with alpha: not a 24-bit picture
        QVERIFY(lookup("B_SMC") == nullptr);

        // A FIFO and a link to an endless device are no pictures, found at once.
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("B_M1.bmp")).constData(), 0600) == 0);
        QVERIFY(QFile::link("/dev/zero", dir.filePath("B_M2.png")));
        QVERIFY(lookup("B_M1") == nullptr && lookup("B_M2") == nullptr);
        QVERIFY(platform::ReadPicture(dir.filePath("B_M2.png")).isNull());
    }

    void screenFrameIsCentredInALargerBitmap() {
        // The window shows 300 x 200 of a 400 x 300 bitmap: the view centre is the bitmap's.
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::red);
        platform::PaintSkyImage(image, 300, 200, scene);
        QCOMPARE(image.pixel(200, 150) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(image.pixel(60, 60) & 0xFFFFFF, 0u);       // sky inside the client area
        QCOMPARE(image.pixel(5, 5) & 0xFFFFFF, 0xFF0000u);  // outside it, untouched
        QCOMPARE(scene.viewport.halfWidth, 150);
    }

    void hiDpiFrameIsTheSamePictureAtTwiceThePixels() {
        QImage single(300, 200, QImage::Format_RGB32);
        platform::PaintSkyImage(single, 300, 200, scene);
        QImage doubled(600, 400, QImage::Format_RGB32);
        doubled.setDevicePixelRatio(2);
        platform::PaintSkyImage(doubled, 300, 200, scene);
        // Fills and pixel patterns become 2x2 blocks; outlines are drawn finer, so only pixels
        // on the edge of the star may differ, and the star covers the same place to half a pixel.
        QRect lit[2];
        int differing = 0;
        for (int y = 0; y < 400; ++y) {
            for (int x = 0; x < 600; ++x) {
                const QRgb pixel = doubled.pixel(x, y);
                differing += pixel != single.pixel(x / 2, y / 2);
                if (pixel & 0xFFFFFF) lit[1] |= QRect(x / 2, y / 2, 1, 1);
                if (single.pixel(x / 2, y / 2) & 0xFFFFFF) lit[0] |= QRect(x / 2, y / 2, 1, 1);
            }
        }
        QVERIFY(lit[1].contains(lit[0]) && lit[0].adjusted(-1, -1, 1, 1).contains(lit[1]));
        QVERIFY2(differing < 400, qPrintable(QString::number(differing)));
    }

    void monochromePageIsBlackOnWhiteAndKeepsTheZoom() {
        QImage page(600, 400, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        platform::PaintSkyPage(painter, 600, 400, 300, 200, render::kTargetMonochromePrint, scene);
        painter.end();
        QCOMPARE(view.Zoom, 80);
        // The page shows five times the picture at five times the zoom: the same field.
        QCOMPARE(scene.viewport.halfWidth, 750);
        QCOMPARE(page.pixel(300, 200) & 0xFFFFFF, 0u);
        QCOMPARE(page.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
    }

    void colourPageFillsTheSkyAndDrawsPaleStars() {
        QImage page(600, 400, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        platform::PaintSkyPage(painter, 600, 400, 300, 200, render::kTargetColourPrint, scene);
        painter.end();
        QCOMPARE(page.pixel(20, 20) & 0xFFFFFF, 0u);  // the night sky fill
        // Class 1 (A) on colour paper: C0 FF FF.
        QCOMPARE(page.pixel(300, 200) & 0xFFFFFF, 0xC0FFFFu);
    }

    void aPageLeavesItsMarginsBlank() {
        // A page of 600 x 400 on a sheet with 100 pixels of margin below it; the ground of a
        // level view reaches the bottom of the frame.
        view.SekidouMod = 0;
        view.Koudo2 = 0;
        view.lineSets[15] = state::LineSet{90, 60, 30, 0};
        scene.palette = render::CreateSkyPalette(view.lineSets);
        QImage sheet(600, 500, QImage::Format_RGB32);
        sheet.fill(Qt::red);
        QPainter painter(&sheet);
        platform::PaintSkyPage(painter, 600, 400, 300, 200, render::kTargetColourPrint, scene);
        painter.end();
        QCOMPARE(sheet.pixel(300, 390) & 0xFFFFFF, scene.palette.rgb(49));
        for (int x = 0; x < 600; x += 7)
            QCOMPARE(sheet.pixel(x, 401) & 0xFFFFFF, 0xFF0000u);
    }
};

QTEST_MAIN(SkyPaintingTest)
#include "sky_painting_test.moc"

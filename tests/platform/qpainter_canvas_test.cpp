#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "platform/qpainter_canvas.h"
#include "render/palette.h"
#include "render/primitives.h"

using render::Colour;

class QPainterCanvasTest : public QObject {
    Q_OBJECT

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    static int LitPixels(const QImage& image) {
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                lit += At(image, x, y) != 0 ? 1 : 0;
        }
        return lit;
    }

  private slots:
    void pixelsAndPatternsGoToTheCentredPositionInPaletteColours() {
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::black);
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
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::black);
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
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::black);
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
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::black);
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
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(Qt::black);
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
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::black);
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
};

QTEST_MAIN(QPainterCanvasTest)
#include "qpainter_canvas_test.moc"

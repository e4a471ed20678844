// Drawing through the Qt canvas: pixels, patterns, lines, clips and text in palette colours; the
// sky painted into the window's picture and onto pages; the deep-sky picture files. Then where
// windows go on the desktop, the files that tell the desktop about view files, and the font
// faces the desktop has.
#include <QFontInfo>
#include <QPainter>
#include <QtTest>

#include <sys/stat.h>

#include <optional>

#include "platform/deep_sky_pictures.h"
#include "platform/file_association.h"
#include "platform/font_families.h"
#include "platform/picture_file.h"
#include "platform/qpainter_canvas.h"
#include "platform/sky_painting.h"
#include "platform/window_placement.h"
#include "render/palette.h"
#include "render/primitives.h"
#include "render/sky_scene.h"
#include "render_fixture.h"

using render::Colour;

namespace {

// A bitmap file with the 40-byte header; pixel rows as given (already padded).
QByteArray Bitmap(int width, int height, int bits, uint32_t compression, const QByteArray& rows) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16('B' | 'M' << 8) << quint32(54 + rows.size()) << quint32(0) << quint32(54)
        << quint32(40) << qint32(width) << qint32(height) << quint16(1) << quint16(bits)
        << compression;
    bytes.resize(54);
    return bytes + rows;
}

// 2 x 2 stored bottom-up, blue-green-red, each row padded from 6 to 8 bytes.
const QByteArray kTwoByTwoRows = QByteArray::fromHex(
    "0000ff00ff000000"    // bottom: red, green
    "ff0000ffffff0000");  // top: blue, white

template <class T>
void SetBlock(persist::Block& block, const std::vector<T>& values) {
    block.size = values.size() * sizeof(T);
    block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
    if (block.size) std::memcpy(block.storage.data(), values.data(), block.size);
    block.loaded = true;
}

}  // namespace

class PaintingAndDesktopTest : public QObject {
    Q_OBJECT

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
    // The colours at these points.
    static QList<QRgb> At(const QImage& image, std::initializer_list<QPoint> points) {
        QList<QRgb> colours;
        for (QPoint point : points)
            colours << At(image, point.x(), point.y());
        return colours;
    }
    // A page of 600 x 400 for a picture of 300 x 200, painted on a sheet of this height.
    QImage Page(int sheetHeight, Qt::GlobalColor ground, int target) {
        QImage sheet(600, sheetHeight, QImage::Format_RGB32);
        sheet.fill(ground);
        QPainter painter(&sheet);
        platform::PaintSkyPage(painter, 600, 400, 300, 200, target, scene);
        painter.end();
        return sheet;
    }
    // A black picture with what draw puts on it, the canvas's origin at its centre.
    static QImage Drawn(int width, int height,
                        const std::function<void(platform::QPainterCanvas&)>& draw) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            platform::QPainterCanvas canvas(image);
            canvas.SetOrigin(width / 2, height / 2);
            draw(canvas);
        }
        return image;
    }
    // The pictures here are 32-bit, so their rows have no padding.
    static int LitPixels(const QImage& image) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return int(std::count_if(pixels, pixels + image.width() * image.height(),
                                 [](QRgb pixel) { return (pixel & 0xFFFFFF) != 0; }));
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
        std::tie(view.SekidouMod, view.SaisaKeisan, view.BrightAuto, view.DrawStars) =
            std::tuple(1, 0, 0, 55);
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
        render::SkyPalette palette = render::CreateSkyPalette({});
        palette.entries[100] = 0x102030;
        const QImage image = Drawn(20, 10, [&](platform::QPainterCanvas& canvas) {
            canvas.SelectPalette(&palette);
            canvas.SetPixel(0, 0, Colour::Index(100));
            canvas.SetPixel(-10, -5, Colour::Rgb(1, 2, 3));
            const render::PatternOffset cross[] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
            canvas.PlotPattern(5, 2, cross, Colour::Index(100));
            // Parts of a pattern off the image are dropped, never written out of bounds.
            canvas.PlotPattern(9, 4, cross, Colour::Rgb(9, 9, 9));
            canvas.PlotPattern(-100, 1000, cross, Colour::Rgb(9, 9, 9));
        });
        QCOMPARE(At(image, {{10, 5}, {0, 0}, {15, 6}, {14, 7}, {15, 7}, {18, 9}, {19, 8}}),
                 (QList<QRgb>{0x102030, 0x010203, 0x102030, 0x102030, 0, 0x090909, 0x090909}));
    }

    void paletteIsResolvedWhenDrawing() {
        // The background drawn after an animation shows the new sky colour.
        render::SkyPalette palette = render::CreateSkyPalette({});
        render::AnimateSkyPalette(palette, render::ComputeTwilightIntensities(0, false, true, 1.0));
        const QImage image = Drawn(8, 8, [&](platform::QPainterCanvas& canvas) {
            canvas.SelectPalette(&palette);
            render::FillSkyBackground(canvas, render::Viewport{4, 4});
        });
        QCOMPARE(At(image, {{0, 0}, {7, 7}}), QList<QRgb>(2, (53 << 16) | (60 << 8) | 115));
    }

    void ellipsesAndLinesUseThePenAndBrush() {
        const QImage image = Drawn(40, 40, [&](platform::QPainterCanvas& canvas) {
            canvas.SetPen(render::Pen{Colour::Rgb(255, 0, 0), 0, render::PenStyle::Solid});
            canvas.SetBrush(render::Brush{Colour::Rgb(0, 255, 0), false});
            canvas.Ellipse(-6, -6, 7, 7);
            canvas.MoveTo(-20, 15);
            canvas.LineTo(19, 15);
        });
        QCOMPARE(At(image, {{20, 20}, {30, 20}, {5, 35}}), (QList<QRgb>{0x00FF00, 0, 0xFF0000}));
    }

    void joinedLinesKeepTheirDrawingOrderWithPixels() {
        // Lines are batched into polylines; a pixel set after them still lands on top, a move
        // starts a new polyline, and the last one is drawn when the canvas ends.
        const QImage image = Drawn(40, 40, [&](platform::QPainterCanvas& canvas) {
            canvas.SetPen(render::Pen{Colour::Rgb(255, 0, 0), 0, render::PenStyle::Solid});
            canvas.MoveTo(-10, 0);
            canvas.LineTo(0, 0);
            canvas.LineTo(0, 10);
            canvas.SetPixel(-5, 0, Colour::Rgb(0, 255, 0));
            canvas.LineTo(10, 10);
            canvas.MoveTo(10, -10);
            canvas.LineTo(15, -10);
        });
        // The last point: nothing joins (10, 10) to (10, -10).
        QCOMPARE(At(image, {{15, 20}, {12, 20}, {20, 25}, {25, 30}, {33, 10}, {30, 15}}),
                 (QList<QRgb>{0x00FF00, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000, 0}));
    }

    void clipPolygonLimitsDirectPixelsToo() {
        const QImage image = Drawn(20, 20, [&](platform::QPainterCanvas& canvas) {
            const render::Point square[] = {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}};
            canvas.SetClipPolygon(square);
            canvas.SetPixel(0, 0, Colour::Rgb(255, 255, 255));
            canvas.SetPixel(8, 8, Colour::Rgb(255, 255, 255));
            canvas.ClearClip();
            canvas.SetPixel(-8, -8, Colour::Rgb(255, 255, 255));
        });
        QCOMPARE(At(image, {{10, 10}, {18, 18}, {2, 2}}), (QList<QRgb>{0xFFFFFF, 0, 0xFFFFFF}));
    }

    void textIsMeasuredAndDrawnWithTheSlotFace() {
        render::TextSize size;
        const QImage image = Drawn(200, 60, [&](platform::QPainterCanvas& canvas) {
            canvas.SetFont(render::FontSpec{"Arial", 20, true, false});
            canvas.SetTextColour(Colour::Rgb(255, 255, 255));
            size = canvas.MeasureText("Orion");
            render::DrawText8(canvas, render::Viewport{100, 30}, 0, 0, 0, "Orion");
        });
        QVERIFY(size.width > 20 && size.width < 150 && size.height >= 18 && size.height < 40);
        QVERIFY(LitPixels(image) > 20);
    }

    void slotFacesMapToInstalledFamiliesAndAreCreatedOnce() {
        const QFont& arial = platform::CachedFont("Arial", 13, true, false);
        QCOMPARE(std::tuple(
                     arial.families().front(), arial.pixelSize(), arial.bold(),
                     QFontInfo(arial).family(),
                     QFontInfo(platform::CachedFont("Times New Roman", 11, false, true)).family()),
                 std::tuple(QString("Liberation Sans"), 13, true, QString("Liberation Sans"),
                            QString("Liberation Serif")));
        // The same slot values give the very same font object, frame after frame.
        QCOMPARE(&platform::CachedFont("Arial", 13, true, false), &arial);
        QVERIFY(&platform::CachedFont("Arial", 13, false, false) != &arial &&
                &platform::CachedFont("Arial", 14, true, false) != &arial);
    }

    static QImage TextImage(const char* face, const char* utf8) {
        return Drawn(40, 40, [&](platform::QPainterCanvas& canvas) {
            canvas.SetOrigin(0, 0);
            canvas.SetFont(render::FontSpec{face, 24, false, false});
            canvas.SetTextColour(Colour::Rgb(255, 255, 255));
            canvas.DrawText(2, 2, utf8);
        });
    }

    // Old Chinese names in the Tahoma slot and Greek letters in the Symbol slot come out as
    // glyphs: two different characters draw differently (missing glyphs would be equal boxes).
    void chineseAndGreekTextsHaveGlyphs() {
        const std::tuple<const char*, const char*, const char*> pairs[] = {
            {"Tahoma", "\xE5\xA4\xA9", "\xE6\xB4\xA5"}, {"Symbol", "\xCE\xB1", "\xCE\xB3"}};
        for (const auto& [face, one, other] : pairs) {
            const QImage image = TextImage(face, one);
            QVERIFY2(LitPixels(image) > 10 && image != TextImage(face, other), face);
        }
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
        QCOMPARE(At(page, {{50, 25}, {5, 5}}), (QList<QRgb>{0, 0xFFFFFF}));
    }

    // Rows come top-down as red, green, blue; other formats keep their format without pixels;
    // truncated or foreign bytes are no picture.
    void bitmapFilesAreDecodedOrRefused() {
        using Decoded = std::tuple<int, int, int, bool, std::vector<uint8_t>>;
        const std::pair<QByteArray, std::optional<Decoded>> cases[] = {
            {Bitmap(2, 2, 24, 0, kTwoByTwoRows),
             Decoded{2, 2, 24, false, {0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}}},
            // A negative height stores the rows top-down.
            {Bitmap(2, -2, 24, 0, kTwoByTwoRows),
             Decoded{2, 2, 24, false, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}}},
            {Bitmap(2, 2, 8, 0, QByteArray(8, '\1')), Decoded{2, 2, 8, false, {}}},
            {Bitmap(2, 2, 24, 1, kTwoByTwoRows), Decoded{2, 2, 24, true, {}}},
            {Bitmap(2, 2, 24, 0, kTwoByTwoRows.left(12)), std::nullopt},
            {Bitmap(2, 2, 24, 0, kTwoByTwoRows).left(40), std::nullopt},
            {QByteArray(100, 'x'), std::nullopt},
            {Bitmap(0, 2, 24, 0, kTwoByTwoRows), std::nullopt},
            {Bitmap(2, INT32_MIN, 24, 0, kTwoByTwoRows), std::nullopt},
            {Bitmap(100000, 1, 24, 0, kTwoByTwoRows), std::nullopt}};
        for (const auto& [bytes, expected] : cases) {
            const auto p = platform::DecodeBitmapFile(bytes);
            QVERIFY(expected == (p ? std::optional(Decoded(p->width, p->height, p->bitsPerPixel,
                                                           p->compressed, p->rgb))
                                   : std::nullopt));
        }
    }

    void folderFindsBitmapsAndPngsByName() {
        QTemporaryDir dir;
        QVERIFY(fixture::WriteBytes(dir.filePath("B_M42.bmp"), Bitmap(2, 2, 24, 0, kTwoByTwoRows)));
        const std::tuple<const char*, QImage::Format, int> pngs[] = {
            {"B_M31.png", QImage::Format_RGB32, 255}, {"B_M33.png", QImage::Format_ARGB32, 128}};
        for (const auto& [name, format, alpha] : pngs) {
            QImage image(3, 2, format);
            image.fill(QColor(10, 20, 30, alpha));
            QVERIFY(image.save(dir.filePath(name)));
        }

        platform::DeepSkyPictureFolder folder(dir.path().toStdString());
        const render::DeepSkyPictureLookup lookup = folder.Lookup();
        const render::DeepSkyPicture* m42 = lookup("B_M42");
        QVERIFY(m42 && lookup("B_M31") && lookup("B_M33") && !lookup("B_SMC"));
        QCOMPARE(lookup("B_M42"), m42);  // decoded once
        const render::DeepSkyPicture* m31 = lookup("B_M31");
        // With alpha, B_M33 is no 24-bit picture.
        QCOMPARE(std::tuple(m42->width, m31->bitsPerPixel, m31->rgb.size(), m31->rgb[2],
                            lookup("B_M33")->bitsPerPixel),
                 std::tuple(2, 24, std::size_t{18}, uint8_t{30}, 32));

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
        // The star, the sky inside the client area, and outside it untouched.
        QCOMPARE(At(image, {{200, 150}, {60, 60}, {5, 5}}), (QList<QRgb>{0xFFFFFF, 0, 0xFF0000}));
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

    // A page shows five times the picture at five times the zoom: the same field. Monochrome is
    // black on white; colour fills the sky and draws pale stars (class 1, A: C0 FF FF).
    void pagesShowTheSameFieldInTheirColours() {
        const std::pair<int, QList<QRgb>> cases[] = {
            {render::kTargetMonochromePrint, {0, 0xFFFFFF}},
            {render::kTargetColourPrint, {0xC0FFFF, 0}}};
        for (const auto& [target, centreAndCorner] : cases) {
            const QImage page = Page(400, Qt::white, target);
            QCOMPARE(At(page, {{300, 200}, {20, 20}}), centreAndCorner);
            QCOMPARE(std::pair(view.Zoom, scene.viewport.halfWidth), std::pair(80, 750));
        }
    }

    void aPageLeavesItsMarginsBlank() {
        // A page of 600 x 400 on a sheet with 100 pixels of margin below it; the ground of a
        // level view reaches the bottom of the frame.
        std::tie(view.SekidouMod, view.Koudo2) = std::pair(0, 0.0);
        view.lineSets[15] = state::LineSet{90, 60, 30, 0};
        scene.palette = render::CreateSkyPalette(view.lineSets);
        const QImage sheet = Page(500, Qt::red, render::kTargetColourPrint);
        QCOMPARE(sheet.pixel(300, 390) & 0xFFFFFF, scene.palette.rgb(49));
        for (int x = 0; x < 600; x += 7)
            QCOMPARE(sheet.pixel(x, 401) & 0xFFFFFF, 0xFF0000u);
    }

    // A window is pulled onto its area, a wider one to the area's left edge; the default
    // position is never moved, and a place on a missing monitor goes to the nearest one.
    void windowsAreKeptOnTheirArea() {
        const int kDefault = platform::kDefaultPosition;
        const std::tuple<QPoint, QSize, QRect, QPoint> cases[] = {
            {{100, 50}, {800, 600}, {0, 0, 1920, 1040}, {100, 50}},
            {{1500, 900}, {800, 600}, {0, 0, 1920, 1040}, {1120, 440}},
            {{300, 10}, {2500, 600}, {1920, 24, 1920, 1056}, {1920, 24}},
            {{kDefault, kDefault}, {800, 600}, {0, 0, 1920, 1040}, {kDefault, kDefault}}};
        for (const auto& [at, size, area, kept] : cases) {
            int x = at.x(), y = at.y();
            platform::FitToArea(x, y, size.width(), size.height(), area);
            QCOMPARE(QPoint(x, y), kept);
        }
        int x = 50000, y = 50000;
        platform::FitToWorkArea(x, y, 400, 300);
        QVERIFY(platform::WorkAreaNearest(QPoint(x, y)).contains(QRect(x, y, 400, 300)));
    }

    void centringHalvesTheDifferenceTowardZero() {
        QCOMPARE(platform::CentredOver(QSize(638, 478), QRect(0, 0, 1920, 1080)), QPoint(641, 301));
        QCOMPARE(platform::CentredOver(QSize(101, 51), QRect(10, 20, 200, 100)), QPoint(59, 44));
        // A window larger than the reference sits left of and above it.
        QCOMPARE(platform::CentredOver(QSize(301, 100), QRect(0, 0, 100, 100)), QPoint(-100, 0));
    }

    void associationFilesAreWrittenOnceAndNameTheProgram() {
        QTemporaryDir home;
        const QStringList arguments = {"--data-dir", "/srv/sky $1 \\ \"100%\""};
        platform::RegisterViewFileType(".qel", "Planetarium", "Planetarium Data File",
                                       "/opt/my planetarium/planetarium", arguments, home.path());
        auto paths = platform::AssociationPathsUnder(home.path());
        QFile desktop(paths.desktopEntry);
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        QByteArray entry = desktop.readAll();
        // Quoted, with ", `, $ and \ escaped inside the quotes, % doubled, and the backslashes of
        // that escaping written twice in the file.
        QVERIFY(entry.contains(R"(Exec="/opt/my planetarium/planetarium" "--data-dir" )"
                               R"("/srv/sky \\$1 \\\\ \\"100%%\\"" %f)"));
        // The desktop learns the type: its MIME cache is rebuilt in the background.
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(home.path() + "/mime/application/x-planetarium-view.xml"), 10000);
        QFile mime(paths.mimePackage);
        QVERIFY(mime.open(QIODevice::ReadOnly));
        const QByteArray xml = mime.readAll();
        QVERIFY(xml.contains("*.qel") && xml.contains("Planetarium Data File"));
        const QDateTime written = QFileInfo(paths.mimePackage).lastModified();
        QTest::qWait(20);
        platform::RegisterViewFileType(".qel", "Planetarium", "Planetarium Data File",
                                       "/opt/my planetarium/planetarium", arguments, home.path());
        QCOMPARE(QFileInfo(paths.mimePackage).lastModified(), written);
    }

    void installedEntryIsFoundBesideTheProgramOrInTheDataDirs() {
        QTemporaryDir prefix, dataDirs;
        qputenv("XDG_DATA_DIRS", dataDirs.path().toUtf8());
        const QString bin = prefix.path() + "/bin";
        const QString entry = QStringLiteral("/applications/%1.desktop").arg(platform::kDesktopId);
        QVERIFY(!platform::InstalledEntryExists(bin));
        for (const QString& share : {prefix.path() + "/share", dataDirs.path()}) {
            QVERIFY(QDir().mkpath(share + "/applications"));
            QVERIFY(fixture::WriteBytes(share + entry, nullptr, 0));
            QVERIFY(platform::InstalledEntryExists(bin));
            QVERIFY(QFile::remove(share + entry));
        }
    }

    void unwritableHomeIsIgnored() {
        platform::RegisterViewFileType(".qel", "Planetarium", "Planetarium Data File",
                                       "/usr/bin/planetarium", {}, "/proc/no-such-place");
    }

    void installedAndBuiltInFacesAreKnown() {
        for (const auto& [face, known] : {std::pair("DejaVu Sans", true),
                                          {"Arial", true},
                                          {"Symbol", true},
                                          {"No Such Face 7", false},
                                          {"", false}})
            QVERIFY2(platform::FontFamilyKnown(face) == known, face);
    }
};

QTEST_MAIN(PaintingAndDesktopTest)
#include "painting_and_desktop_test.moc"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <cstring>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/records/star_records.h"
#include "platform/sky_painting.h"
#include "render/sky_scene.h"

namespace {

template <class T>
void SetBlock(persist::Block& block, const std::vector<T>& values) {
    block.size = values.size() * sizeof(T);
    block.storage.assign(block.size + persist::kBlockSpareBytes, 0);
    if (block.size) std::memcpy(block.storage.data(), values.data(), block.size);
    block.loaded = true;
}

}  // namespace

// A sky with one bright star at the vernal equinox, seen in equator mode centred on it.
class SkyPaintingTest : public QObject {
    Q_OBJECT

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

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cstring>

#include "platform/deep_sky_pictures.h"
#include "platform/picture_file.h"

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

}  // namespace

class DeepSkyPicturesTest : public QObject {
    Q_OBJECT
  private slots:
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
};

QTEST_MAIN(DeepSkyPicturesTest)
#include "deep_sky_pictures_test.moc"

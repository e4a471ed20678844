#include "platform/deep_sky_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <cstdint>
#include <cstring>

#include "persist/paths.h"
#include "persist/record_view.h"
#include "platform/picture_file.h"
#include "render/deep_sky.h"

namespace platform {
namespace {

constexpr uint32_t kBitmapUncompressed = 0;  // BI_RGB
constexpr int64_t kLargestSide = 32768;      // anything larger is not a picture of ours

std::optional<render::DeepSkyPicture> DecodePicture(QByteArray bytes) {
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    const QImage::Format stored = reader.imageFormat();
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    render::DeepSkyPicture picture;
    picture.width = image.width();
    picture.height = image.height();
    // Truecolour without alpha is what a 24-bit bitmap holds.
    const bool truecolour = stored == QImage::Format_RGB32 || stored == QImage::Format_RGB888;
    picture.bitsPerPixel = truecolour ? 24 : image.depth();
    if (!truecolour || picture.width > render::kDeepSkyPictureLimit ||
        picture.height > render::kDeepSkyPictureLimit) {
        return picture;
    }
    image = image.convertToFormat(QImage::Format_RGB888);
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (int row = 0; row < picture.height; ++row) {
        std::memcpy(picture.rgb.data() + static_cast<std::size_t>(row) * picture.width * 3,
                    image.constScanLine(row), static_cast<std::size_t>(picture.width) * 3);
    }
    return picture;
}

}  // namespace

std::optional<render::DeepSkyPicture> DecodeBitmapFile(const QByteArray& bytes) {
    const persist::ByteView file(std::span(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size())));
    if (file.size() < 54 || file.u8(0) != 'B' || file.u8(1) != 'M') return std::nullopt;
    const uint32_t pixelOffset = file.u32(10);
    const int32_t width = file.i32(18);
    const int32_t height = file.i32(22);
    const int64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    if (width <= 0 || rows <= 0 || width > kLargestSide || rows > kLargestSide) {
        return std::nullopt;
    }
    const int absHeight = static_cast<int>(rows);
    render::DeepSkyPicture picture;
    picture.width = width;
    picture.height = absHeight;
    picture.bitsPerPixel = file.u16(28);
    picture.compressed = file.u32(30) != kBitmapUncompressed;
    if (picture.bitsPerPixel != 24 || picture.compressed) return picture;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    if (!file.contains(pixelOffset, rowBytes * static_cast<std::size_t>(absHeight))) {
        return std::nullopt;
    }
    picture.rgb.resize(static_cast<std::size_t>(width) * absHeight * 3);
    for (int row = 0; row < absHeight; ++row) {
        // Rows are stored bottom-up unless the height is negative.
        const int stored = height > 0 ? absHeight - 1 - row : row;
        const std::size_t from = pixelOffset + static_cast<std::size_t>(stored) * rowBytes;
        uint8_t* to = picture.rgb.data() + static_cast<std::size_t>(row) * width * 3;
        for (int col = 0; col < width; ++col) {
            const std::size_t at = from + static_cast<std::size_t>(col) * 3;
            to[col * 3] = file.u8(at + 2);
            to[col * 3 + 1] = file.u8(at + 1);
            to[col * 3 + 2] = file.u8(at);
        }
    }
    return picture;
}

std::optional<render::DeepSkyPicture> DeepSkyPictureFolder::Load(
    const std::string& resource) const {
    const std::string base = persist::JoinPath(folder_, resource);
    if (auto bitmap = ReadPictureFile(QString::fromStdString(base + ".bmp")))
        return DecodeBitmapFile(*bitmap);
    if (auto png = ReadPictureFile(QString::fromStdString(base + ".png")))
        return DecodePicture(std::move(*png));
    return std::nullopt;
}

const render::DeepSkyPicture* DeepSkyPictureFolder::Find(std::string_view resource) {
    auto it = cache_.find(resource);
    if (it == cache_.end()) {
        const std::string name(resource);
        it = cache_.emplace(name, Load(name)).first;
    }
    return it->second ? &*it->second : nullptr;
}

}  // namespace platform

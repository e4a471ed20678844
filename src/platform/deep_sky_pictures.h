// The deep-sky photographs of the data set: the folder "pictures" beside the data holds one
// file per resource name ("B_M31.bmp" or "B_M31.png"). Each is decoded the first time the image
// layer asks for it and kept; a missing or unreadable file is remembered as missing. The
// stored format travels with the pixels so that the layer refuses what it does not paint
// (anything but an uncompressed 24-bit picture of at most 160 x 160 pixels).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <QByteArray>

#include "render/deep_sky_pictures.h"

namespace platform {

inline constexpr const char* kDeepSkyPictureFolder = "pictures";

// A Windows bitmap file: 24-bit uncompressed rows are decoded (bottom-up or top-down); other
// depths and compressed bitmaps come back with their format and no pixels. Nothing for bytes
// that are not a whole bitmap.
std::optional<render::DeepSkyPicture> DecodeBitmapFile(const QByteArray& bytes);

class DeepSkyPictureFolder {
  public:
    explicit DeepSkyPictureFolder(std::string folder) : folder_(std::move(folder)) {}

    const render::DeepSkyPicture* Find(std::string_view resource);
    // A lookup for the scene; the folder must outlive it.
    render::DeepSkyPictureLookup Lookup() {
        return [this](std::string_view resource) { return Find(resource); };
    }

  private:
    std::optional<render::DeepSkyPicture> Load(const std::string& resource) const;

    std::string folder_;
    std::map<std::string, std::optional<render::DeepSkyPicture>, std::less<>> cache_;
};

}  // namespace platform

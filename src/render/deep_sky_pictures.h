// The photographs of bright deep-sky objects as the platform hands them to the image layer:
// decoded pixels of a bitmap resource looked up by its name ("B_M31"), with the format it was
// stored in, so that the layer can refuse what it cannot paint.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace render {

struct DeepSkyPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;    // of the stored picture; only 24 is painted
    bool compressed = false;  // a run-length or otherwise compressed bitmap is not painted
    // Rows from the top, 3 bytes per pixel in the order red, green, blue.
    std::vector<uint8_t> rgb;
};

// The picture of a resource name, or null when there is none. Empty: no image bundle.
using DeepSkyPictureLookup = std::function<const DeepSkyPicture*(std::string_view resource)>;

}  // namespace render

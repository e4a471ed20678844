// A deep-sky photograph laid over the quadrilateral of its projected corners and blended over
// what the sky already shows: its own sky background is taken off, a third of the remaining
// light is added, and its borders fade out, so that neither its frame nor its background ever
// shows as a box. Every pixel of the quadrilateral is filled at any magnification.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/canvas.h"
#include "render/deep_sky_pictures.h"
#include "render/frame_state.h"

namespace render {

// The part of the picture that falls in the viewport, ready for Canvas::DrawImageCell.
struct WarpedPicture {
    int left = 0;  // drawing coordinates of the top-left pixel
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // rows of width pixels; alpha in the top byte, not premultiplied

    ImageCell cell() const { return ImageCell{argb.data(), width, height, width}; }
};

// corners: the projected corners 1 and 2 (along the picture's top edge, left to right) and 3
// and 4 (along its bottom edge). A pixel's place is interpolated linearly along the top and the
// bottom edge by its column and between them by its row. Empty when nothing falls in view.
WarpedPicture WarpPicture(const DeepSkyPicture& picture, const std::array<Point, 4>& corners,
                          const Viewport& viewport);

// The level of each colour channel (0..255) below which a twentieth of the picture's pixels
// lie: the sky behind the object.
std::array<int, 3> PictureBackground(const DeepSkyPicture& picture);

}  // namespace render

// The page scaling of printing: the picture is computed for a bitmap five times the screen's in
// each direction at five times the zoom (the same field of sky), then the relatively smaller
// dimension is widened to the shape of the page so that the field fills it undistorted.
#pragma once

namespace render {

inline constexpr int kPrintEnlargement = 5;

struct PrintScaling {
    int zoom = 0;       // the zoom to draw the page with
    int halfWidth = 0;  // drawing units; the page's window is 2 halfWidth x 2 halfHeight
    int halfHeight = 0;
};

// bitmapWidth/Height: the screen picture in pixels; pageWidth/Height: the page in device pixels.
PrintScaling ComputePrintScaling(int zoom, int bitmapWidth, int bitmapHeight, int pageWidth,
                                 int pageHeight);

}  // namespace render

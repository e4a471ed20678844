#include "render/print_scaling.h"

#include <algorithm>

namespace render {

PrintScaling ComputePrintScaling(int zoom, int bitmapWidth, int bitmapHeight, int pageWidth,
                                 int pageHeight) {
    pageWidth = std::max(pageWidth, 1);
    pageHeight = std::max(pageHeight, 1);
    double cx = (bitmapWidth * kPrintEnlargement) / 2;
    double cy = (bitmapHeight * kPrintEnlargement) / 2;
    if (cy / pageHeight < cx / pageWidth) {
        cy = static_cast<int>(pageHeight * cx / pageWidth);
    } else {
        cx = static_cast<int>(cy * pageWidth / pageHeight);
    }
    return PrintScaling{kPrintEnlargement * zoom, static_cast<int>(cx), static_cast<int>(cy)};
}

}  // namespace render

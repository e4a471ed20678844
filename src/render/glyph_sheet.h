// The bitmap glyphs of the bright planets and the comets: a sheet of 17 x 13-pixel cells in two
// variants, the normal picture and a dimmer one for the trace passes of the Tracing Mode.
// Cells: 0 Venus, 1 Mars, 2 Jupiter, 3 Saturn, 4 comet, 5 Mercury. A cell is drawn with its
// top-left corner 8 pixels left of and 6 pixels above the body's pixel. Pixels are ARGB; alpha 0
// is the mask (the sky shows through), every other pixel is opaque.
#pragma once

#include <cstdint>
#include <vector>

#include "render/canvas.h"

namespace render {

enum class GlyphCell : int { Venus = 0, Mars = 1, Jupiter = 2, Saturn = 3, Comet = 4, Mercury = 5 };

struct GlyphSheet {
    static constexpr int kCellWidth = 17;
    static constexpr int kCellHeight = 13;
    static constexpr int kCellCount = 6;
    static constexpr int kVariantCount = 2;
    static constexpr int kWidth = kCellWidth * kCellCount;
    static constexpr int kHeight = kCellHeight * kVariantCount;

    std::vector<uint32_t> pixels;  // kWidth x kHeight, row by row; empty when not loaded

    bool loaded() const { return pixels.size() == static_cast<std::size_t>(kWidth * kHeight); }
    // variant 0 normal, 1 dimmed; nothing (a null cell) when the sheet is not loaded.
    ImageCell Cell(GlyphCell cell, int variant) const;
};

// The program's own sheet, painted in code: shaded discs with Jupiter's belts, Saturn's ring
// and a comet's head and tail.
GlyphSheet BuildGlyphSheet();

}  // namespace render

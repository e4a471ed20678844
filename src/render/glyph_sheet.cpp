#include "render/glyph_sheet.h"

#include <algorithm>
#include <cmath>

namespace render {
namespace {

struct Rgb {
    double r, g, b;
};

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr double kCentreX = 8.0;  // the body's pixel inside a cell
constexpr double kCentreY = 6.0;

uint32_t Pack(Rgb c, double light) {
    auto channel = [light](double v) {
        return static_cast<uint32_t>(std::clamp(std::lround(v * light), 0L, 255L));
    };
    return kOpaque | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

// Brightness of a sphere seen at distance d of radius R from its centre: darker at the limb.
double LimbLight(double d, double radius) {
    const double s = std::clamp(d / radius, 0.0, 1.0);
    return 0.55 + 0.45 * std::sqrt(1.0 - s * s);
}

class CellPainter {
  public:
    CellPainter(std::vector<uint32_t>& pixels, int cell, int variant)
        : pixels_(pixels),
          left_(cell * GlyphSheet::kCellWidth),
          top_(variant * GlyphSheet::kCellHeight),
          dim_(variant == 0 ? 1.0 : 0.55) {}

    void Set(int x, int y, Rgb colour, double light) {
        if (x < 0 || y < 0 || x >= GlyphSheet::kCellWidth || y >= GlyphSheet::kCellHeight) return;
        pixels_[static_cast<std::size_t>((top_ + y) * GlyphSheet::kWidth + left_ + x)] =
            Pack(colour, light * dim_);
    }

    // A shaded disc; band(y offset) may change the colour row by row (Jupiter's belts).
    template <class Band>
    void Disc(double cx, double cy, double radius, Band band) {
        for (int y = 0; y < GlyphSheet::kCellHeight; ++y) {
            for (int x = 0; x < GlyphSheet::kCellWidth; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d <= radius) Set(x, y, band(y - cy), LimbLight(d, radius));
            }
        }
    }
    void Disc(double cx, double cy, double radius, Rgb colour) {
        Disc(cx, cy, radius, [colour](double) { return colour; });
    }

  private:
    std::vector<uint32_t>& pixels_;
    int left_;
    int top_;
    double dim_;
};

void PaintSaturn(CellPainter& p) {
    const Rgb ring{205, 190, 150};
    const Rgb globe{235, 215, 160};
    // The ring: an ellipse 15 x 5 pixels tilted slightly; its far half goes behind the globe.
    auto paintRing = [&](bool nearHalf) {
        for (int step = 0; step < 360; ++step) {
            const double a = step * 3.141592653589793 / 180.0;
            const double x = kCentreX + 7.5 * std::cos(a);
            const double y = kCentreY + 2.2 * std::sin(a) - 0.12 * (x - kCentreX);
            if ((std::sin(a) > 0) == nearHalf) {
                p.Set(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), ring,
                      0.9);
            }
        }
    };
    paintRing(false);
    p.Disc(kCentreX, kCentreY, 3.6, globe);
    paintRing(true);
}

void PaintComet(CellPainter& p) {
    const Rgb tail{160, 230, 210};
    const Rgb head{225, 255, 240};
    // Head low on the left, tail widening towards the upper right corner.
    const double hx = 4.0, hy = 9.0;
    for (int y = 0; y < GlyphSheet::kCellHeight; ++y) {
        for (int x = 0; x < GlyphSheet::kCellWidth; ++x) {
            const double ax = x - hx, ay = hy - y;  // along the tail direction (1, 1) / sqrt 2
            const double along = (ax + ay) / std::sqrt(2.0);
            const double across = std::fabs(ax - ay) / std::sqrt(2.0);
            if (along > 0 && along < 13 && across <= 0.6 + along * 0.18) {
                p.Set(x, y, tail, 0.95 - along / 18.0);
            }
        }
    }
    p.Disc(hx, hy, 1.8, head);
}

}  // namespace

ImageCell GlyphSheet::Cell(GlyphCell cell, int variant) const {
    if (!loaded()) return ImageCell{};
    const int v = std::clamp(variant, 0, kVariantCount - 1);
    const std::size_t first =
        static_cast<std::size_t>(v * kCellHeight * kWidth + static_cast<int>(cell) * kCellWidth);
    return ImageCell{pixels.data() + first, kCellWidth, kCellHeight, kWidth};
}

GlyphSheet BuildGlyphSheet() {
    GlyphSheet sheet;
    sheet.pixels.assign(static_cast<std::size_t>(GlyphSheet::kWidth * GlyphSheet::kHeight), 0u);
    for (int variant = 0; variant < GlyphSheet::kVariantCount; ++variant) {
        CellPainter venus(sheet.pixels, static_cast<int>(GlyphCell::Venus), variant);
        venus.Disc(kCentreX, kCentreY, 4.6, Rgb{255, 248, 215});
        CellPainter mars(sheet.pixels, static_cast<int>(GlyphCell::Mars), variant);
        mars.Disc(kCentreX, kCentreY, 3.8, [](double dy) {
            return dy < -2.8 ? Rgb{250, 235, 225} : Rgb{235, 115, 60};  // polar cap on top
        });
        CellPainter jupiter(sheet.pixels, static_cast<int>(GlyphCell::Jupiter), variant);
        jupiter.Disc(kCentreX, kCentreY, 5.6, [](double dy) {
            const bool belt = (dy >= -2.5 && dy < -1.0) || (dy >= 1.0 && dy < 2.5);
            return belt ? Rgb{200, 150, 105} : Rgb{245, 225, 190};
        });
        CellPainter saturn(sheet.pixels, static_cast<int>(GlyphCell::Saturn), variant);
        PaintSaturn(saturn);
        CellPainter comet(sheet.pixels, static_cast<int>(GlyphCell::Comet), variant);
        PaintComet(comet);
        CellPainter mercury(sheet.pixels, static_cast<int>(GlyphCell::Mercury), variant);
        mercury.Disc(kCentreX, kCentreY, 2.8, Rgb{200, 190, 180});
    }
    return sheet;
}

}  // namespace render

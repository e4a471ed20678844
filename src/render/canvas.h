// The abstract drawing surface of the sky layers. Coordinates are the centred drawing
// coordinates: device pixels (or, on a page, pixels of the enlarged picture) relative to the
// origin set with SetOrigin, x to the right and y downward. Colours are palette indices of the
// sky palette (resolved to RGB when drawn, so an animated palette recolours what follows) or
// plain RGB values.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace render {

class SkyPalette;

// A palette-relative colour (index 0..240 of the sky palette) or an RGB value.
struct Colour {
    static constexpr uint32_t kPaletteFlag = 0x01000000u;
    uint32_t value = 0;  // 0x00RRGGBB, or kPaletteFlag | index

    static constexpr Colour Index(int index) {
        return Colour{kPaletteFlag | static_cast<uint32_t>(index & 0xFF)};
    }
    static constexpr Colour Rgb(int r, int g, int b) {
        return Colour{(static_cast<uint32_t>(r & 0xFF) << 16) |
                      (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF)};
    }
    constexpr bool isIndex() const { return (value & kPaletteFlag) != 0; }
    constexpr int index() const { return static_cast<int>(value & 0xFF); }
    constexpr int red() const { return static_cast<int>((value >> 16) & 0xFF); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>(value & 0xFF); }

    friend constexpr bool operator==(Colour, Colour) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(Point, Point) = default;
};

// One pixel of a pixel pattern, relative to the pattern's anchor.
struct PatternOffset {
    int8_t dx;
    int8_t dy;
};

enum class PenStyle : uint8_t { Solid, Dot, Null };

// width 0 draws one device pixel wide whatever the mapping (the thinnest line).
struct Pen {
    Colour colour;
    int width = 0;
    PenStyle style = PenStyle::Solid;
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    Colour colour;
    bool hollow = false;  // no fill
    friend constexpr bool operator==(const Brush&, const Brush&) = default;
};

// A font made from a font slot: pixel height of the characters (already multiplied by the
// print factor), face name as stored in the slot.
struct FontSpec {
    std::string_view face;
    int pixelHeight = 12;
    bool bold = false;
    bool italic = false;
};

struct TextSize {
    int width = 0;
    int height = 0;
};

// A 32-bit ARGB picture in memory (alpha not premultiplied), drawn over what is there by its
// alpha: 0 leaves a pixel untouched, 255 covers it.
struct ImageCell {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // pixels per row
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // The colour table that palette indices resolve through at draw time; null resolves every
    // index to black.
    virtual void SelectPalette(const SkyPalette* palette) = 0;
    // The device position of drawing coordinate (0, 0).
    virtual void SetOrigin(int deviceX, int deviceY) = 0;

    // Solid fill of the rectangle [left, right) x [top, bottom) without an outline.
    virtual void FillRect(int left, int top, int right, int bottom, Colour colour) = 0;
    virtual void SetPixel(int x, int y, Colour colour) = 0;
    // Sets one pixel at (x + dx, y + dy) for every offset.
    virtual void PlotPattern(int x, int y, std::span<const PatternOffset> offsets,
                             Colour colour) = 0;

    virtual void SetPen(const Pen& pen) = 0;
    virtual void SetBrush(const Brush& brush) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current point to (x, y) with the pen; (x, y) becomes the current point.
    virtual void LineTo(int x, int y) = 0;
    // The ellipse inscribed in [left, right) x [top, bottom), outlined with the pen and filled
    // with the brush.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(std::span<const Point> points) = 0;
    // Closed rings filled together by the alternate rule (a point inside an odd number of rings
    // is filled), each outlined with the pen; ringSizes gives the point count of each ring in
    // turn, so that a region may have holes or reach round the view without a seam.
    virtual void PolyPolygon(std::span<const Point> points, std::span<const int> ringSizes) = 0;
    // Limits drawing to the polygon until ClearClip.
    virtual void SetClipPolygon(std::span<const Point> points) = 0;
    virtual void ClearClip() = 0;

    virtual void SetFont(const FontSpec& font) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual TextSize MeasureText(std::string_view utf8) = 0;
    // Text with its top-left corner at (x, y), transparent background.
    virtual void DrawText(int x, int y, std::string_view utf8) = 0;

    virtual void DrawImageCell(int x, int y, const ImageCell& cell) = 0;
};

}  // namespace render

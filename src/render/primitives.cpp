#include "render/primitives.h"

#include <cstdio>
#include <cstdlib>

#include "render/palette.h"

namespace render {
namespace {

constexpr int kCoordinateLimit = 4999;
constexpr int kSubdivisionLength = 2000;

// Screen, screen pale, colour print, colour print pale; 0xRRGGBB per class.
constexpr uint32_t kSpectralColours[6][4] = {
    {0x0000FF, 0x8080FF, 0xC0C0FF, 0x9696C8}, {0x00FFFF, 0x80FFFF, 0xC0FFFF, 0x96C8C8},
    {0x808080, 0xC0C0C0, 0xFFFFFF, 0xC8C8C8}, {0xFFFF00, 0xFFFF80, 0xFFFFC0, 0xC8C896},
    {0xFF8000, 0xFFC080, 0xFFC080, 0xC89664}, {0xFF0000, 0xFF8080, 0xFFC0C0, 0xC89696},
};

bool WithinLimit(int v) {
    return v >= -kCoordinateLimit && v <= kCoordinateLimit;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

Colour ResolveColour(int mode, int grey, Colour colour, const SkyPalette& palette) {
    if (mode == 0 || mode == 2) return colour;
    if (mode == 1) return Colour::Rgb(grey, grey, grey);
    if (!colour.isIndex()) return Colour::Rgb(grey, grey, grey);
    const int index = colour.index();
    if (index == 0x31 || index == 0x0C) return Colour::Rgb(grey, grey, grey);
    if (index >= 0x10 && index <= 0x1F) return Colour::Rgb(grey, (grey + 255) / 2, 255);
    if (index >= 67) return Colour::Rgb(grey, grey, grey);
    const int r = palette.red(index);
    const int g = palette.green(index);
    const int b = palette.blue(index);
    return Colour::Rgb(255 - (g + b) / 2, 255 - (r + b) / 2, 255 - (r + b) / 2);
}

Colour SpectralColour(int target, int colourClass, bool pale) {
    if (target == kTargetMonochromePrint || colourClass < 0 || colourClass > 5) {
        return Colour::Rgb(0, 0, 0);
    }
    const int column = (target == kTargetColourPrint ? 2 : 0) + (pale ? 1 : 0);
    return Colour{kSpectralColours[colourClass][column]};
}

void PolylineTo(Canvas& canvas, PolylineState& state, int x, int y, int visible) {
    if (x == 0 && y == 0 && visible == 0) {
        state.penDown = false;
        return;
    }
    const Point last = state.last;
    const int lastVisible = state.lastVisible;
    state.last = Point{x, y};
    state.lastVisible = visible;
    if (visible < 0) {
        state.penDown = false;
        return;
    }
    if (!state.penDown) {
        canvas.MoveTo(x, y);
        state.penDown = true;
        return;
    }
    if (visible == 0 && lastVisible == 0) {
        canvas.MoveTo(x, y);
        return;
    }
    const int dx = x - last.x;
    const int dy = y - last.y;
    const int steps = (std::abs(dx) + std::abs(dy)) / kSubdivisionLength + 1;
    for (int i = 1; i <= steps; ++i) {
        const int px = last.x + dx * i / steps;
        const int py = last.y + dy * i / steps;
        if (WithinLimit(px) && WithinLimit(py)) {
            canvas.LineTo(px, py);
        } else {
            canvas.MoveTo(px, py);
        }
    }
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;  // unpaired surrogate
        }
        AppendUtf8(out, c);
    }
    return out;
}

void DrawText8(Canvas& canvas, const Viewport& viewport, int x, int y, int offset,
               std::string_view utf8) {
    if (utf8.empty() || !viewport.contains(x, y)) return;
    const TextSize size = canvas.MeasureText(utf8);
    canvas.DrawText(x - size.width / 2, TextTop(y, offset, size.height), utf8);
}

int TextTop(int y, int offset, int height) {
    if (offset >= 1) return y + offset;
    if (offset == 0) return y - height / 2;
    return y + offset - height;
}

void DrawPolygonClipped(Canvas& canvas, const Viewport& viewport, std::span<const Point> points) {
    if (points.empty()) return;
    bool allRight = true, allLeft = true, allBelow = true, allAbove = true;
    for (const Point& p : points) {
        allRight = allRight && p.x > viewport.halfWidth;
        allLeft = allLeft && p.x < -viewport.halfWidth;
        allBelow = allBelow && p.y > viewport.halfHeight;
        allAbove = allAbove && p.y < -viewport.halfHeight;
    }
    if (allRight || allLeft || allBelow || allAbove) return;
    canvas.Polygon(points);
}

void FillSkyBackground(Canvas& canvas, const Viewport& viewport) {
    canvas.FillRect(-viewport.halfWidth, -viewport.halfHeight, viewport.halfWidth + 1,
                    viewport.halfHeight + 1, Colour::Index(kSkyGradientFirst));
}

std::string FormatGridLabel(int value, bool hours) {
    char buffer[64];
    if (!hours) {
        if (value % 10 == 0) {
            std::snprintf(buffer, sizeof buffer, "%d\u00B0", value / 10);
        } else {
            std::snprintf(buffer, sizeof buffer, "%3.1f\u00B0", value * 0.1);
        }
    } else if (value % 150 == 0) {
        std::snprintf(buffer, sizeof buffer, "%dh", value / 150);
    } else {
        std::snprintf(buffer, sizeof buffer, "%dh%02dm", value / 150,
                      static_cast<int>((value % 150) * 0.4));
    }
    return buffer;
}

}  // namespace render

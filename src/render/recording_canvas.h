// A Canvas that records every primitive in order, for tests that assert exact drawing, and for
// measuring the layers without a device. Text is measured as 6 x 10 pixels per character.
#pragma once

#include <string>
#include <vector>

#include "render/canvas.h"

namespace render {

struct CanvasOp {
    enum class Kind {
        SelectPalette,
        SetOrigin,
        FillRect,
        SetPixel,
        PlotPattern,
        SetPen,
        SetBrush,
        MoveTo,
        LineTo,
        Ellipse,
        Polygon,
        PolyPolygon,
        SetClipPolygon,
        ClearClip,
        SetFont,
        SetTextColour,
        DrawText,
        DrawImageCell,
    };
    Kind kind = Kind::SetPixel;
    int x = 0;  // point, anchor or left
    int y = 0;  // top
    int right = 0;
    int bottom = 0;
    Colour colour;
    Pen pen;
    Brush brush;
    std::vector<Point> points;           // polygon, clip, or the pixels of a pattern (absolute)
    std::vector<int> rings;              // point counts of the rings of a PolyPolygon
    std::vector<PatternOffset> offsets;  // pattern offsets as given
    std::string text;                    // text or font face
    int fontHeight = 0;
};

class RecordingCanvas : public Canvas {
  public:
    std::vector<CanvasOp> ops;
    const SkyPalette* palette = nullptr;

    // Only the ops of one kind, in order.
    std::vector<CanvasOp> OpsOf(CanvasOp::Kind kind) const;
    void Clear() { ops.clear(); }

    void SelectPalette(const SkyPalette* palette) override;
    void SetOrigin(int deviceX, int deviceY) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;
    void SetPixel(int x, int y, Colour colour) override;
    void PlotPattern(int x, int y, std::span<const PatternOffset> offsets, Colour colour) override;
    void SetPen(const Pen& pen) override;
    void SetBrush(const Brush& brush) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(std::span<const Point> points) override;
    void PolyPolygon(std::span<const Point> points, std::span<const int> ringSizes) override;
    void SetClipPolygon(std::span<const Point> points) override;
    void ClearClip() override;
    void SetFont(const FontSpec& font) override;
    void SetTextColour(Colour colour) override;
    TextSize MeasureText(std::string_view utf8) override;
    void DrawText(int x, int y, std::string_view utf8) override;
    void DrawImageCell(int x, int y, const ImageCell& cell) override;
};

}  // namespace render

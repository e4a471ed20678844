#include "render/recording_canvas.h"

namespace render {
namespace {

CanvasOp Op(CanvasOp::Kind kind, int x = 0, int y = 0, int right = 0, int bottom = 0) {
    CanvasOp op;
    op.kind = kind;
    op.x = x;
    op.y = y;
    op.right = right;
    op.bottom = bottom;
    return op;
}

}  // namespace

std::vector<CanvasOp> RecordingCanvas::OpsOf(CanvasOp::Kind kind) const {
    std::vector<CanvasOp> result;
    for (const CanvasOp& op : ops) {
        if (op.kind == kind) result.push_back(op);
    }
    return result;
}

void RecordingCanvas::SelectPalette(const SkyPalette* selected) {
    palette = selected;
    ops.push_back(Op(CanvasOp::Kind::SelectPalette));
}

void RecordingCanvas::SetOrigin(int deviceX, int deviceY) {
    ops.push_back(Op(CanvasOp::Kind::SetOrigin, deviceX, deviceY));
}

void RecordingCanvas::FillRect(int left, int top, int right, int bottom, Colour colour) {
    CanvasOp op = Op(CanvasOp::Kind::FillRect, left, top, right, bottom);
    op.colour = colour;
    ops.push_back(std::move(op));
}

void RecordingCanvas::SetPixel(int x, int y, Colour colour) {
    CanvasOp op = Op(CanvasOp::Kind::SetPixel, x, y);
    op.colour = colour;
    ops.push_back(std::move(op));
}

void RecordingCanvas::PlotPattern(int x, int y, std::span<const PatternOffset> offsets,
                                  Colour colour) {
    CanvasOp op = Op(CanvasOp::Kind::PlotPattern, x, y);
    op.colour = colour;
    op.offsets.assign(offsets.begin(), offsets.end());
    for (const PatternOffset& o : offsets)
        op.points.push_back(Point{x + o.dx, y + o.dy});
    ops.push_back(std::move(op));
}

void RecordingCanvas::SetPen(const Pen& pen) {
    CanvasOp op = Op(CanvasOp::Kind::SetPen);
    op.pen = pen;
    ops.push_back(std::move(op));
}

void RecordingCanvas::SetBrush(const Brush& brush) {
    CanvasOp op = Op(CanvasOp::Kind::SetBrush);
    op.brush = brush;
    ops.push_back(std::move(op));
}

void RecordingCanvas::MoveTo(int x, int y) {
    ops.push_back(Op(CanvasOp::Kind::MoveTo, x, y));
}

void RecordingCanvas::LineTo(int x, int y) {
    ops.push_back(Op(CanvasOp::Kind::LineTo, x, y));
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
    ops.push_back(Op(CanvasOp::Kind::Ellipse, left, top, right, bottom));
}

void RecordingCanvas::Polygon(std::span<const Point> points) {
    CanvasOp op = Op(CanvasOp::Kind::Polygon);
    op.points.assign(points.begin(), points.end());
    ops.push_back(std::move(op));
}

void RecordingCanvas::PolyPolygon(std::span<const Point> points, std::span<const int> ringSizes) {
    CanvasOp op = Op(CanvasOp::Kind::PolyPolygon);
    op.points.assign(points.begin(), points.end());
    op.rings.assign(ringSizes.begin(), ringSizes.end());
    ops.push_back(std::move(op));
}

void RecordingCanvas::SetClipPolygon(std::span<const Point> points) {
    CanvasOp op = Op(CanvasOp::Kind::SetClipPolygon);
    op.points.assign(points.begin(), points.end());
    ops.push_back(std::move(op));
}

void RecordingCanvas::ClearClip() {
    ops.push_back(Op(CanvasOp::Kind::ClearClip));
}

void RecordingCanvas::SetFont(const FontSpec& font) {
    CanvasOp op = Op(CanvasOp::Kind::SetFont);
    op.text = std::string(font.face);
    op.fontHeight = font.pixelHeight;
    ops.push_back(std::move(op));
}

void RecordingCanvas::SetTextColour(Colour colour) {
    CanvasOp op = Op(CanvasOp::Kind::SetTextColour);
    op.colour = colour;
    ops.push_back(std::move(op));
}

TextSize RecordingCanvas::MeasureText(std::string_view utf8) {
    return TextSize{static_cast<int>(utf8.size()) * 6, 10};
}

void RecordingCanvas::DrawText(int x, int y, std::string_view utf8) {
    CanvasOp op = Op(CanvasOp::Kind::DrawText, x, y);
    op.text = std::string(utf8);
    ops.push_back(std::move(op));
}

void RecordingCanvas::DrawImageCell(int x, int y, const ImageCell& cell) {
    ops.push_back(Op(CanvasOp::Kind::DrawImageCell, x, y, x + cell.width, y + cell.height));
}

}  // namespace render

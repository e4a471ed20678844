// The Canvas on Qt: QPainter on a QImage (the screen bitmap and --render), writing pixels and
// pixel patterns straight into the image memory, or QPainter on any paint device (QPrinter,
// QPdfWriter) for the print path, where the caller sets the window mapping of the page.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QPolygon>

#include <optional>
#include <string>

#include "render/canvas.h"

namespace platform {

// Installed family that stands in for a face name of the font slots: metric-compatible
// Liberation faces for "Arial" and "Times New Roman", DejaVu for "Tahoma", for "Symbol" (whose
// Greek letters the layers draw as Unicode Greek) and for an empty face; other names as given.
QString SubstituteFontFamily(std::string_view face);

// The font for a slot's face, pixel height, weight and slant, created once per process and
// shared by every canvas afterwards (the layers ask for their fonts at every frame). Chinese
// characters fall back to WenQuanYi Micro Hei when the chosen family lacks them.
const QFont& CachedFont(std::string_view face, int pixelHeight, bool bold, bool italic);

class QPainterCanvas : public render::Canvas {
  public:
    // Draws on an image of format RGB32 or ARGB32(_Premultiplied); pixels are written directly.
    // Drawing coordinates are the image's logical pixels: an image with a device pixel ratio of
    // 2 (a HiDPI screen) gets the same picture with every pixel of a pattern as a 2x2 block and
    // lines and text drawn at the finer resolution.
    explicit QPainterCanvas(QImage& image);
    // Draws through QPainter only, on a painter the caller has begun and mapped; a clip the
    // painter has then stays in force under every clip of the layers.
    explicit QPainterCanvas(QPainter& painter);
    ~QPainterCanvas() override;

    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    void SelectPalette(const render::SkyPalette* palette) override;
    void SetOrigin(int deviceX, int deviceY) override;
    void FillRect(int left, int top, int right, int bottom, render::Colour colour) override;
    void SetPixel(int x, int y, render::Colour colour) override;
    void PlotPattern(int x, int y, std::span<const render::PatternOffset> offsets,
                     render::Colour colour) override;
    void SetPen(const render::Pen& pen) override;
    void SetBrush(const render::Brush& brush) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(std::span<const render::Point> points) override;
    void PolyPolygon(std::span<const render::Point> points,
                     std::span<const int> ringSizes) override;
    void SetClipPolygon(std::span<const render::Point> points) override;
    void ClearClip() override;
    void SetFont(const render::FontSpec& font) override;
    void SetTextColour(render::Colour colour) override;
    render::TextSize MeasureText(std::string_view utf8) override;
    void DrawText(int x, int y, std::string_view utf8) override;
    void DrawImageCell(int x, int y, const render::ImageCell& cell) override;

  private:
    QRgb Resolve(render::Colour colour) const;
    void ApplyPen();
    void ApplyBrush();
    const QFontMetrics& Metrics();
    void FlushPolyline();
    bool DirectPixels() const { return bits_ != nullptr && !clipped_; }
    // Sets the scale x scale block of device pixels of logical pixel (x, y) from the origin.
    void PutPixel(int x, int y, QRgb rgb);

    QPainter ownPainter_;
    QPainter* painter_ = nullptr;
    uint32_t* bits_ = nullptr;  // image memory when pixels may be written directly
    int stride_ = 0;            // in pixels
    int width_ = 0;
    int height_ = 0;
    int scale_ = 1;  // device pixels per logical pixel of the image
    int originX_ = 0;
    int originY_ = 0;
    bool clipped_ = false;
    std::optional<QPainterPath> baseClip_;  // the caller's clip
    const render::SkyPalette* palette_ = nullptr;
    render::Pen pen_;
    render::Brush brush_;
    QPoint current_;
    QPolygon polyline_;  // the joined segments not yet drawn
    // The font last set, and its metrics on this canvas's device.
    std::string fontFace_;
    int fontHeight_ = -1;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    std::optional<QFontMetrics> metrics_;
    QRgb textColour_ = 0xFF000000;
};

}  // namespace platform

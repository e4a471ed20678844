#include "platform/qpainter_canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPolygon>

#include <map>
#include <tuple>
#include <vector>

#include "render/palette.h"

namespace platform {
namespace {

QPolygon ToPolygon(std::span<const render::Point> points, int dx, int dy) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        polygon.setPoint(static_cast<int>(i), points[i].x + dx, points[i].y + dy);
    }
    return polygon;
}

}  // namespace

QString SubstituteFontFamily(std::string_view face) {
    if (face == "Arial") return QStringLiteral("Liberation Sans");
    if (face == "Times New Roman") return QStringLiteral("Liberation Serif");
    if (face == "Tahoma") return QStringLiteral("DejaVu Sans");
    if (face == "Symbol") return QStringLiteral("DejaVu Serif");
    if (face.empty()) return QStringLiteral("DejaVu Sans");
    return QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
}

const QFont& CachedFont(std::string_view face, int pixelHeight, bool bold, bool italic) {
    using Key = std::tuple<std::string, int, bool, bool>;
    // Kept for the life of the process: fonts must not be destroyed after the application.
    static auto* cache = new std::map<Key, QFont>();
    constexpr std::size_t kCacheLimit = 256;  // a user trying many sizes cannot grow it forever
    Key key{std::string(face), std::max(1, pixelHeight), bold, italic};
    if (const auto found = cache->find(key); found != cache->end()) return found->second;
    if (cache->size() >= kCacheLimit) cache->clear();
    QFont font;
    font.setFamilies({SubstituteFontFamily(face), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Droid Sans Fallback")});
    font.setPixelSize(std::get<1>(key));
    font.setBold(bold);
    font.setItalic(italic);
    return cache->emplace(std::move(key), font).first->second;
}

QPainterCanvas::QPainterCanvas(QImage& image) {
    const QImage::Format format = image.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
        format == QImage::Format_ARGB32_Premultiplied) {
        bits_ = reinterpret_cast<uint32_t*>(image.bits());
        stride_ = static_cast<int>(image.bytesPerLine() / 4);
        width_ = image.width();
        height_ = image.height();
        scale_ = std::max(1, qRound(image.devicePixelRatio()));
    }
    ownPainter_.begin(&image);
    painter_ = &ownPainter_;
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setBackgroundMode(Qt::TransparentMode);
}

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(&painter) {
    painter_->setBackgroundMode(Qt::TransparentMode);
    if (painter_->hasClipping()) baseClip_ = painter_->clipPath();
}

QPainterCanvas::~QPainterCanvas() {
    FlushPolyline();
    if (ownPainter_.isActive()) ownPainter_.end();
}

QRgb QPainterCanvas::Resolve(render::Colour colour) const {
    if (colour.isIndex()) {
        return 0xFF000000u | (palette_ ? palette_->rgb(colour.index()) : 0u);
    }
    return 0xFF000000u | (colour.value & 0xFFFFFFu);
}

void QPainterCanvas::SelectPalette(const render::SkyPalette* palette) {
    FlushPolyline();
    palette_ = palette;
    ApplyPen();
    ApplyBrush();
}

void QPainterCanvas::SetOrigin(int deviceX, int deviceY) {
    FlushPolyline();
    // Only the image canvas owns its mapping; a page keeps the caller's window mapping.
    if (painter_ != &ownPainter_) return;
    originX_ = deviceX;
    originY_ = deviceY;
    painter_->resetTransform();
    painter_->translate(deviceX, deviceY);
}

void QPainterCanvas::FillRect(int left, int top, int right, int bottom, render::Colour colour) {
    FlushPolyline();
    if (right <= left || bottom <= top) return;
    const QRgb rgb = Resolve(colour);
    if (DirectPixels()) {
        const int x0 = std::max(0, (left + originX_) * scale_);
        const int x1 = std::min(width_, (right + originX_) * scale_);
        const int y0 = std::max(0, (top + originY_) * scale_);
        const int y1 = std::min(height_, (bottom + originY_) * scale_);
        for (int y = y0; y < y1; ++y) {
            uint32_t* row = bits_ + static_cast<std::ptrdiff_t>(y) * stride_;
            std::fill(row + x0, row + std::max(x0, x1), rgb);
        }
        return;
    }
    painter_->fillRect(QRect(left, top, right - left, bottom - top), QColor::fromRgb(rgb));
}

void QPainterCanvas::SetPixel(int x, int y, render::Colour colour) {
    FlushPolyline();
    const QRgb rgb = Resolve(colour);
    if (DirectPixels()) {
        PutPixel(x, y, rgb);
        return;
    }
    painter_->fillRect(QRect(x, y, 1, 1), QColor::fromRgb(rgb));
}

void QPainterCanvas::PutPixel(int x, int y, QRgb rgb) {
    const int px = (x + originX_) * scale_;
    const int py = (y + originY_) * scale_;
    if (scale_ == 1) {
        if (static_cast<unsigned>(px) < static_cast<unsigned>(width_) &&
            static_cast<unsigned>(py) < static_cast<unsigned>(height_)) {
            bits_[static_cast<std::ptrdiff_t>(py) * stride_ + px] = rgb;
        }
        return;
    }
    for (int row = std::max(0, py); row < std::min(height_, py + scale_); ++row) {
        uint32_t* line = bits_ + static_cast<std::ptrdiff_t>(row) * stride_;
        for (int column = std::max(0, px); column < std::min(width_, px + scale_); ++column) {
            line[column] = rgb;
        }
    }
}

void QPainterCanvas::PlotPattern(int x, int y, std::span<const render::PatternOffset> offsets,
                                 render::Colour colour) {
    FlushPolyline();
    const QRgb rgb = Resolve(colour);
    if (DirectPixels()) {
        for (const render::PatternOffset& o : offsets) {
            PutPixel(x + o.dx, y + o.dy, rgb);
        }
        return;
    }
    const QColor qcolour = QColor::fromRgb(rgb);
    for (const render::PatternOffset& o : offsets) {
        painter_->fillRect(QRect(x + o.dx, y + o.dy, 1, 1), qcolour);
    }
}

void QPainterCanvas::ApplyPen() {
    if (pen_.style == render::PenStyle::Null) {
        painter_->setPen(Qt::NoPen);
        return;
    }
    QPen pen(QColor::fromRgb(Resolve(pen_.colour)));
    // 0 is the thinnest line: one device pixel, or one logical pixel on a HiDPI image.
    const bool cosmetic = pen_.width == 0 && scale_ == 1;
    pen.setWidth(pen_.width == 0 && !cosmetic ? 1 : pen_.width);
    pen.setCosmetic(cosmetic);
    pen.setStyle(pen_.style == render::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
    painter_->setPen(pen);
}

void QPainterCanvas::ApplyBrush() {
    if (brush_.hollow) {
        painter_->setBrush(Qt::NoBrush);
    } else {
        painter_->setBrush(QColor::fromRgb(Resolve(brush_.colour)));
    }
}

void QPainterCanvas::SetPen(const render::Pen& pen) {
    FlushPolyline();
    pen_ = pen;
    ApplyPen();
}

void QPainterCanvas::SetBrush(const render::Brush& brush) {
    FlushPolyline();
    brush_ = brush;
    ApplyBrush();
}

void QPainterCanvas::MoveTo(int x, int y) {
    FlushPolyline();
    current_ = QPoint(x, y);
}

void QPainterCanvas::LineTo(int x, int y) {
    // Joined segments are drawn as one polyline (far cheaper than a call per segment); any
    // other drawing, pen or mapping change draws the pending polyline first.
    constexpr int kPolylineLimit = 4096;
    if (polyline_.isEmpty()) polyline_.append(current_);
    current_ = QPoint(x, y);
    polyline_.append(current_);
    if (polyline_.size() >= kPolylineLimit) {
        FlushPolyline();
        polyline_.append(current_);
    }
}

void QPainterCanvas::FlushPolyline() {
    if (polyline_.size() >= 2) painter_->drawPolyline(polyline_);
    polyline_.clear();
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom) {
    FlushPolyline();
    if (right <= left || bottom <= top) return;
    painter_->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::Polygon(std::span<const render::Point> points) {
    FlushPolyline();
    if (points.empty()) return;
    painter_->drawPolygon(ToPolygon(points, 0, 0));
}

void QPainterCanvas::PolyPolygon(std::span<const render::Point> points,
                                 std::span<const int> ringSizes) {
    FlushPolyline();
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    std::size_t first = 0;
    for (int size : ringSizes) {
        if (size <= 0 || first + static_cast<std::size_t>(size) > points.size()) break;
        path.addPolygon(ToPolygon(points.subspan(first, static_cast<std::size_t>(size)), 0, 0));
        path.closeSubpath();
        first += static_cast<std::size_t>(size);
    }
    if (!path.isEmpty()) painter_->drawPath(path);
}

void QPainterCanvas::SetClipPolygon(std::span<const render::Point> points) {
    FlushPolyline();
    QPainterPath path;
    path.addPolygon(ToPolygon(points, 0, 0));
    path.closeSubpath();
    if (baseClip_) {
        painter_->setClipPath(*baseClip_);
        painter_->setClipPath(path, Qt::IntersectClip);
    } else {
        painter_->setClipPath(path);
    }
    clipped_ = true;
}

void QPainterCanvas::ClearClip() {
    FlushPolyline();
    if (baseClip_) {
        painter_->setClipPath(*baseClip_);
    } else {
        painter_->setClipping(false);
    }
    clipped_ = false;
}

void QPainterCanvas::SetFont(const render::FontSpec& font) {
    if (metrics_ && font.face == fontFace_ && font.pixelHeight == fontHeight_ &&
        font.bold == fontBold_ && font.italic == fontItalic_) {
        return;
    }
    const QFont& qfont = CachedFont(font.face, font.pixelHeight, font.bold, font.italic);
    painter_->setFont(qfont);
    fontFace_.assign(font.face);
    fontHeight_ = font.pixelHeight;
    fontBold_ = font.bold;
    fontItalic_ = font.italic;
    metrics_.emplace(qfont, painter_->device());
}

void QPainterCanvas::SetTextColour(render::Colour colour) {
    textColour_ = Resolve(colour);
}

const QFontMetrics& QPainterCanvas::Metrics() {
    if (!metrics_) metrics_.emplace(painter_->font(), painter_->device());
    return *metrics_;
}

render::TextSize QPainterCanvas::MeasureText(std::string_view utf8) {
    const QFontMetrics& metrics = Metrics();
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return render::TextSize{metrics.horizontalAdvance(text), metrics.height()};
}

void QPainterCanvas::DrawText(int x, int y, std::string_view utf8) {
    FlushPolyline();
    const int ascent = Metrics().ascent();
    const QPen saved = painter_->pen();
    painter_->setPen(QColor::fromRgb(textColour_));
    painter_->drawText(x, y + ascent,
                       QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    painter_->setPen(saved);
}

void QPainterCanvas::DrawImageCell(int x, int y, const render::ImageCell& cell) {
    FlushPolyline();
    if (!cell.pixels || cell.width <= 0 || cell.height <= 0 || cell.stride < cell.width) return;
    const QImage image(reinterpret_cast<const uchar*>(cell.pixels), cell.width, cell.height,
                       static_cast<qsizetype>(cell.stride) * 4, QImage::Format_ARGB32);
    painter_->drawImage(QPoint(x, y), image);
}

}  // namespace platform

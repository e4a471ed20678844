#include "render/label_placement.h"

#include <algorithm>
#include <numeric>

#include "render/primitives.h"

namespace render {
namespace {

constexpr int kCellSize = 64;  // pixels of the grid that finds a box's neighbours

}  // namespace

void LabelPlacement::Begin(bool active, const Viewport& viewport) {
    active_ = active;
    viewport_ = viewport;
    candidates_.clear();
}

void LabelPlacement::Add(const LabelBox& box, const LabelStyle& style, std::string_view text,
                         LabelRank rank, int order) {
    candidates_.push_back(Candidate{box, style, std::string(text), rank, order});
}

std::vector<bool> LabelPlacement::Choose() const {
    std::vector<std::size_t> byRank(candidates_.size());
    std::iota(byRank.begin(), byRank.end(), 0);
    std::stable_sort(byRank.begin(), byRank.end(), [this](std::size_t a, std::size_t b) {
        const Candidate& p = candidates_[a];
        const Candidate& q = candidates_[b];
        return p.rank != q.rank ? p.rank < q.rank : p.order < q.order;
    });
    // The kept boxes by the cells of a grid over the viewport that they touch (boxes reaching
    // past the viewport count in its edge cells).
    const int columns = 2 * viewport_.halfWidth / kCellSize + 1;
    const int rows = 2 * viewport_.halfHeight / kCellSize + 1;
    auto column = [&](int x) {
        return std::clamp((x + viewport_.halfWidth) / kCellSize, 0, columns - 1);
    };
    auto row = [&](int y) {
        return std::clamp((y + viewport_.halfHeight) / kCellSize, 0, rows - 1);
    };
    std::vector<std::vector<std::size_t>> cells(static_cast<std::size_t>(columns) * rows);
    std::vector<bool> kept(candidates_.size(), false);
    for (std::size_t index : byRank) {
        const LabelBox& box = candidates_[index].box;
        const int x0 = column(box.left), x1 = column(box.right - 1);
        const int y0 = row(box.top), y1 = row(box.bottom - 1);
        bool free = true;
        for (int cy = y0; cy <= y1 && free; ++cy) {
            for (int cx = x0; cx <= x1 && free; ++cx) {
                for (std::size_t other : cells[static_cast<std::size_t>(cy) * columns + cx]) {
                    if (box.overlaps(candidates_[other].box)) {
                        free = false;
                        break;
                    }
                }
            }
        }
        if (!free) continue;
        kept[index] = true;
        for (int cy = y0; cy <= y1; ++cy)
            for (int cx = x0; cx <= x1; ++cx)
                cells[static_cast<std::size_t>(cy) * columns + cx].push_back(index);
    }
    return kept;
}

void LabelPlacement::DrawKept(Canvas& canvas) {
    const std::vector<bool> kept = Choose();
    const LabelStyle* current = nullptr;
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        if (!kept[i]) continue;
        const Candidate& c = candidates_[i];
        if (!current || current->font.face != c.style.font.face ||
            current->font.pixelHeight != c.style.font.pixelHeight ||
            current->font.bold != c.style.font.bold ||
            current->font.italic != c.style.font.italic || current->colour != c.style.colour) {
            UseLabelStyle(canvas, c.style);
            current = &c.style;
        }
        canvas.DrawText(c.box.left, c.box.top, c.text);
    }
    candidates_.clear();
}

void UseLabelStyle(Canvas& canvas, const LabelStyle& style) {
    canvas.SetFont(style.font);
    canvas.SetTextColour(style.colour);
}

void DrawLabel(Canvas& canvas, LabelPlacement& placement, const Viewport& viewport,
               const LabelStyle& style, int x, int y, int offset, std::string_view utf8,
               LabelRank rank, int order) {
    if (!placement.active()) {
        DrawText8(canvas, viewport, x, y, offset, utf8);
        return;
    }
    if (utf8.empty() || !viewport.contains(x, y)) return;
    const TextSize size = canvas.MeasureText(utf8);
    LabelBox box;
    box.left = x - size.width / 2;
    box.top = TextTop(y, offset, size.height);
    box.right = box.left + size.width;
    box.bottom = box.top + size.height;
    placement.Add(box, style, utf8, rank, order);
}

}  // namespace render

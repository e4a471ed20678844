// Labels that never pile up. While the option is on, the label layers hand their texts to the
// frame's placement instead of drawing them; after the last label layer the placement keeps,
// rank by rank, every label whose box overlaps no label kept before it, and draws the kept ones
// in the order they came. With the option off every label is drawn at once, as it always was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/canvas.h"
#include "render/frame_state.h"

namespace render {

// Who wins a place: bodies first, then constellation names, star names, asterism names and
// deep-sky names; within a rank the smaller order (the brighter object) first.
enum class LabelRank : uint8_t { Body, ConstellationName, StarName, Asterism, DeepSky };

struct LabelStyle {
    FontSpec font;
    Colour colour;
};

// A label's box in drawing coordinates: [left, right) x [top, bottom).
struct LabelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    bool overlaps(const LabelBox& o) const {
        return !empty() && !o.empty() && left < o.right && o.left < right && top < o.bottom &&
               o.top < bottom;
    }
};

class LabelPlacement {
  public:
    // Starts a frame: active when labels may not pile up.
    void Begin(bool active, const Viewport& viewport);
    bool active() const { return active_; }

    // A label for later: its box, style, text, rank and order within the rank.
    void Add(const LabelBox& box, const LabelStyle& style, std::string_view text, LabelRank rank,
             int order);
    // Draws the labels that keep their place and empties the placement.
    void DrawKept(Canvas& canvas);

  private:
    struct Candidate {
        LabelBox box;
        LabelStyle style;
        std::string text;
        LabelRank rank;
        int order;
    };
    // The candidates that keep their place, as flags in arrival order.
    std::vector<bool> Choose() const;

    bool active_ = false;
    Viewport viewport_;
    std::vector<Candidate> candidates_;
};

// Sets the canvas's font and text colour to a label style.
void UseLabelStyle(Canvas& canvas, const LabelStyle& style);

// Anchored text as DrawText8 places it (centred on x; offset >= 1 puts its top offset pixels
// below y, 0 centres it on y, a negative offset puts its bottom -offset pixels above y), in the
// style the canvas already has: drawn at once, or handed to the placement while it is active.
void DrawLabel(Canvas& canvas, LabelPlacement& placement, const Viewport& viewport,
               const LabelStyle& style, int x, int y, int offset, std::string_view utf8,
               LabelRank rank, int order);

}  // namespace render

// What the figure and label layers share: their catalogue blocks, the colours and pens of the
// line colour slots, the star context of the frame and the visibility rule of label points.
#pragma once

#include "persist/data_set.h"
#include "render/sky_scene.h"

namespace render {

// The block when the data set holds it, else null (the layer then draws nothing).
const persist::Block* LoadedBlock(const LayerContext& layer, persist::BlockId id);

// The colour of line colour slot 1..23 for the layer's target (black on monochrome paper).
Colour SlotColour(const LayerContext& layer, int lineSlot);

// The pen of a line colour slot: its colour, the frame's line width, dotted when the slot's
// style byte is above 0.
void SelectLinePen(LayerContext& layer, int lineSlot);

// The frame's star context, for StarPoint and StarVisible.
StarContext StarContextOf(LayerContext& layer);

// A label of the layer in the style the canvas has (see DrawLabel): drawn at once, or handed to
// the frame's placement while labels may not pile up.
void DrawLayerLabel(LayerContext& layer, const LabelStyle& style, int x, int y, int offset,
                    std::string_view utf8, LabelRank rank, int order);

// A projected label point is drawn when it lies in front of the viewer and, while the ground is
// shown, not below the horizon. (The text itself checks that its anchor is inside the view.)
bool LabelPointShown(const LayerContext& layer, int flag);

}  // namespace render

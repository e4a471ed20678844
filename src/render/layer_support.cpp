#include "render/layer_support.h"

#include <algorithm>

namespace render {

const persist::Block* LoadedBlock(const LayerContext& layer, persist::BlockId id) {
    if (!layer.scene.data) return nullptr;
    const persist::Block& block = layer.scene.data->block(id);
    return block.loaded ? &block : nullptr;
}

Colour SlotColour(const LayerContext& layer, int lineSlot) {
    const int slot = std::clamp(lineSlot, 1, state::kLineSetCount);
    const Colour colour = Colour::Index(kLineSlotPaletteIndex[static_cast<std::size_t>(slot - 1)]);
    return ResolveColour(layer.target, 0, colour, layer.scene.palette);
}

void SelectLinePen(LayerContext& layer, int lineSlot) {
    const int slot = std::clamp(lineSlot, 1, state::kLineSetCount);
    const state::LineSet& set = layer.scene.view->lineSets[static_cast<std::size_t>(slot - 1)];
    layer.canvas.SetPen(Pen{SlotColour(layer, slot), layer.scene.frame.linePenWidth,
                            set.style > 0 ? PenStyle::Dot : PenStyle::Solid});
}

StarContext StarContextOf(LayerContext& layer) {
    SkyScene& scene = layer.scene;
    return StarContext{layer.canvas, *scene.view,      scene.frame,
                       scene.stars,  scene.projection, scene.starScreen};
}

void DrawLayerLabel(LayerContext& layer, const LabelStyle& style, int x, int y, int offset,
                    std::string_view utf8, LabelRank rank, int order) {
    DrawLabel(layer.canvas, layer.scene.labels, layer.scene.frame.viewport, style, x, y, offset,
              utf8, rank, order);
}

bool LabelPointShown(const LayerContext& layer, int flag) {
    return flag >= 0 && !(layer.scene.projection.horizonShown && flag == kBelowHorizonFlag);
}

}  // namespace render

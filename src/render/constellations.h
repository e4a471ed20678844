// Constellation figures, boundaries and names; seasonal asterisms; the Old Chinese set.
#pragma once

#include "render/sky_scene.h"

namespace render {

void DrawConstellationBoundaries(LayerContext& layer);
void DrawConstellationPictures(LayerContext& layer);
void DrawConstellationLines(LayerContext& layer);
void DrawOldChineseLines(LayerContext& layer);
void DrawAsterismLines(LayerContext& layer);
void DrawOldChineseNames(LayerContext& layer);
void DrawConstellationNames(LayerContext& layer);
void DrawAsterismNames(LayerContext& layer);

}  // namespace render

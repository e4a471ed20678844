// Star labels and the printed observation footer.
#pragma once

#include "render/sky_scene.h"

namespace render {

void DrawStarLabels(LayerContext& layer);
void DrawPrintFooter(LayerContext& layer);

}  // namespace render

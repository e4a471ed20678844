// Deep-sky objects, their images and the Milky Way bands.
#pragma once

#include "render/sky_scene.h"

namespace render {

// Images of one group (0, 1, 2) of the deep-sky objects.
void DrawDeepSkyImages(LayerContext& layer, int group);
// Milky Way band 1 or 2 at an intensity (band 1: 0..6, band 2: 0..10).
void DrawMilkyWay(LayerContext& layer, int band, int intensity);
// Projects the deep-sky objects into the frame's object table.
void ProjectDeepSkyObjects(LayerContext& layer);
void DrawDeepSkySymbols(LayerContext& layer);

}  // namespace render

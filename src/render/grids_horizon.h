// Grids, lines, guides, the glow bands and the horizon with ground and landscape.
#pragma once

#include "render/sky_scene.h"

namespace render {

// Sun glow rings and horizon bands of band indices last - 1 down to first.
void DrawGlowBands(LayerContext& layer, int first, int last);
void DrawEclipticGrid(LayerContext& layer, bool scale);
void DrawEquatorialGrid(LayerContext& layer, bool scale);
void DrawHorizontalGrid(LayerContext& layer, bool scale);
void DrawEclipticLine(LayerContext& layer);
void DrawCelestialEquator(LayerContext& layer);
// Circle guide, centre cross and camera frame.
void DrawGuides(LayerContext& layer);
// Horizon line, ground, landscape and direction labels.
void DrawHorizon(LayerContext& layer);

}  // namespace render

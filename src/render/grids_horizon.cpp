#include "render/grids_horizon.h"

namespace render {

void DrawGlowBands(LayerContext&, int, int) {}
void DrawEclipticGrid(LayerContext&, bool) {}
void DrawEquatorialGrid(LayerContext&, bool) {}
void DrawHorizontalGrid(LayerContext&, bool) {}
void DrawEclipticLine(LayerContext&) {}
void DrawCelestialEquator(LayerContext&) {}
void DrawGuides(LayerContext&) {}
void DrawHorizon(LayerContext&) {}

}  // namespace render

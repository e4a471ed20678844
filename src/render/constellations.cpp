#include "render/constellations.h"

namespace render {

void DrawConstellationBoundaries(LayerContext&) {}
void DrawConstellationPictures(LayerContext&) {}
void DrawConstellationLines(LayerContext&) {}
void DrawOldChineseLines(LayerContext&) {}
void DrawAsterismLines(LayerContext&) {}
void DrawOldChineseNames(LayerContext&) {}
void DrawConstellationNames(LayerContext&) {}
void DrawAsterismNames(LayerContext&) {}

}  // namespace render

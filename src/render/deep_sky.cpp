#include "render/deep_sky.h"

namespace render {

void DrawDeepSkyImages(LayerContext&, int) {}
void DrawMilkyWay(LayerContext&, int, int) {}
void ProjectDeepSkyObjects(LayerContext&) {}
void DrawDeepSkySymbols(LayerContext&) {}

}  // namespace render

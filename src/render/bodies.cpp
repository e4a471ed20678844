#include "render/bodies.h"

namespace render {

void DrawComets(LayerContext&, bool) {}
void DrawBodies(LayerContext&, bool) {}

}  // namespace render

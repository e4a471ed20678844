#include "render/labels.h"

namespace render {

void DrawStarLabels(LayerContext&) {}
void DrawPrintFooter(LayerContext&) {}

}  // namespace render

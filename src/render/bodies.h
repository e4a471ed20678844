// The Sun, Moon, planets and comets on the sky.
#pragma once

#include "render/sky_scene.h"

namespace render {

// trace: drawn as one step of the Tracing Mode history.
void DrawComets(LayerContext& layer, bool trace);
void DrawBodies(LayerContext& layer, bool trace);

}  // namespace render

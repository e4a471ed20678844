#include "render/sky_scene.h"

namespace render {

void InitSkyScene(SkyScene& scene, state::ViewState& view, const state::AppOptions& options,
                  const persist::DataSet& data, astro::ProjectionTables tables) {
    scene.view = &view;
    scene.options = &options;
    scene.data = &data;
    scene.stars = BuildStarCatalog(data, options.GscPath);
    scene.tables = tables;
    scene.palette = CreateSkyPalette(view.lineSets);
}

}  // namespace render

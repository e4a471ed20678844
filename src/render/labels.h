// Star labels (proper names, Bayer letters in Greek and Latin, Flamsteed numbers, Old Chinese
// star names) below or above their stars, and the observation footer of a printed sky.
#pragma once

#include <string>

#include "render/sky_scene.h"

namespace render {

// Pixels between a star and its label: by DrawStarMode3 (0..5) on screen, 4 on paper.
int StarLabelOffset(int drawStarMode, int target);

// The star label layer: StarName 1 (first names), 2 (Latin names), 3 (scientific, by AlphaMode:
// bit 0 Bayer, bit 1 Flamsteed), 4 (record numbers); Old Chinese names with ShukuStar.
void DrawStarLabels(LayerContext& layer);

// The observation text of the footer: location, date, time and zone of the time mode.
std::string ObservationText(const SkyScene& scene);

// The printed footer: the program's name bottom right, the observation text bottom left, each
// in a white box. Drawn only on paper.
void DrawPrintFooter(LayerContext& layer);

}  // namespace render

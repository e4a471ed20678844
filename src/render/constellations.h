// Constellation figures, boundaries and names; seasonal asterisms; the Old Chinese set. Figures
// are polylines through PolylineTo, names are texts centred on their label points. Positions
// are ecliptic longitude and latitude of epoch 2000 in binary angles; star numbers are 0-based
// STAR2 records. A block that is missing draws nothing; a block cut short ends where its bytes
// end; a star number outside STAR2 lifts the pen.
#pragma once

#include "render/sky_scene.h"

namespace render {

// The star-path blocks: LINE, KISETU, SKULI.
enum class StarPathBlock { Lines, Asterisms, OldChinese };
// The outline blocks: PIC, KAI.
enum class OutlineBlock { Pictures, Boundaries };
// The name sets: SEIZA at SEIZAZ (by Constella), KISEN, SKUNU.
enum class FigureNameSet { Western, Asterisms, OldChinese };

// Walks a star-path block: 10000 lifts the pen, 20000 ends it, any other value is a star.
void DrawStarPaths(LayerContext& layer, StarPathBlock which);
// Walks an outline block: a pair with lon -1 lifts the pen, a second one in a row ends it.
void DrawOutlines(LayerContext& layer, OutlineBlock which);
void DrawFigureNames(LayerContext& layer, FigureNameSet which);

void DrawConstellationBoundaries(LayerContext& layer);
void DrawConstellationPictures(LayerContext& layer);
void DrawConstellationLines(LayerContext& layer);
void DrawOldChineseLines(LayerContext& layer);
void DrawAsterismLines(LayerContext& layer);
void DrawOldChineseNames(LayerContext& layer);
void DrawConstellationNames(LayerContext& layer);
void DrawAsterismNames(LayerContext& layer);

}  // namespace render

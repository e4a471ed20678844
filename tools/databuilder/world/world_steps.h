// Build steps of the world blocks: deep sky, Milky Way, cities, coastlines, landscape, comets,
// projection tables, settings defaults, narration, pictures and the deep star catalogue.
#pragma once

#include "framework/build_context.h"

namespace databuilder {

void buildProjectionTables(BuildContext& context);   // SINCOS, ZBI, ZBI2
void buildCityBlock(BuildContext& context);          // CITY
void buildDeepSkyBlocks(BuildContext& context);      // OBJ, OBJN
void buildMilkyWayBlock(BuildContext& context);      // MILKY
void buildEarthBlock(BuildContext& context);         // EARTH
void buildLandscapeBlock(BuildContext& context);     // YAMA
void buildCometFile(BuildContext& context);          // QELCOMET.DAT
void buildDefaultSettings(BuildContext& context);    // TAVILO.INI
void buildNarration(BuildContext& context);          // narration/BASIC.TXT and sounds
void buildWorldPictures(BuildContext& context);      // pictures/*.png, TITLE256.IMG, TITLE16.IMG
void buildDeepStarCatalogue(BuildContext& context);  // QELGAIDX.DAT, QELGSA.DAT

}  // namespace databuilder

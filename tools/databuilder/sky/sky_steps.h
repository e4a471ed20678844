// Build steps of the sky catalogue blocks, in the order the step table runs them.
#pragma once

#include "framework/build_context.h"

namespace databuilder {

void buildStarBlocks(BuildContext& context);           // STAR2, STIDX
void buildDesignationBlocks(BuildContext& context);    // ALPHA, STARN
void buildConstellationBlocks(BuildContext& context);  // SEIZA, SEIZAZ, LINE, KAI
void buildAsterismBlocks(BuildContext& context);       // KISETU, KISEN
void buildChineseBlocks(BuildContext& context);        // SKULI, SKUNU, SKUSU, SKUNM, SKUSN
void buildPictureBlock(BuildContext& context);         // PIC

}  // namespace databuilder

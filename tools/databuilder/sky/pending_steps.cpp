#include "sky/sky_steps.h"

namespace databuilder {

void buildDesignationBlocks(BuildContext&) {}
void buildConstellationBlocks(BuildContext&) {}
void buildAsterismBlocks(BuildContext&) {}
void buildChineseBlocks(BuildContext&) {}
void buildPictureBlock(BuildContext&) {}

}  // namespace databuilder

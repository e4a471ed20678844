#include "sky/sky_steps.h"

namespace databuilder {

void buildPictureBlock(BuildContext&) {}

}  // namespace databuilder

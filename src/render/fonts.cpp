#include "render/fonts.h"

#include <algorithm>
#include <cstring>

#include "render/frame_state.h"

namespace render {

FontSpec SlotFont(const state::ViewState& view, int slot, int target) {
    const state::FontSet& font =
        view.fontSets[static_cast<std::size_t>(std::clamp(slot, 1, state::kFontSetCount) - 1)];
    const int k = target == kTargetScreen ? 1 : 4;
    FontSpec spec;
    spec.face = std::string_view(font.face, strnlen(font.face, sizeof font.face));
    spec.pixelHeight = k * font.size;
    spec.bold = font.bold != 0;
    spec.italic = font.italic != 0;
    return spec;
}

}  // namespace render

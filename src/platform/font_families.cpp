#include "platform/font_families.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {
namespace {

bool IsBuiltInFace(const std::string& family) {
    static constexpr std::array<std::string_view, 4> kFaces = {"Arial", "Times New Roman", "Tahoma",
                                                               "Symbol"};
    return std::find(kFaces.begin(), kFaces.end(), family) != kFaces.end();
}

bool FontconfigListsFamily(const std::string& family) {
    if (!FcInit()) return false;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    const bool found = fonts && fonts->nfont > 0;
    if (fonts) FcFontSetDestroy(fonts);
    if (objects) FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

}  // namespace

bool FontFamilyKnown(const std::string& family) {
    if (family.empty()) return false;
    return IsBuiltInFace(family) || FontconfigListsFamily(family);
}

}  // namespace platform

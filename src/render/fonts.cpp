#include "render/fonts.h"

#include <algorithm>
#include <cstring>

#include "render/frame_state.h"

namespace render {
namespace {

int PrintFactor(int target) {
    return target == kTargetScreen ? 1 : 4;
}

// The Symbol face's Greek layout: Latin letter -> Greek letter.
constexpr char16_t kSymbolLower[26] = {
    u'\u03B1', u'\u03B2', u'\u03C7', u'\u03B4', u'\u03B5', u'\u03C6', u'\u03B3',
    u'\u03B7', u'\u03B9', u'\u03D5', u'\u03BA', u'\u03BB', u'\u03BC', u'\u03BD',
    u'\u03BF', u'\u03C0', u'\u03B8', u'\u03C1', u'\u03C3', u'\u03C4', u'\u03C5',
    u'\u03D6', u'\u03C9', u'\u03BE', u'\u03C8', u'\u03B6'};
constexpr char16_t kSymbolUpper[26] = {
    u'\u0391', u'\u0392', u'\u03A7', u'\u0394', u'\u0395', u'\u03A6', u'\u0393',
    u'\u0397', u'\u0399', u'\u03D1', u'\u039A', u'\u039B', u'\u039C', u'\u039D',
    u'\u039F', u'\u03A0', u'\u0398', u'\u03A1', u'\u03A3', u'\u03A4', u'\u03A5',
    u'\u03C2', u'\u03A9', u'\u039E', u'\u03A8', u'\u0396'};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

FontSpec SlotFont(const state::ViewState& view, int slot, int target) {
    const state::FontSet& font =
        view.fontSets[static_cast<std::size_t>(std::clamp(slot, 1, state::kFontSetCount) - 1)];
    FontSpec spec;
    spec.face = FieldText(font.face, sizeof font.face);
    spec.pixelHeight = PrintFactor(target) * font.size;
    spec.bold = font.bold != 0;
    spec.italic = font.italic != 0;
    return spec;
}

FontSpec NamedFont(std::string_view face, int height, bool bold, bool italic, int target) {
    return FontSpec{face, PrintFactor(target) * height, bold, italic};
}

char32_t SymbolCharacterToUnicode(char c) {
    if (c >= 'a' && c <= 'z') return kSymbolLower[c - 'a'];
    if (c >= 'A' && c <= 'Z') return kSymbolUpper[c - 'A'];
    return static_cast<unsigned char>(c);
}

std::string GreekLetterText(uint8_t code) {
    std::string text;
    if (code < 'a' || code >= 'a' + kSymbolGreek.size()) return text;
    AppendUtf8(text, SymbolCharacterToUnicode(kSymbolGreek[code - 'a']));
    return text;
}

std::string_view FieldText(const char* field, std::size_t size) {
    return std::string_view(field, strnlen(field, size));
}

}  // namespace render

// Fonts of the 23 font slots as the text layers ask the canvas for them: the slot's face, its
// character height times 4 on paper (the page is drawn five times enlarged) or 1 on screen,
// bold and italic. The canvas maps the face names to installed families. Greek Bayer letters
// are stored as the Latin characters that the Symbol face draws as Greek; the layers turn them
// into Unicode Greek so that any face with Greek glyphs draws them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "render/canvas.h"
#include "state/view_state.h"

namespace render {

// Font slots by number (1..23).
inline constexpr int kFontConstellationPopular = 1;
inline constexpr int kFontConstellationScientific = 2;
inline constexpr int kFontConstellationCode = 3;
inline constexpr int kFontStarFirstName = 4;  // an unused slot, kept for StarName 1
inline constexpr int kFontStarLatin = 5;
inline constexpr int kFontStarBayerGreek = 6;
inline constexpr int kFontStarBayerLatin = 7;
inline constexpr int kFontGalaxyPopular = 8;
inline constexpr int kFontGalaxyMessier = 9;
inline constexpr int kFontGalaxyNgc = 10;
inline constexpr int kFontPlanet = 12;
inline constexpr int kFontComet = 14;
inline constexpr int kFontDirection = 15;
inline constexpr int kFontPrintInformation = 16;
inline constexpr int kFontStarFlamsteed = 17;
inline constexpr int kFontAsterism = 18;
inline constexpr int kFontOldChineseName = 19;
inline constexpr int kFontOldChineseStar = 20;
inline constexpr int kFontScale = 21;
inline constexpr int kFontSolarSystemWindow = 22;

// slot is 1..23; a slot outside that range is clamped into it. The face stays valid as long
// as the view state does.
FontSpec SlotFont(const state::ViewState& view, int slot, int target);

// A font by face name and screen height (pixels), scaled for the target like a slot font.
FontSpec NamedFont(std::string_view face, int height, bool bold, bool italic, int target);

// The Symbol-face characters of the Greek letters alpha .. omega, in order.
inline constexpr std::string_view kSymbolGreek = "abgdezhqiklmnxoprstufcyw";

// The Unicode letter that the Symbol face draws for a Latin character (its Greek alphabet
// layout: 'a' alpha, 'b' beta, 'g' gamma, 'q' theta, 'c' chi, 'j' the open phi, 'v' the pi
// symbol, capitals likewise); other characters stand for themselves.
char32_t SymbolCharacterToUnicode(char c);

// UTF-8 of the Greek letter with Bayer code 'a' + (letter number - 1): the letter kSymbolGreek
// gives for it; empty for a code outside the 24 letters.
std::string GreekLetterText(uint8_t code);

// The text of a zero-terminated 8-bit field, read no further than its size.
std::string_view FieldText(const char* field, std::size_t size);

}  // namespace render

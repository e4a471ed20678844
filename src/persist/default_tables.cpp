#include "persist/default_tables.h"

#include <cstring>

namespace persist {
namespace {

struct FontDefault {
    const char* face;
    int size;
    int bold;
    int italic;
};

// Slot order: constellation labels (popular, scientific, code), unused, star labels (Latin,
// Bayer Greek, Bayer alphabet), galaxy labels (popular, Messier, NGC), unused, planet labels,
// unused, comet labels, directions, printed observation information, Flamsteed numbers,
// asterisms, Old Chinese constellation and star labels, scale, Solar System window, spare.
constexpr FontDefault kFontDefaults[state::kFontSetCount] = {
    {"Arial", 13, 1, 0},
    {"Arial", 13, 1, 0},
    {"Arial", 14, 1, 0},
    {"", 10, 0, 0},
    {"Times New Roman", 11, 0, 1},
    {"Symbol", 11, 0, 0},
    {"Times New Roman", 11, 0, 1},
    {"Times New Roman", 10, 0, 0},
    {"Times New Roman", 11, 0, 0},
    {"Times New Roman", 11, 0, 0},
    {"", 12, 0, 0},
    {"Times New Roman", 12, 1, 0},
    {"", 12, 0, 0},
    {"Times New Roman", 12, 1, 0},
    {"Arial", 14, 1, 0},
    {"Times New Roman", 12, 0, 0},
    {"Times New Roman", 10, 0, 0},
    {"Arial", 13, 1, 0},
    {"Tahoma", 12, 0, 0},
    {"Tahoma", 10, 0, 0},
    {"Arial", 9, 0, 0},
    {"Arial", 11, 0, 0},
    {"Arial", 11, 0, 0},
};

// Red, green, blue, style (0 solid, 1 dotted, 2 no line style). Slot order: constellation
// lines, pictures, boundaries, horizon, grid, equator, its grid, ecliptic, its grid, labels of
// constellations, stars, scientific stars, galaxies, planets, comets, ground, current position,
// asterism lines, asterism names, Old Chinese lines, Old Chinese constellation and star labels,
// Solar System window.
constexpr state::LineSet kLineDefaults[state::kLineSetCount] = {
    {0, 56, 112, 0},    {44, 44, 156, 1},   {91, 62, 14, 1},    {255, 208, 32, 0},
    {49, 49, 62, 1},    {130, 18, 18, 0},   {98, 14, 14, 1},    {118, 118, 0, 0},
    {56, 56, 14, 1},    {240, 240, 255, 2}, {240, 240, 255, 2}, {240, 240, 255, 2},
    {240, 240, 255, 2}, {240, 240, 255, 2}, {240, 240, 255, 2}, {24, 24, 16, 2},
    {255, 0, 0, 1},     {112, 42, 70, 0},   {240, 240, 255, 2}, {39, 79, 94, 0},
    {240, 240, 255, 2}, {240, 240, 255, 2}, {240, 240, 255, 2},
};

std::array<state::FontSet, state::kFontSetCount> BuildFontSets() {
    std::array<state::FontSet, state::kFontSetCount> fonts{};
    for (int i = 0; i < state::kFontSetCount; ++i) {
        std::strncpy(fonts[i].face, kFontDefaults[i].face, sizeof fonts[i].face - 1);
        fonts[i].size = kFontDefaults[i].size;
        fonts[i].bold = kFontDefaults[i].bold;
        fonts[i].italic = kFontDefaults[i].italic;
    }
    return fonts;
}

}  // namespace

const std::array<state::LineSet, state::kLineSetCount>& DefaultLineSets() {
    static const std::array<state::LineSet, state::kLineSetCount> lines = [] {
        std::array<state::LineSet, state::kLineSetCount> table{};
        for (int i = 0; i < state::kLineSetCount; ++i)
            table[i] = kLineDefaults[i];
        return table;
    }();
    return lines;
}

const std::array<state::FontSet, state::kFontSetCount>& DefaultFontSets() {
    static const std::array<state::FontSet, state::kFontSetCount> fonts = BuildFontSets();
    return fonts;
}

}  // namespace persist

#include "shell/string_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace shell {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by number.
constexpr Entry kStrings[] = {
    {4, "The Observation Location is in the list already."},
    {5, "Delete this plannet?"},
    {6, "Can't delete any more!"},
    {7, "Can't add anymore!"},
    {8, "Save?"},
    {9, "Failed to save!"},
    {11, "You can not add any more city!"},
    {12, "Name / Country"},
    {23, "View Dialog"},
    {25, "Time Dialog"},
    {27, "Find Dialog"},
    {28, "Display Mode Dialog"},
    {29, "Location Dialog"},
    {30, "Comet Dialog"},
    {31, "Edit User Location"},
    {32, "User's Location Property Dialog"},
    {36, "Color Setting"},
    {37, "Font Setting"},
    {38, "Fixed Star Label Setting"},
    {39, "Asterisms(F)"},
    {44, "Cursor did not find a bright object, \n\nTracking setting failed!"},
    {45, "Option"},
    {48, "Celestial &North Pole\tN"},
    {49, "Celestial &South Pole\tS"},
    {50, "Ve&rnal Equinox\tHome"},
    {51, "&Autumnal Equinox\tEnd"},
    {52, "&North\tN"},
    {53, "&East\tE"},
    {54, "&South\tS"},
    {55, "&West\tW"},
    {63, "The Guide Star Catalog was not found in\n%s\n\nSet its folder in the options."},
    {64, "&Zenith\tHome"},
    {65, "&Horizon\tEnd"},
    {66, "Do you clear all data and restore default?"},
    {131, "View(F5)"},
    {132, "Time(F6)"},
    {133, "Display Mode(F7)"},
    {134, "Location(F8)"},
    {149, "Solar System Window(F9)"},
    {207, "Constellation Label(C)"},
    {217, "Star Label(X)"},
    {227, "Deep Sky Label(G)"},
    {237, "Planet Label(O)"},
    {247, "Comet Label(K)"},
    {251, "Constellation Line(L)"},
    {252, "Constellation Picture(P)"},
    {253, "Horizon(I)"},
    {271, "Equator(Q)"},
    {272, "Ecliptic(U)"},
    {331, "Auto Mode(A)"},
    {332, "Auto Mode Setting(Ctrl+A)"},
    {400, "North(N)"},
    {401, "South(S)"},
    {402, "East(E)"},
    {403, "West(W)"},
    {404, "Celestial North Pole(N)"},
    {405, "Celestial South Pole(S)"},
    {406, "Vernal Equinox(Home)"},
    {407, "Autumnal Equinox(End)"},
    {410, "Zoom In(F3)"},
    {411, "Zoom Out(F4)"},
    {413, "Find(F2)"},
    {2901, "Constellation"},
    {2902, "Star (Latin)"},
    {2903, "(Scientific)"},
    {2904, "Galaxy"},
    {2905, "Planet"},
    {2906, "Comet"},
    {2907, "Asterisms"},
    // The entries of the colour and line dialog (3000 + slot) and of the font dialog (3100 + slot).
    {3000, "Line"},
    {3001, "Picture"},
    {3002, "Boundary"},
    {3003, "Horizon"},
    {3004, "Grid"},
    {3005, "Equator"},
    {3006, "Grid (Equator)"},
    {3007, "Ecliptic"},
    {3008, "Grid (Ecliptic)"},
    {3009, "Constellation Label"},
    {3010, "Star Label"},
    {3011, "Star Label (Scientific)"},
    {3012, "Galaxy Label"},
    {3013, "Planet Label"},
    {3014, "Comet Label"},
    {3015, "Ground"},
    {3016, "Current Position"},
    {3017, "Asterisms Line"},
    {3018, "Asterisms Name"},
    {3019, "Line (Old Chinese)"},
    {3020, "Constellation Label (Old Chinese)"},
    {3021, "Star Label (Old Chinese)"},
    {3022, "Solar System Window"},
    {3100, "Constellation Label (Popular)"},
    {3101, "Constellation Label (Scientific)"},
    {3102, "Constellation Label (Code)"},
    {3103, "* Not Use"},
    {3104, "Star Label (Latin)"},
    {3105, "Star Label (Bayer, Greek)"},
    {3106, "Star Label (Bayer, Alphabet)"},
    {3107, "Galaxy Label (Popular)"},
    {3108, "Galaxy Label (Messier)"},
    {3109, "Galaxy Label (NGC)"},
    {3110, "* Not Use"},
    {3111, "Palnet Label"},
    {3112, "* Not Use"},
    {3113, "Comet Label"},
    {3114, "Direction"},
    {3115, "Observation Information to Print"},
    {3116, "Star Label (Flamsteed)"},
    {3117, "Asterisms"},
    {3118, "Constallation Label (Old Chinese)"},
    {3119, "Star Label (Old Chinese)"},
    {3120, "Scale"},
    {3121, "Solar System Window"},
    {40010, "Home Page(F12)"},
    {40011, "Moon Window(Ctrl+M)"},
    {40015, "Twilight(Ctrl+W)"},
    {40062, "Grid(R)"},
    {40068, "Time Forward(T)"},
    {40069, "Time Backward(Shift+T)"},
    {40070, "Increment Time"},
};
// The look-up is a binary search: an entry out of order would never be found.
static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }));

}  // namespace

std::string LoadString(int id) {
    const auto* found =
        std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                         [](const Entry& entry, int key) { return entry.id < key; });
    if (found == std::end(kStrings) || found->id != id) return {};
    return found->text;
}

const char* LoadStringInRing(int id) {
    static std::array<std::array<char, 512>, 8> buffers{};
    static std::size_t last = buffers.size() - 1;
    last = (last + 1) % buffers.size();
    std::array<char, 512>& buffer = buffers[last];
    buffer.fill('\0');
    const std::string text = LoadString(id);
    text.copy(buffer.data(), buffer.size() - 1);
    return buffer.data();
}

}  // namespace shell

#include "meteor_showers.h"

namespace databuilder::world {

// International Meteor Organization, Meteor Shower Calendar, working list of visual meteor
// showers (the regularly observed annual showers with a defined peak).
const MeteorShower kMeteorShowers[] = {
    {"Quadrantids", "QUA", 283.15, 230.0, 49.0, 110},
    {"alpha-Centaurids", "ACE", 319.2, 210.0, -59.0, 6},
    {"gamma-Normids", "GNO", 354.0, 239.0, -56.0, 6},
    {"Lyrids", "LYR", 32.32, 271.0, 34.0, 18},
    {"pi-Puppids", "PPU", 33.5, 110.0, -45.0, 0},
    {"eta-Aquariids", "ETA", 45.5, 338.0, -1.0, 50},
    {"eta-Lyrids", "ELY", 50.0, 287.0, 44.0, 3},
    {"June Bootids", "JBO", 95.7, 224.0, 48.0, 0},
    {"Piscis Austrinids", "PAU", 125.0, 341.0, -30.0, 5},
    {"Southern delta-Aquariids", "SDA", 127.0, 340.0, -16.0, 25},
    {"alpha-Capricornids", "CAP", 127.0, 307.0, -10.0, 5},
    {"Perseids", "PER", 140.0, 48.0, 58.0, 100},
    {"kappa-Cygnids", "KCG", 145.0, 286.0, 59.0, 3},
    {"Aurigids", "AUR", 158.6, 91.0, 39.0, 6},
    {"September epsilon-Perseids", "SPE", 167.0, 48.0, 40.0, 5},
    {"Draconids", "DRA", 195.4, 262.0, 54.0, 0},
    {"Southern Taurids", "STA", 197.0, 32.0, 9.0, 5},
    {"epsilon-Geminids", "EGE", 205.0, 102.0, 27.0, 3},
    {"Orionids", "ORI", 208.0, 95.0, 16.0, 20},
    {"Leonis Minorids", "LMI", 209.0, 162.0, 37.0, 2},
    {"Northern Taurids", "NTA", 230.0, 58.0, 22.0, 5},
    {"Leonids", "LEO", 235.27, 152.0, 22.0, 15},
    {"alpha-Monocerotids", "AMO", 239.32, 117.0, 1.0, 0},
    {"November Orionids", "NOO", 248.0, 91.0, 16.0, 3},
    {"Phoenicids", "PHO", 250.0, 18.0, -53.0, 0},
    {"Puppid-Velids", "PUP", 255.0, 123.0, -45.0, 10},
    {"Monocerotids", "MON", 257.0, 100.0, 8.0, 2},
    {"sigma-Hydrids", "HYD", 257.0, 125.0, 0.0, 7},
    {"Geminids", "GEM", 262.2, 112.0, 33.0, 150},
    {"Comae Berenicids", "COM", 268.0, 175.0, 18.0, 3},
    {"December Leonis Minorids", "DLM", 268.0, 161.0, 30.0, 5},
    {"Ursids", "URS", 270.7, 217.0, 76.0, 10},
};
const int kMeteorShowerCount = sizeof(kMeteorShowers) / sizeof(kMeteorShowers[0]);

}  // namespace databuilder::world

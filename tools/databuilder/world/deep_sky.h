// The deep-sky blocks: OBJ (6-byte position and type records) and OBJN (72-byte name records),
// one pair per object in the same order: the Messier objects in number order, then the other
// objects by designation, then the meteor-shower radiants.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "meteor_showers.h"
#include "sky_units.h"

namespace databuilder::world {

// One object of the Stellarium deep-sky catalogue (catalog.dat, after inflating).
struct DsoSource {
    uint32_t id = 0;
    double ra = 0, dec = 0;       // degrees, J2000
    double bMag = 99, vMag = 99;  // 99 = none; dark nebulae carry their opacity class here
    uint32_t type = 36;           // the catalogue's type code
    double majorAxis = 0;         // degrees
    uint32_t ngc = 0, ic = 0, messier = 0, caldwell = 0, barnard = 0, ldn = 0, cr = 0, mel = 0,
             pgc = 0;
};

// Reads the catalogue (big-endian serialized records behind a version header).
std::vector<DsoSource> ParseDsoCatalog(const Bytes& data, const std::string& inputName);

// Popular names by designation ("M 31", "NGC 224", "IC 434", "C 99", "B 33", "PGC 17223"),
// in the order listed (the most common name first); only names that users know: those the list
// marks well known (WK) or gives SIMBAD or at least two sources for.
std::map<std::string, std::vector<std::string>> ParseDsoNames(const std::string& text);

// The name for a 24-byte field: the first of the names that fits; else the first that fits with
// its long words shortened as atlases do ("Small Sgr Star Cloud", "Sept. epsilon-Perseids");
// else the first cut at a word.
std::string FittingName(const std::vector<std::string>& names, size_t room = 23);

struct DeepSkyObject {
    double ra = 0, dec = 0;
    char type = 'C';
    char tint = 'A';
    double size = 0;  // major axis, degrees (0 = unknown)
    std::string popular, messier, ngc;
    std::string sortKey;
};

// The selection: every Messier object, NGC and IC objects to magnitude 10, the Caldwell
// objects, the naked-eye galaxies and clusters, and the large Barnard dark nebulae.
std::vector<DeepSkyObject> SelectDeepSky(
    const std::vector<DsoSource>& catalogue,
    const std::map<std::string, std::vector<std::string>>& names);
// Appends the meteor-shower radiants (type 'M', messier field "L" + peak solar longitude).
void AddMeteorRadiants(std::vector<DeepSkyObject>& objects, const MeteorShower* showers, int count);

// Maps a catalogue type code to the type letter and tint.
void ClassifyDso(const DsoSource& s, char& type, char& tint);

Bytes BuildObjBlock(const std::vector<DeepSkyObject>& objects);
Bytes BuildObjnBlock(const std::vector<DeepSkyObject>& objects);

}  // namespace databuilder::world

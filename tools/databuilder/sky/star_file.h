// Reader of the Stellarium 0.22 star catalogue files (stars_N_*.cat): the header, the per-zone
// counts and the Star1 (28-byte) and Star2 (10-byte) records, decoded to J2000 equatorial unit
// vectors (x toward RA 0, z toward the north pole), V magnitude, B-V and proper motion.
//
// The files place each star on a gnomonic plane about the centre of an icosahedron-grid zone.
// Their proper motions were stored as the rate of that plane position, x 10; `decodeProperMotion`
// inverts that exactly to (pmRA cos dec, pmDec) in mas/yr.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sky/vec3.h"

namespace databuilder {

inline constexpr uint32_t kStarFileMagic = 0x835f040a;

struct StarFileHeader {
    uint32_t magic = 0;
    uint32_t type = 0;  // 0 = Star1 (28 bytes), 1 = Star2 (10 bytes)
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t level = 0;     // grid level: 20 * 4^level zones
    int32_t magMin = 0;     // milli-magnitudes
    uint32_t magRange = 0;  // milli-magnitudes
    uint32_t magSteps = 0;
};

// One zone of the icosahedron grid at some level.
struct GridZone {
    Vec3 corner[3];
    Vec3 centre;
    Vec3 axis0;  // east at the centre
    Vec3 axis1;  // north at the centre
};

// The zones of one grid level with the level's plane scale.
class StarGrid {
  public:
    explicit StarGrid(int level);
    int level() const { return level_; }
    size_t zoneCount() const { return zones_.size(); }
    const GridZone& zone(size_t i) const { return zones_[i]; }
    double scale() const { return scale_; }

  private:
    int level_;
    std::vector<GridZone> zones_;
    double scale_ = 0;
};

struct DecodedStar {
    Vec3 position;          // J2000 equatorial unit vector, epoch J2000.0
    double pmRaCosDec = 0;  // mas/yr
    double pmDec = 0;       // mas/yr
    int magMilli = 0;       // V in milli-magnitudes (multiples of the file's step)
    double bMinusV = 0;
    int hip = 0;            // Hipparcos number, 0 = none
    int component = 0;      // line of stars_hip_cids (0 = none, 1 = A, ...)
    int spectralIndex = 0;  // line of stars_hip_sp (0 = none)
    int parallax = 0;       // 0.01 mas
    uint32_t zone = 0;      // zone of the file's grid
};

// Proper motion from the stored plane rates (dx0, dx1 as stored) at position `v` in `zone`.
void decodeProperMotion(const GridZone& zone, Vec3 v, int dx0, int dx1, double& pmRaCosDec,
                        double& pmDec);

// Position on the gnomonic plane of `zone` for plane coordinates x0, x1 of a file whose
// coordinates run to `maxPos`.
Vec3 decodePosition(const GridZone& zone, double scale, int x0, int x1, int maxPos);

// Reads a whole file. Throws BuildError naming `inputName` when the file is missing, truncated,
// of an unknown record type or of an unexpected format version.
struct StarFile {
    StarFileHeader header;
    std::vector<DecodedStar> stars;  // zone by zone, as in the file
};
StarFile readStarFile(const std::filesystem::path& path, const std::string& inputName);
StarFile parseStarFile(const std::vector<uint8_t>& bytes, const std::string& inputName);

// Lines of a Stellarium string list (stars_hip_sp, stars_hip_cids): line n is index n.
std::vector<std::string> readLines(const std::filesystem::path& path, const std::string& inputName);

}  // namespace databuilder

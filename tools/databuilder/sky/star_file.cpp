#include "sky/star_file.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "framework/build_error.h"

namespace databuilder {

namespace {

// The icosahedron's corners and its 20 faces in the catalogue's order.
std::vector<GridZone> topZones() {
    const double g = (1 + std::sqrt(5.0)) / 2;
    const double b = 1 / std::sqrt(1 + g * g);
    const double a = b * g;
    const Vec3 c[12] = {{a, -b, 0}, {a, b, 0},   {-a, b, 0}, {-a, -b, 0}, {0, a, -b}, {0, a, b},
                        {0, -a, b}, {0, -a, -b}, {-b, 0, a}, {b, 0, a},   {b, 0, -a}, {-b, 0, -a}};
    const int faces[20][3] = {{1, 0, 10}, {0, 1, 9},  {0, 9, 6},   {9, 8, 6},   {0, 7, 10},
                              {6, 7, 0},  {7, 6, 3},  {6, 8, 3},   {11, 10, 7}, {7, 3, 11},
                              {3, 2, 11}, {2, 3, 8},  {10, 11, 4}, {2, 4, 11},  {5, 4, 2},
                              {2, 8, 5},  {4, 1, 10}, {4, 5, 1},   {5, 9, 1},   {8, 9, 5}};
    std::vector<GridZone> zones(20);
    for (int i = 0; i < 20; ++i)
        for (int k = 0; k < 3; ++k)
            zones[i].corner[k] = c[faces[i][k]];
    return zones;
}

std::vector<GridZone> subdivide(const std::vector<GridZone>& parents) {
    std::vector<GridZone> children;
    children.reserve(parents.size() * 4);
    for (const auto& p : parents) {
        const Vec3 c0 = p.corner[0], c1 = p.corner[1], c2 = p.corner[2];
        const Vec3 e0 = normalized(c1 + c2), e1 = normalized(c2 + c0), e2 = normalized(c0 + c1);
        const Vec3 sets[4][3] = {{c0, e2, e1}, {e2, c1, e0}, {e1, e0, c2}, {e0, e1, e2}};
        for (const auto& s : sets) {
            GridZone z;
            for (int k = 0; k < 3; ++k)
                z.corner[k] = s[k];
            children.push_back(z);
        }
    }
    return children;
}

int32_t signExtend(uint32_t v, int bits) {
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int32_t>((v ^ sign) - sign);
}

int32_t readI32(const uint8_t* p) {
    return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24));
}
uint32_t readU32(const uint8_t* p) {
    return static_cast<uint32_t>(readI32(p));
}

}  // namespace

StarGrid::StarGrid(int level) : level_(level) {
    zones_ = topZones();
    for (int l = 0; l < level; ++l)
        zones_ = subdivide(zones_);
    const Vec3 pole{0, 0, 1};
    for (auto& z : zones_) {
        z.centre = normalized(z.corner[0] + z.corner[1] + z.corner[2]);
        z.axis0 = normalized(cross(pole, z.centre));
        z.axis1 = cross(z.centre, z.axis0);
        for (const auto& corner : z.corner) {
            const double mu0 = dot(corner - z.centre, z.axis0);
            const double mu1 = dot(corner - z.centre, z.axis1);
            const double h = std::sqrt(1 - mu0 * mu0 - mu1 * mu1);
            scale_ = std::max({scale_, std::fabs(mu0) / h, std::fabs(mu1) / h});
        }
    }
}

Vec3 decodePosition(const GridZone& zone, double scale, int x0, int x1, int maxPos) {
    const double k = scale / maxPos;
    return normalized(zone.centre + (zone.axis0 * (x0 * k) + zone.axis1 * (x1 * k)));
}

void decodeProperMotion(const GridZone& zone, Vec3 v, int dx0, int dx1, double& pmRaCosDec,
                        double& pmDec) {
    const double mu0 = dot(v, zone.axis0);
    const double mu1 = dot(v, zone.axis1);
    const double sd = dot(v, zone.centre);
    const double g0 = 0.1 * dx0, g1 = 0.1 * dx1;
    const double h = mu0 * g0 + mu1 * g1;
    pmRaCosDec = sd * (g0 - mu0 * h);
    pmDec = sd * (g1 - mu1 * h);
}

StarFile parseStarFile(const std::vector<uint8_t>& bytes, const std::string& inputName) {
    auto fail = [&](const std::string& why) -> BuildError {
        return BuildError("star catalogue " + inputName + ": " + why);
    };
    StarFile file;
    if (bytes.size() < 32) throw fail("truncated header");
    StarFileHeader& h = file.header;
    h.magic = readU32(&bytes[0]);
    h.type = readU32(&bytes[4]);
    h.major = readU32(&bytes[8]);
    h.minor = readU32(&bytes[12]);
    h.level = readU32(&bytes[16]);
    h.magMin = readI32(&bytes[20]);
    h.magRange = readU32(&bytes[24]);
    h.magSteps = readU32(&bytes[28]);
    if (h.magic != kStarFileMagic) throw fail("not a star catalogue file (bad magic number)");
    if (h.major != 0)
        throw fail("unexpected format version " + std::to_string(h.major) + "." +
                   std::to_string(h.minor));
    if (h.type > 1) throw fail("unsupported record type " + std::to_string(h.type));
    if (h.level > 5 || h.magSteps == 0) throw fail("implausible header values");
    const size_t recordSize = h.type == 0 ? 28 : 10;
    const int maxPos = h.type == 0 ? 2147483647 : (1 << 19) - 1;

    const StarGrid grid(static_cast<int>(h.level));
    const size_t zoneCount = grid.zoneCount();
    size_t offset = 32;
    if (bytes.size() < offset + zoneCount * 4) throw fail("truncated zone table");
    std::vector<uint32_t> counts(zoneCount);
    size_t total = 0;
    for (size_t z = 0; z < zoneCount; ++z) {
        counts[z] = readU32(&bytes[offset + z * 4]);
        total += counts[z];
    }
    offset += zoneCount * 4;
    if (bytes.size() != offset + total * recordSize)
        throw fail("size " + std::to_string(bytes.size()) + " does not match its " +
                   std::to_string(total) + " records (truncated or damaged)");

    file.stars.reserve(total);
    for (size_t z = 0; z < zoneCount; ++z) {
        const GridZone& zone = grid.zone(z);
        for (uint32_t i = 0; i < counts[z]; ++i, offset += recordSize) {
            const uint8_t* d = &bytes[offset];
            DecodedStar s;
            int x0, x1, dx0, dx1, bv, mag;
            if (h.type == 0) {
                s.hip = d[0] | (d[1] << 8) | (d[2] << 16);
                s.component = d[3];
                x0 = readI32(d + 4);
                x1 = readI32(d + 8);
                bv = d[12];
                mag = d[13];
                s.spectralIndex = d[14] | (d[15] << 8);
                dx0 = readI32(d + 16);
                dx1 = readI32(d + 20);
                s.parallax = readI32(d + 24);
            } else {
                x0 = signExtend(d[0] | (d[1] << 8) | ((d[2] & 15u) << 16), 20);
                x1 = signExtend((d[2] >> 4) | (d[3] << 4) | (uint32_t(d[4]) << 12), 20);
                dx0 = signExtend(d[5] | ((d[6] & 63u) << 8), 14);
                dx1 = signExtend((d[6] >> 6) | (d[7] << 2) | ((d[8] & 15u) << 10), 14);
                bv = (d[8] >> 4) | ((d[9] & 7) << 4);
                mag = d[9] >> 3;
            }
            s.zone = static_cast<uint32_t>(z);
            s.position = decodePosition(zone, grid.scale(), x0, x1, maxPos);
            decodeProperMotion(zone, s.position, dx0, dx1, s.pmRaCosDec, s.pmDec);
            s.magMilli =
                h.magMin + static_cast<int>(static_cast<int64_t>(mag) * h.magRange / h.magSteps);
            s.bMinusV = bv * 4.0 / 127.0 - 0.5;
            file.stars.push_back(s);
        }
    }
    return file;
}

StarFile readStarFile(const std::filesystem::path& path, const std::string& inputName) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildError("star catalogue " + inputName + ": cannot read " + path.string());
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    return parseStarFile(bytes, inputName);
}

std::vector<std::string> readLines(const std::filesystem::path& path,
                                   const std::string& inputName) {
    std::ifstream in(path);
    if (!in) throw BuildError(inputName + ": cannot read " + path.string());
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace databuilder

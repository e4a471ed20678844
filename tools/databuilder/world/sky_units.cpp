#include "sky_units.h"

#include <cmath>
#include <cstring>

#include "sky/ecliptic.h"

namespace databuilder::world {

namespace {
constexpr double kRad = kPi / 180.0;
constexpr double kObliquity = kObliquityJ2000Deg * kRad;
}  // namespace

Ecliptic EquatorialToEcliptic(double raDeg, double decDeg) {
    Ecliptic e{};
    eclipticLonLat(equatorialToEcliptic(equatorialVector(raDeg, decDeg)), e.lon, e.lat);
    if (e.lon < 0) e.lon += 360.0;
    return e;
}

void EclipticToEquatorial(double lonDeg, double latDeg, double& raDeg, double& decDeg) {
    const double lon = lonDeg * kRad, lat = latDeg * kRad;
    const double x = std::cos(lat) * std::cos(lon);
    const double ye = std::cos(lat) * std::sin(lon);
    const double ze = std::sin(lat);
    const double y = std::cos(kObliquity) * ye - std::sin(kObliquity) * ze;
    const double z = std::sin(kObliquity) * ye + std::cos(kObliquity) * ze;
    raDeg = std::atan2(y, x) / kRad;
    if (raDeg < 0) raDeg += 360.0;
    decDeg = std::atan2(z, std::hypot(x, y)) / kRad;
}

int16_t LonToBinAngle(double deg) {
    long v = std::lround(deg * 32768.0 / 360.0) % 32768;
    if (v < 0) v += 32768;
    return static_cast<int16_t>(v);
}

int16_t LatToBinAngle(double deg) {
    long v = std::lround(deg * 32768.0 / 360.0);
    if (v > 8192) v = 8192;
    if (v < -8192) v = -8192;
    return static_cast<int16_t>(v);
}

void PutI16(Bytes& out, int16_t v) {
    PutU16(out, static_cast<uint16_t>(v));
}

void PutU16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void CopyField(char* field, size_t size, const std::string& text) {
    std::memset(field, 0, size);
    size_t n = std::min(text.size(), size - 1);
    // Step back over continuation bytes so that no character is cut in half.
    while (n > 0 && n < text.size() && (static_cast<uint8_t>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(field, text.data(), n);
}

}  // namespace databuilder::world

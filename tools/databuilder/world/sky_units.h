// Conversions shared by the world blocks: J2000 equatorial to ecliptic coordinates, binary angles
// (32768 per turn) and little-endian byte output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/build_error.h"

namespace databuilder::world {

using Bytes = std::vector<uint8_t>;

// A missing or corrupt input; the message names the input.
using InputError = databuilder::BuildError;

struct Ecliptic {
    double lon;  // degrees, 0..360
    double lat;  // degrees
};

// J2000 right ascension and declination (degrees) to ecliptic longitude and latitude of J2000
// (the star blocks' conversion, sky/ecliptic.h).
Ecliptic EquatorialToEcliptic(double raDeg, double decDeg);
// The inverse: ecliptic (degrees) to right ascension and declination (degrees).
void EclipticToEquatorial(double lonDeg, double latDeg, double& raDeg, double& decDeg);

// Degrees to a binary angle rounded to the nearest unit: longitudes wrap into 0..32767,
// latitudes stay in -8192..8192.
int16_t LonToBinAngle(double deg);
int16_t LatToBinAngle(double deg);

void PutI16(Bytes& out, int16_t v);
void PutU16(Bytes& out, uint16_t v);
void PutU32(Bytes& out, uint32_t v);
template <typename Record>
void PutRecord(Bytes& out, const Record& r) {
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    out.insert(out.end(), p, p + sizeof(Record));
}

// Copies text into a fixed zero-terminated field, cut at a UTF-8 character boundary so that
// at most size - 1 bytes are used.
void CopyField(char* field, size_t size, const std::string& text);

}  // namespace databuilder::world

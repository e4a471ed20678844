#include "astro/equatorial.h"

#include <cmath>
#include <cstdio>

namespace astro {

namespace {

constexpr double kObliquity = 0.40909961098701914;
constexpr double kHoursPerRadian = 3.819718634205488;
constexpr double kDegreesPerRadian = 57.29577951308232;

}  // namespace

Equatorial EclipticToEquatorial(double lon, double lat) {
    double y =
        std::cos(kObliquity) * std::sin(lon) * std::cos(lat) - std::sin(kObliquity) * std::sin(lat);
    double x = std::cos(lon) * std::cos(lat);
    double z =
        std::sin(kObliquity) * std::sin(lon) * std::cos(lat) + std::cos(kObliquity) * std::sin(lat);
    return {std::atan2(y, x), std::atan2(z, std::sqrt(y * y + x * x))};
}

std::string FormatEquatorial(double ra, double dec) {
    if (!std::isfinite(ra) || !std::isfinite(dec)) return "-";
    double hours = ra * kHoursPerRadian;
    if (hours < 0.0) hours += 24.0;
    // Work in tenths of a minute of time and whole arc minutes, rounded once, so that a value
    // like 59.96 minutes becomes the next hour rather than "60.0".
    long tenthsOfMinute = std::lround(std::fabs(hours) * 600.0);
    long wholeHours = (tenthsOfMinute / 600) % 24;
    long minuteTenths = tenthsOfMinute % 600;

    double degrees = dec * kDegreesPerRadian;
    char sign = dec >= 0.0 ? '+' : '-';
    long arcMinutes = std::lround(std::fabs(degrees) * 60.0);
    long wholeDegrees = arcMinutes / 60;
    long minutes = arcMinutes % 60;

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%ldh%02ld.%ldm  %c%ld\u00B0%02ld'", wholeHours,
                  minuteTenths / 10, minuteTenths % 10, sign, wholeDegrees, minutes);
    return buffer;
}

}  // namespace astro

#include "astro/projection.h"

#include <cmath>

namespace astro {

namespace {

constexpr double kInv65536 = 1.52587890625e-5;

double ClampScreenPrecise(double v) {
    return v < -32000.0 ? -32000.0 : (v > 32000.0 ? 32000.0 : v);
}

}  // namespace

PreciseScreenPoint ProjectEclipticPrecise(const ViewFrame& f, double lon, double lat) {
    double cosB = std::cos(lat * kRadiansPerBin);
    double xe = 16384.0 * std::cos(lon * kRadiansPerBin) * cosB;
    double ye = 16384.0 * std::sin(lon * kRadiansPerBin) * cosB;
    double ze = 16384.0 * std::sin(lat * kRadiansPerBin);
    double yq = (kCosObliquity65536 * ye - kSinObliquity65536 * ze) * kInv65536;
    double wq = -(kCosObliquity65536 * ze + kSinObliquity65536 * ye) * kInv65536;
    double xq = xe;

    const FrameSines<double>& s = f.precise;
    double p = s.cosSidereal * yq - s.sinSidereal * xq;
    double q = s.sinSidereal * yq + s.cosSidereal * xq;
    double r = s.cosLatitude * wq - s.sinLatitude * q;
    double u = s.sinLatitude * wq + s.cosLatitude * q;
    double sx = s.cosAzimuth * p - s.sinAzimuth * r;
    double v = s.cosAzimuth * r + s.sinAzimuth * p;
    double sy = s.cosTilt * v - s.sinTilt * u;
    double z = -(s.sinTilt * v + s.cosTilt * u);

    if (std::isnan(z) || std::isnan(sx) || std::isnan(sy)) {
        // A position that could not be computed: reported far behind the view, so skipped.
        return {0.0, 0.0, -16384.0, 0.0};
    }
    // The divisor of the truncated depth, as the integer routine looks it up.
    double zc = z > 16385.0 ? 16385.0 : (z < -16385.0 ? -16385.0 : z);
    auto zi = static_cast<int32_t>(zc);
    double divisor;
    double depth = z;
    if (zc >= 1.0) {
        divisor = f.tables.zbi[zi];
    } else {
        divisor = f.tables.zbi2[-zi];
        if (zc >= kFarthestDepth) depth = 1.0;
    }
    PreciseScreenPoint point;
    point.x = ClampScreenPrecise(f.Zoom * sx / divisor);
    point.y = ClampScreenPrecise(f.Zoom * sy / divisor);
    point.depth = depth;
    point.down = u;
    return point;
}

}  // namespace astro

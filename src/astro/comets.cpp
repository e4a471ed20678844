#include "astro/comets.h"

#include <cmath>

#include "astro/orbit.h"
#include "astro/projection.h"

namespace astro {

double FrameMjd(const ViewFrame& frame) {
    return frame.CurrentMjd + frame.UtMinutes / 1440.0;
}

CometPosition ComputeCometPosition(const state::CometRecord& comet, double mjd,
                                   const SolarSystemState& bodies) {
    const OrbitPoint helio = SolveOrbit(mjd, comet);
    const BodyState& earth = bodies.bodies[kSunIndex];
    // The Sun seen from the Earth is minus the Earth's heliocentric vector.
    const double x = helio.x - earth.helioX, y = helio.y - earth.helioY, z = helio.z - earth.helioZ;
    CometPosition p;
    p.r = helio.r;
    p.delta = std::sqrt(x * x + y * y + z * z);
    p.longitude = std::atan2(y, x);
    p.latitude = std::atan2(z, std::sqrt(x * x + y * y));
    p.finite = std::isfinite(p.r) && std::isfinite(p.delta) && std::isfinite(p.longitude) &&
               std::isfinite(p.latitude);
    return p;
}

double CometMagnitude(const state::CometRecord& comet, double r, double delta) {
    return comet.H1 + 5 * std::log10(delta) + comet.K1 * std::log10(r);
}

bool CometHidden(double magnitude, double r, double delta, int cometBright, int cometKyori) {
    if (!std::isfinite(magnitude)) return true;
    return magnitude * 10 > cometBright || (delta * 10 > cometKyori && r * 10 > cometKyori);
}

CometState ComputeCometState(const state::CometRecord& comet, const ViewFrame& frame,
                             const SolarSystemState& bodies, int cometBright, int cometKyori) {
    CometState s;
    s.position = ComputeCometPosition(comet, FrameMjd(frame), bodies);
    if (!s.position.finite) {
        s.hidden = true;
        s.depth = kHiddenCometDepth;
        return s;
    }
    s.magnitude = CometMagnitude(comet, s.position.r, s.position.delta);
    const PreciseScreenPoint p = ProjectEclipticPrecise(frame, s.position.longitude * kBinPerRadian,
                                                        s.position.latitude * kBinPerRadian);
    s.screenX = p.x;
    s.screenY = p.y;
    s.depth = (p.down > 0 && p.depth > 0) ? kBelowHorizonFlag : p.depth;
    s.hidden = CometHidden(s.magnitude, s.position.r, s.position.delta, cometBright, cometKyori);
    if (s.hidden) s.depth = kHiddenCometDepth;
    return s;
}

}  // namespace astro

#include "astro/solar_system_plot.h"

#include <algorithm>
#include <cmath>

#include "astro/planets.h"

namespace astro {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTenthDegree = kPi / 1800.0;
constexpr int kFullTurn = 3600;
constexpr int kKeyStep = 75;  // 7.5 degrees
// Spacing of the orbit points in periods: 72 of them cover 0.99 of the orbit.
constexpr double kOrbitStep = 0.01375;

int Turned(int turn) {
    return ((turn % kFullTurn) + kFullTurn) % kFullTurn;
}

int Tilted(int tilt) {
    return std::clamp(tilt, 0, kPlanetTiltMax);
}

}  // namespace

PlotSettings PlotSettingsOf(const state::AppOptions& options) {
    return PlotSettings{std::clamp(options.PlanetZoom, kPlanetZoomMin, kPlanetZoomMax),
                        Turned(options.PlanetK1), Tilted(options.PlanetK2)};
}

PlotRotation PlotRotationOf(const PlotSettings& settings) {
    const double turn = settings.turn * kTenthDegree;
    const double tilt = settings.tilt * kTenthDegree;
    return PlotRotation{std::sin(turn), std::cos(turn), std::sin(tilt), std::cos(tilt),
                        static_cast<double>(settings.zoom)};
}

void PlotRotate(const PlotRotation& r, double& x, double& y, double& z) {
    const double x1 = r.cosTurn * x - r.sinTurn * y;
    const double y1 = r.sinTurn * x + r.cosTurn * y;
    const double y2 = r.cosTilt * y1 - r.sinTilt * z;
    const double z2 = r.sinTilt * y1 + r.cosTilt * z;
    x = x1 * r.zoom;
    y = y2 * r.zoom;
    z = z2 * r.zoom;
}

PlotPoint PlotPosition(const PlotRotation& rotation, double x, double y, double z) {
    PlotPoint p{x, -y, z};
    PlotRotate(rotation, p.x, p.y, p.z);
    return p;
}

int DepthPen(double z1, double z2) {
    const double pen = std::trunc((z1 + z2) / 100.0) + 6.0;
    if (!(pen > 0)) return 0;  // also a depth that is not a number
    return pen < 12 ? static_cast<int>(pen) : 12;
}

bool ApplyPlotCommand(state::AppOptions& o, int command) {
    const PlotSettings s = PlotSettingsOf(o);
    switch (command) {
        case 410:
            o.PlanetZoom = std::min(kPlanetZoomMax, static_cast<int>(std::lround(s.zoom * 1.44)));
            return true;
        case 411:
            o.PlanetZoom = std::max(kPlanetZoomMin,
                                    static_cast<int>(std::lround(s.zoom * 0.6944444444444444)));
            return true;
        case 601:
            if (s.tilt > 0) o.PlanetK2 = Tilted(s.tilt - kKeyStep);
            return true;
        case 603:
            if (s.tilt < kPlanetTiltMax) o.PlanetK2 = Tilted(s.tilt + kKeyStep);
            return true;
        case 605:
            o.PlanetK1 = Turned(s.turn + kKeyStep);
            return true;
        case 607:
            o.PlanetK1 = Turned(s.turn - kKeyStep);
            return true;
        case 501:
            o.PlanetK1 = 0;
            o.PlanetK2 = 0;
            return true;
        case 608:
            o.PlaShunbun = o.PlaShunbun ? 0 : 1;
            return true;
        case 609:
            o.PlaCometKidou = o.PlaCometKidou ? 0 : 1;
            return true;
        case 41:
            o.PlaWaiwakuKidou = o.PlaWaiwakuKidou ? 0 : 1;
            return true;
        default:
            return false;
    }
}

void DragPlot(state::AppOptions& o, int dx, int dyUp, int halfWidth, int halfHeight) {
    const PlotSettings s = PlotSettingsOf(o);
    o.PlanetK1 = Turned(s.turn + dx * 1800 / std::max(1, halfWidth));
    o.PlanetK2 = Tilted(s.tilt + dyUp * 1800 / std::max(1, halfHeight));
}

const OrbitTrack& OrbitCache::Orbit(int index, double t, int32_t currentMjd, int year,
                                    const PlotSettings& settings) {
    index = std::clamp(index, 0, kBodyCount - 1);
    OrbitTrack& track = tracks_[static_cast<std::size_t>(index)];
    double period = OrbitalPeriods()[static_cast<std::size_t>(index)];
    const bool open = !(period < kLongestDrawnPeriod);
    if (open) period = kLongestDrawnPeriod;
    if (!track.computed || !(std::fabs(double(currentMjd) - track.mjd) < period / 10)) {
        MeanArguments memory;
        for (int k = 0; k < kOrbitPointCount; ++k) {
            const BodyPosition p =
                ComputeBodyPosition(index, t + (k - 36) * period * kOrbitStep, year, memory);
            track.heliocentric[static_cast<std::size_t>(k)] = PlotPoint{p.x, p.y, p.z};
        }
        track.mjd = currentMjd;
        track.open = open;
        track.computed = true;
        track.rotated = false;
        ++positionRuns_;
    }
    if (!track.rotated || track.settings != settings) {
        const PlotRotation rotation = PlotRotationOf(settings);
        for (int k = 0; k < kOrbitPointCount; ++k) {
            const PlotPoint& p = track.heliocentric[static_cast<std::size_t>(k)];
            track.plotted[static_cast<std::size_t>(k)] = PlotPosition(rotation, p.x, p.y, p.z);
        }
        track.settings = settings;
        track.rotated = true;
        ++rotationRuns_;
    }
    return track;
}

CometOrbitCurve CometOrbitPoints(const OrbitElements& el, double reachAu) {
    CometOrbitCurve curve;
    const double q = el.q, e = el.e;
    if (!(q > 0 && e >= 0 && reachAu > q && std::isfinite(q) && std::isfinite(e) &&
          std::isfinite(reachAu))) {
        return curve;
    }
    const double p = q * (1 + e);  // the semi-latus rectum
    double limit = kPi;
    if (e >= 1 || p / (1 - e) > reachAu) {
        // The true anomaly at which the distance reaches reachAu.
        limit = std::acos(std::clamp((p / reachAu - 1) / e, -1.0, 1.0));
        curve.open = true;
    }
    const int count = curve.open ? kOrbitPointCount + 1 : kOrbitPointCount;
    curve.points.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double nu = curve.open ? limit * (2.0 * k / (count - 1) - 1) : 2 * kPi * k / count;
        const double r = p / (1 + e * std::cos(nu));
        const OrbitPoint o = OrbitPlaneToEcliptic(el, r * std::cos(nu), r * std::sin(nu));
        curve.points.push_back(PlotPoint{o.x, o.y, o.z});
    }
    return curve;
}

}  // namespace astro

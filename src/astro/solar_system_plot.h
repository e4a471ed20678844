// The geometry of the Solar System window: the solar system seen from outside, turned about the
// ecliptic pole by PlanetK1 and tilted by PlanetK2 (both tenths of a degree; tilt 0 looks down
// from the north ecliptic pole, 900 is edge-on) and scaled by PlanetZoom (pixels per AU).
//
// Plot coordinates are pixels from the Sun: x to the right, y downward, z the depth (positive
// towards the viewer). The orbits are cached per body, so that turning the plot only rotates
// stored positions and stepping the clock recomputes only the orbits of the fast bodies.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "astro/body_table.h"
#include "astro/orbit.h"
#include "state/view_state.h"

namespace astro {

inline constexpr int kPlanetZoomMin = 2;
inline constexpr int kPlanetZoomMax = 256;
inline constexpr int kPlanetTiltMax = 900;
inline constexpr int kOrbitPointCount = 72;
// Orbits of longer period are drawn over this many days only, as open arcs.
inline constexpr double kLongestDrawnPeriod = 730500.0;

// The plot's scale and angles, brought into their ranges (zoom 2..256, turn 0..3599, tilt
// 0..900) whatever the settings file held.
struct PlotSettings {
    int zoom = kPlanetZoomMin;
    int turn = 0;  // PlanetK1
    int tilt = 0;  // PlanetK2
    friend bool operator==(const PlotSettings&, const PlotSettings&) = default;
};
PlotSettings PlotSettingsOf(const state::AppOptions& options);

struct PlotRotation {
    double sinTurn = 0.0, cosTurn = 1.0;
    double sinTilt = 0.0, cosTilt = 1.0;
    double zoom = kPlanetZoomMin;
};
PlotRotation PlotRotationOf(const PlotSettings& settings);

struct PlotPoint {
    double x = 0.0, y = 0.0, z = 0.0;
};

// x' = cos K1 x - sin K1 y; y1 = sin K1 x + cos K1 y; y' = cos K2 y1 - sin K2 z;
// z' = sin K2 y1 + cos K2 z; all three times the zoom.
void PlotRotate(const PlotRotation& rotation, double& x, double& y, double& z);

// A heliocentric ecliptic position (AU) in plot coordinates: its y axis is flipped for the
// screen before the rotation, so that at tilt 0 the ecliptic longitudes run anticlockwise.
PlotPoint PlotPosition(const PlotRotation& rotation, double x, double y, double z);

// The pen of an orbit segment by the depth of its two ends: trunc((z1 + z2) / 100) + 6 within
// 0..12; pen 0 is drawn brightest.
int DepthPen(double z1, double z2);

// The window's commands on the plot settings: 410 / 411 zoom in / out, 601 / 603 tilt by
// -75 / +75, 605 / 607 turn by +75 / -75, 501 back to turn and tilt 0, 608, 609 and 41 switch
// PlaShunbun, PlaCometKidou and PlaWaiwakuKidou. False for any other number.
bool ApplyPlotCommand(state::AppOptions& options, int command);

// A drag of the plot by (dx, dyUp) pixels (y counted upward) in an area of the given half
// extents: half a turn per half width, the tilt kept within 0..900.
void DragPlot(state::AppOptions& options, int dx, int dyUp, int halfWidth, int halfHeight);

// The orbit of one body as the plot draws it: kOrbitPointCount positions around the body's
// position at one instant, a period's 0.99 apart in all.
struct OrbitTrack {
    std::array<PlotPoint, kOrbitPointCount> heliocentric{};  // AU, ecliptic of date
    std::array<PlotPoint, kOrbitPointCount> plotted{};       // plot coordinates
    int32_t mjd = 0;                                         // CurrentMjd of the positions
    PlotSettings settings;
    bool computed = false;
    bool rotated = false;
    bool open = false;  // the period was cut to kLongestDrawnPeriod: no closing segment
};

class OrbitCache {
  public:
    // The orbit of body `index` (not the Moon) for the instant t (days from J2000.0) of the day
    // currentMjd, with `year` the clock's year. The positions are reused while the day stays
    // within a tenth of the period of the cached one; the plotted points while, in addition,
    // the settings are the same.
    const OrbitTrack& Orbit(int index, double t, int32_t currentMjd, int year,
                            const PlotSettings& settings);

    // How often positions were computed and rotated since the cache was made.
    int positionRuns() const { return positionRuns_; }
    int rotationRuns() const { return rotationRuns_; }

  private:
    std::array<OrbitTrack, kBodyCount> tracks_{};
    int positionRuns_ = 0;
    int rotationRuns_ = 0;
};

// A comet's orbit, heliocentric ecliptic (AU), sampled by true anomaly so that the bend at
// perihelion is as smooth as the rest: the whole ellipse (closed) when its aphelion lies within
// reachAu of the Sun, otherwise the arc within that distance (open). Empty for elements that
// give no orbit.
struct CometOrbitCurve {
    std::vector<PlotPoint> points;
    bool open = false;
};
CometOrbitCurve CometOrbitPoints(const OrbitElements& elements, double reachAu);

}  // namespace astro

// The per-frame view set-up: the clock, place and view direction turned into the binary angles
// of the sky transform with their sines and cosines (integer scale 16384 for the fixed-point
// projection, double for the precise one). Recomputed from scratch at the start of every frame,
// and by dragging, centring and object search before they project.
#pragma once

#include <cstdint>

#include "astro/bin_angle.h"
#include "astro/projection_tables.h"
#include "state/view_state.h"

namespace astro {

// Sines and cosines of the four frame angles.
template <class T>
struct FrameSines {
    T sinSidereal{}, cosSidereal{};
    T sinLatitude{}, cosLatitude{};
    T sinAzimuth{}, cosAzimuth{};
    T sinTilt{}, cosTilt{};
};

struct ViewFrame {
    int32_t CurrentMjd = 0;  // MJD of the clock's date
    int32_t UtMinutes = 0;   // minutes of that date in UT, unfolded

    BinAngle SiderealAngle = 0;  // local sidereal time + 12 h; 0 in equator mode
    // The same, unrounded, for the double-precision transform: the apparent sidereal angle
    // with precise positions on, else equal to SiderealAngle.
    double SiderealUnits = 0.0;
    BinAngle LatitudeAngle = 0;     // observer latitude; 8192 in equator mode
    BinAngle ViewAzimuthAngle = 0;  // horizon mode: Houi2; equator mode: 1800 - Houi2
    BinAngle ViewTiltAngle = 0;     // Koudo2 - 90 degrees
    BinAngle PrecessionAngle = 0;   // shift of ecliptic longitude from epoch 2000 to the year
    int32_t ProperMotionDecades = 0;
    BinAngle RefractionAngle = 0;   // 54 (0.593 degrees) with refraction, else 0
    double RefractionTenths = 0.0;  // 5.0 with refraction, else 0.0

    int32_t HorizonShown =
        0;                    // the ground is drawn: horizon mode, Jimen, Horizon, view high enough
    int32_t YearInRange = 0;  // -9999 <= year <= 10000: twilight colours are computed
    int32_t CurveStep1 = 150;  // sampling steps of drawn curves, tenths of a degree
    int32_t CurveStep2 = 100;
    int32_t CurveStep3 = 50;

    int32_t Zoom = 80;        // percent, copied from the view state
    int32_t EquatorMode = 0;  // SekidouMod of the frame

    FrameSines<double> precise;  // of each angle times 2 pi / 32768
    FrameSines<int32_t> fixed;   // Sin15 / Cos15 of each angle

    ProjectionTables tables;
};

// Fills a frame from the view state. gscMode: the frame draws the deep star catalogue (proper
// motion is then not applied).
// The observer's sidereal angle (local sidereal time + 12 h, binary units) whatever the view
// mode: the apparent one with precise positions on inside their years, else the mean one;
// units, when given, receives it unrounded.
BinAngle ObserverSiderealAngle(const state::ViewState& view, int32_t mjd, int32_t utMinutes,
                               double* units = nullptr);

ViewFrame ComputeViewFrame(const state::ViewState& view, const ProjectionTables& tables,
                           bool gscMode = false);

// Replaces the view azimuth and tilt angles of a frame and their sines and cosines (used by the
// searches that try many view directions).
void SetViewAngles(ViewFrame& frame, BinAngle azimuth, BinAngle tilt);

// Zoom In (F3): x1.2 rounded to a multiple of 10, clamped to 10..7700; nothing at 7700 or more.
int32_t ZoomIn(int32_t zoom);

}  // namespace astro

// Comets on the sky: geocentric position, magnitude and the visibility limits CometBright
// (magnitude x 10) and CometKyori (distance x 10, AU).
#pragma once

#include "astro/bodies.h"
#include "astro/view_frame.h"
#include "state/comet_record.h"

namespace astro {

struct CometPosition {
    double r = 0.0;          // from the Sun, AU
    double delta = 0.0;      // from the Earth, AU
    double longitude = 0.0;  // geocentric ecliptic of date, radians
    double latitude = 0.0;
    bool finite = true;  // false when the elements gave no usable position
};

struct CometState {
    CometPosition position;
    double magnitude = 0.0;
    double screenX = 0.0, screenY = 0.0;  // pixels from the view centre
    double depth = 0.0;                   // as for the bodies; -30000 when the comet is hidden
    bool hidden = false;
};

inline constexpr double kHiddenCometDepth = -30000.0;

// The comet's geocentric position at mjd (MJD with fraction, UT): the orbit solver's
// heliocentric vector plus the Sun's geocentric vector of the frame's body state.
CometPosition ComputeCometPosition(const state::CometRecord& comet, double mjd,
                                   const SolarSystemState& bodies);

// m = H1 + 5 log10 delta + K1 log10 r.
double CometMagnitude(const state::CometRecord& comet, double r, double delta);

// Hidden when m x 10 > CometBright, or when both delta x 10 and r x 10 exceed CometKyori.
bool CometHidden(double magnitude, double r, double delta, int cometBright, int cometKyori);

// Position, magnitude, visibility and screen position for the frame's instant.
CometState ComputeCometState(const state::CometRecord& comet, const ViewFrame& frame,
                             const SolarSystemState& bodies, int cometBright, int cometKyori);

// The frame's instant as MJD with fraction: CurrentMjd + UtMinutes / 1440.
double FrameMjd(const ViewFrame& frame);

}  // namespace astro

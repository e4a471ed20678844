// The per-frame state of the 25 bodies: heliocentric and geocentric ecliptic positions of
// date, distances, screen positions, apparent radii and the separations used for eclipses
// and transits. Recomputed by ComputeAllBodies once (or twice) per sky frame.
#pragma once

#include <array>

#include "astro/bin_angle.h"
#include "astro/body_table.h"
#include "astro/moon.h"
#include "astro/planets.h"
#include "astro/precise_places.h"
#include "astro/view_frame.h"
#include "state/view_state.h"

namespace astro {

struct BodyState {
    double helioDistance = 0.0;   // AU from the Sun; Moon: geocentric distance, Earth radii
    double geoDistance = 0.0;     // AU from the Earth; Moon: topocentric distance, Earth radii
    double geoLongitude = 0.0;    // radians, ecliptic of date (Moon: topocentric)
    double geoLatitude = 0.0;     // radians
    double helioLongitude = 0.0;  // radians, as the position routine gives it (Moon: geocentric)
    double helioLatitude = 0.0;
    double screenX = 0.0;  // pixels from the view centre, clamped to +-32000
    double screenY = 0.0;
    double depth = 0.0;  // projection depth; 1.0 for 90..150 degrees from the centre
    double down = 0.0;   // minus the sine of the altitude, scale 16384 (> 0 below the horizon)
    // Heliocentric ecliptic x, y, z before the geocentric shift (AU; index 0 the Earth,
    // index 1 the Moon's geocentric vector in Earth radii), for the Solar System window.
    double helioX = 0.0, helioY = 0.0, helioZ = 0.0;
    BinAngle longitudeAngle = 0;  // geoLongitude x 32768 / 2pi, truncated
    BinAngle latitudeAngle = 0;
};

struct SolarSystemState {
    std::array<BodyState, kBodyCount> bodies{};
    double sunRadius = 0.0;  // apparent radii, radians
    double moonRadius = 0.0;
    double mercuryRadius = 0.0;
    double venusRadius = 0.0;
    double MoonElongation = 0.0;        // Moon minus Sun longitude, radians, -pi..pi
    double sunMoonSeparation = 0.0;     // radians
    double moonShadowSeparation = 0.0;  // Moon (geocentric) to the anti-solar point
    double sunMercurySeparation = 0.0;
    double sunVenusSeparation = 0.0;
    MeanArguments meanArguments;  // the Sun's and Moon's mean values of the last computation
    PrecisePlaces precise;        // the precise places of the last instant (SeimitsuKeisan)
};

// Earth radii per AU, halved: the unit of the "Planets Location" values.
inline constexpr double kHalfEarthRadiiPerAu = 46909.55984;

// Fills every body and the frame-wide results for the frame's instant (CurrentMjd,
// UtMinutes), the observer's place (view.Ido2, view.Keido2; the Moon's parallax uses the
// observer's sidereal angle in both view modes). With view.SeimitsuKeisan the bodies that a
// precise theory covers take their precise places.
void ComputeAllBodies(const state::ViewState& view, const ViewFrame& frame, SolarSystemState& out);

// The separation sqrt(dLambda^2 + dBeta^2) of two ecliptic directions (radians), with a
// longitude difference beyond 2pi reduced by 2pi.
double EclipticSeparation(double lambda1, double beta1, double lambda2, double beta2);

// The Earth's shadow at the Moon for this state (the Sun's geocentric and the Moon's
// topocentric and geocentric positions, distances and radius).
EarthShadow EarthShadowOf(const SolarSystemState& bodies);

// The Moon's age in days for the frame's instant (see MoonAgeSearch); year is the clock's.
double MoonAgeOf(const ViewFrame& frame, int year);

// The screen angle of the ecliptic's eastward direction at the Moon (radians), from the
// projections of the points 1000 binary units (about 11 degrees) east and west of it; 0 when
// the two coincide.
double MoonTilt(const ViewFrame& frame, const SolarSystemState& bodies);

}  // namespace astro

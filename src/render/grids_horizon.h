// Grids, lines, guides, the glow bands and the horizon with ground and landscape. Angles of the
// drawing loops are tenths of a degree, turned into binary angles (32768 per turn) with
// v x 4096 / 450; curves are sampled with the frame's curve steps.
#pragma once

#include "astro/projection.h"
#include "render/sky_scene.h"

namespace render {

// Sun glow rings and horizon bands of band indices last - 1 down to first.
void DrawGlowBands(LayerContext& layer, int first, int last);
void DrawEclipticGrid(LayerContext& layer, bool scale);
void DrawEquatorialGrid(LayerContext& layer, bool scale);
void DrawHorizontalGrid(LayerContext& layer, bool scale);
void DrawEclipticLine(LayerContext& layer);
void DrawCelestialEquator(LayerContext& layer);
// Circle guide, centre cross and camera frame.
void DrawGuides(LayerContext& layer);
// Horizon line, ground, landscape and direction labels.
void DrawHorizon(LayerContext& layer);

// Right ascension and declination (binary angles, equinox of the frame, no precession) through
// the frame's sidereal, latitude, azimuth and tilt rotations and its radial law; the flag is
// that of astro::ProjectEcliptic (20000 below the horizon).
astro::ScreenPoint ProjectEquatorial(const astro::ViewFrame& frame, astro::BinAngle ra,
                                     astro::BinAngle dec);

// Radius in pixels of a circle of angular radius theta (binary angle) around the view centre.
int GuideRadius(const astro::ViewFrame& frame, astro::BinAngle theta);

}  // namespace render

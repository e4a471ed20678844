// RenderSky: one complete sky frame, back to front, for the screen (target 0) or a page
// (1 monochrome print, 2 colour print). The caller sets the scene's viewport (half extents),
// the bitmap centre and, when printing, the page mapping of the canvas; RenderSky derives the
// twilight and star levels, animates the palette and calls every layer in its fixed order,
// each guarded by its display setting.
#pragma once

#include "astro/centring.h"
#include "render/sky_scene.h"

namespace render {

void RenderSky(Canvas& canvas, int target, SkyScene& scene);

// Turns the view onto an object as the dialogs and the tracking command do: catalogue objects
// from the scene's data set, bodies and comets recomputed for the view's moment first. Returns
// 1 when the view direction changed or a smooth move towards it was requested, else 0.
int32_t CenterOnSceneObject(SkyScene& scene, astro::ObjectRef object, bool interactive);

// --- The frame's derived values (steps of RenderSky, exposed for the tests) -----------------

// The Guide Star Catalog is drawn: faint enough a limit, zoomed in (2500 on paper, 500 on
// screen), UseGsc on and the catalogue found at start-up.
bool DecideGscMode(const state::ViewState& view, bool gscAvailable, int target);

// 1 normally; falls linearly to 0 as the Sun and Moon centres come within 0.0005 radian.
double EclipseFactorOf(double sunMoonSeparation);

// Twilight level, star level and star count (sunSine and eclipseFactor already in frame;
// sunSine becomes -16384 when twilight is not applied), then the deep-sky and Milky Way levels,
// civil daylight and the visibility flags.
void DeriveFrameLevels(RenderFrame& frame, const state::ViewState& view, bool yearInRange,
                       int target, const std::array<int, kStarLevelCount>& countByLevel);

// The automatic star level of a view, as the paint applies it to DrawStars (minus 40).
int AutoStarLevelOf(const state::ViewState& view);

}  // namespace render

// The texts of the Solar System window's information card about the Sun, a body or a comet that
// the right click found: "D_PLANETINFO" (with its picture) or "D_PLANETINFO2" for bodies,
// "D_COMETINFO" for comets, shown as the program's one information card.
#pragma once

#include "astro/bodies.h"
#include "render/object_info.h"
#include "render/solar_system_plot.h"
#include "state/comet_record.h"

namespace windows {

using BodyCardTexts = render::InfoCard;

// The card of a hit of the plot (the Sun, a body or a comet; trace marks have none) at the
// frame's instant mjd (MJD with fraction). The record 0 shows the Earth: kind "Planet", no
// position on the sky and no distance from the Earth.
BodyCardTexts BodyCardOf(const render::PlotHit& hit, const astro::SolarSystemState& bodies,
                         const state::CometTable* comets, double mjd);

}  // namespace windows

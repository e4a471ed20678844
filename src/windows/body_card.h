// The information card of the Solar System window: a small modeless dialog about the Sun, a body
// or a comet that the right click found. "D_PLANETINFO" (with its picture) or "D_PLANETINFO2"
// for bodies, "D_COMETINFO" for comets; the texts sit in the controls 201..206.
#pragma once

#include <array>
#include <string>

#include <QDialog>

#include "astro/bodies.h"
#include "render/solar_system_plot.h"
#include "state/comet_record.h"

namespace windows {

struct BodyCardTexts {
    std::string dialog;                // "D_PLANETINFO", "D_PLANETINFO2" or "D_COMETINFO"
    std::array<std::string, 6> field;  // controls 201..206
    std::string picture;               // "B_PLANET%d", "B_COMET" or empty
};

// The card of a hit of the plot (the Sun, a body or a comet; trace marks have none) at the
// frame's instant mjd (MJD with fraction). The record 0 shows the Earth: kind "Planet", no
// position on the sky and no distance from the Earth.
BodyCardTexts BodyCardOf(const render::PlotHit& hit, const astro::SolarSystemState& bodies,
                         const state::CometTable* comets, double mjd);

class BodyCard : public QDialog {
    Q_OBJECT
  public:
    BodyCard(const BodyCardTexts& texts, QWidget* parent);
};

}  // namespace windows

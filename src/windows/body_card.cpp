#include "windows/body_card.h"

#include <cstdio>

#include "astro/comets.h"

namespace windows {
namespace {

constexpr const char* kNone = "------";

}  // namespace

BodyCardTexts BodyCardOf(const render::PlotHit& hit, const astro::SolarSystemState& bodies,
                         const state::CometTable* comets, double mjd) {
    if (hit.kind == render::PlotMarkKind::Comet) {
        if (!comets || hit.index < 0 || hit.index >= comets->count) return {};
        const state::CometRecord& comet = comets->records[static_cast<std::size_t>(hit.index)];
        return render::CometInfoCard(comet, astro::ComputeCometPosition(comet, mjd, bodies));
    }
    if (hit.kind != render::PlotMarkKind::Sun && hit.kind != render::PlotMarkKind::Body) return {};
    const int index = hit.index;
    if (index < 0 || index >= astro::kBodyCount) return {};
    if (hit.kind == render::PlotMarkKind::Sun || index != astro::kSunIndex)
        return render::BodyInfoCard(index, bodies, 0.0);
    // The record 0 on the plot is the Earth.
    BodyCardTexts card{"D_PLANETINFO2", {}, "", ""};
    card.field[0] = render::PlotBodyName(index, false);
    card.field[5] = astro::KindLabelEnglish(astro::BodyKind::Planet);
    card.field[2] = kNone;
    card.field[3] = kNone;
    char fromSun[32];
    std::snprintf(fromSun, sizeof fromSun, "%0.2fAU", bodies.bodies[0].helioDistance);
    card.field[4] = fromSun;
    card.line = card.field[0];
    return card;
}

}  // namespace windows

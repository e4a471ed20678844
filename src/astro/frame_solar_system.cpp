#include "astro/frame_solar_system.h"

namespace astro {

void FrameSolarSystem::RecomputeBodies(const state::ViewState& view, const ViewFrame& frame) {
    ComputeAllBodies(view, frame, bodies_);
}

void FrameSolarSystem::RecomputeComet(int32_t index, const state::ViewState& view,
                                      const ViewFrame& frame) {
    if (cometRecompute_) cometRecompute_(index, view, frame);
}

std::optional<EclipticRadians> FrameSolarSystem::Body(int32_t index) const {
    if (index < 0 || index >= kBodyCount) return std::nullopt;
    const BodyState& body = bodies_.bodies[static_cast<std::size_t>(index)];
    return EclipticRadians{body.geoLongitude, body.geoLatitude};
}

std::optional<EclipticRadians> FrameSolarSystem::Comet(int32_t index) const {
    if (!cometPosition_) return std::nullopt;
    return cometPosition_(index);
}

}  // namespace astro

// The solar-system bodies of the current frame as centring and tracking see them (object kinds
// 4 and 5): the body state that the render pipeline computes every frame, and the comets through
// callbacks of whoever holds the comet table's per-frame positions.
#pragma once

#include <functional>
#include <optional>

#include "astro/bodies.h"
#include "astro/centring.h"

namespace astro {

class FrameSolarSystem final : public SolarSystemPositions {
  public:
    // Geocentric ecliptic longitude and latitude of date of comet `index`, radians, or nothing
    // when there is no such comet.
    using CometPosition = std::function<std::optional<EclipticRadians>(int32_t index)>;
    // Recomputes one comet for the frame's instant.
    using CometRecompute =
        std::function<void(int32_t index, const state::ViewState&, const ViewFrame&)>;

    explicit FrameSolarSystem(SolarSystemState& bodies, CometPosition cometPosition = {},
                              CometRecompute cometRecompute = {})
        : bodies_(bodies),
          cometPosition_(std::move(cometPosition)),
          cometRecompute_(std::move(cometRecompute)) {}

    void RecomputeBodies(const state::ViewState& view, const ViewFrame& frame) override;
    void RecomputeComet(int32_t index, const state::ViewState& view,
                        const ViewFrame& frame) override;
    std::optional<EclipticRadians> Body(int32_t index) const override;
    std::optional<EclipticRadians> Comet(int32_t index) const override;

  private:
    SolarSystemState& bodies_;
    CometPosition cometPosition_;
    CometRecompute cometRecompute_;
};

}  // namespace astro

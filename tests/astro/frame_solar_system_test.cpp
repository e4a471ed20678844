#include "astro/frame_solar_system.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(FrameSolarSystem, TrackingTheSunAndMoonKeepsThemCentredAsTheClockRuns) {
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    state::ViewState view;
    view.clock = {2024, 4, 8, 12, 0};
    view.Zoom = 600;
    view.Tracking = true;
    view.TrackedKind = astro::kBodyObject;
    astro::SolarSystemState bodies;
    astro::FrameSolarSystem solar(bodies);
    astro::CentringContext context{view, store.view(), nullptr, &solar};

    for (int32_t body : {0, 1, 5}) {
        view.TrackedIndex = body;
        for (int step = 0; step < 4; ++step) {
            view.clock.hour += 3;
            std::optional<astro::ViewFrame> frame = astro::TrackObject(context);
            ASSERT_TRUE(frame);
            astro::ComputeAllBodies(view, *frame, bodies);
            const astro::BodyState& b = bodies.bodies[static_cast<std::size_t>(body)];
            EXPECT_LT(std::fabs(b.screenX) + std::fabs(b.screenY), 3.0)
                << "body " << body << " step " << step;
        }
    }
}

TEST(FrameSolarSystem, OutOfRangeBodiesAndMissingCometsGiveNothing) {
    astro::SolarSystemState bodies;
    bodies.bodies[3].geoLongitude = 1.25;
    const astro::FrameSolarSystem solar(bodies, [](int32_t index) {
        return index == 2 ? std::optional(astro::EclipticRadians{0.5, -0.1}) : std::nullopt;
    });
    EXPECT_EQ(solar.Body(3)->lon, 1.25);
    EXPECT_EQ(solar.Comet(2)->lat, -0.1);
    EXPECT_FALSE(solar.Body(-1) || solar.Body(25) || solar.Comet(1));
    EXPECT_FALSE(astro::FrameSolarSystem(bodies).Comet(0));
}

}  // namespace

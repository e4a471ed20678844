#include "astro/centring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "astro/equatorial.h"
#include "astro/frame_solar_system.h"
#include "astro/inverse_projection.h"
#include "astro/projection.h"
#include "state/messages.h"

namespace {

using astro::ObjectRef;

// Little-endian record bytes for the catalogue blocks: 16-bit words, then single bytes.
std::vector<uint8_t> Bytes(std::initializer_list<int> words, const std::vector<int>& tail = {}) {
    std::vector<uint8_t> bytes;
    for (int v : words)
        bytes.insert(bytes.end(), {static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>(v >> 8)});
    for (int v : tail)
        bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

double OffCentre(const astro::PreciseScreenPoint& p) {
    return std::fabs(p.x) + std::fabs(p.y);
}

// Bodies and comets at fixed places, counting the recomputations tracking asks for.
class FixedSolarSystem : public astro::SolarSystemPositions {
  public:
    void RecomputeBodies(const state::ViewState&, const astro::ViewFrame&) override {
        ++bodyRecomputations;
    }
    void RecomputeComet(int32_t index, const state::ViewState&, const astro::ViewFrame&) override {
        lastComet = index;
    }
    std::optional<astro::EclipticRadians> Body(int32_t index) const override {
        if (index < 0 || index >= 25) return std::nullopt;
        return astro::EclipticRadians{0.3 * index, 0.01};
    }
    std::optional<astro::EclipticRadians> Comet(int32_t index) const override {
        if (index != 0) return std::nullopt;
        return astro::EclipticRadians{1.0, 0.2};
    }
    int bodyRecomputations = 0;
    int lastComet = -1;
};

class CentringTest : public ::testing::Test {
  protected:
    astro::ProjectionTableStore store = astro::BuildProjectionTables();
    state::ViewState view;
    std::vector<uint8_t> seizaz, star2, obj, kisen;
    std::unique_ptr<astro::BlockObjectCatalog> catalog;
    FixedSolarSystem solar;
    std::vector<state::Message> messages;

    void SetUp() override {
        view.clock = {2015, 11, 20, 21, 0};
        view.Zoom = 400;
        view.SmoothIdou = 0;
        view.Houi2 = 100.0;
        view.Koudo2 = 200.0;
        // Two constellation label points; one star with proper motion (lon, lat, pmLon, pmLat,
        // mag, spec); one deep-sky object; one asterism name, the end mark, and a record after
        // it that must not count.
        seizaz = Bytes({1000, 2000, -3000, 500});
        star2 = Bytes({4000, 1500, 2000, -1000}, {40, 'G'});
        obj = Bytes({12000, -200}, {'G', '1'});
        for (int mark : {3000, -1, 3002}) {
            const std::vector<uint8_t> name = Bytes({mark, 800}, std::vector<int>(20, 'x'));
            kisen.insert(kisen.end(), name.begin(), name.end());
        }
        catalog = std::make_unique<astro::BlockObjectCatalog>(seizaz, star2, obj, kisen);
        state::SetMessageHandler([this](const state::Message& m) {
            messages.push_back(m);
            return state::MessageAnswer::Ok;
        });
    }
    void TearDown() override { state::SetMessageHandler(nullptr); }

    astro::CentringContext Context() { return {view, store.view(), catalog.get(), &solar}; }

    // Altitude of a position of date, degrees, from the frame's horizon component.
    double AltitudeOf(double lon, double lat) {
        return -std::asin(Landing(lon, lat).down / 16384.0) * 180 / std::numbers::pi;
    }

    // Where the position lands after centring, in pixels.
    astro::PreciseScreenPoint Landing(double lon, double lat) {
        astro::ViewFrame f = astro::ComputeViewFrame(view, store.view());
        return astro::ProjectEclipticPrecise(f, lon, lat);
    }
};

TEST_F(CentringTest, PutsTheObjectAtTheCentreOnceAndSaysNothing) {
    astro::CentringContext context = Context();
    ASSERT_EQ(astro::CenterOnObject(context, {astro::kBodyObject, 3}, true), 1);
    EXPECT_LT(OffCentre(Landing(0.9 * astro::kBinPerRadian, 0.01 * astro::kBinPerRadian)), 2.0);
    // An object already at the centre returns 0 and leaves the view.
    const double houi2 = view.Houi2, koudo2 = view.Koudo2;
    EXPECT_EQ(astro::CenterOnObject(context, {astro::kBodyObject, 3}, false), 0);
    EXPECT_EQ(std::tuple(view.Houi2, view.Koudo2, view.PendingMoves), std::tuple(houi2, koudo2, 0));
    EXPECT_TRUE(messages.empty());
}

// Objects 30 and 2 degrees below the horizon: with FindUnder the view goes there; without it the
// view looks at the horizon under them (2 degrees is beyond the half-degree refraction
// allowance, 0.3 degrees within it), and says so when asked.
TEST_F(CentringTest, ObjectsBelowTheHorizonAreCentredThereOnlyWithFindUnder) {
    const auto ecliptic = [&](double altitude) {  // a point of the ecliptic at that altitude
        double lon = 0.0;
        for (double l = 0.0; l < 32768.0; l += 4.0) {
            if (std::fabs(AltitudeOf(l, 0.0) - altitude) <
                std::fabs(AltitudeOf(lon, 0.0) - altitude))
                lon = l;
        }
        return lon;
    };
    const double lon = ecliptic(-30.0), altitude = AltitudeOf(lon, 0.0);
    ASSERT_NEAR(altitude, -30.0, 0.5);
    view.FindUnder = 1;
    astro::CentringContext context = Context();
    ASSERT_EQ(astro::CenterOnPosition(context, lon, 0.0, false, true), 1);
    EXPECT_NEAR(view.Koudo2, altitude * 10.0, 1.0);
    EXPECT_TRUE(messages.empty());

    view.FindUnder = 0;
    view.Koudo2 = 200.0;
    ASSERT_EQ(astro::CenterOnPosition(context, lon, 0.0, false, true), 1);
    EXPECT_EQ(view.Koudo2, 0.0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(std::pair(messages[0].text, messages[0].icon),
              std::pair(std::string("Below Horizon Line."), state::MessageIcon::Exclamation));
    EXPECT_NEAR(Landing(lon, 0.0).x, 0.0, 2.0);  // same azimuth
    view.Koudo2 = 200.0;
    astro::CenterOnPosition(context, ecliptic(-2.0), 0.0, false, false);
    EXPECT_EQ(view.Koudo2, 0.0);
    EXPECT_EQ(messages.size(), 1u);  // not interactive: silent
    // Within the allowance the object is centred where it is.
    const double low = ecliptic(-0.3);
    astro::CenterOnPosition(context, low, 0.0, false, false);
    EXPECT_NEAR(view.Koudo2, AltitudeOf(low, 0.0) * 10.0, 1.0);
    EXPECT_LT(view.Koudo2, 0.0);
}

TEST_F(CentringTest, EquatorModeCentresWithoutTheHorizonRule) {
    view.SekidouMod = 1;
    view.FindUnder = 0;
    view.clock.year = 2000;  // no precession shift
    astro::CentringContext context = Context();
    // The vernal equinox: right ascension 0, declination 0.
    ASSERT_EQ(astro::CenterOnPosition(context, 0.0, 0.0, true, true), 1);
    EXPECT_NEAR(std::remainder(view.Houi2, 3600.0), 0.0, 0.5);
    EXPECT_NEAR(view.Koudo2, 0.0, 0.5);
    // A southern object keeps its negative declination.
    ASSERT_EQ(astro::CenterOnPosition(context, 0.0, -2000.0, true, true), 1);
    EXPECT_LT(view.Koudo2, -150.0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CentringTest, SmoothMovesGetATargetAndTrackingMovesAtOnce) {
    view.SmoothIdou = 1;
    astro::CentringContext context = Context();
    ASSERT_EQ(astro::CenterOnObject(context, {astro::kConstellationObject, 1}, false), 1);
    EXPECT_EQ(std::tuple(view.Houi2, view.Koudo2, view.PendingMoves),
              std::tuple(100.0, 200.0, state::kMoveAzimuth | state::kMoveAltitude));
    const double targetHoui2 = view.MoveTargetHoui2;
    EXPECT_TRUE(targetHoui2 >= 0.0 && targetHoui2 < 3600.0) << targetHoui2;

    view.PendingMoves = 0;
    view.Tracking = true;
    ASSERT_EQ(astro::CenterOnObject(context, {astro::kConstellationObject, 1}, false), 1);
    EXPECT_EQ(std::pair(view.PendingMoves, view.Houi2), std::pair(0, targetHoui2));
}

TEST_F(CentringTest, UnknownKindsAndMissingRecordsChangeNothing) {
    astro::CentringContext context = Context();
    for (ObjectRef ref :
         {ObjectRef{7, 1}, ObjectRef{-1, 0}, ObjectRef{astro::kStarObject, 1},
          ObjectRef{astro::kConstellationObject, -1}, ObjectRef{astro::kAsterismObject, 1},
          ObjectRef{astro::kAsterismObject, 2}, ObjectRef{astro::kBodyObject, 25},
          ObjectRef{astro::kCometObject, 4}}) {
        EXPECT_EQ(astro::CenterOnObject(context, ref, true), 0) << ref.kind << "/" << ref.index;
    }
    EXPECT_EQ(std::pair(view.Houi2, view.Koudo2), std::pair(100.0, 200.0));
    astro::CentringContext bare{view, store.view(), nullptr, nullptr};
    EXPECT_EQ(astro::CenterOnObject(bare, {astro::kStarObject, 0}, true), 0);
    EXPECT_EQ(astro::CenterOnObject(bare, {astro::kBodyObject, 0}, true), 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CentringTest, PositionsOfTheKinds) {
    astro::CentringContext context = Context();
    auto star = astro::PositionOfObject(context, {astro::kNamedStarObject, 0});
    ASSERT_TRUE(star);
    // Year 2015: one decade; lon - 2000 * 1 / 10000 = lon - 0, lat + 1000 / 10000 = lat - 0.
    EXPECT_EQ(star->lon, 4000.0);
    view.clock.year = 2500;  // fifty decades
    star = astro::PositionOfObject(context, {astro::kStarObject, 0});
    EXPECT_EQ(std::tuple(star->lon, star->lat, star->applyPrecession),
              std::tuple(4000.0 - 2000 * 50 / 10000, 1500.0 + 1000 * 50 / 10000, true));
    view.KoyuKeisan = 0;
    EXPECT_EQ(astro::PositionOfObject(context, {astro::kStarObject, 0})->lon, 4000.0);

    auto label = astro::PositionOfObject(context, {astro::kConstellationObject, 1});
    EXPECT_EQ(std::pair(label->lon, label->applyPrecession), std::pair(-3000.0, true));
    auto asterism = astro::PositionOfObject(context, {astro::kAsterismObject, 0});
    EXPECT_EQ(std::pair(asterism->lon, asterism->applyPrecession), std::pair(3000.0, false));
    auto comet = astro::PositionOfObject(context, {astro::kCometObject, 0});
    EXPECT_NEAR(comet->lon, 5215.189175235227, 1e-9);
    EXPECT_FALSE(comet->applyPrecession);
}

TEST_F(CentringTest, TrackingRecomputesMovingObjectsAndCentresEveryFrame) {
    astro::CentringContext context = Context();
    EXPECT_FALSE(astro::TrackObject(context));  // not tracking

    view.Tracking = true;
    view.TrackedKind = astro::kCometObject;
    view.TrackedIndex = 0;
    view.SmoothIdou = 1;
    view.TrackingSuppressed = true;
    EXPECT_FALSE(astro::TrackObject(context));
    view.TrackingSuppressed = false;

    std::optional<astro::ViewFrame> frame = astro::TrackObject(context);
    ASSERT_TRUE(frame);
    // Tracking moves at once.
    EXPECT_EQ(std::tuple(solar.bodyRecomputations, solar.lastComet, view.PendingMoves),
              std::tuple(1, 0, 0));
    const auto comet = [&] {
        return astro::ProjectEclipticPrecise(*frame, astro::kBinPerRadian,
                                             0.2 * astro::kBinPerRadian);
    };
    EXPECT_LT(OffCentre(comet()), 2.0);

    // As the clock runs the object stays centred.
    view.clock.hour += 2;
    frame = astro::TrackObject(context);
    EXPECT_LT(OffCentre(comet()), 2.0);

    // A star is not a moving object.
    view.TrackedKind = astro::kStarObject;
    astro::TrackObject(context);
    EXPECT_EQ(solar.bodyRecomputations, 2);  // only the comet frames asked
}

TEST(Equatorial, KnownAnswerAndTexts) {
    // J. Meeus, "Astronomical Algorithms" (2nd ed.), Example 13.a reversed: Pollux at
    // lambda 113.215630, beta 6.684170 degrees (mean obliquity 23.4392911) has alpha
    // 116.328942, delta 28.026183 degrees. Our fixed J2000 obliquity differs by 0.0002 degrees.
    const double d = std::numbers::pi / 180.0, hour = std::numbers::pi / 12.0;
    const astro::Equatorial q = astro::EclipticToEquatorial(113.215630 * d, 6.684170 * d);
    EXPECT_NEAR(q.ra / d, 116.328942, 0.001);
    EXPECT_NEAR(q.dec / d, 28.026183, 0.001);
    // Rounding carries into the next unit instead of showing 60.
    const std::tuple<double, double, const char*> texts[] = {
        {5.5 * hour, (22.0 + 1.0 / 60) * d, "5h30.0m  +22\u00B001'"},
        {-1.0 * hour, -(8.0 + 30.0 / 60) * d, "23h00.0m  -8\u00B030'"},
        {0.0, -0.2 * d, "0h00.0m  -0\u00B012'"},
        {(2.0 + 59.97 / 60) * hour, (44.0 + 59.7 / 60) * d, "3h00.0m  +45\u00B000'"},
        {(23.0 + 59.99 / 60) * hour, 0.0, "0h00.0m  +0\u00B000'"},
        {std::nan(""), 0.0, "-"}};
    for (const auto& [ra, dec, text] : texts)
        EXPECT_EQ(astro::FormatEquatorial(ra, dec), text);
}

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

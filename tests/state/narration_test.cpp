#include "state/narration.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

using V = state::ViewState;
using O = state::AppOptions;
using T = state::NarrationTriggers;
using Change = std::function<void(V&, O&, T&)>;

// What a narration past its two start-up checks says when `after` follows `before`.
std::string Said(const Change& before, const Change& after) {
    V view;
    O options;
    state::Narration narration;
    view.Houi2 = 1000;
    view.Koudo2 = 300;
    before(view, options, narration.triggers);
    state::NarrationCheck(narration, view, options);
    state::NarrationCheck(narration, view, options);
    after(view, options, narration.triggers);
    const char* event = state::NarrationCheck(narration, view, options);
    return event ? event : "";
}

TEST(Narration, FirstChangeInOrderOfPrecedence) {
    const Change none = [](V&, O&, T&) {};
    const struct {
        Change before, after;
        const char* expected;
    } cases[] = {
        {none, [](V& v, O&, T& t) { t.viewFile = T::kViewFileOpened, v.Constella = 0; },
         "OpenSetting"},
        {none, [](V& v, O&, T& t) { t.viewFile = T::kViewFileWithOwnSound, v.Constella = 0; }, ""},
        {none, [](V& v, O&, T& t) { t.locationChanged = true, v.Zoom = 200; }, "LocationChanged"},
        {none, [](V& v, O& o, T&) { o.AutoType = 1, v.AutoRunning = true; }, "TraceON"},
        {none, [](V& v, O&, T&) { v.Keisanji = 3; }, "RealTime"},
        {none, [](V& v, O&, T&) { v.Line = 0, v.Constella = 0; }, "ConstellationOFF"},
        {[](V& v, O&, T&) { v.Kisetu = v.KisetuName = 0; }, [](V& v, O&, T&) { v.KisetuName = 1; },
         "AsterismsON"},
        {[](V& v, O&, T&) { v.Sekidou = 1; }, [](V& v, O&, T&) { v.Sekidou = 3; }, ""},
        {none, [](V& v, O&, T&) { v.Zoom = 70; }, "ZoomOut"},
        {[](V& v, O&, T&) { v.SekidouMod = 1, v.Houi2 = 1650; },
         [](V& v, O&, T&) { v.Houi2 = 1750; }, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Said(c.before, c.after), c.expected);
}

TEST(Narration, CompassAndAltitude) {
    const struct {
        double azimuth, altitude, newAzimuth, newAltitude;
        const char* expected;
    } cases[] = {
        {1650, 300, 1750, 300, "North"},     {1700, 300, 1750, 300, ""},
        {1750, 300, 1790, 300, ""},          {3400, 300, 50, 300, "South"},
        {1000, 650, 1000, 700.9, "Tenchou"}, {1000, 5, 1000, -10, "UnderHorizon"},
        {1000, 300, 1000, 99, "Horizon"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Said([&](V& v, O&, T&) { v.Houi2 = c.azimuth, v.Koudo2 = c.altitude; },
                       [&](V& v, O&, T&) { v.Houi2 = c.newAzimuth, v.Koudo2 = c.newAltitude; }),
                  c.expected)
            << c.azimuth << " to " << c.newAzimuth;
    }
}

TEST(Narration, SeasonsAndPartsOfDay) {
    const struct {
        int month, hour, newMonth, newHour, latitude;
        const char* expected;
    } cases[] = {
        {11, 12, 12, 12, 410, "Winter"},
        {11, 12, 12, 12, -339, "Summer"},
        {12, 12, 1, 12, 410, ""},
        {6, 15, 6, 16, 410, "Evening"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Said(
                      [&](V& v, O&, T&) {
                          v.clock = {2000, c.month, 1, c.hour, 0}, v.Ido2 = c.latitude;
                      },
                      [&](V& v, O&, T&) { v.clock.month = c.newMonth, v.clock.hour = c.newHour; }),
                  c.expected);
    }
}

TEST(Narration, WelcomeFirstThenTheSnapshotAndSilenceKeepsTheSnapshot) {
    V view;
    O options;
    state::Narration narration;
    EXPECT_STREQ(state::NarrationCheck(narration, view, options), "Welcome");
    view.Zoom = 200;
    EXPECT_EQ(state::NarrationCheck(narration, view, options), nullptr);

    // Constellations off and on again while silent: only the lines count afterwards.
    options.SpeakFlag = 0;
    view.Constella = 0;
    EXPECT_EQ(state::NarrationCheck(narration, view, options), nullptr);
    view.Constella = 1;
    view.Line = 0;
    options.SpeakFlag = 1;
    EXPECT_STREQ(state::NarrationCheck(narration, view, options), "LineOFF");
    EXPECT_EQ(state::NarrationCheck(narration, view, options), nullptr);
}

}  // namespace

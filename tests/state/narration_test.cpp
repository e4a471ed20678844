#include "state/narration.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

using Change =
    std::function<void(state::ViewState&, state::AppOptions&, state::NarrationTriggers&)>;

struct Case {
    const char* name;
    Change before;  // the state at the previous check
    Change after;   // what changed since
    const char* expected;
};

std::string Spoken(const char* event) {
    return event ? event : "(nothing)";
}

// A narration past its two start-up checks, with the snapshot taken after `before`.
std::string EventFor(const Case& c) {
    state::ViewState view;
    state::AppOptions options;
    state::Narration narration;
    view.Houi2 = 1000;
    view.Koudo2 = 300;
    c.before(view, options, narration.triggers);
    state::NarrationCheck(narration, view, options);
    state::NarrationCheck(narration, view, options);
    c.after(view, options, narration.triggers);
    return Spoken(state::NarrationCheck(narration, view, options));
}

void Nothing(state::ViewState&, state::AppOptions&, state::NarrationTriggers&) {}

TEST(Narration, FirstChangeInOrderOfPrecedence) {
    using V = state::ViewState;
    using O = state::AppOptions;
    using T = state::NarrationTriggers;
    const Case cases[] = {
        {"view file before all", Nothing,
         [](V& v, O&, T& t) {
             t.viewFile = T::kViewFileOpened;
             v.Constella = 0;
         },
         "OpenSetting"},
        {"its own sound says nothing", Nothing,
         [](V& v, O&, T& t) {
             t.viewFile = T::kViewFileWithOwnSound;
             v.Constella = 0;
         },
         "(nothing)"},
        {"location", Nothing,
         [](V& v, O&, T& t) {
             t.locationChanged = true;
             v.Zoom = 200;
         },
         "LocationChanged"},
        {"tracing starts", Nothing,
         [](V& v, O& o, T&) {
             o.AutoType = 1;
             v.AutoRunning = true;
         },
         "TraceON"},
        {"real time", Nothing, [](V& v, O&, T&) { v.Keisanji = 3; }, "RealTime"},
        {"constellations before lines", Nothing,
         [](V& v, O&, T&) {
             v.Line = 0;
             v.Constella = 0;
         },
         "ConstellationOFF"},
        {"asterisms by either switch", [](V& v, O&, T&) { v.Kisetu = v.KisetuName = 0; },
         [](V& v, O&, T&) { v.KisetuName = 1; }, "AsterismsON"},
        {"grid mode of the equator only", [](V& v, O&, T&) { v.Sekidou = 1; },
         [](V& v, O&, T&) { v.Sekidou = 3; }, "(nothing)"},
        {"November to December in the north", [](V& v, O&, T&) { v.clock.month = 11; },
         [](V& v, O&, T&) { v.clock.month = 12; }, "Winter"},
        {"November to December in the south",
         [](V& v, O&, T&) {
             v.clock.month = 11;
             v.Ido2 = -339;
         },
         [](V& v, O&, T&) { v.clock.month = 12; }, "Summer"},
        {"December to January", [](V& v, O&, T&) { v.clock.month = 12; },
         [](V& v, O&, T&) { v.clock.month = 1; }, "(nothing)"},
        {"15 to 16 hours", [](V& v, O&, T&) { v.clock.hour = 15; },
         [](V& v, O&, T&) { v.clock.hour = 16; }, "Evening"},
        {"zoom out", Nothing, [](V& v, O&, T&) { v.Zoom = 70; }, "ZoomOut"},
        {"altitude 650 to 700", [](V& v, O&, T&) { v.Koudo2 = 650; },
         [](V& v, O&, T&) { v.Koudo2 = 700.9; }, "Tenchou"},
        {"below the horizon", [](V& v, O&, T&) { v.Koudo2 = 5; },
         [](V& v, O&, T&) { v.Koudo2 = -10; }, "UnderHorizon"},
        {"down to the horizon", Nothing, [](V& v, O&, T&) { v.Koudo2 = 99; }, "Horizon"},
        {"1650 to 1750", [](V& v, O&, T&) { v.Houi2 = 1650; }, [](V& v, O&, T&) { v.Houi2 = 1750; },
         "North"},
        {"1700 to 1750", [](V& v, O&, T&) { v.Houi2 = 1700; }, [](V& v, O&, T&) { v.Houi2 = 1750; },
         "(nothing)"},
        {"1750 to 1790", [](V& v, O&, T&) { v.Houi2 = 1750; }, [](V& v, O&, T&) { v.Houi2 = 1790; },
         "(nothing)"},
        {"across the wrap to the south", [](V& v, O&, T&) { v.Houi2 = 3400; },
         [](V& v, O&, T&) { v.Houi2 = 50; }, "South"},
        {"no compass in equator mode",
         [](V& v, O&, T&) {
             v.SekidouMod = 1;
             v.Houi2 = 1650;
         },
         [](V& v, O&, T&) { v.Houi2 = 1750; }, "(nothing)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EventFor(c), c.expected) << c.name;
}

TEST(Narration, WelcomeFirstThenTheSnapshotAndSilenceKeepsTheSnapshot) {
    state::ViewState view;
    state::AppOptions options;
    state::Narration narration;
    EXPECT_EQ(Spoken(state::NarrationCheck(narration, view, options)), "Welcome");
    view.Zoom = 200;
    EXPECT_EQ(Spoken(state::NarrationCheck(narration, view, options)), "(nothing)");

    options.SpeakFlag = 0;
    view.Constella = 0;
    EXPECT_EQ(Spoken(state::NarrationCheck(narration, view, options)), "(nothing)");
    view.Constella = 1;
    view.Line = 0;
    options.SpeakFlag = 1;
    EXPECT_EQ(Spoken(state::NarrationCheck(narration, view, options)), "LineOFF");
    EXPECT_EQ(Spoken(state::NarrationCheck(narration, view, options)), "(nothing)");
}

}  // namespace

#include "state/narration.h"

#include <cstdlib>

namespace state {
namespace {

// A display group, compared as off (zero) or on (non-zero), in the order of precedence.
struct DisplayGroup {
    int32_t NarrationSnapshot::*field;
    const char* on;
    const char* off;
};

constexpr DisplayGroup kDisplayGroups[] = {
    {&NarrationSnapshot::Constella, "ConstellationON", "ConstellationOFF"},
    {&NarrationSnapshot::StarName, "StarLabelON", "StarLabelOFF"},
    {&NarrationSnapshot::Galaxy, "GalaxyON", "GalaxyOFF"},
    {&NarrationSnapshot::Solar, "PlanetON", "PlanetOFF"},
    {&NarrationSnapshot::Comet, "CometON", "CometOFF"},
    {&NarrationSnapshot::Line, "LineON", "LineOFF"},
    {&NarrationSnapshot::Picture, "PictureON", "PictureOFF"},
    {&NarrationSnapshot::Asterisms, "AsterismsON", "AsterismsOFF"},
    {&NarrationSnapshot::OldChinese, "OldChinaON", "OldChinaOFF"},
    {&NarrationSnapshot::Kyoukai, "BoundaryON", "BoundaryOFF"},
    {&NarrationSnapshot::Horizon, "HorizonON", "HorizonOFF"},
    {&NarrationSnapshot::Glid, "GridON", "GridOFF"},
    {&NarrationSnapshot::Sekidou, "EquatorON", "EquatorOFF"},
    {&NarrationSnapshot::Koudou, "EclipticON", "EclipticOFF"},
};

// Compass points by azimuth (tenths of a degree from the south through the west); South, at
// 0, is tested last and on its own because it straddles the wrap.
struct CompassPoint {
    int32_t azimuth;
    const char* name;
};

constexpr CompassPoint kCompass[] = {
    {225, "SSW"},  {450, "SW"},    {675, "WSW"},    {900, "West"}, {1125, "WNW"},
    {1350, "NW"},  {1575, "NNW"},  {1800, "North"}, {2025, "NNE"}, {2250, "NE"},
    {2475, "ENE"}, {2700, "East"}, {2925, "ESE"},   {3150, "SE"},  {3375, "SSE"},
};

constexpr int32_t kCompassReach = 112;

// 0 winter, 1 spring, 2 summer, 3 autumn, as seen from the northern hemisphere.
int Season(int32_t month) {
    return (month % 12) / 3;
}

const char* SeasonName(int season, bool south) {
    constexpr const char* kNames[] = {"Winter", "Spring", "Summer", "Fall"};
    return kNames[south ? (season + 2) % 4 : season];
}

int PartOfDay(int32_t hour) {
    if (hour >= 5 && hour <= 8) return 0;
    if (hour >= 9 && hour <= 15) return 1;
    if (hour >= 16 && hour <= 19) return 2;
    return 3;
}

const char* PartOfDayName(int part) {
    constexpr const char* kNames[] = {"Morning", "Day", "Evening", "Night"};
    return kNames[part];
}

const char* TimeModeName(int32_t mode) {
    constexpr const char* kNames[] = {"LocalTime", "GreenwichTime", "SystemTime", "RealTime"};
    return mode >= 0 && mode <= 3 ? kNames[mode] : nullptr;
}

bool Within(int32_t a, int32_t b, int32_t reach) {
    return std::abs(a - b) <= reach;
}

const char* CompassEvent(int32_t azimuth, int32_t before) {
    for (const CompassPoint& point : kCompass) {
        if (Within(azimuth, point.azimuth, kCompassReach) &&
            !Within(before, point.azimuth, kCompassReach))
            return point.name;
    }
    const bool southNow = azimuth < kCompassReach || azimuth >= 3600 - kCompassReach;
    const bool southBefore = before < 113 || before >= 3600 - kCompassReach;
    return southNow && !southBefore ? "South" : nullptr;
}

// The first change that applies, in the order of precedence, or nullptr.
const char* PickEvent(const NarrationSnapshot& was, const NarrationSnapshot& now,
                      const NarrationTriggers& triggers, int32_t latitude) {
    if (triggers.viewFile != 0)
        return triggers.viewFile == NarrationTriggers::kViewFileOpened ? "OpenSetting" : nullptr;
    if (triggers.displayModeApplied) return "DisplayChanged";
    if (triggers.locationChanged) return "LocationChanged";
    if (now.SekidouMod != was.SekidouMod)
        return now.SekidouMod ? "EquatorModeON" : "EquatorModeOFF";
    if (now.Tracking != was.Tracking || now.TrackedKind != was.TrackedKind ||
        now.TrackedIndex != was.TrackedIndex)
        return now.Tracking ? "TrackingON" : "TrackingOFF";
    if (now.AutoRunning != was.AutoRunning || now.AutoType != was.AutoType ||
        triggers.autoModeDialogChanged) {
        const bool tracing = now.AutoType != 0;
        if (now.AutoRunning) return tracing ? "TraceON" : "FastClockON";
        return tracing ? "TraceOFF" : "FastClockOFF";
    }
    if (now.Keisanji != was.Keisanji) return TimeModeName(now.Keisanji);
    if (now.Dst != was.Dst) return now.Dst ? "DstON" : "DstOFF";
    for (const DisplayGroup& group : kDisplayGroups) {
        const bool on = now.*group.field != 0;
        if (on != (was.*group.field != 0)) return on ? group.on : group.off;
    }
    if (Season(now.clock.month) != Season(was.clock.month))
        return SeasonName(Season(now.clock.month), latitude < 0);
    if (PartOfDay(now.clock.hour) != PartOfDay(was.clock.hour))
        return PartOfDayName(PartOfDay(now.clock.hour));
    if (now.Zoom > was.Zoom) return "ZoomIn";
    if (now.Zoom < was.Zoom) return "ZoomOut";
    if (now.SekidouMod) return nullptr;
    if (now.altitude >= 700 && was.altitude < 700) return "Tenchou";
    if (now.altitude < 0 && was.altitude >= 0) return "UnderHorizon";
    if (const char* point = CompassEvent(now.azimuth, was.azimuth)) return point;
    const bool nearHorizon = now.altitude >= 0 && now.altitude <= 99;
    const bool wasNearHorizon = was.altitude >= 0 && was.altitude <= 99;
    if (nearHorizon && !wasNearHorizon) return "Horizon";
    return nullptr;
}

}  // namespace

NarrationSnapshot TakeNarrationSnapshot(const ViewState& view, const AppOptions& options) {
    NarrationSnapshot s;
    s.SekidouMod = view.SekidouMod;
    s.TrackedKind = view.TrackedKind;
    s.TrackedIndex = view.TrackedIndex;
    s.Tracking = view.Tracking;
    s.AutoRunning = view.AutoRunning;
    s.AutoType = options.AutoType;
    s.Keisanji = view.Keisanji;
    s.Dst = view.Dst;
    s.Constella = view.Constella;
    s.StarName = view.StarName;
    s.Galaxy = view.Galaxy;
    s.Solar = view.Solar;
    s.Comet = view.Comet;
    s.Line = view.Line;
    s.Picture = view.Picture;
    s.Kyoukai = view.Kyoukai;
    s.Horizon = view.Horizon;
    s.Glid = view.Glid;
    s.Sekidou = view.Sekidou;
    s.Koudou = view.Koudou;
    s.Asterisms = view.Kisetu + view.KisetuName;
    s.OldChinese = view.ShukuLine + view.ShukuName + view.ShukuStar;
    s.clock = view.clock;
    s.Zoom = view.Zoom;
    s.azimuth = static_cast<int32_t>(view.Houi2);
    s.altitude = static_cast<int32_t>(view.Koudo2);
    return s;
}

const char* NarrationCheck(Narration& narration, const ViewState& view, const AppOptions& options) {
    if (!options.SpeakFlag) return nullptr;
    const NarrationSnapshot now = TakeNarrationSnapshot(view, options);
    const char* event = nullptr;
    if (narration.startCounter != 0) {
        if (--narration.startCounter == 1) event = "Welcome";
    } else {
        event = PickEvent(narration.snapshot, now, narration.triggers, view.Ido2);
    }
    narration.snapshot = now;
    narration.triggers = {};
    return event;
}

}  // namespace state
